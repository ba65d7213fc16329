#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "EngineFixtures.h"
#include "engine/IndexedHitSearch.h"
#include "engine/Planck.h"
#include "engine/RandomGenerator.h"
#include "engine/RayTracer.h"

namespace tessolan {
namespace {

using testing::EngineTask;

// Puts the ray on the base at the scripted heights, one per search, then lets it leave.
struct HeightsSearch {
  std::vector<Extended> heights;
  mutable std::size_t calls = 0;

  template <class Rng>
  bool FindNextHit(RayState& ray, Rng&) const {
    ray.FirstHitOutside = false;
    if (calls >= heights.size()) return false;
    ray.Point.z = heights[calls++];
    ray.HitSurface = kBase;
    return true;
  }
};

struct Spectrum {
  SpectralArrays arrays;
  explicit Spectrum(int n) {
    arrays.NWL = n;
    for (int k = 0; k < n; ++k) {
      arrays.ArrWL[k] = 0.5L + 1.3L * k;
      arrays.ArrRefl[k] = 0.9L - 0.07L * k;
      arrays.ArrEmis[k] = 1 - arrays.ArrRefl[k];
    }
  }
};

bool SameBits(Extended a, Extended b) { return std::memcmp(&a, &b, 10) == 0; }

TEST(SpectralAccumulationTest, ReusedSpectraGivePlancksBitsAndAreEvaluatedOncePerTemperature) {
  EngineTask t;
  t.task.TBase = 300;
  t.task.TTop = 420;
  t.task.Tbg = 420;  // the top's spectrum serves the background as well
  t.task.Diffusity = 0;
  t.Derive();
  const Spectrum s(5);
  const Extended h = t.geometry.Height;
  // Base, a face height twice in a row, the top, the base again, another face height.
  HeightsSearch search{{0, h / 3, h / 3, h, 0, h / 2}};
  RayTracer<RandomGenerator, HeightsSearch> tracer({t.task, t.geometry, t.view, s.arrays, 0}, search);
  EXPECT_EQ(tracer.PlanckEvaluations(), 2) << "base and top at the start of the run";

  RayState ray;
  ray.RayWeight = 0.75L;
  ray.Dir.z = -1;
  RandomGenerator rng(5);
  std::vector<Extended> emissivity(5), radiance(5);
  ASSERT_EQ(tracer.TraceRay(ray, rng, emissivity.data(), radiance.data()), TraceOutcome::Completed);
  EXPECT_EQ(tracer.PlanckEvaluations(), 2 + 2) << "h/3 once for two hits, h/2 once";

  // The same sums with Planck's law called at every hit and wavelength.
  for (int k = 0; k < 5; ++k) {
    Extended w = ray.RayWeight, e = 0, r = 0;
    for (Extended z : search.heights) {
      const Extended temperature = ((t.task.TTop - t.task.TBase) * z) / h + t.task.TBase;
      const Extended absorbed = s.arrays.ArrEmis[k] * w;
      e += absorbed;
      r += Planck(s.arrays.ArrWL[k], temperature) * absorbed;
      w = w * s.arrays.ArrRefl[k];
    }
    r += Planck(s.arrays.ArrWL[k], t.task.Tbg) * w;
    EXPECT_TRUE(SameBits(emissivity[k], e)) << k;
    EXPECT_TRUE(SameBits(radiance[k], r)) << k;
  }
}

TEST(SpectralAccumulationTest, IsothermalRunEvaluatesPlanckOncePerWavelength) {
  EngineTask t;
  t.task.TBase = t.task.TTop = 500;
  t.Derive();
  const Spectrum s(1000);
  const IndexedHitSearch search(MakeHitShape(t.task, t.geometry));
  RayTracer<RandomGenerator, IndexedHitSearch> tracer({t.task, t.geometry, t.view, s.arrays, 0}, search);
  RandomGenerator rng(11);
  RayState ray;
  std::vector<Extended> emissivity(1000), radiance(1000);
  std::uint64_t hits = 0;
  for (int i = 0; i < 200; ++i) {
    ASSERT_TRUE(tracer.Launch(ray, rng));
    tracer.TraceRay(ray, rng, emissivity.data(), radiance.data());
    hits += ray.ReflectionCount;
  }
  EXPECT_GT(hits, 200u);
  EXPECT_EQ(tracer.PlanckEvaluations(), 1);
}

}  // namespace
}  // namespace tessolan
