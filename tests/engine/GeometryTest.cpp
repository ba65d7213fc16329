#include <gtest/gtest.h>

#include <cmath>

#include "EngineFixtures.h"
#include "engine/GeometryPreprocessing.h"

namespace tessolan {
namespace {

using testing::DesignTask;

TEST(GeometryTest, WorkedExampleForBothCentrePositions) {
  const struct {
    int centerPosition;
    int ncr;
    Extended first, last;
  } cases[] = {{0, 35, -51, 51}, {1, 34, -49.5L, 49.5L}};
  for (const auto& c : cases) {
    InitialData task = DesignTask();
    task.CenterPosition = static_cast<CenterPositionType>(c.centerPosition);
    ArrayGeometry g;
    std::string message;
    AuxiliaryTexts texts;
    ASSERT_TRUE(PreprocessGeometry(task, g, message, &texts)) << message;
    EXPECT_EQ(message, "");
    EXPECT_EQ(g.NCR, c.ncr);
    EXPECT_EQ(g.CenterX[1], c.first);
    EXPECT_EQ(g.CenterY[g.NCR], c.last);
    EXPECT_NEAR(static_cast<double>(g.FullHeight), 1.5, 1e-15);
    EXPECT_EQ(g.Height, g.FullHeight);
    EXPECT_EQ(g.RadiatorHalfSq, 2500);
    EXPECT_EQ(texts.Period, "3.0000");
    EXPECT_EQ(texts.FullHeight, "1.5000");
    EXPECT_EQ(texts.Height, "1.5000");
    EXPECT_EQ(texts.FaceVertexAngle, "70.5288");
    EXPECT_EQ(texts.NCR, std::to_string(c.ncr));
  }
}

TEST(GeometryTest, FailuresGiveTheirMessagesAndLeaveTheTextsAlone) {
  const struct {
    Extended radiator, base, topFlat, gap;
    int centerPosition;
    const char* message;
    char separator;
  } cases[] = {
      {100, 3, 3.5L, 0, 0, "Top Flat Side Length must be from 0 to 3.000", '.'},
      {100, 3, -0.1L, 0, 0, "Top Flat Side Length must be from 0 to 3,000", ','},
      {3003.01L, 3, 0, 0, 0, "Number of array rows and columns must be from 1 to 1001", '.'},
      {100000, 0.0001L, 0, 0, 1, "Number of array rows and columns must be from 1 to 1001", '.'},
      {0, 3, 0, 0, 1, "Number of array rows and columns must be from 1 to 1001", '.'},
      // R / Period lands on a whole number that rounding puts a hair short of the edge.
      {49745.9563, 69.0393, 0, 0.1484, 0, "Pyramid array covers the radiator incompletely ", '.'},
  };
  for (const auto& c : cases) {
    InitialData task = DesignTask();
    task.RadiatorSize = c.radiator;
    task.BaseSideLength = c.base;
    task.TopFlatSideLength = c.topFlat;
    task.GapWidth = c.gap;
    task.CenterPosition = static_cast<CenterPositionType>(c.centerPosition);
    ArrayGeometry g;
    std::string message;
    AuxiliaryTexts texts{"p", "f", "h", "a", "n"};
    EXPECT_FALSE(PreprocessGeometry(task, g, message, &texts, c.separator));
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(texts.Period, "p");
    EXPECT_EQ(g.Period, c.base + c.gap) << "computed before the checks, it stays";
  }
}

TEST(GeometryTest, CountLimitsAndSmallRadiators) {
  const struct {
    Extended radiator;
    int centerPosition;
    int ncr;
  } cases[] = {
      {3003, 0, 1001},  // R / Period = 500.5 is the largest accepted
      {1, 0, 1},        // smaller than half a period: one pyramid at the origin
      {1, 1, 2},        // the valleys crossing always gives an even count
      {6, 1, 2},
  };
  for (const auto& c : cases) {
    InitialData task = DesignTask();
    task.RadiatorSize = c.radiator;
    task.CenterPosition = static_cast<CenterPositionType>(c.centerPosition);
    ArrayGeometry g;
    std::string message;
    ASSERT_TRUE(PreprocessGeometry(task, g, message)) << message;
    EXPECT_EQ(g.NCR, c.ncr);
    if (c.ncr == 1) {
      EXPECT_EQ(g.CenterX[1], 0);
    }
  }
}

TEST(GeometryTest, TopFlatEqualToTheBaseAndSlantAngleZeroGiveFlatArrays) {
  InitialData task = DesignTask();
  task.TopFlatSideLength = 3;
  ArrayGeometry g;
  std::string message;
  ASSERT_TRUE(PreprocessGeometry(task, g, message)) << message;
  EXPECT_EQ(g.Height, 0);

  task = DesignTask();
  task.SlantAngle = 0;
  ASSERT_TRUE(PreprocessGeometry(task, g, message)) << message;
  // tan of 90 degrees is huge but finite in extended precision: both heights practically 0.
  EXPECT_LT(std::fabs(g.Height), 1e-15L);
  EXPECT_LT(std::fabs(g.FullHeight), 1e-15L);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(g.Normal[k].x, 0);
    EXPECT_EQ(g.Normal[k].y, 0);
    EXPECT_EQ(g.Normal[k].z, 1);
  }
}

TEST(GeometryTest, FaceNormalsPointOutOfThePyramid) {
  InitialData task = DesignTask();
  task.SlantAngle = 30;
  ArrayGeometry g;
  std::string message;
  ASSERT_TRUE(PreprocessGeometry(task, g, message));
  const Extended s = 0.5L, c = std::sqrt(0.75L);
  EXPECT_NEAR(static_cast<double>(g.Normal[1].x), static_cast<double>(-s), 1e-18);
  EXPECT_NEAR(static_cast<double>(g.Normal[2].y), static_cast<double>(s), 1e-18);
  EXPECT_NEAR(static_cast<double>(g.Normal[3].x), static_cast<double>(s), 1e-18);
  EXPECT_NEAR(static_cast<double>(g.Normal[4].y), static_cast<double>(-s), 1e-18);
  for (int k = 1; k <= 4; ++k) EXPECT_NEAR(static_cast<double>(g.Normal[k].z), static_cast<double>(c), 1e-18);
}

}  // namespace
}  // namespace tessolan
