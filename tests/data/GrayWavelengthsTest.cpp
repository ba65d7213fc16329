#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/GrayWavelengths.h"

namespace tessolan {
namespace {

struct Outcome {
  bool ok;
  std::vector<Extended> wavelengths;
  std::string message;
};

Outcome Generate(const GrayWavelengthRequest& request, char separator = '.') {
  Outcome outcome{false, {}, {}};
  outcome.ok = GenerateGrayWavelengths(request, separator, outcome.wavelengths, outcome.message);
  return outcome;
}

GrayWavelengthRequest ByNumber(Extended min, Extended max, int count) { return {min, max, false, count, 1}; }

GrayWavelengthRequest ByStep(Extended min, Extended max, Extended step) { return {min, max, true, 2, step}; }

std::vector<double> AsDoubles(const std::vector<Extended>& values) {
  return std::vector<double>(values.begin(), values.end());
}

TEST(GrayWavelengthsTest, ByNumberSpreadsTheRangeEvenlyEndsIncluded) {
  EXPECT_EQ(AsDoubles(Generate(ByNumber(0.5L, 2.5L, 2)).wavelengths), (std::vector<double>{0.5, 2.5}));
  EXPECT_EQ(AsDoubles(Generate(ByNumber(1, 2, 5)).wavelengths), (std::vector<double>{1, 1.25, 1.5, 1.75, 2}));
  const Outcome many = Generate(ByNumber(0.001L, 1000, 10000));
  ASSERT_TRUE(many.ok);
  ASSERT_EQ(many.wavelengths.size(), 10000u);
  EXPECT_EQ(static_cast<double>(many.wavelengths.front()), 0.001);
  EXPECT_NEAR(static_cast<double>(many.wavelengths.back()), 1000, 1e-12);
}

TEST(GrayWavelengthsTest, ByStepRunsUpToTheLongestWavelength) {
  struct Case {
    Extended min, max, step;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {1, 2, 0.5L, {1, 1.5, 2}},          {1, 3, 2, {1, 3}},  // the step is the whole range
      {0.3L, 0.7L, 0.4L, {0.3, 0.7}},                         // ... also when the range is inexact in binary
      {1, 1.9999995L, 0.5L, {1, 1.5, 2}},                     // the last step overshoots by at most 1e-6
      {1, 1.999998L, 0.5L, {1, 1.5}},                         // ... but not by more
      {1, 2.2L, 0.5L, {1, 1.5, 2}},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Generate(ByStep(c.min, c.max, c.step));
    EXPECT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(AsDoubles(outcome.wavelengths), c.expected) << static_cast<double>(c.max);
  }
}

TEST(GrayWavelengthsTest, ByStepAddsTheStepToThePreviousWavelength) {
  const Outcome outcome = Generate(ByStep(0.1L, 100, 0.1L));
  ASSERT_TRUE(outcome.ok);
  ASSERT_EQ(outcome.wavelengths.size(), 1000u);
  for (std::size_t k = 1; k < outcome.wavelengths.size(); ++k)
    ASSERT_EQ(outcome.wavelengths[k], outcome.wavelengths[k - 1] + 0.1L) << k;
}

TEST(GrayWavelengthsTest, RangeIsCheckedInOrderWithTheLocalesSeparator) {
  struct Case {
    GrayWavelengthRequest request;
    char separator;
    std::string message;
  };
  const std::string minRange = "Min. Wavelength must be from 0.001 \u00b5m to 1000 \u00b5m";
  const std::string maxRange = "Max. Wavelength must be from 0.001 \u00b5m to 1000 \u00b5m";
  const Case cases[] = {
      {{std::nullopt, std::nullopt, false, 2, 1}, '.', "Invalid value for Min. Wavelength"},
      {{0.0009L, std::nullopt, false, 2, 1}, '.', minRange},
      {{1000.001L, 2, false, 2, 1}, '.', minRange},
      {{0.0009L, 2, false, 2, 1}, ',', "Min. Wavelength must be from 0,001 \u00b5m to 1000 \u00b5m"},
      {{1, std::nullopt, false, 2, 1}, '.', "Invalid value for Max.Wavelength"},
      {{1, 1000.5L, false, 2, 1}, '.', maxRange},
      {{1, -3, false, 2, 1}, '.', maxRange},
      {{2, 2, false, 2, 1}, '.', "Max. Wavelength must be greater than Min. Wavelength"},
      {{2, 1, true, 2, 1}, '.', "Max. Wavelength must be greater than Min. Wavelength"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Generate(c.request, c.separator);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, c.message);
  }
  EXPECT_TRUE(Generate(ByNumber(0.001L, 1000, 2)).ok);
}

TEST(GrayWavelengthsTest, StepOutsideItsBoundsIsRefused) {
  struct Case {
    GrayWavelengthRequest request;
    char separator;
    std::string message;
  };
  const Case cases[] = {
      {ByStep(1, 2, 1.0001L), '.', "Step must be from 0.0001999199919992 to 1"},
      {ByStep(1, 2, 0.0001L), ',', "Step must be from 0,0001999199919992 to 1"},
      // Near the longest wavelength the lowest step exceeds the whole range: no step will do.
      {ByStep(999.95L, 1000, 0.05L), '.', "Step must be from 0.100009900990099 to 0.05"},
      {ByStep(999.95L, 1000, 0.1L), '.', "Step must be from 0.100009900990099 to 0.05"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Generate(c.request, c.separator);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_TRUE(outcome.wavelengths.empty());
  }
}

TEST(GrayWavelengthsTest, TheLowestStepFillsTheTableAndNoMore) {
  const Extended lowest = (1000 - 0.001L) / 9999;
  const Outcome outcome = Generate(ByStep(0.001L, 1000, lowest));
  ASSERT_TRUE(outcome.ok) << outcome.message;
  EXPECT_LE(outcome.wavelengths.size(), 10000u);
  EXPECT_GE(outcome.wavelengths.size(), 9999u);

  std::vector<Extended> wavelengths;
  std::string message;
  EXPECT_FALSE(WavelengthsByStep(1, 2, 1e-5L, wavelengths, message));
  EXPECT_EQ(message, "Number of Wavelengths (10001) cannot be greater than 10000\nPlease increase step");
  EXPECT_TRUE(wavelengths.empty());
}

TEST(GrayWavelengthsTest, DuplicatesMessageHasItsPlural) {
  EXPECT_EQ(DuplicatedWavelengthsMessage(1), "1 duplicated wavelength was skipped");
  EXPECT_EQ(DuplicatedWavelengthsMessage(2), "2 duplicated wavelengths were skipped");
  EXPECT_EQ(DuplicatedWavelengthsMessage(17), "17 duplicated wavelengths were skipped");
}

}  // namespace
}  // namespace tessolan
