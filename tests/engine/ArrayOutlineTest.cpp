#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "EngineFixtures.h"
#include "engine/ArrayOutline.h"
#include "engine/GeometryPreprocessing.h"

namespace tessolan {
namespace {

using testing::DesignTask;

// Truncated pyramids with gaps: base 3, top flat 1, gap 1, so a period of 4.
InitialData TruncatedTaskWithGaps(CenterPositionType center) {
  InitialData task = DesignTask();
  task.TopFlatSideLength = 1;
  task.GapWidth = 1;
  task.CenterPosition = center;
  return task;
}

TEST(ArrayOutlineTest, OuterEdgeBoundsEveryCellForBothCentrePositions) {
  for (CenterPositionType center : {kCentralVertex, kCentralValleys}) {
    const InitialData task = TruncatedTaskWithGaps(center);
    ArrayGeometry g;
    std::string message;
    ASSERT_TRUE(PreprocessGeometry(task, g, message)) << message;
    const ArrayEdge edge = ArrayOuterEdge(g);
    EXPECT_EQ(edge.low, g.CenterX[1] - 2) << center;
    EXPECT_EQ(edge.high, g.CenterX[g.NCR] + 2) << center;
    EXPECT_EQ(edge.high, -edge.low) << "the array is centred on the radiator";
    EXPECT_EQ(edge.high - edge.low, 4 * g.NCR);
    EXPECT_LE(edge.low, -g.RadiatorHalf);
  }
}

TEST(ArrayOutlineTest, ProfileAndTopViewOfATruncatedPyramid) {
  const InitialData task = TruncatedTaskWithGaps(kCentralVertex);
  ArrayGeometry g;
  std::string message;
  ASSERT_TRUE(PreprocessGeometry(task, g, message)) << message;
  const Extended h = g.Height;
  const ProfilePoint expected[] = {{-2, 0}, {-1.5L, 0}, {-0.5L, h}, {0.5L, h}, {1.5L, 0}, {2, 0}};
  const auto profile = PyramidProfile(task, g);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(profile[k].offset, expected[k].offset) << k;
    EXPECT_EQ(profile[k].height, expected[k].height) << k;
  }

  // Each lateral edge joins a base corner and the top-flat corner beside it on the same
  // diagonal, and the four reach four different corners.
  const PyramidTopView view = PyramidTopViewOf(task);
  EXPECT_EQ(view.halfBase, 1.5);
  EXPECT_EQ(view.halfTopFlat, 0.5);
  std::set<std::pair<bool, bool>> corners;
  for (const DrawnSegment& e : view.edges) {
    EXPECT_EQ(std::fabs(e.x1), std::fabs(e.y1));
    EXPECT_EQ(std::fabs(e.x2), std::fabs(e.y2));
    EXPECT_EQ(std::fabs(e.x1) + std::fabs(e.x2), 2) << "one end at 1.5, the other at 0.5";
    EXPECT_EQ(std::fabs(std::fabs(e.x1) - std::fabs(e.x2)), 1);
    EXPECT_EQ(e.x1 > 0, e.x2 > 0);
    EXPECT_EQ(e.y1 > 0, e.y2 > 0);
    corners.insert({e.x1 > 0, e.y1 > 0});
  }
  EXPECT_EQ(corners.size(), 4u);
}

}  // namespace
}  // namespace tessolan
