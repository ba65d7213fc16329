#include <gtest/gtest.h>

#include <vector>

#include "data/CsvExport.h"

namespace tessolan {
namespace {

TEST(CsvExportTest, NumbersReadBackExactlyAndUnknownErrorsStayEmpty) {
  const std::vector<SpectralPoint> points{{0.1, 1.0 / 3}, {2.5, 0.5}};
  const auto lines = ReflectanceCsvLines(points);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "WL_um,Reflectance,Emissivity");
  EXPECT_EQ(lines[2], "0.1,0.3333333333333333,0.6666666666666667");
  EXPECT_EQ(lines[3], "2.5,0.5,0.5");

  // Results loaded from a results file carry no standard errors.
  const std::vector<ResultsRecord> rows{{1.5, 0.5, 300, 0.25, 299}};
  const auto results = ResultsCsvLines({"a, b", 100, 1e-6L, 9, std::nullopt}, rows);
  EXPECT_EQ(results[1], "# Task: a, b");
  EXPECT_EQ(results.back(), "1.5,0.5,0.25,300,299,,,,");
  // Read from a results file: the file is named instead of the run that is not known.
  const auto loaded = ResultsCsvLines({"", 0, 0, 0, "/r/x_res.txt"}, rows);
  EXPECT_EQ(loaded[1], "# Results file: /r/x_res.txt");
  EXPECT_EQ(loaded[2], kResultsCsvColumns);
  EXPECT_EQ(CsvText({"x", "y"}), "x\ny\n");
}

// Only a fast-mode run adds a line, so the exact mode's exports stay as they were; a sweep's
// swept field still comes before the seed.
TEST(CsvExportTest, FastModeRunSaysSoInItsHeading) {
  const std::vector<ResultsRecord> rows{{1.5, 0.5, 300, 0.25, 299}};
  ResultsCsvHeading heading{"t", 100, 1e-6L, 9, std::nullopt};
  const auto exact = ResultsCsvLines(heading, rows);
  EXPECT_EQ(exact[4], "# Random seed: 9");
  EXPECT_EQ(exact[5], kResultsCsvColumns);
  heading.precision = Precision::Double;
  const auto fast = ResultsCsvLines(heading, rows);
  EXPECT_EQ(fast.size(), exact.size() + 1);
  EXPECT_EQ(fast[5], "# Precision: double (fast mode)");
  const std::vector<SweepRun> runs{{45, rows}};
  for (const Precision p : {Precision::Extended, Precision::Double}) {
    heading.precision = p;
    const auto sweep = SweepCsvLines(heading, "SlantAngle", runs);
    EXPECT_EQ(sweep[4], "# Swept: SlantAngle");
    EXPECT_EQ(sweep[5], "# Random seed: 9");
  }
}

}  // namespace
}  // namespace tessolan
