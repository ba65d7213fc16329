#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "data/FileMessages.h"
#include "data/KeyedTable.h"
#include "data/ReflectanceFile.h"
#include "model/AppState.h"

namespace tessolan {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(ReflectanceFileTest, LinesAreFixedWidthAndWidenForLongNumbers) {
  EXPECT_EQ(ReflectanceLine(2.5L, 0.5L), "     2.50000   0.50000000");
  EXPECT_EQ(ReflectanceLine(-0.125L, -1.5L), "    -0.12500   -1.50000000");
  EXPECT_EQ(ReflectanceLine(123456.5L, 0.123456789L), "123456.50000   0.12345679");
  EXPECT_EQ(ReflectanceLine(1234567.5L, 12.5L), "1234567.50000   12.50000000");
}

TEST(ReflectanceFileTest, SaveLoadSaveGivesTheSameBytes) {
  TempFolder folder;
  auto state = std::make_unique<AppState>();
  const std::vector<std::pair<long double, long double>> points{{0.3L, 0.123456789L}, {2.5L, 0.5L}, {14.123456L, 1}};
  state->spectral.NWL = static_cast<int>(points.size());
  for (std::size_t k = 0; k < points.size(); ++k) {
    state->spectral.ArrWL[k] = points[k].first;
    state->spectral.ArrRefl[k] = points[k].second;
  }
  std::string message;
  ASSERT_TRUE(SaveReflectanceFile(folder.File("a_SR.txt"), state->spectral, message));
  EXPECT_EQ(ReadBytes(folder.File("a_SR.txt")),
            "     0.30000   0.12345679\r\n     2.50000   0.50000000\r\n    14.12346   1.00000000\r\n");

  const ReflectanceFileRead read = ReadReflectanceFile(folder.File("a_SR.txt"));
  ASSERT_TRUE(read.ok);
  auto again = std::make_unique<AppState>();
  again->spectral.NWL = static_cast<int>(read.points.size());
  for (std::size_t k = 0; k < read.points.size(); ++k) {
    again->spectral.ArrWL[k] = read.points[k].WL;
    again->spectral.ArrRefl[k] = read.points[k].Reflectance;
  }
  ASSERT_TRUE(SaveReflectanceFile(folder.File("b_SR.txt"), again->spectral, message));
  EXPECT_EQ(ReadBytes(folder.File("b_SR.txt")), ReadBytes(folder.File("a_SR.txt")));
}

TEST(ReflectanceFileTest, ReadsPointsAndRefusesWhatIsNotANumber) {
  const struct {
    const char* text;
    bool ok;
    std::vector<double> values;  // wavelength, reflectance, ...
  } cases[] = {
      {"", true, {}},
      {"1 0.5\r\n2 0.25 a trailing comment\r\n", true, {1, 0.5, 2, 0.25}},
      {"1 0.5\r\n\r\n   \r\n\t\n", true, {1, 0.5}},  // trailing white space adds no point
      {"1 0.5\n2\t0.25\r3 0.125", true, {1, 0.5, 2, 0.25, 3, 0.125}},
      {"3 0.1\n1 0.2", true, {3, 0.1, 1, 0.2}},  // file order is kept; the table sorts
      {"1\n0.5\n", true, {1, 0.5}},              // the second number may stand on the next line
      {"1,5 0,5\r\n", false, {}},
      {"1 0.5\r\n2\r\n", false, {}},  // a point without its reflectance
      {"1 nan\r\n", false, {}},
      {"1 1e5000\r\n", false, {}},
  };
  for (const auto& c : cases) {
    const ReflectanceFileRead read = ParseReflectanceText(c.text);
    EXPECT_EQ(read.ok, c.ok) << c.text;
    EXPECT_EQ(read.message, c.ok ? "" : kFileReadingError) << c.text;
    std::vector<double> values;
    for (const auto& p : read.points) values.insert(values.end(), {p.WL, p.Reflectance});
    EXPECT_EQ(values, c.values) << c.text;
    EXPECT_FALSE(read.tooManyPoints);
  }
}

TEST(ReflectanceFileTest, TakesAtMost10000Points) {
  std::string text;
  for (int i = 1; i <= 10000; ++i) text += std::to_string(i) + " 0.5\r\n";
  EXPECT_FALSE(ParseReflectanceText(text).tooManyPoints);
  const ReflectanceFileRead read = ParseReflectanceText(text + "10001 0.5\r\n");
  EXPECT_TRUE(read.ok);
  EXPECT_TRUE(read.tooManyPoints);
  EXPECT_EQ(read.points.size(), 10000u);
  EXPECT_EQ(read.points.back().WL, 10000);
  EXPECT_EQ(std::string(kTooManySpectralPointsMessage), "Too many spectral points\nOnly 10000points will be entered");
}

TEST(ReflectanceFileTest, RepeatedWavelengthsKeepTheFirstAndAreCounted) {
  const ReflectanceFileRead read = ParseReflectanceText("2 0.1\n1 0.2\n2 0.3\n1 0.4\n2 0.5\n3 0.6\n");
  ASSERT_TRUE(read.ok);
  SpectralTable table;
  const int skipped = InsertAll<SpectralPoint>(table, read.points);
  EXPECT_EQ(skipped, 3);
  ASSERT_EQ(table.RecordCount(), 3);
  EXPECT_EQ(table[0].Reflectance, 0.2);
  EXPECT_EQ(table[1].Reflectance, 0.1);
  EXPECT_EQ(DuplicatedPointsMessage(1), "1 duplicated spectral point was skipped");
  EXPECT_EQ(DuplicatedPointsMessage(skipped), "3 duplicated spectral points were skipped");
}

TEST(ReflectanceFileTest, AFileThatCannotBeOpenedIsAnErrorReadingFile) {
  TempFolder folder;
  EXPECT_EQ(ReadReflectanceFile(folder.File("missing.txt")).message, kErrorReadingFile);
  EXPECT_EQ(ReadReflectanceFile(folder.Path().string()).message, kErrorReadingFile);
  WriteBytes(folder.File("comma.txt"), "1,5 0,5\r\n");
  EXPECT_EQ(ReadReflectanceFile(folder.File("comma.txt")).message, kFileReadingError);
}

}  // namespace
}  // namespace tessolan
