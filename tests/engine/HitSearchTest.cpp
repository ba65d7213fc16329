#include <gtest/gtest.h>

#include <cmath>

#include "EngineFixtures.h"
#include "engine/ExhaustiveHitSearch.h"
#include "engine/RandomGenerator.h"
#include "engine/RayTracer.h"

namespace tessolan {
namespace {

using testing::EngineTask;
using testing::ScriptedRandom;

// A vertical ray from high above (x, y), just launched.
RayState VerticalRay(Extended x, Extended y, std::uint32_t reflections = 0) {
  RayState ray;
  ray.Point.x = x;
  ray.Point.y = y;
  ray.Point.z = 150;
  ray.Dir.z = -1;
  ray.ReflectionCount = reflections;
  return ray;
}

struct Hit {
  bool found;
  RayState ray;
};

Hit Search(const EngineTask& t, RayState ray) {
  const ExhaustiveHitSearch search(MakeHitShape(t.task, t.geometry));
  RandomGenerator rng;
  const bool found = search.FindNextHit(ray, rng);
  return {found, ray};
}

TEST(HitSearchTest, VerticalRayMeetsFaceThreeOfTheCentralPyramid) {
  EngineTask t;
  t.Derive();
  const Extended x = 1, y = 0.5L;  // 0 < y < x < B/2
  const Hit hit = Search(t, VerticalRay(x, y));
  ASSERT_TRUE(hit.found);
  EXPECT_EQ(hit.ray.HitSurface, kFacePlusX);
  EXPECT_EQ(hit.ray.HitRow, 18);
  EXPECT_EQ(hit.ray.HitColumn, 18);
  EXPECT_NEAR(static_cast<double>(hit.ray.Point.z), static_cast<double>(t.geometry.FullHeight * (1 - 2 * x / 3)),
              1e-15);
  EXPECT_EQ(hit.ray.Point.x, x);
}

TEST(HitSearchTest, TruncatedPyramidTopFlatFaceAndGap) {
  EngineTask t;
  t.task.TopFlatSideLength = 1;
  t.task.GapWidth = 1;
  t.Derive();
  const struct {
    Extended x, y;
    int surface;
    Extended z;
  } cases[] = {
      {0.2L, 0.1L, kTopFlat, t.geometry.Height},
      {1.0L, 0.2L, kFacePlusX, 0.5L},
      {-0.2L, 1.2L, kFacePlusY, 0.3L},
      {1.8L, 0.3L, kBase, 0},
  };
  for (const auto& c : cases) {
    const Hit hit = Search(t, VerticalRay(c.x, c.y));
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.ray.HitSurface, c.surface);
    EXPECT_NEAR(static_cast<double>(hit.ray.Point.z), static_cast<double>(c.z), 1e-15);
    EXPECT_EQ(hit.ray.HitRow, c.surface == kBase ? -1 : 13);
  }
}

TEST(HitSearchTest, EdgesOfTheRadiatingArea) {
  // Radiator 6 around the valleys crossing: a 2 x 2 array spanning -3..3.
  const struct {
    int shape;
    Extended topFlat;
    Extended x, y;
    bool inside;
  } cases[] = {
      {0, 0, 3, 0.7L, true},  // on the square's edge
      {0, 0, 3.0000001L, 0.7L, false},
      {1, 0, 3, 0, true},  // on the circle: a base or face hit is inside
      {1, 0, 2.9L, 0.9L, false},
      {1, 3, 3, 0, false},  // a top-flat hit on the circle is outside
      {0, 3, 3, 0, true},
      {1, 3, 2.9L, 0, true},
  };
  for (const auto& c : cases) {
    EngineTask t;
    t.task.RadiatorSize = 6;
    t.task.CenterPosition = kCentralValleys;
    t.task.Shape = static_cast<RadiatorShape>(c.shape);
    t.task.TopFlatSideLength = c.topFlat;
    t.task.BeamRadius = 1;
    t.Derive();
    const Hit first = Search(t, VerticalRay(c.x, c.y));
    EXPECT_EQ(first.found, c.inside) << c.shape << " " << static_cast<double>(c.x);
    EXPECT_EQ(first.ray.FirstHitOutside, !c.inside);
    if (!c.inside) {
      EXPECT_EQ(first.ray.Point.z, 150) << "a ray that leaves keeps its point";
    }
    // After a reflection a hit outside no longer raises the flag.
    const Hit later = Search(t, VerticalRay(c.x, c.y, 1));
    EXPECT_FALSE(later.ray.FirstHitOutside);
  }
}

TEST(HitSearchTest, RayParallelToTheBaseDrawsOneNumberPerPlane) {
  EngineTask t;
  t.Derive();
  const ExhaustiveHitSearch search(MakeHitShape(t.task, t.geometry));
  RayState ray;
  ray.Point.z = 5;
  ray.Dir.x = 1;
  ScriptedRandom justLaunched{0.75L, 0.25L};  // top flats behind, base far ahead
  EXPECT_FALSE(search.FindNextHit(ray, justLaunched));
  EXPECT_EQ(justLaunched.draws(), 2);
  EXPECT_TRUE(ray.FirstHitOutside);

  ray.HitSurface = kFacePlusX;
  ray.ReflectionCount = 1;
  ScriptedRandom reflected{0.75L};  // base behind the ray
  EXPECT_FALSE(search.FindNextHit(ray, reflected));
  EXPECT_EQ(reflected.draws(), 1);
  EXPECT_FALSE(ray.FirstHitOutside);
}

TEST(HitSearchTest, ARayGoingUpMeetsNothing) {
  EngineTask t;
  t.Derive();
  RayState ray = VerticalRay(0.3L, 0.2L);
  ray.Dir.z = 1;
  const Hit hit = Search(t, ray);
  EXPECT_FALSE(hit.found);
  EXPECT_FALSE(hit.ray.FirstHitOutside);
}

TEST(HitSearchTest, PointInTriangleCountsEdgesWithinTheAreaTolerance) {
  EXPECT_TRUE(PointInTriangle(0.5L, 0.5L, 0, 0, 1, 0, 0, 1));  // on the hypotenuse
  EXPECT_TRUE(PointInTriangle(0.2L, 0.2L, 0, 0, 1, 0, 0, 1));
  EXPECT_FALSE(PointInTriangle(0.6L, 0.6L, 0, 0, 1, 0, 0, 1));
  EXPECT_TRUE(PointInTriangle(0.5L + 1e-13L, 0.5L, 0, 0, 1, 0, 0, 1));  // absolute tolerance
}

}  // namespace
}  // namespace tessolan
