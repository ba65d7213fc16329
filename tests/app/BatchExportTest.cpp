#include <gtest/gtest.h>

#include <atomic>
#include <charconv>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BatchTool.h"
#include "TempFolder.h"
#include "data/TextLines.h"

namespace tessolan {
namespace {

using testing::BatchResult;
using testing::ReadBytes;
using testing::RunBatchTool;
using testing::Sample;
using testing::TempFolder;

BatchResult RunTool(const std::vector<std::string>& args) { return RunBatchTool(args); }

// A plain CSV reader: "#" lines are notes, the first other line names the columns.
struct Csv {
  std::map<std::string, std::string> notes;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == ',')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

Csv ReadCsv(const std::string& text) {
  Csv csv;
  for (const std::string& line : SplitLines(text)) {
    if (line.empty()) continue;
    if (line.starts_with("# ")) {
      const auto colon = line.find(": ");
      if (colon != std::string::npos) csv.notes[line.substr(2, colon - 2)] = line.substr(colon + 2);
    } else if (csv.columns.empty()) {
      csv.columns = SplitFields(line);
    } else {
      csv.rows.push_back(SplitFields(line));
    }
  }
  return csv;
}

double Number(const std::string& field) {
  double value = 0;
  const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
  EXPECT_EQ(result.ptr, field.data() + field.size()) << field;
  return value;
}

TEST(BatchExportTest, CsvCarriesTheResultsAndTheirErrors) {
  TempFolder folder;
  const std::string csvFile = folder.File("design.csv");
  const BatchResult r = RunTool({Sample("Design_Gray.txt"), "-n", "2000", "-s", "7", "--csv", csvFile});
  ASSERT_EQ(r.code, kExitDone) << r.err;
  const Csv csv = ReadCsv(ReadBytes(csvFile));
  EXPECT_EQ(csv.notes.at("Task"), "Design_Gray");
  EXPECT_EQ(csv.notes.at("Rays"), "2000");
  EXPECT_EQ(csv.notes.at("Random seed"), "7");
  ASSERT_EQ(csv.columns.size(), 9u);
  EXPECT_EQ(csv.columns[0], "WL_um");
  EXPECT_EQ(csv.columns[5], "EEIso_SE");
  ASSERT_EQ(csv.rows.size(), 20u);

  // The same numbers as the results file, which rounds them to its decimals.
  const auto resultLines = SplitLines(r.out);
  for (std::size_t i = 0; i < csv.rows.size(); ++i) {
    std::istringstream fileRow(resultLines[i + 1]);
    double wl, eeIso, ee, rtIso, rt;
    fileRow >> wl >> eeIso >> ee >> rtIso >> rt;
    const auto& row = csv.rows[i];
    ASSERT_EQ(row.size(), 9u);
    EXPECT_NEAR(Number(row[0]), wl, 5e-6);
    EXPECT_NEAR(Number(row[1]), eeIso, 5e-9);
    EXPECT_NEAR(Number(row[2]), ee, 5e-9);
    EXPECT_NEAR(Number(row[4]), rt, 5e-5);
    for (int se = 5; se < 9; ++se) EXPECT_GT(Number(row[se]), 0);
  }
}

TEST(BatchExportTest, SweepGivesTheNumbersOfSingleRunsFromTheSameSeed) {
  TempFolder folder;
  const BatchResult sweep =
      RunTool({Sample("Design_Gray.txt"), "-n", "500", "-s", "42", "-q", "--sweep", "SlantAngle=30:60:15"});
  ASSERT_EQ(sweep.code, kExitDone) << sweep.err;
  EXPECT_EQ(sweep.err, "Random seed: 42\n");
  const Csv table = ReadCsv(sweep.out);
  EXPECT_EQ(table.columns[0], "SlantAngle");
  ASSERT_EQ(table.rows.size(), 3u * 20u);
  for (int i = 0; i < 3; ++i) {
    const std::string angle = std::to_string(30 + 15 * i);
    const std::string single = folder.File("single" + angle + ".csv");
    const BatchResult r = RunTool({Sample("Design_Gray.txt"), "-n", "500", "-s", "42", "--set", "SlantAngle=" + angle,
                                   "--csv", single, "-o", folder.File("r.txt")});
    ASSERT_EQ(r.code, kExitDone) << r.err;
    const Csv one = ReadCsv(ReadBytes(single));
    for (std::size_t k = 0; k < one.rows.size(); ++k) {
      std::vector<std::string> expected{angle};
      expected.insert(expected.end(), one.rows[k].begin(), one.rows[k].end());
      EXPECT_EQ(table.rows[i * 20 + k], expected) << angle;
    }
  }
}

TEST(BatchExportTest, RunToPrecisionSaysHowManyRaysItTook) {
  TempFolder folder;
  const std::string csvFile = folder.File("precise.csv");
  const BatchResult r = RunTool({Sample("Design_Gray.txt"), "-n", "1000000", "-s", "3", "--target-error", "0.001",
                                 "--csv", csvFile, "-o", folder.File("r.txt"), "-r", folder.File("p.txt")});
  ASSERT_EQ(r.code, kExitDone) << r.err;
  const Csv csv = ReadCsv(ReadBytes(csvFile));
  const std::string rays = csv.notes.at("Rays");
  EXPECT_NE(r.err.find("Rays traced: " + rays + "\n"), std::string::npos) << r.err;
  EXPECT_LT(std::stoul(rays), 1000000u);
  for (const auto& row : csv.rows) {
    EXPECT_LE(Number(row[5]), 0.001);
    EXPECT_LE(Number(row[6]), 0.001);
  }
  EXPECT_NE(ReadBytes(folder.File("p.txt")).find("Number of rays: " + rays + "\r\n"), std::string::npos);
}

TEST(BatchExportTest, SweepAndExportUsageErrors) {
  const char* bad[][2] = {{"--sweep", "SlantAngle=30:60"},
                          {"--sweep", "SlantAngle=60:30:15"},
                          {"--sweep", "Colour=1:2:1"},
                          {"--sweep", "SlantAngle=0:89:0"},
                          {"--target-error", "0"}};
  for (const auto& args : bad) EXPECT_EQ(RunTool({Sample("Design_Gray.txt"), args[0], args[1]}).code, kExitUsage);
  EXPECT_EQ(RunTool({Sample("Design_Gray.txt"), "--sweep", "SlantAngle=30:60:15", "-o", "x.txt"}).code, kExitUsage);
}

}  // namespace
}  // namespace tessolan
