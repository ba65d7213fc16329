#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/AppState.h"
#include "model/NumericBoxes.h"
#include "run/Gathering.h"

namespace tessolan::testing {

// A state gathered from the window's design values and a material table, ready for a run.
struct GatheredTask {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  TaskControls controls = DesignControls();
  std::vector<SpectralPoint> material = std::vector<SpectralPoint>(1, SpectralPoint{10.0, 0.1});
  std::vector<std::string> comments;

  // Gathers as "Monte Carlo Modeling" does and prepares a run of nRays rays.
  void Gather(std::uint64_t nRays = 1000, Extended threshold = 1e-6L, std::uint32_t seed = 0) {
    std::string message;
    ASSERT_TRUE(GatherForModeling(controls, material, comments, *state, message)) << message;
    ASSERT_TRUE(PrepareRun(*state, nRays, threshold, message)) << message;
    state->randomSeed = seed;
  }
};

}  // namespace tessolan::testing
