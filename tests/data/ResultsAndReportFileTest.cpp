#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "data/FileMessages.h"
#include "data/KeyedTable.h"
#include "data/ReportFile.h"
#include "data/ResultsFile.h"
#include "model/AppState.h"

namespace tessolan {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

std::unique_ptr<AppState> StateWithResults() {
  auto state = std::make_unique<AppState>();
  SpectralArrays& s = state->spectral;
  s.NWL = 3;
  const long double rows[3][5] = {
      {1.5L, 0.5L, 0.25L, 300, 299}, {10, 0.987654321L, 0.5L, 12345.67891L, -1}, {123456.5L, 1, 1, 300.00006L, 0}};
  for (int k = 0; k < 3; ++k) {
    s.ArrWL[k] = rows[k][0];
    s.ArrEEIso[k] = rows[k][1];
    s.ArrEE[k] = rows[k][2];
    s.ArrRTIso[k] = rows[k][3];
    s.ArrRT[k] = rows[k][4];
  }
  return state;
}

TEST(ResultsFileTest, LayoutFromTheArraysAndFromTheTableIsTheSame) {
  const auto state = StateWithResults();
  const std::vector<std::string> expected{
      "Wavelength (um)    EEIso            EENoniso        RTIso (K)     RTNoniso (K)",
      "     1.50000       0.50000000       0.25000000      300.0000      299.0000",
      "    10.00000       0.98765432       0.50000000     12345.6789       -1.0000",
      "123456.50000       1.00000000       1.00000000      300.0001        0.0000",
  };
  EXPECT_EQ(ResultsFileLines(state->spectral), expected);
  ResultsTable table;
  for (const ResultsRecord& row : ResultsRows(state->spectral)) table.Insert(row);
  EXPECT_EQ(ResultsFileLines(table.Records()), expected);

  auto empty = std::make_unique<AppState>();
  EXPECT_EQ(ResultsFileLines(empty->spectral), std::vector<std::string>{kResultsHeader});
}

TEST(ResultsFileTest, SaveLoadSaveGivesTheSameBytes) {
  TempFolder folder;
  const auto state = StateWithResults();
  std::string message;
  ASSERT_TRUE(SaveResultsFile(folder.File("a_res.txt"), state->spectral, message));
  const ResultsFileRead read = ReadResultsFile(folder.File("a_res.txt"));
  ASSERT_TRUE(read.ok);
  ASSERT_EQ(read.rows.size(), 3u);
  EXPECT_EQ(read.rows[0].EE, 0.25) << "the file's third column is the nonisothermal emissivity";
  EXPECT_EQ(read.rows[0].RTIso, 300);
  ASSERT_TRUE(SaveResultsFile(folder.File("b_res.txt"), read.rows, message));
  EXPECT_EQ(ReadBytes(folder.File("b_res.txt")), ReadBytes(folder.File("a_res.txt")));
}

TEST(ResultsFileTest, WhatTheLoaderTakesAndRefuses) {
  const std::string header = "anything at all\r\n";
  EXPECT_TRUE(ParseResultsText("").ok);
  EXPECT_TRUE(ParseResultsText(header).rows.empty());
  const auto trailing = ParseResultsText(header + "1 2 3 4 5 rest of line\r\n\r\n  \r\n");
  EXPECT_EQ(trailing.rows.size(), 1u) << "trailing white space adds no row";

  const auto repeated = ParseResultsText(header + "2 0.1 0 0 0\n1 0.2 0 0 0\n2 0.3 0 0 0\n");
  ASSERT_TRUE(repeated.ok);
  ResultsTable table;
  EXPECT_EQ(InsertAll<ResultsRecord>(table, repeated.rows), 1);
  EXPECT_EQ(table[1].EEIso, 0.1);

  for (const std::string& bad : {header + "1 2 3 four 5\r\n", header + "1 2 3 4\r\n", header + "1 2 3 4 nan\r\n"}) {
    const ResultsFileRead read = ParseResultsText(bad);
    EXPECT_FALSE(read.ok) << bad;
    EXPECT_EQ(read.message, kErrorReadingFile) << bad;
    EXPECT_TRUE(read.rows.empty());
  }

  std::string rows = header;
  for (int i = 1; i <= 10000; ++i) rows += std::to_string(i) + " 0 0 0 0\r\n";
  EXPECT_TRUE(ParseResultsText(rows).ok);
  EXPECT_EQ(ParseResultsText(rows + "10001 0 0 0 0\r\n").message, kErrorReadingFile);

  TempFolder folder;
  EXPECT_EQ(ReadResultsFile(folder.File("missing.txt")).message, kErrorReadingFile);
}

TEST(ReportFileTest, SaveLoadSaveGivesTheSameBytes) {
  TempFolder folder;
  const std::vector<std::vector<std::string>> reports{
      {"Task Name: a", "", "       Pyramid slant angle (°): 45.0000", ""},
      {"edited by hand → kept in UTF-8", "°"},
      {},
  };
  for (const auto& lines : reports) {
    std::string message;
    ASSERT_TRUE(SaveReportFile(folder.File("a_rep.txt"), lines, message));
    const ReportFileRead read = ReadReportFile(folder.File("a_rep.txt"));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.lines, lines);
    ASSERT_TRUE(SaveReportFile(folder.File("b_rep.txt"), read.lines, message));
    EXPECT_EQ(ReadBytes(folder.File("b_rep.txt")), ReadBytes(folder.File("a_rep.txt")));
  }
  EXPECT_EQ(ReadBytes(folder.File("a_rep.txt")), "") << "an empty report makes an empty file";

  std::string message;
  ASSERT_TRUE(SaveReportFile(folder.File("a_rep.txt"), reports[0], message));
  EXPECT_EQ(ReadBytes(folder.File("a_rep.txt")),
            "Task Name: a\r\n\r\n       Pyramid slant angle (\xB0): 45.0000\r\n\r\n");
}

}  // namespace
}  // namespace tessolan
