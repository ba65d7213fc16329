#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EngineFixtures.h"
#include "engine/ExhaustiveHitSearch.h"
#include "engine/Planck.h"
#include "engine/RandomGenerator.h"
#include "engine/RayTracer.h"

namespace tessolan {
namespace {

using testing::EngineTask;
using testing::ScriptedRandom;

// A hit search that puts the ray on the base at the scripted heights, one per call, then lets
// it leave (or, if asked, loses it at its first search).
struct ScriptedHits {
  std::vector<Extended> heights;
  bool firstHitOutside = false;
  mutable std::size_t calls = 0;

  template <class Rng>
  bool FindNextHit(RayState& ray, Rng&) const {
    ray.FirstHitOutside = false;
    if (calls == 0 && firstHitOutside) {
      ++calls;
      ray.FirstHitOutside = true;
      return false;
    }
    if (calls >= heights.size()) {
      ++calls;
      return false;
    }
    ray.Point.z = heights[calls++];
    ray.HitSurface = kBase;
    return true;
  }
};

struct TracerSetup {
  EngineTask t;
  SpectralArrays spectral;

  TracerSetup(std::initializer_list<Extended> reflectances) {
    t.Derive();
    t.task.Diffusity = 0;
    spectral.NWL = static_cast<int>(reflectances.size());
    int k = 0;
    for (Extended r : reflectances) {
      spectral.ArrWL[k] = 5 + k;
      spectral.ArrRefl[k] = r;
      spectral.ArrEmis[k] = 1 - r;
      ++k;
    }
  }

  struct Result {
    std::vector<Extended> emissivity, radiance;
    std::size_t searches;
  };

  template <class Rng>
  Result Trace(const ScriptedHits& hits, Extended threshold, Rng& rng) {
    const TracingInput input{t.task, t.geometry, t.view, spectral, threshold};
    RayTracer<Rng, ScriptedHits> tracer(input, hits);
    RayState ray;
    ray.RayWeight = 1;
    ray.Dir.z = -1;
    Result r{std::vector<Extended>(spectral.NWL), std::vector<Extended>(spectral.NWL), 0};
    EXPECT_EQ(tracer.TraceRay(ray, rng, r.emissivity.data(), r.radiance.data()), TraceOutcome::Completed);
    r.searches = hits.calls;
    return r;
  }
};

TEST(RayTracerTest, WeightFallingToTheThresholdEndsTheRayWithoutBackground) {
  TracerSetup s{0.1L};
  s.t.task.TBase = 300;
  s.t.task.TTop = 400;
  s.t.task.Tbg = 500;
  const Extended h = s.t.geometry.Height;
  ScriptedHits hits{{0, h / 2, h}};
  ScriptedRandom rng{0.5L, 0.5L, 0.5L};  // one draw per hit for the diffuse/specular choice
  const auto r = s.Trace(hits, 0.002L, rng);
  EXPECT_EQ(r.searches, 3u) << "after the third hit the weight 0.001 is not above 0.002";
  EXPECT_TRUE(rng.exhausted());
  EXPECT_NEAR(static_cast<double>(r.emissivity[0]), 0.999, 1e-15);
  const Extended expected = 0.9L * Planck(5, 300) + 0.09L * Planck(5, 350) + 0.009L * Planck(5, 400);
  EXPECT_NEAR(static_cast<double>(r.radiance[0] / expected), 1.0, 1e-14);
}

TEST(RayTracerTest, BlackMaterialStopsAtTheFirstHit) {
  TracerSetup s{0, 0, 0};
  ScriptedHits hits{{0.1L, 0.2L}};
  ScriptedRandom rng{0.5L};
  const auto r = s.Trace(hits, 0, rng);
  EXPECT_EQ(r.searches, 1u);
  for (Extended e : r.emissivity) EXPECT_EQ(e, 1);
}

TEST(RayTracerTest, ReflectanceOneAtOneWavelengthFollowsTheRayOutToTheBackground) {
  TracerSetup s{1, 0};
  s.t.task.Tbg = 250;
  ScriptedHits hits{{0, 0}};
  ScriptedRandom rng{0.5L, 0.5L};
  const auto r = s.Trace(hits, 1e-6L, rng);
  EXPECT_EQ(r.searches, 3u);
  EXPECT_EQ(r.emissivity[0], 0);
  EXPECT_EQ(r.radiance[0], Planck(5, 250));
  EXPECT_EQ(r.emissivity[1], 1);
  EXPECT_EQ(r.radiance[1], Planck(6, 300));
}

TEST(RayTracerTest, FirstHitOutsideAddsNothing) {
  TracerSetup s{0.5L};
  s.t.task.Tbg = 1000;
  ScriptedHits hits{{}, true};
  RandomGenerator rng;
  const auto r = s.Trace(hits, 0, rng);
  EXPECT_EQ(r.emissivity[0], 0);
  EXPECT_EQ(r.radiance[0], 0);
}

TEST(RayTracerTest, TemperatureFollowsHeight) {
  TracerSetup s{0.5L};
  s.t.task.TBase = 300;
  s.t.task.TTop = 400;
  const ExhaustiveHitSearch search(MakeHitShape(s.t.task, s.t.geometry));
  const TracingInput input{s.t.task, s.t.geometry, s.t.view, s.spectral, 0};
  RayTracer<RandomGenerator, ExhaustiveHitSearch> tracer(input, search);
  RayState ray;
  ray.Point.z = 0;
  EXPECT_EQ(tracer.TemperatureAtHeight(ray), 300);
  ray.Point.z = s.t.geometry.Height;
  EXPECT_EQ(tracer.TemperatureAtHeight(ray), 400);
  ray.Point.z = s.t.geometry.Height / 2;
  EXPECT_EQ(tracer.TemperatureAtHeight(ray), 350);

  s.t.task.TopFlatSideLength = 3;  // flat pyramids: no height to interpolate over
  s.t.Derive();
  ray.Point.z = 0;
  EXPECT_EQ(tracer.TemperatureAtHeight(ray), 300);
}

TEST(RayTracerTest, ReflectionsLeaveTheSurfaceOnItsFrontSide) {
  TracerSetup s{0.5L};
  const ExhaustiveHitSearch search(MakeHitShape(s.t.task, s.t.geometry));
  const TracingInput input{s.t.task, s.t.geometry, s.t.view, s.spectral, 0};
  RayTracer<RandomGenerator, ExhaustiveHitSearch> tracer(input, search);
  const ArrayGeometry& g = s.t.geometry;
  RandomGenerator rng(99);
  for (int surface = 0; surface <= 5; ++surface) {
    for (int i = 0; i < 2000; ++i) {
      RayState ray;
      ray.HitSurface = surface;
      ray.Dir = -RandomCosineDirection(rng);  // some direction into the surface
      if (Dot(ray.Dir, g.Normal[surface]) >= 0) continue;
      ASSERT_TRUE(tracer.DiffuseReflection(ray, rng));
      ASSERT_GT(Dot(ray.Dir, g.Normal[surface]), 0) << surface;
      ASSERT_NEAR(static_cast<double>(Dot(ray.Dir, ray.Dir)), 1, 1e-15);
    }
  }
  // Specular reflection at normal incidence sends the ray straight back.
  RayState ray;
  ray.HitSurface = kFacePlusX;
  ray.Dir = -g.Normal[3];
  ASSERT_TRUE(tracer.SpecularReflection(ray));
  EXPECT_NEAR(static_cast<double>(ray.Dir.x), static_cast<double>(g.Normal[3].x), 1e-18);
  EXPECT_NEAR(static_cast<double>(ray.Dir.z), static_cast<double>(g.Normal[3].z), 1e-18);
}

}  // namespace
}  // namespace tessolan
