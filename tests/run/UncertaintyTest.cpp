#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "TestTasks.h"
#include "run/Radiometry.h"
#include "run/RunTracing.h"
#include "run/Uncertainty.h"

namespace tessolan {
namespace {

using testing::GatheredTask;

const RunOptions kSingle{};
const RunOptions kParallel{HitSearchKind::Indexed, true, 2};

RunOptions InDoublePrecision(RunOptions options) {
  options.precision = Precision::Double;
  return options;
}
// The fast mode keeps its sums in double for a thousand rays at a time before they join the
// extended ones: its errors and its run to precision must come out as the exact mode's do.
const RunOptions kFastSingle = InDoublePrecision(kSingle);
const RunOptions kFastParallel = InDoublePrecision(kParallel);

// The specular two-reflection array: every ray absorbs eps + eps rho, so the runs have nothing
// to scatter.
GatheredTask SpecularTwoReflections(std::uint32_t seed) {
  GatheredTask task;
  task.controls[NumericBox::Diffusity] = 0;
  task.controls.VCType = kDirectionalA;
  task.controls[NumericBox::B] = 0;
  task.material = {{4.0, 0.3}};
  task.Gather(3000, 0, seed);
  return task;
}

TEST(UncertaintyTest, RaysThatAllContributeAlikeHaveNoError) {
  GatheredTask task = SpecularTwoReflections(11);
  RunObserver quiet;
  ASSERT_EQ(RunTracing(*task.state, quiet, kSingle), RunOutcome::Completed);
  EXPECT_EQ(task.state->spectral.ArrEEIsoSE[0], 0);
  EXPECT_EQ(task.state->spectral.ArrRTIsoSE[0], 0);

  GatheredTask parallel = SpecularTwoReflections(11);
  ASSERT_EQ(RunTracing(*parallel.state, quiet, kParallel), RunOutcome::Completed);
  EXPECT_EQ(parallel.state->spectral.ArrEEIsoSE[0], 0);
}

// Twenty independent runs of a task: their scatter against the standard error each reports.
void ExpectErrorsMatchTheScatter(TaskControls controls, const RunOptions& mode) {
  constexpr int kRuns = 20;
  std::vector<Extended> ee, eeIso, reportedIso, reportedNoniso, rt, reportedRt;
  for (int run = 0; run < kRuns; ++run) {
    GatheredTask task;
    task.controls = controls;
    task.material = {{3.0, 0.4}};
    task.Gather(4000, 1e-6L, 1000u + 7919u * run);
    RunObserver quiet;
    ASSERT_EQ(RunTracing(*task.state, quiet, mode), RunOutcome::Completed);
    const SpectralArrays& s = task.state->spectral;
    eeIso.push_back(s.ArrEEIso[0]);
    ee.push_back(s.ArrEE[0]);
    rt.push_back(s.ArrRTIso[0]);
    reportedIso.push_back(s.ArrEEIsoSE[0]);
    reportedNoniso.push_back(s.ArrEESE[0]);
    reportedRt.push_back(s.ArrRTIsoSE[0]);
  }
  auto spread = [](const std::vector<Extended>& v) {
    Extended mean = 0, squares = 0;
    for (Extended x : v) mean += x;
    mean /= v.size();
    for (Extended x : v) squares += (x - mean) * (x - mean);
    return std::sqrt(squares / (v.size() - 1));
  };
  auto average = [](const std::vector<Extended>& v) {
    Extended sum = 0;
    for (Extended x : v) sum += x;
    return sum / v.size();
  };
  // 19 s^2 / sigma^2 follows chi-square with 19 degrees of freedom: 99.9 % of the ratios s / sigma
  // lie within 0.53 .. 1.52.
  const struct {
    const std::vector<Extended>& values;
    const std::vector<Extended>& errors;
  } quantities[] = {{eeIso, reportedIso}, {ee, reportedNoniso}, {rt, reportedRt}};
  for (const auto& q : quantities) {
    const double ratio = static_cast<double>(spread(q.values) / average(q.errors));
    EXPECT_GT(ratio, 0.53);
    EXPECT_LT(ratio, 1.52);
  }
}

TEST(UncertaintyTest, ReportedErrorsMatchTheScatterOfIndependentRuns) {
  TaskControls diffuse = DesignControls();
  diffuse[NumericBox::Tbg] = 250;
  ExpectErrorsMatchTheScatter(diffuse, kSingle);
  ExpectErrorsMatchTheScatter(diffuse, kFastSingle);

  // The integrated viewing conditions weight every ray: the ratio estimator's error.
  TaskControls integrated = DesignControls();
  integrated.VCType = kIntegrated;
  integrated[NumericBox::B] = 30;
  integrated[NumericBox::DD] = 20;
  integrated[NumericBox::HD] = 60;
  integrated[NumericBox::Diffusity] = 0.5;
  ExpectErrorsMatchTheScatter(integrated, kSingle);
  ExpectErrorsMatchTheScatter(integrated, kParallel);
  ExpectErrorsMatchTheScatter(integrated, kFastParallel);
}

TEST(UncertaintyTest, RunToPrecisionStopsAtTheRequestedError) {
  for (const RunOptions& base : {kSingle, kParallel, kFastSingle, kFastParallel}) {
    std::uint64_t previous = 0;
    for (Extended target : {0.002L, 0.001L}) {
      GatheredTask task;
      task.material = {{2.0, 0.5}, {8.0, 0.3}};
      task.Gather(10000000, 1e-6L, 99);
      RunOptions options = base;
      RunCounters counters;
      options.counters = &counters;
      options.targetError = target;
      RunObserver quiet;
      ASSERT_EQ(RunTracing(*task.state, quiet, options), RunOutcome::Completed);
      const SpectralArrays& s = task.state->spectral;
      for (int k = 0; k < 2; ++k) {
        EXPECT_LE(s.ArrEEIsoSE[k], target);
        EXPECT_LE(s.ArrEESE[k], target);
      }
      EXPECT_LT(counters.rays, 10000000u);
      EXPECT_GT(counters.rays, previous) << "a smaller error needs more rays";
      previous = counters.rays;
      // Normalised by the weight of the rays traced, not of the ten million asked for.
      EXPECT_GT(s.ArrEEIso[0], 0.5);
      EXPECT_LT(s.ArrEEIso[0], 1);
    }
  }
}

TEST(UncertaintyTest, TemperatureSlopeMatchesTheTemperaturesDerivative) {
  const struct {
    Extended lambda, epsilon, t0;
  } cases[] = {{10, 0.99L, 300}, {1, 0.5L, 1500}, {0.5L, 0.5L, 1}, {50, 0.2L, 77}};
  for (const auto& c : cases) {
    const Extended h = c.epsilon * 1e-7L;
    const Extended numeric =
        (RadianceTemperature(c.lambda, c.epsilon + h, c.t0) - RadianceTemperature(c.lambda, c.epsilon - h, c.t0)) /
        (2 * h);
    EXPECT_NEAR(static_cast<double>(RadianceTemperatureSlope(c.lambda, c.epsilon, c.t0) / numeric), 1, 1e-6);
  }
}

}  // namespace
}  // namespace tessolan
