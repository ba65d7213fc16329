#include "model/Notation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tessolan {
namespace {

struct FixedCase {
  Extended x;
  int precision, decimals;
  char separator;
  const char* expected;
};

TEST(NotationTest, FixedRoundsOnceAndSwitchesToScientific) {
  const FixedCase cases[] = {
      {100, 10, 4, '.', "100.0000"},
      {3, 8, 3, '.', "3.000"},
      {1.5L, 9, 4, ',', "1,5000"},
      {70.528779365509308630L, 9, 4, '.', "70.5288"},
      {-2.5L, 10, 4, '.', "-2.5000"},
      {-0.00004L, 10, 4, '.', "0.0000"},  // a rounded zero carries no sign
      {0, 10, 4, '.', "0.0000"},
      {9.99996L, 10, 4, '.', "10.0000"},
      {1234567.891L, 9, 4, '.', "1234567.8900"},  // 9 significant digits decide
      {99.996L, 4, 2, '.', "100.00"},             // carry across the significant-digit cut
      {1234567890123456.0L, 10, 4, '.', "1.23456789E+15"},
      {12345678901.0L, 10, 4, '.', "1.23456789E+10"},
      {9999999999.6L, 10, 4, '.', "1E+10"},
      {-12345678901.0L, 10, 4, ',', "-1,23456789E+10"},
      {0.125L, 10, 2, '.', "0.12"},                        // exact tie goes to even
      {static_cast<Extended>(2.675), 10, 2, '.', "2.67"},  // the double 2.675 lies below the tie
      {static_cast<Extended>(1e-6), 10, 8, '.', "0.00000100"},
      {std::numeric_limits<Extended>::quiet_NaN(), 10, 4, '.', "NAN"},
      {-std::numeric_limits<Extended>::infinity(), 10, 4, '.', "-INF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFixed(c.x, c.precision, c.decimals, c.separator), c.expected) << static_cast<double>(c.x);
}

TEST(NotationTest, GeneralTrimsZerosAndUsesScientificOutsideItsRange) {
  const struct {
    Extended x;
    const char* expected;
  } cases[] = {
      {0.001L, "0.001"},
      {1000, "1000"},
      {0, "0"},
      {-2.5L, "-2.5"},
      {static_cast<Extended>(0.1), "0.1"},  // 15 digits hide the double's tail
      {1e-5L, "0.00001"},
      {1e-6L, "1E-06"},
      {1e15L, "1E+15"},
      {123456789012345.6L, "123456789012346"},
      {(1000 - 0.001L) / 9999, "0.100009900990099"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatGeneral(c.x), c.expected) << static_cast<double>(c.x);
  EXPECT_EQ(FormatGeneral(0.25L, ','), "0,25");
}

TEST(NotationTest, ZeroPaddedPatternsAndTheReportFormatter) {
  const struct {
    Extended x;
    const char* pattern;
    const char* padded;
    const char* report;
  } cases[] = {
      {1.5L, "0000.0000", "0001.5000", "   1.5000"},        {0.5L, "0000.0000", "0000.5000", "   0.5000"},
      {12345.6L, "0000.0000", "12345.6000", "12345.6000"},  // a longer integer part in full
      {-1.5L, "0000.0000", "-0001.5000", "-0001.5000"},     // the scan stops at the sign
      {0.5L, "0.00000000", "0.50000000", "0.50000000"},     {0, "0.00000000", "0.00000000", "0.00000000"},
      {300, "00000.0000", "00300.0000", "  300.0000"},      {299.00004L, "00000.0000", "00299.0000", "  299.0000"},
      {1000.00006L, "0000.0000", "1000.0001", "1000.0001"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatZeroPadded(c.x, c.pattern), c.padded);
    EXPECT_EQ(FormatReportResult(c.x, c.pattern), c.report);
  }
  EXPECT_EQ(FormatReportResult(0.5L, "0000.0000", ','), "   0,5000");
}

TEST(NotationTest, FileNumbersAreRightAlignedWithAFullStop) {
  EXPECT_EQ(FormatFileNumber(2.5L, 12, 5), "     2.50000");
  EXPECT_EQ(FormatFileNumber(0.5L, 10, 8), "0.50000000");
  EXPECT_EQ(FormatFileNumber(-0.5L, 10, 8), "-0.50000000");  // widens the field
  EXPECT_EQ(FormatFileNumber(123456789.5L, 12, 5), "123456789.50000");
  EXPECT_EQ(FormatFileNumber(-0.000001L, 10, 4), "    0.0000");
}

TEST(NotationTest, DateTimeStamps) {
  EXPECT_EQ(FormatDateTime(0), "1899/12/30 00:00:00");
  EXPECT_EQ(FormatDateTime(MakeDateTime(2026, 12, 10, 2, 11, 32)), "2026/12/10 02:11:32");
  EXPECT_EQ(FormatDateTime(MakeDateTime(2000, 2, 29, 23, 59, 59)), "2000/02/29 23:59:59");
  const double now = DateTimeNow();
  EXPECT_GT(now, MakeDateTime(2020, 1, 1, 0, 0, 0));
}

}  // namespace
}  // namespace tessolan
