#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "data/KeyedTable.h"
#include "data/RadioIndices.h"
#include "data/TextLines.h"
#include "model/AppState.h"
#include "model/Notation.h"
#include "run/Gathering.h"

namespace tessolan {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

const double kSavedAt = MakeDateTime(2024, 5, 14, 10, 30, 0);

// What Save As writes: the task gathered from the controls, with the table and the comments.
std::string SaveGathered(const TaskControls& controls, const std::vector<SpectralPoint>& table,
                         const std::vector<std::string>& comments) {
  auto state = std::make_unique<AppState>();
  std::string message;
  EXPECT_TRUE(GatherGeometry(controls, *state, message)) << message;
  GatherTemperatures(controls, *state);
  EXPECT_TRUE(GatherMaterial(controls, table, *state, message)) << message;
  EXPECT_TRUE(GatherViewingConditions(controls, *state, message)) << message;
  return JoinLines(InitialDataFileLines(state->initialData, state->spectral, comments, kSavedAt));
}

// Loads as the window does and saves what its controls, table and comments then hold.
std::string LoadAndSaveAgain(const std::string& text) {
  const InitialDataFileRead read = ParseInitialDataText(text);
  EXPECT_TRUE(read.ok) << read.message;
  SpectralTable table;
  EXPECT_EQ(InsertAll<SpectralPoint>(table, read.data.points), 0);
  return SaveGathered(LoadedControls(read.data, ClearedControls()), table.Records(), read.data.comments);
}

TEST(InitialDataFileTest, TheSamplesSurviveLoadAndSaveByteForByte) {
  TempFolder folder;
  for (const char* name : {"Design_Gray.txt", "Truncated_Gaps.txt", "Conical.txt", "Integrated.txt"}) {
    const std::string sample = std::string(TESSOLAN_SAMPLES_DIR) + "/" + name;
    const InitialDataFileRead read = ReadInitialDataFile(sample);
    ASSERT_TRUE(read.ok) << name;
    SpectralTable table;
    InsertAll<SpectralPoint>(table, read.data.points);
    const TaskControls controls = LoadedControls(read.data, DesignControls());
    auto state = std::make_unique<AppState>();
    std::string message;
    ASSERT_TRUE(GatherGeometry(controls, *state, message) &&
                GatherMaterial(controls, table.Records(), *state, message) &&
                GatherViewingConditions(controls, *state, message))
        << name << ": " << message;
    GatherTemperatures(controls, *state);
    ASSERT_TRUE(SaveInitialDataFile(folder.File(name), state->initialData, state->spectral, read.data.comments,
                                    kSavedAt, message));
    EXPECT_EQ(ReadBytes(folder.File(name)), ReadBytes(sample)) << name;
  }
}

TEST(InitialDataFileTest, LayoutOfADirectionalBTask) {
  const std::string text =
      SaveGathered(DesignControls(), {{2.5, 0.5}, {10, 0.125}}, {"first comment", "", "COMMENTS:"});
  EXPECT_EQ(text,
            "2024/05/14 10:30:00  // Date and time of dataset saving\r\n"
            "0  // Square blackbody\r\n"
            "  100.0000  // Blackbody side\r\n"
            "0  // Radiator center coincides with the central pyramid vertex\r\n"
            "   45.0000  // Pyramid slant angle in deg.\r\n"
            "    3.0000  // Pyramid side length\r\n"
            "      0.0000  // Top flat side length\r\n"
            "    0.0000  // Gap width\r\n"
            "  300.0000  //  Reference temperature (K)\r\n"
            "    0.0000  //  Background temperature (K)\r\n"
            "  300.0000  //  Radiator base temperature (K)\r\n"
            "  299.0000  //  Pyramid top temperature in (K)\r\n"
            "1  //  Viewing conditions index: 0 - Directional A, 1 - Directional B, 2 - Conical, 3 - Integrated\r\n"
            "    5.0000  // Line of Sight (LoS) angle with blackbody base normal (°)\r\n"
            "   90.0000  // Line of Sight (LoS) azimuthal angle (°)\r\n"
            "   35.0000  // Viewing beam diameter\r\n"
            "  1.0000  // Diffusity of material\r\n"
            "2  // Number of points for spectral reflectance\r\n"
            "Wavelength (um)   Reflectance\r\n"
            "     2.50000        0.50000000\r\n"
            "    10.00000        0.12500000\r\n"
            "COMMENTS:\r\n"
            "first comment\r\n"
            "\r\n"
            "COMMENTS:\r\n");
}

TEST(InitialDataFileTest, OnlyTheCurrentViewingConditionsAreWritten) {
  const struct {
    int vcType;
    bool circle;
    std::vector<std::string> lines;  // from line 2, 3 and from line 16 on, up to the diffusity
  } cases[] = {
      {kDirectionalA, false, {"   35.0000  // Footprint diameter"}},
      {kConical,
       true,
       {"    500.0000  // Distance H to focal point (cone vertex)", "   10.0000  // FOV - cone vertex angle (°)"}},
      {kIntegrated, false, {"      5.0000  // Detector diameter", "    500.0000  // Distance H to the detector"}},
  };
  for (const auto& c : cases) {
    TaskControls controls = DesignControls();
    controls.VCType = c.vcType;
    controls.Shape = c.circle ? 1 : 0;
    const auto lines = SplitLines(SaveGathered(controls, {{1, 0.5}}, {}));
    EXPECT_EQ(lines[1], c.circle ? "1  // Circular blackbody" : "0  // Square blackbody");
    EXPECT_EQ(lines[2], c.circle ? "  100.0000  // Blackbody diameter" : "  100.0000  // Blackbody side");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 15, lines.begin() + 15 + c.lines.size()), c.lines);
    EXPECT_EQ(lines.size(), 19 + 1 + c.lines.size());  // 20 + NWL lines with one line of values
  }
}

TEST(InitialDataFileTest, SaveLoadSaveGivesTheSameBytesForEveryViewingConditionsType) {
  for (int vcType = 0; vcType <= 3; ++vcType) {
    TaskControls controls = DesignControls();
    controls.VCType = vcType;
    controls.Shape = 1;
    controls.CenterPosition = 1;
    controls[NumericBox::TopFlatSideLength] = 0.5;
    controls[NumericBox::GapWidth] = 0.25;
    controls[NumericBox::Tbg] = 123.4567;
    controls[NumericBox::B] = 12.345;
    controls[NumericBox::AngleW] = 180;  // gathered as 179.9
    controls[NumericBox::HF] = 123456.789;
    const std::string first = SaveGathered(controls, {{0.123456, 0.98765432}, {1e5, 1}}, {"é", "", "  x  "});
    EXPECT_EQ(LoadAndSaveAgain(first), first) << "VCType " << vcType;
  }
}

TEST(InitialDataFileTest, LoadingGivesTheRawValuesAndTheBoxValues) {
  TempFolder folder;
  const std::string file = folder.File("task.txt");
  WriteBytes(file,
             "saved\n1\n150000.123456\n1\n45.00005 rest\n3\n0.5\n0.25\n300\n0\n300\n299\n"
             "3\n5.12345\n-10\n7.5\n500.5\n0.5\n1\nheader\n2.5 0.5\nCOMMENTS:\nline 1");
  const InitialDataFileRead read = ReadInitialDataFile(file);
  ASSERT_TRUE(read.ok) << read.message;
  const LoadedInitialData& d = read.data;
  EXPECT_EQ(d.task.RadiatorSize, 150000.123456L);
  EXPECT_EQ(d.task.DetectorRadius, 3.75L);
  EXPECT_EQ(d.task.ViewerDistance, 500.5L);
  EXPECT_EQ(d.task.AngleA, -10);
  EXPECT_EQ(d.points.size(), 1u);
  EXPECT_EQ(d.comments, std::vector<std::string>{"line 1"});

  const TaskControls c = LoadedControls(d, ClearedControls());
  EXPECT_EQ(c.Shape, 1);
  EXPECT_EQ(c.VCType, kIntegrated);
  EXPECT_EQ(c[NumericBox::Diameter], 100000);     // clamped to the box
  EXPECT_EQ(c[NumericBox::SlantAngle], 45.0001);  // half away from zero
  EXPECT_EQ(c[NumericBox::B], 5.123);             // three decimals
  EXPECT_EQ(c[NumericBox::A], 0);
  EXPECT_EQ(c[NumericBox::DD], 7.5);
  EXPECT_EQ(c[NumericBox::HD], 500.5);
  EXPECT_EQ(c[NumericBox::HF], 0) << "the other types' boxes keep their values";
  EXPECT_EQ(c[NumericBox::DA], 0);
}

TEST(InitialDataFileTest, LineEndsAndEncodingsReadAlike) {
  TaskControls controls = DesignControls();
  controls.VCType = kConical;
  const std::string crlf = SaveGathered(controls, {{1, 0.5}, {2, 0.25}}, {"Température", ""});
  std::string lf = crlf, cr = crlf;
  std::erase(lf, '\r');
  std::erase(cr, '\n');
  const auto expected = ParseInitialDataText(crlf);
  for (const std::string& text : {lf, cr}) {
    const auto read = ParseInitialDataText(text);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.data.comments, expected.data.comments);
    EXPECT_EQ(read.data.points.size(), 2u);
    EXPECT_EQ(read.data.task.AngleW, 10);
  }
  TempFolder folder;
  const std::vector<std::vector<std::string>> commentSets{{"Température 20 °C"}, {"Température → 20 °C"}};
  for (const auto& comments : commentSets) {
    std::string message;
    auto state = std::make_unique<AppState>();
    state->initialData.VCType = kDirectionalA;
    ASSERT_TRUE(
        SaveInitialDataFile(folder.File("t.txt"), state->initialData, state->spectral, comments, kSavedAt, message));
    const auto read = ReadInitialDataFile(folder.File("t.txt"));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.data.comments, comments);
  }
  EXPECT_NE(ReadBytes(folder.File("t.txt")).find("Temp\xC3\xA9rature \xE2\x86\x92"), std::string::npos)
      << "a character outside Windows-1252 keeps the file in UTF-8";
}

// A valid Directional A file around the given table block and comments.
std::string FileWith(const std::string& tableBlock, const std::string& comments = "COMMENTS:\r\n") {
  return "date\r\n0\r\n100\r\n0\r\n45\r\n3\r\n0\r\n0\r\n300\r\n0\r\n300\r\n299\r\n0\r\n5\r\n90\r\n35\r\n1\r\n" +
         tableBlock + comments;
}

TEST(InitialDataFileTest, WhatTheLoaderRefuses) {
  const struct {
    std::string text;
    const char* why;
  } cases[] = {
      {FileWith("3\r\nheader\r\n1 0.5\r\n2 0.5\r\n"), "fewer table lines than declared"},
      {FileWith("10001\r\nheader\r\n"), "more than 10000 points declared"},
      {FileWith("1.0\r\nheader\r\n1 0.5\r\n"), "an integer field with a decimal"},
      {FileWith("1\r\nheader\r\n1,5 0,5\r\n"), "a decimal comma"},
      {"date\r\n0\r\n100\r\n0\r\n45\r\n", "a file that ends among the values"},
      {"date\r\n0.0\r\n100\r\n", "a shape index that is not an integer"},
      {"date\r\n0\r\ninf\r\n", "a value that is not a number"},
      {"", "an empty file"},
  };
  for (const auto& c : cases) {
    const InitialDataFileRead read = ParseInitialDataText(c.text);
    EXPECT_FALSE(read.ok) << c.why;
    EXPECT_EQ(read.message, kFileReadingError) << c.why;
  }
  TempFolder folder;
  EXPECT_EQ(ReadInitialDataFile(folder.File("missing.txt")).message, kFileReadingError);
}

TEST(InitialDataFileTest, TableAndCommentLimits) {
  EXPECT_TRUE(ParseInitialDataText(FileWith("0\r\nheader\r\n")).data.points.empty());
  EXPECT_TRUE(ParseInitialDataText(FileWith("-3\r\nheader\r\n")).data.points.empty());

  const auto duplicates = ParseInitialDataText(FileWith("3\r\nheader\r\n1 0.5\r\n1 0.25\r\n2 0.5\r\n"));
  ASSERT_TRUE(duplicates.ok);
  SpectralTable table;
  EXPECT_EQ(DuplicatedPointsMessage(InsertAll<SpectralPoint>(table, duplicates.data.points)),
            "1 duplicated spectral point was skipped");
  EXPECT_EQ(table[0].Reflectance, 0.5);

  std::string comments = "COMMENTS:\r\n";
  for (int i = 1; i <= 1001; ++i) comments += "line " + std::to_string(i) + "\r\n";
  const auto exactly1001 = ParseInitialDataText(FileWith("0\r\nheader\r\n", comments));
  EXPECT_EQ(exactly1001.data.comments.size(), 1001u);
  EXPECT_FALSE(exactly1001.data.commentsTooLong);
  const auto read = ParseInitialDataText(FileWith("0\r\nheader\r\n", comments + "line 1002\r\n"));
  ASSERT_TRUE(read.ok);
  EXPECT_TRUE(read.data.commentsTooLong);
  EXPECT_EQ(read.data.comments.size(), 1001u);
  EXPECT_EQ(read.data.comments.back(), "line 1001");
  EXPECT_EQ(std::string(kCommentsTooLongMessage), "Comments are too long\nOnly 1001 lines will be entered");
}

TEST(InitialDataFileTest, IndicesAreCheckedInOrderAfterTheWholeFileIsRead) {
  // Viewing conditions index 4 has no line of values: the file reads to its end, then fails.
  const std::string text =
      "date\r\n0\r\n100\r\n0\r\n45\r\n3\r\n0\r\n0\r\n300\r\n0\r\n300\r\n299\r\n4\r\n5\r\n90\r\n"
      "1\r\n1\r\nheader\r\n2 0.5\r\nCOMMENTS:\r\nkept\r\n";
  const InitialDataFileRead read = ParseInitialDataText(text);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.data.comments, std::vector<std::string>{"kept"});
  std::string message;
  EXPECT_FALSE(CheckRadioIndices(read.data.Shape, read.data.CenterPosition, read.data.VCType, message));
  EXPECT_EQ(message,
            "Viewing Conditions Index (4) is out of range.\n"
            "Viewing Conditions Index must be:\n"
            "0 for Directional Viewing Conditions A;\n"
            "1 for Directional Viewing Conditions B;\n"
            "2 for Conical Viewing Conditions;\n"
            "3 for Integrated Viewing Conditions.");

  EXPECT_FALSE(CheckRadioIndices(2, 7, 9, message));
  EXPECT_EQ(message, "Radiator shape index (2) must be 0 (square) or 1 (circle)");
  EXPECT_FALSE(CheckRadioIndices(1, 7, 9, message));
  EXPECT_EQ(message, "Radiator center position index (7) must be 0 (Pyramid Center) or 1 (Gap Center)");
  EXPECT_FALSE(CheckRadioIndices(256, 0, 0, message)) << "a shape index is not cut to a byte";
  EXPECT_TRUE(CheckRadioIndices(1, 1, 3, message));
  EXPECT_EQ(message, "");
}

}  // namespace
}  // namespace tessolan
