#include <gtest/gtest.h>

#include <cmath>

#include "EngineFixtures.h"
#include "engine/Launch.h"
#include "engine/RandomGenerator.h"

namespace tessolan {
namespace {

using testing::EngineTask;
using testing::ScriptedRandom;

// Scripted values that make RandomPointInDisc return (x, y) on the unit disc on its first try.
Extended DrawFor(Extended coordinate) { return (coordinate + 1) / 2; }

TEST(LaunchTest, DirectionalBeamAtNormalViewing) {
  EngineTask t;
  t.task.VCType = kDirectionalA;
  t.task.AngleB = 0;
  t.Derive();
  ScriptedRandom rng{DrawFor(0.5L), DrawFor(-0.25L)};
  RayState ray;
  ray.HitSurface = kTopFlat;
  ASSERT_TRUE(LaunchRay({t.task, t.geometry, t.view}, ray, rng));
  // At b = 0 the launch disc's axes are e1 = (0, 1, 0) and e2 = (1, 0, 0).
  EXPECT_EQ(ray.Point.x, -0.25L * 17.5L);
  EXPECT_EQ(ray.Point.y, 0.5L * 17.5L);
  EXPECT_EQ(ray.Point.z, 150);
  EXPECT_EQ(ray.Dir.z, -1);
  EXPECT_EQ(ray.Dir.x, 0);
  EXPECT_EQ(ray.RayWeight, 1);
  EXPECT_EQ(ray.HitSurface, kNoSurface);
  EXPECT_EQ(ray.HitRow, -1);
  EXPECT_EQ(ray.HitColumn, -1);
  EXPECT_TRUE(rng.exhausted());
}

TEST(LaunchTest, ZeroDiameterStartsEveryRayAtTheViewersPoint) {
  EngineTask t;
  t.task.BeamRadius = 0;
  t.task.AngleB = 30;
  t.task.AngleA = 45;
  t.Derive();
  RandomGenerator rng(7);
  for (int i = 0; i < 10; ++i) {
    RayState ray;
    ASSERT_TRUE(LaunchRay({t.task, t.geometry, t.view}, ray, rng));
    EXPECT_NEAR(static_cast<double>(ray.Point.x), static_cast<double>(t.view.F.x), 1e-12);
    EXPECT_NEAR(static_cast<double>(ray.Point.z), static_cast<double>(t.view.F.z), 1e-12);
    EXPECT_EQ(ray.Dir.x, -t.view.L.x);
  }
}

TEST(LaunchTest, ConicalConeAndTheRayLostAtLaunch) {
  EngineTask t;
  t.task.VCType = kConical;
  t.task.AngleW = 0;
  t.task.AngleB = 20;
  t.Derive();
  RandomGenerator rng(3);
  RayState ray;
  ASSERT_TRUE(LaunchRay({t.task, t.geometry, t.view}, ray, rng));
  EXPECT_EQ(ray.Point.z, t.view.F.z);
  EXPECT_NEAR(static_cast<double>(ray.Dir.z), static_cast<double>(-t.view.CosB), 1e-18);

  // w wider than 90 - b allows: a drawn direction cannot reach unit length.
  t.task.AngleW = 100;
  t.task.AngleB = 60;
  t.task.AngleA = 0;
  t.Derive();
  ScriptedRandom far{DrawFor(0.9L), DrawFor(0)};
  ASSERT_FALSE(LaunchRay({t.task, t.geometry, t.view}, ray, far));
  EXPECT_TRUE(ray.FirstHitOutside);
  EXPECT_EQ(ray.RayWeight, 1);
  EXPECT_EQ(ray.HitSurface, kNoSurface);
}

TEST(LaunchTest, IntegratedDrawsTargetThenDetectorAndWeightsByCosineOverDistance) {
  EngineTask t;
  t.task.VCType = kIntegrated;
  t.task.AngleB = 0;
  t.task.ViewerDistance = 500;
  t.Derive();
  ScriptedRandom rng{DrawFor(0.5L), DrawFor(0), DrawFor(0), DrawFor(0.5L)};
  RayState ray;
  ASSERT_TRUE(LaunchRay({t.task, t.geometry, t.view}, ray, rng));
  EXPECT_EQ(ray.Point.x, 1.25L);  // detector point (0, 1.25) in the frame; e2 = (1, 0, 0)
  EXPECT_EQ(ray.Point.y, 0);
  EXPECT_EQ(ray.Point.z, 500);
  const Extended dist = std::sqrt((1.25L - 25) * (1.25L - 25) + 500 * 500.0L);
  EXPECT_EQ(ray.Dir.x, (25 - 1.25L) / dist);
  EXPECT_EQ(ray.Dir.z, -500 / dist);
  EXPECT_EQ(ray.RayWeight, (ray.Dir.z / dist) * (ray.Dir.z / dist));
  EXPECT_LE(ray.RayWeight, 1 / (ray.Point.z * ray.Point.z));
}

}  // namespace
}  // namespace tessolan
