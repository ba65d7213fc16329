#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "TestTasks.h"
#include "engine/SpectralKernels.h"
#include "hwy/targets.h"
#include "run/RunTracing.h"

namespace tessolan {
namespace {

using testing::GatheredTask;

struct Case {
  const char* name;
  std::function<void(GatheredTask&)> setUp;
  std::uint32_t rays;
};

const std::vector<SpectralPoint> kSpectral = {{0.7, 0.3}, {2.0, 0.05}, {5.5, 0.2}, {12.0, 0.6}, {40.0, 0.9}};

// Tasks across the viewing conditions, radiator shapes, pointed and truncated pyramids, gray and
// spectral materials, isothermal and nonisothermal surfaces, with and without background.
const std::vector<Case> kCases = {
    {"directional B, gray, nonisothermal (design)", [](GatheredTask&) {}, 4000},
    {"directional B, spectral, strongly nonisothermal, background",
     [](GatheredTask& t) {
       t.controls[NumericBox::TTop] = 900;
       t.controls[NumericBox::Tbg] = 500;
       t.controls[NumericBox::Diffusity] = 0.6;
       t.material = kSpectral;
     },
     4000},
    {"directional A, truncated with gaps, circle, isothermal",
     [](GatheredTask& t) {
       t.controls.VCType = kDirectionalA;
       t.controls.Shape = 1;
       t.controls[NumericBox::TopFlatSideLength] = 1;
       t.controls[NumericBox::GapWidth] = 0.5;
       t.controls[NumericBox::TTop] = t.controls[NumericBox::TBase];
       t.controls[NumericBox::B] = 20;
       t.material = kSpectral;
     },
     4000},
    {"conical, specular and diffuse, nonisothermal",
     [](GatheredTask& t) {
       t.controls.VCType = kConical;
       t.controls[NumericBox::Diffusity] = 0.3;
       t.controls[NumericBox::TTop] = 450;
       t.controls[NumericBox::SlantAngle] = 60;
     },
     4000},
    {"integrated, spectral, nonisothermal, background",
     [](GatheredTask& t) {
       t.controls.VCType = kIntegrated;
       t.controls[NumericBox::B] = 20;
       t.controls[NumericBox::DD] = 10;
       t.controls[NumericBox::Tbg] = 290;
       t.controls[NumericBox::TTop] = 350;
       t.material = kSpectral;
     },
     4000},
    // exp(c2 / (l T)) is far beyond double's range here; the ratios to the hottest radiance are
    // not. Isothermal: across a temperature range the sums at 0.5 um would be ruled by the rare
    // hits near the hottest point, too heavy a tail for a standard error of 4000 rays.
    {"short wavelengths at a cryogenic temperature",
     [](GatheredTask& t) {
       t.controls[NumericBox::Tref] = 40;
       t.controls[NumericBox::TBase] = 30;
       t.controls[NumericBox::TTop] = 30;
       t.material = {{0.5, 0.1}, {1.0, 0.4}, {3.0, 0.1}};
     },
     4000},
};

std::unique_ptr<AppState> RunCase(const Case& c, const RunOptions& options, std::uint32_t seed) {
  GatheredTask task;
  c.setUp(task);
  task.Gather(c.rays, 1e-6L, seed);
  RunObserver quiet;
  EXPECT_EQ(RunTracing(*task.state, quiet, options), RunOutcome::Completed) << c.name;
  return std::move(task.state);
}

RunOptions Fast(bool parallel = false, unsigned threads = 0) {
  RunOptions options;
  options.precision = Precision::Double;
  options.parallel = parallel;
  options.threads = threads;
  return options;
}

// Independent runs (different seeds) of the two modes: every result at every wavelength within
// four combined standard errors.
TEST(FastModeTest, AgreesWithTheExactModeWithinFourStandardErrors) {
  using Member = std::vector<Extended> SpectralArrays::*;
  const struct {
    const char* result;
    Member value, error;
  } kResults[] = {{"EEIso", &SpectralArrays::ArrEEIso, &SpectralArrays::ArrEEIsoSE},
                  {"EE", &SpectralArrays::ArrEE, &SpectralArrays::ArrEESE},
                  {"RTIso", &SpectralArrays::ArrRTIso, &SpectralArrays::ArrRTIsoSE},
                  {"RT", &SpectralArrays::ArrRT, &SpectralArrays::ArrRTSE}};
  for (const Case& c : kCases) {
    for (bool parallel : {false, true}) {
      const auto exact = RunCase(c, {HitSearchKind::Indexed, parallel, 2}, 101);
      const auto fast = RunCase(c, Fast(parallel, 2), 202);
      ASSERT_EQ(fast->run.RunPrecision, Precision::Double);
      for (int k = 0; k < exact->spectral.NWL; ++k) {
        for (const auto& r : kResults) {
          const Extended a = (exact->spectral.*r.value)[k], b = (fast->spectral.*r.value)[k];
          const Extended sa = (exact->spectral.*r.error)[k], sb = (fast->spectral.*r.error)[k];
          ASSERT_TRUE(std::isfinite(b) && std::isfinite(sb)) << c.name << " " << r.result << " at " << k;
          const Extended combined = std::sqrt(sa * sa + sb * sb);
          ASSERT_GT(combined, 0) << c.name << " " << r.result << " at " << k;
          EXPECT_LE(std::fabs(a - b) / combined, 4)
              << c.name << (parallel ? " (parallel) " : " ") << r.result << " at " << exact->spectral.ArrWL[k]
              << " um: " << static_cast<double>(a) << " vs " << static_cast<double>(b);
        }
      }
    }
  }
}

bool SameBits(const AppState& a, const AppState& b) {
  for (int k = 0; k < a.spectral.NWL; ++k)
    for (const auto member : {&SpectralArrays::ArrEEIso, &SpectralArrays::ArrEE, &SpectralArrays::ArrRTIso,
                              &SpectralArrays::ArrRT, &SpectralArrays::ArrEEIsoSE, &SpectralArrays::ArrEESE})
      if (std::memcmp(&(a.spectral.*member)[k], &(b.spectral.*member)[k], 10) != 0) return false;
  return true;
}

// A spectrum whose length is no multiple of any vector width, on a nonisothermal surface with
// background, so that every kernel runs with a remainder of padding.
Case SameBitsCase() {
  return {"spectral noniso",
          [](GatheredTask& t) {
            t.controls[NumericBox::TTop] = 700;
            t.controls[NumericBox::Tbg] = 400;
            t.controls[NumericBox::Diffusity] = 0.8;
            t.material.clear();
            for (int k = 0; k < 37; ++k) t.material.push_back({0.3 + 0.5 * k, 0.05 + 0.02 * (k % 11)});
          },
          3000};
}

// The same seed gives the same bits whichever instruction set the dispatch picks, and, in the
// parallel mode, whatever the number of threads.
TEST(FastModeTest, SameBitsOnEveryInstructionSetAndThreadCount) {
  const Case c = SameBitsCase();
  const auto reference = RunCase(c, Fast(), 5);
  const auto parallelReference = RunCase(c, Fast(true, 1), 5);
  EXPECT_FALSE(SameBits(*reference, *parallelReference)) << "the parallel mode has its own streams";
  std::set<std::string> targets;
  for (const std::int64_t target : hwy::SupportedAndGeneratedTargets()) {
    hwy::SetSupportedTargetsForTest(target);
    targets.insert(ChooseSpectralKernels().target);
    EXPECT_TRUE(SameBits(*reference, *RunCase(c, Fast(), 5))) << hwy::TargetName(target);
    for (unsigned threads : {1u, 3u})
      EXPECT_TRUE(SameBits(*parallelReference, *RunCase(c, Fast(true, threads), 5)))
          << hwy::TargetName(target) << ", " << threads << " threads";
  }
  hwy::SetSupportedTargetsForTest(0);
  EXPECT_EQ(targets.size(), hwy::SupportedAndGeneratedTargets().size()) << "each target was really used";
  EXPECT_GE(targets.size(), 2u) << "at least a vector target and the fallback";
}

// Where Planck's closed form overflows even in extended precision, the fast mode still gives
// finite, non-negative results; and a run leaves the extended mode's numbers alone.
TEST(FastModeTest, FiniteAtTheEndsOfPlanckAndExactModeUnchanged) {
  const Case c{"far ends",
               [](GatheredTask& t) {
                 t.controls[NumericBox::Tref] = 2;
                 t.controls[NumericBox::TBase] = 1;
                 t.controls[NumericBox::TTop] = 3;
                 t.controls[NumericBox::Tbg] = 2;
                 t.material = {{0.05, 0.1}, {0.3, 0.2}, {2.0, 0.1}, {1000.0, 0.5}};
               },
               1000};
  for (bool parallel : {false, true}) {
    const auto fast = RunCase(c, Fast(parallel, 2), 3);
    for (int k = 0; k < fast->spectral.NWL; ++k)
      for (const Extended v :
           {fast->spectral.ArrEEIso[k], fast->spectral.ArrEE[k], fast->spectral.ArrRTIso[k], fast->spectral.ArrRT[k]})
        EXPECT_TRUE(std::isfinite(v) && v >= 0) << fast->spectral.ArrWL[k] << " um: " << static_cast<double>(v);
  }
  const auto before = RunCase(c, {}, 3);
  RunCase(c, Fast(), 3);
  EXPECT_TRUE(SameBits(*before, *RunCase(c, {}, 3)));
}

}  // namespace
}  // namespace tessolan
