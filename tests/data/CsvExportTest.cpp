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

}  // namespace
}  // namespace tessolan
