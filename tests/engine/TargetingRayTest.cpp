#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "EngineFixtures.h"
#include "engine/ExhaustiveHitSearch.h"
#include "engine/RandomGenerator.h"
#include "engine/RayTracer.h"
#include "engine/TargetingRay.h"

namespace tessolan {
namespace {

using testing::EngineTask;
using testing::ScriptedRandom;

Extended DrawFor(Extended coordinate) { return (coordinate + 1) / 2; }

TEST(TargetingRayTest, SegmentRunsFromTheLaunchPointToTheFirstHit) {
  EngineTask t;
  t.task.VCType = kDirectionalA;
  t.task.AngleB = 0;
  t.Derive();
  // At b = 0 the disc point (u, v) launches at (v, u) times DA/2: here (1, 0.5), over face 3 of
  // the central pyramid.
  ScriptedRandom rng{DrawFor(0.5L / 17.5L), DrawFor(1 / 17.5L)};
  RayState ray;
  TargetingSegment segment;
  const IndexedHitSearch search(MakeHitShape(t.task, t.geometry));
  ASSERT_TRUE(TraceTargetingRay({t.task, t.geometry, t.view}, search, ray, rng, segment));
  EXPECT_FLOAT_EQ(segment.StartX, 1);
  EXPECT_FLOAT_EQ(segment.StartY, 0.5f);
  EXPECT_EQ(segment.StartZ, 150);
  EXPECT_FLOAT_EQ(segment.EndX, 1);
  EXPECT_FLOAT_EQ(segment.EndY, 0.5f);
  EXPECT_FLOAT_EQ(segment.EndZ, static_cast<float>(t.geometry.FullHeight * (1 - 2.0L / 3)));
  EXPECT_EQ(ray.HitSurface, kFacePlusX);
  EXPECT_EQ(ray.ReflectionCount, 0u);
}

// The tracer's segments are the launch and first hit of a run, rounded to single precision: the
// same seed gives the same points as LaunchRay and the reference search.
TEST(TargetingRayTest, TracerFollowsTheRunsLaunchAndSearch) {
  for (int type : {kDirectionalA, kDirectionalB, kConical, kIntegrated}) {
    EngineTask t;
    t.task.VCType = type;
    t.task.TopFlatSideLength = 1;
    t.task.GapWidth = 0.5L;
    t.task.AngleB = 30;
    t.task.AngleA = 20;
    t.task.BeamRadius = 10;
    t.task.ViewerDistance = 200;
    t.task.DetectorRadius = 20;
    t.Derive();
    TargetingTracer tracer(t.task, t.geometry, t.view);
    const ExhaustiveHitSearch reference(MakeHitShape(t.task, t.geometry));
    RandomGenerator rng(12345), referenceRng(12345);
    for (int i = 0; i < 200; ++i) {
      TargetingSegment segment;
      const bool hit = tracer.TraceTargetingRay(rng, segment);
      RayState ray;
      ASSERT_TRUE(LaunchRay({t.task, t.geometry, t.view}, ray, referenceRng));
      EXPECT_EQ(segment.StartX, static_cast<float>(ray.Point.x));
      EXPECT_EQ(segment.StartZ, static_cast<float>(ray.Point.z));
      ASSERT_EQ(hit, reference.FindNextHit(ray, referenceRng)) << "type " << type << ", ray " << i;
      EXPECT_EQ(segment.EndX, static_cast<float>(ray.Point.x));
      EXPECT_EQ(segment.EndY, static_cast<float>(ray.Point.y));
      EXPECT_EQ(segment.EndZ, static_cast<float>(ray.Point.z));
    }
    EXPECT_EQ(rng.seed(), referenceRng.seed());
  }
}

TEST(TargetingRayTest, RayOutsideTheRadiatingAreaEndsWhereItStarted) {
  // A full-width beam at 60 degrees: its footprint on the base reaches twice as far as the
  // radiating area along the azimuth.
  EngineTask t;
  t.task.VCType = kDirectionalA;
  t.task.AngleB = 60;
  t.task.FootprintRadius = 50;
  t.Derive();
  TargetingTracer tracer(t.task, t.geometry, t.view);
  RandomGenerator rng;
  int inside = 0;
  TargetingSegment segment;
  while (tracer.TraceTargetingRay(rng, segment) && inside < 1000) ++inside;
  ASSERT_LT(inside, 1000);
  EXPECT_TRUE(tracer.Ray().FirstHitOutside);
  EXPECT_EQ(segment.EndX, segment.StartX);
  EXPECT_EQ(segment.EndY, segment.StartY);
  EXPECT_EQ(segment.EndZ, segment.StartZ);
  // The launch disc about the viewer's point at height 150 is tilted by b.
  EXPECT_NEAR(segment.StartZ, 150, 50 * std::sin(60 * std::numbers::pi / 180) + 1e-3);
}

TEST(TargetingRayTest, ConicalRayLostAtLaunchIsNotSearched) {
  EngineTask t;
  t.task.VCType = kConical;
  t.task.AngleW = 100;
  t.task.AngleB = 60;
  t.task.AngleA = 0;
  t.Derive();
  // A direction that cannot be completed to unit length: no search, so no further draws.
  ScriptedRandom rng{DrawFor(0.9L), DrawFor(0)};
  RayState ray;
  TargetingSegment segment;
  const IndexedHitSearch search(MakeHitShape(t.task, t.geometry));
  EXPECT_FALSE(TraceTargetingRay({t.task, t.geometry, t.view}, search, ray, rng, segment));
  EXPECT_TRUE(ray.FirstHitOutside);
  EXPECT_TRUE(rng.exhausted());
  EXPECT_EQ(segment.EndZ, segment.StartZ);
  EXPECT_FLOAT_EQ(segment.StartZ, static_cast<float>(t.view.F.z));
}

}  // namespace
}  // namespace tessolan
