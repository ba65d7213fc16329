#include "TaskRunner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/AppState.h"
#include "run/Gathering.h"
#include "run/RunTracing.h"

namespace tessolan::validation {

RunResults RunTask(const TaskControls& controls, const std::vector<SpectralPoint>& material,
                   const RunSettings& settings) {
  RunResults results;
  auto state = std::make_unique<AppState>();
  std::string message;
  if (!GatherForModeling(controls, material, {}, *state, message) ||
      !PrepareRun(*state, settings.rays, settings.threshold, message)) {
    ADD_FAILURE() << "the task does not gather: " << message;
    return results;
  }
  state->randomSeed = settings.seed;
  RunObserver quiet;
  RunCounters counters;
  RunOptions options;
  options.parallel = settings.parallel;
  options.threads = settings.parallel ? 2 : 0;
  options.counters = &counters;
  const RunOutcome outcome = RunTracing(*state, quiet, options);
  EXPECT_EQ(outcome, RunOutcome::Completed) << RunOutcomeMessage(outcome);
  const SpectralArrays& s = state->spectral;
  for (int k = 0; k < s.NWL; ++k) {
    results.eeIso.push_back(s.ArrEEIso[k]);
    results.eeIsoError.push_back(s.ArrEEIsoSE[k]);
    results.ee.push_back(s.ArrEE[k]);
    results.eeError.push_back(s.ArrEESE[k]);
    results.rtIso.push_back(s.ArrRTIso[k]);
    results.rt.push_back(s.ArrRT[k]);
  }
  results.rays = counters.rays;
  return results;
}

TaskControls VerticalBeamTask(double slantAngle, double diffusity) {
  TaskControls c = DesignControls();
  c.VCType = kDirectionalB;
  c[NumericBox::B] = 0;
  c[NumericBox::A] = 0;
  c[NumericBox::DB] = 35;
  c[NumericBox::SlantAngle] = slantAngle;
  c[NumericBox::Diffusity] = diffusity;
  c[NumericBox::TBase] = 300;
  c[NumericBox::TTop] = 300;
  c[NumericBox::Tref] = 300;
  c[NumericBox::Tbg] = 0;
  return c;
}

std::vector<SpectralPoint> MaterialOf(const std::vector<double>& reflectances, double firstWavelength) {
  std::vector<SpectralPoint> material;
  for (std::size_t i = 0; i < reflectances.size(); ++i)
    material.push_back({firstWavelength + static_cast<double>(i), reflectances[i]});
  return material;
}

}  // namespace tessolan::validation
