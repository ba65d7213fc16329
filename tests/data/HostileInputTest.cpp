// Files no one should hand the program, read by the four loaders from disk: each is refused
// with the loader's own message or loaded as far as its layout allows, never a crash.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "data/ReflectanceFile.h"
#include "data/ReportFile.h"
#include "data/ResultsFile.h"
#include "data/TextEncoding.h"
#include "model/TaskIdentity.h"

namespace tessolan {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

constexpr std::size_t kMegabyte = 1 << 20;

// What a load gave: its message (empty when it loaded) and how many points, rows or lines.
struct Outcome {
  std::string message;
  std::size_t count = 0;
  bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  return out << "{\"" << o.message << "\", " << o.count << "}";
}

// One hostile file for one loader. The bytes are made when the case runs, so that the big
// ones never sit in memory all at once.
struct HostileCase {
  const char* what;
  std::function<std::string()> bytes;
  Outcome expected;
};

void ExpectOutcomes(const std::vector<HostileCase>& cases, const std::function<Outcome(const std::string&)>& load) {
  TempFolder folder;
  const std::string path = folder.File("hostile.txt");
  for (const HostileCase& c : cases) {
    WriteBytes(path, c.bytes());
    EXPECT_EQ(load(path), c.expected) << c.what;
  }
}

std::string Garbage() {
  std::mt19937 random(11);
  std::string bytes(64 * 1024, '\0');
  for (char& b : bytes) b = static_cast<char>(random());
  return bytes;
}

// `line` repeated to at least `size` bytes.
std::string Repeated(const std::string& line, std::size_t size) {
  std::string text;
  text.reserve(size + line.size());
  while (text.size() < size) text += line;
  return text;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

std::string WithLineEnds(std::string text, const std::string& end) {
  std::string out;
  for (std::size_t pos = 0, next; (next = text.find("\r\n", pos)) != std::string::npos; pos = next + 2)
    out += text.substr(pos, next - pos) + end;
  return out;
}

const std::string kBom = "\xEF\xBB\xBF";
const std::string kMegabyteOfText = std::string(kMegabyte, 'x');

// A file larger than any the program reads, which costs no disk space: refused unread.
std::string OversizedFile(const std::string& path) {
  WriteBytes(path, "");
  std::filesystem::resize_file(path, 300 * kMegabyte);
  return path;
}

const std::string kReflectance = "     1.00000   0.50000000\r\n     2.00000   0.25000000\r\n";

TEST(HostileInputTest, ReflectanceFiles) {
  const Outcome refused{kFileReadingError, 0}, twoPoints{"", 2};
  ExpectOutcomes(
      {
          {"empty", [] { return ""; }, {"", 0}},
          {"binary garbage", Garbage, refused},
          {"100 MB of points", [] { return Repeated(kReflectance, 100 * kMegabyte); }, {"", kMaxSpectralPoints}},
          {"lines of 1 MB", [] { return Replace(kReflectance, "\r\n", " " + kMegabyteOfText + "\r\n"); }, twoPoints},
          {"a 1 MB number", [] { return std::string(kMegabyte, '1') + " 0.5\r\n"; }, refused},
          {"nan", [] { return Replace(kReflectance, "0.25000000", "nan"); }, refused},
          {"inf", [] { return Replace(kReflectance, "0.25000000", "inf"); }, refused},
          {"1e5000", [] { return Replace(kReflectance, "2.00000", "1e5000"); }, refused},
          {"beyond a table field", [] { return Replace(kReflectance, "2.00000", "1e309"); }, refused},
          {"CR only", [] { return WithLineEnds(kReflectance, "\r"); }, twoPoints},
          {"LF only", [] { return WithLineEnds(kReflectance, "\n"); }, twoPoints},
          {"UTF-8 byte order mark", [] { return kBom + kReflectance; }, twoPoints},
          {"non-Latin comments", [] { return Replace(kReflectance, "\r\n", " // отражение 反射率\r\n"); }, twoPoints},
      },
      [](const std::string& path) {
        const ReflectanceFileRead read = ReadReflectanceFile(path);
        return Outcome{read.message, read.points.size()};
      });
}

const std::string kInitialData =
    "2024/05/14 10:30:00  // Date and time of dataset saving\r\n0\r\n100\r\n0\r\n45\r\n3\r\n0\r\n0\r\n300\r\n0\r\n"
    "300\r\n299\r\n0\r\n5\r\n90\r\n35\r\n1\r\n2  // Number of points for spectral reflectance\r\n"
    "Wavelength (um)   Reflectance\r\n1 0.5\r\n2 0.25\r\nCOMMENTS:\r\nfirst\r\nsecond\r\n";

// The initial data file with another table block: count, header and points.
std::string WithTable(const std::string& block) {
  return Replace(
      kInitialData,
      "2  // Number of points for spectral reflectance\r\nWavelength (um)   Reflectance\r\n1 0.5\r\n2 0.25\r\n", block);
}

TEST(HostileInputTest, InitialDataFiles) {
  // The count is the number of points read plus the number of comment lines kept.
  const Outcome refused{kFileReadingError, 0}, loaded{"", 4};
  ExpectOutcomes(
      {
          {"empty", [] { return ""; }, refused},
          {"binary garbage", Garbage, refused},
          {"100 MB of comments",
           [] { return kInitialData + Repeated("a comment line\r\n", 100 * kMegabyte); },
           {"", 2 + kMaxCommentLines}},
          {"lines of 1 MB",
           [] {
             const std::string longDate = Replace(kInitialData, "\r\n", kMegabyteOfText + "\r\n");
             const std::string longLabel = Replace(longDate, "45\r\n", "45  " + kMegabyteOfText + "\r\n");
             return Replace(longLabel, "second", kMegabyteOfText);
           },
           loaded},
          {"nan", [] { return Replace(kInitialData, "\r\n45\r\n", "\r\nnan\r\n"); }, refused},
          {"inf", [] { return Replace(kInitialData, "\r\n45\r\n", "\r\ninf\r\n"); }, refused},
          {"1e5000", [] { return Replace(kInitialData, "\r\n45\r\n", "\r\n1e5000\r\n"); }, refused},
          {"a value beyond its box", [] { return Replace(kInitialData, "\r\n45\r\n", "\r\n1e309\r\n"); }, loaded},
          {"a point beyond a table field", [] { return Replace(kInitialData, "2 0.25", "1e309 0.25"); }, refused},
          {"a negative count of points", [] { return WithTable("-1\r\nWavelength (um)   Reflectance\r\n"); }, {"", 2}},
          {"a count of points of 2^31", [] { return WithTable("2147483648\r\nheader\r\n1 0.5\r\n"); }, refused},
          {"a count of points of 2^31 - 1", [] { return WithTable("2147483647\r\nheader\r\n1 0.5\r\n"); }, refused},
          {"a shape index of 2^31", [] { return Replace(kInitialData, "\r\n0\r\n100", "\r\n2147483648\r\n100"); },
           refused},
          {"10000 points declared, 2 present", [] { return WithTable("10000\r\nheader\r\n1 0.5\r\n2 0.25\r\n"); },
           refused},
          {"CR only", [] { return WithLineEnds(kInitialData, "\r"); }, loaded},
          {"LF only", [] { return WithLineEnds(kInitialData, "\n"); }, loaded},
          {"UTF-8 byte order mark", [] { return kBom + kInitialData; }, loaded},
          {"non-Latin comments", [] { return Replace(kInitialData, "second", "Комментарий 日本語 °"); }, loaded},
      },
      [](const std::string& path) {
        const InitialDataFileRead read = ReadInitialDataFile(path);
        return Outcome{read.message, read.data.points.size() + read.data.comments.size()};
      });

  // What the long lines and the non-Latin text leave in the comments.
  TempFolder folder;
  WriteBytes(folder.File("long.txt"), Replace(kInitialData, "second", kMegabyteOfText));
  EXPECT_EQ(ReadInitialDataFile(folder.File("long.txt")).data.comments.back(), kMegabyteOfText);
  WriteBytes(folder.File("utf8.txt"), WithLineEnds(Replace(kInitialData, "second", "Комментарий 日本語 °"), "\n"));
  EXPECT_EQ(ReadInitialDataFile(folder.File("utf8.txt")).data.comments.back(), "Комментарий 日本語 °");
  EXPECT_TRUE(ReadInitialDataFile(folder.File("long.txt")).ok);
}

const std::string kResults = std::string(kResultsHeader) +
                             "\r\n     1.00000       0.50000000       0.40000000      300.0000      290.0000\r\n"
                             "     2.00000       0.60000000       0.50000000      310.0000      300.0000\r\n";

TEST(HostileInputTest, ResultsFiles) {
  const Outcome refused{kErrorReadingFile, 0}, twoRows{"", 2};
  ExpectOutcomes(
      {
          {"empty", [] { return ""; }, {"", 0}},
          {"binary garbage", Garbage, refused},
          {"100 MB of rows", [] { return kResults + Repeated("3 0.5 0.5 300 300\r\n", 100 * kMegabyte); }, refused},
          {"lines of 1 MB", [] { return Replace(kResults, "\r\n", " " + kMegabyteOfText + "\r\n"); }, twoRows},
          {"nan", [] { return Replace(kResults, "0.60000000", "nan"); }, refused},
          {"inf", [] { return Replace(kResults, "310.0000", "inf"); }, refused},
          {"1e5000", [] { return Replace(kResults, "310.0000", "1e5000"); }, refused},
          {"beyond a table field", [] { return Replace(kResults, "310.0000", "-1e309"); }, refused},
          {"CR only", [] { return WithLineEnds(kResults, "\r"); }, twoRows},
          {"LF only", [] { return WithLineEnds(kResults, "\n"); }, twoRows},
          {"UTF-8 byte order mark", [] { return kBom + kResults; }, twoRows},
          {"non-Latin header", [] { return Replace(kResults, "Wavelength (um)", "Длина волны 波長"); }, twoRows},
      },
      [](const std::string& path) {
        const ResultsFileRead read = ReadResultsFile(path);
        return Outcome{read.message, read.rows.size()};
      });
}

const std::string kReport = "Tessolan report\r\n\r\nTask Name: hostile\r\n";

TEST(HostileInputTest, ReportFiles) {
  const Outcome threeLines{"", 3};
  ExpectOutcomes(
      {
          {"empty", [] { return ""; }, {"", 0}},
          {"100 MB of lines",
           [] { return Repeated(std::string(98, 'r') + "\r\n", 100 * kMegabyte); },
           {"", 100 * kMegabyte / 100}},
          {"lines of 1 MB", [] { return Replace(kReport, "hostile", kMegabyteOfText); }, threeLines},
          {"CR only", [] { return WithLineEnds(kReport, "\r"); }, threeLines},
          {"LF only", [] { return WithLineEnds(kReport, "\n"); }, threeLines},
          {"UTF-8 byte order mark", [] { return kBom + kReport; }, threeLines},
          {"non-Latin text", [] { return Replace(kReport, "hostile", "Задача 課題"); }, threeLines},
      },
      [](const std::string& path) {
        const ReportFileRead read = ReadReportFile(path);
        return Outcome{read.message, read.lines.size()};
      });

  // Any bytes at all load as text; the non-Latin line is kept as it was written.
  TempFolder folder;
  WriteBytes(folder.File("garbage.txt"), Garbage());
  const ReportFileRead garbage = ReadReportFile(folder.File("garbage.txt"));
  EXPECT_TRUE(garbage.ok);
  EXPECT_GT(garbage.lines.size(), 0u);
  WriteBytes(folder.File("utf8.txt"), Replace(kReport, "hostile", "Задача 課題"));
  EXPECT_EQ(ReadReportFile(folder.File("utf8.txt")).lines[2], "Task Name: Задача 課題");
}

TEST(HostileInputTest, AFileLargerThanAnyTheProgramReadsIsRefusedUnread) {
  TempFolder folder;
  const std::string path = OversizedFile(folder.File("huge.txt"));
  EXPECT_EQ(ReadReflectanceFile(path).message, kFileReadingError);
  EXPECT_EQ(ReadInitialDataFile(path).message, kFileReadingError);
  EXPECT_EQ(ReadResultsFile(path).message, kErrorReadingFile);
  EXPECT_EQ(ReadReportFile(path).message, kErrorReadingFile);
}

// Whatever the user typed into comments or a report comes back from its file as it was, even
// text whose code-page bytes would read as other UTF-8 characters.
TEST(HostileInputTest, SavedTextLoadsBackWhateverItsCharacters) {
  const std::string texts[] = {
      "plain",
      "Température 20 °C",
      "Ã©",  // its code-page bytes C3 A9 are UTF-8 for "é"
      "\xEF\xBB\xBF"
      "starts with a byte order mark",
      "\xEF\xBB\xBF\xEF\xBB\xBF"
      "two of them",
      "日本語 → Ã©",
      "Ã",  // C3 alone is not UTF-8, so the code page is safe
  };
  for (const std::string& text : texts) EXPECT_EQ(DecodeFileText(EncodeFileText(text)), text) << text;
  EXPECT_EQ(EncodeFileText("Température 20 °C"),
            "Temp\xE9rature 20 \xB0"
            "C")
      << "still Windows-1252 where it can be";
}

}  // namespace
}  // namespace tessolan
