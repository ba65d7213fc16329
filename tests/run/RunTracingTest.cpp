#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "TestTasks.h"
#include "run/RunTracing.h"

namespace tessolan {
namespace {

using testing::GatheredTask;

// Records what a run reports; can press Stop at a chosen status tick.
struct RecordingObserver : RunObserver {
  AppState* state = nullptr;
  std::uint32_t stopAtRay = 0;
  std::vector<std::uint32_t> statusTicks;
  std::vector<int> percents;
  int fovInterruptions = 0, stops = 0, starts = 0, ends = 0;

  void RunStarted() override { ++starts; }
  void StatusTick(std::uint32_t rayIndex) override {
    statusTicks.push_back(rayIndex);
    if (rayIndex == stopAtRay) state->run.StopRequested = true;
  }
  void ProgressTick(int percent) override { percents.push_back(percent); }
  void FovInterrupted() override { ++fovInterruptions; }
  void StoppedByUser() override { ++stops; }
  void RunEnded() override { ++ends; }
};

constexpr Extended kSentinel = -12345;

void MarkTemperatures(SpectralArrays& s) {
  for (int k = 0; k < s.NWL; ++k) s.ArrRTIso[k] = s.ArrRT[k] = kSentinel;
}

// The single sequence and the parallel mode with one and with several threads.
const RunOptions kModes[] = {{}, {HitSearchKind::Indexed, true, 1}, {HitSearchKind::Indexed, true, 3}};

TEST(RunTracingTest, TicksFor100And10000Rays) {
  for (const RunOptions& mode : kModes) {
    for (std::uint32_t nRays : {100u, 10000u}) {
      SCOPED_TRACE(mode.parallel ? mode.threads : 0);
      GatheredTask task;
      task.Gather(nRays);
      RecordingObserver obs;
      ASSERT_EQ(RunTracing(*task.state, obs, mode), RunOutcome::Completed);
      const std::uint32_t statusStep = nRays == 100 ? 1 : 10;
      ASSERT_EQ(obs.statusTicks.size(), nRays / statusStep);
      for (std::size_t i = 0; i < obs.statusTicks.size(); ++i) EXPECT_EQ(obs.statusTicks[i], (i + 1) * statusStep);
      ASSERT_EQ(obs.percents.size(), 100u);
      for (int i = 0; i < 100; ++i) EXPECT_EQ(obs.percents[i], i + 1);
      EXPECT_EQ(obs.starts, 1);
      EXPECT_EQ(obs.ends, 1);
    }
  }
}

TEST(RunTracingTest, StopLeavesPartialSumsAndTheTemperaturesAsTheyWere) {
  GatheredTask task;
  task.Gather(100);
  MarkTemperatures(task.state->spectral);
  RecordingObserver obs;
  obs.state = task.state.get();
  obs.stopAtRay = 50;
  EXPECT_EQ(RunTracing(*task.state, obs), RunOutcome::StoppedByUser);
  EXPECT_EQ(obs.stops, 1);
  EXPECT_EQ(obs.ends, 1);
  EXPECT_EQ(obs.statusTicks.back(), 50u);
  // 49 rays traced, each adding up to 1: a sum, not an emissivity.
  EXPECT_GT(task.state->spectral.ArrEEIso[0], 40);
  EXPECT_LE(task.state->spectral.ArrEEIso[0], 49);
  EXPECT_EQ(task.state->spectral.ArrRTIso[0], kSentinel);
}

TEST(RunTracingTest, ParallelStopKeepsTheBlocksAddedSoFar) {
  GatheredTask task;
  task.Gather(1000000);
  MarkTemperatures(task.state->spectral);
  RecordingObserver obs;
  obs.state = task.state.get();
  obs.stopAtRay = 2000;
  RunCounters counters;
  EXPECT_EQ(RunTracing(*task.state, obs, {HitSearchKind::Indexed, true, 2, &counters}), RunOutcome::StoppedByUser);
  EXPECT_EQ(obs.stops, 1);
  EXPECT_EQ(obs.statusTicks.back(), 2000u);
  EXPECT_EQ(counters.rays % kParallelBlockRays, 0u) << "only whole blocks are added";
  EXPECT_LT(counters.rays, 1000000u);
  EXPECT_LE(task.state->spectral.ArrEEIso[0], counters.rays);
  EXPECT_GE(task.state->spectral.ArrEEIso[0], 0.5L * counters.rays);
  EXPECT_EQ(task.state->spectral.ArrRTIso[0], kSentinel);
}

// Presses Stop from LetEventsThrough, between status ticks, once the run reaches a ray.
struct PromptStopObserver : RunObserver {
  AppState* state = nullptr;
  std::uint32_t stopAtRay = 0;
  void LetEventsThrough() override {
    if (state->run.RayIndex >= stopAtRay) state->run.StopRequested = true;
  }
};

TEST(RunTracingTest, StopPromptlyEndsBetweenStatusTicks) {
  RunOptions single;
  single.stopPromptly = true;
  GatheredTask task;
  task.Gather(10000);  // status ticks every 10 rays
  PromptStopObserver obs;
  obs.state = task.state.get();
  obs.stopAtRay = 25;
  EXPECT_EQ(RunTracing(*task.state, obs, single), RunOutcome::StoppedByUser);
  EXPECT_EQ(task.state->run.RayIndex, 25u) << "the ray being traced is the last";

  RunOptions parallel = single;
  parallel.parallel = true;
  parallel.threads = 2;
  GatheredTask big;
  big.Gather(100000000);  // status ticks every 100,000 rays
  obs.state = big.state.get();
  obs.stopAtRay = 0;
  RunCounters counters;
  parallel.counters = &counters;
  EXPECT_EQ(RunTracing(*big.state, obs, parallel), RunOutcome::StoppedByUser);
  EXPECT_LT(counters.rays, 100000u) << "stopped before the first status tick";
}

TEST(RunTracingTest, StopPromptlyChangesNothingInACompletedRun) {
  for (RunOptions mode : kModes) {
    GatheredTask usual, prompt;
    usual.Gather(3000);
    prompt.Gather(3000);
    RecordingObserver obs;
    ASSERT_EQ(RunTracing(*usual.state, obs, mode), RunOutcome::Completed);
    mode.stopPromptly = true;
    ASSERT_EQ(RunTracing(*prompt.state, obs, mode), RunOutcome::Completed);
    const SpectralArrays &a = usual.state->spectral, &b = prompt.state->spectral;
    for (int k = 0; k < a.NWL; ++k) {
      EXPECT_EQ(a.ArrEE[k], b.ArrEE[k]);
      EXPECT_EQ(a.ArrEEIsoSE[k], b.ArrEEIsoSE[k]);
    }
    EXPECT_EQ(usual.state->randomSeed, prompt.state->randomSeed);
  }
}

TEST(RunTracingTest, BeamPartlyOutsideTheRadiatorAlwaysInterrupts) {
  for (const RunOptions& mode : kModes) {
    for (std::uint32_t seed = 0; seed < 10; ++seed) {
      GatheredTask task;
      task.controls.VCType = kDirectionalA;
      task.controls[NumericBox::B] = 30;
      task.controls[NumericBox::DA] = 100;  // the footprint ellipse reaches past the radiator
      task.Gather(seed < 5 ? 1000 : 5000, 1e-6L, seed);
      MarkTemperatures(task.state->spectral);
      RecordingObserver obs;
      EXPECT_EQ(RunTracing(*task.state, obs, mode), RunOutcome::FovInterrupted);
      EXPECT_EQ(obs.fovInterruptions, 1);
      EXPECT_EQ(task.state->spectral.ArrRTIso[0], kSentinel) << "not normalised";
    }
  }
  // Single-ray runs: the only look at the latch is the one after the loop, and a ray outside
  // the radiator must still end its run.
  int interrupted = 0;
  for (std::uint32_t seed = 0; seed < 50; ++seed) {
    GatheredTask task;
    task.controls.VCType = kDirectionalA;
    task.controls[NumericBox::B] = 30;
    task.controls[NumericBox::DA] = 100;
    task.Gather(1, 1e-6L, seed);
    RecordingObserver obs;
    const RunOutcome outcome = RunTracing(*task.state, obs);
    EXPECT_NE(outcome, RunOutcome::StoppedByUser);
    interrupted += outcome == RunOutcome::FovInterrupted;
  }
  EXPECT_GT(interrupted, 0);
  EXPECT_LT(interrupted, 50);
}

TEST(RunTracingTest, SpecularPyramidsReflectEveryRayTwice) {
  for (const RunOptions& mode : kModes) {
    const Extended rho = 0.3L;
    GatheredTask task;
    task.controls[NumericBox::Diffusity] = 0;
    task.controls.VCType = kDirectionalA;
    task.controls[NumericBox::B] = 0;
    task.material = {{4.0, static_cast<double>(rho)}};
    task.Gather(2500, 0, 42);
    RecordingObserver obs;
    RunCounters counters;
    RunOptions options = mode;
    options.counters = &counters;
    ASSERT_EQ(RunTracing(*task.state, obs, options), RunOutcome::Completed);
    const Extended expected = 1 - rho * rho;
    EXPECT_NEAR(static_cast<double>(task.state->spectral.ArrEEIso[0]), static_cast<double>(expected), 1e-15);
    EXPECT_EQ(counters.rays, 2500u);
    EXPECT_EQ(counters.hits, 5000u);
  }
}

TEST(RunTracingTest, IsothermalEnclosureAtTheReferenceTemperatureIsABlackbody) {
  GatheredTask task;
  for (NumericBox box : {NumericBox::TBase, NumericBox::TTop, NumericBox::Tbg, NumericBox::Tref})
    task.controls[box] = 300;
  task.material = {{2.0, 0.2}, {5.0, 0.5}, {10.0, 0.9}};
  task.Gather(2000, 0, 7);
  RecordingObserver obs;
  ASSERT_EQ(RunTracing(*task.state, obs), RunOutcome::Completed);
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(static_cast<double>(task.state->spectral.ArrEE[k]), 1, 1e-13) << k;
    EXPECT_NEAR(static_cast<double>(task.state->spectral.ArrRT[k]), 300, 1e-9) << k;
  }
  EXPECT_LT(task.state->spectral.ArrEEIso[2], 1);
}

TEST(RunTracingTest, FlatArrayHasTheMaterialsEmissivity) {
  GatheredTask task;
  task.controls[NumericBox::SlantAngle] = 0;
  task.material = {{1.0, 0.05}, {8.0, 0.4}};
  task.Gather(3000, 0, 5);
  RecordingObserver obs;
  ASSERT_EQ(RunTracing(*task.state, obs), RunOutcome::Completed);
  EXPECT_NEAR(static_cast<double>(task.state->spectral.ArrEEIso[0]), 0.95, 1e-15);
  EXPECT_NEAR(static_cast<double>(task.state->spectral.ArrEEIso[1]), 0.6, 1e-15);
}

TEST(RunTracingTest, SeededRunIsRepeatableBitForBit) {
  auto run = [](std::uint32_t seed) {
    GatheredTask task;
    task.controls.VCType = kIntegrated;
    task.controls[NumericBox::B] = 20;
    task.controls[NumericBox::DD] = 10;
    task.controls[NumericBox::Tbg] = 290;
    task.material = {{3.0, 0.3}, {9.0, 0.02}};
    task.Gather(3000, 1e-4L, seed);
    RecordingObserver obs;
    EXPECT_EQ(RunTracing(*task.state, obs), RunOutcome::Completed);
    return std::move(task.state);
  };
  const auto a = run(2024), b = run(2024), c = run(2025);
  for (const auto* arrays : {&a->spectral, &b->spectral}) EXPECT_EQ(arrays->NWL, 2);
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(std::memcmp(&a->spectral.ArrEE[k], &b->spectral.ArrEE[k], 10), 0);
    EXPECT_EQ(std::memcmp(&a->spectral.ArrRTIso[k], &b->spectral.ArrRTIso[k], 10), 0);
    EXPECT_NE(a->spectral.ArrEEIso[k], c->spectral.ArrEEIso[k]);
  }
  EXPECT_EQ(a->randomSeed, b->randomSeed);
}

// Runs a nonisothermal task with background at two wavelengths, with the given options.
std::unique_ptr<AppState> RunSample(const RunOptions& options, std::uint32_t nRays = 3000, int slant = 45) {
  GatheredTask task;
  task.controls[NumericBox::B] = 20;
  task.controls[NumericBox::DB] = 8;
  task.controls[NumericBox::Tbg] = 290;
  task.controls[NumericBox::SlantAngle] = slant;
  task.controls[NumericBox::Diffusity] = 0.7;
  task.controls[NumericBox::Diameter] = 20;  // a 7 x 7 array keeps the exhaustive search quick
  task.material = {{3.0, 0.3}, {9.0, 0.02}};
  task.Gather(nRays, 1e-4L, 2024);
  RecordingObserver obs;
  EXPECT_EQ(RunTracing(*task.state, obs, options), RunOutcome::Completed);
  return std::move(task.state);
}

bool SameResults(const AppState& a, const AppState& b) {
  for (int k = 0; k < a.spectral.NWL; ++k) {
    for (const auto member :
         {&SpectralArrays::ArrEEIso, &SpectralArrays::ArrEE, &SpectralArrays::ArrRTIso, &SpectralArrays::ArrRT}) {
      if (std::memcmp(&(a.spectral.*member)[k], &(b.spectral.*member)[k], 10) != 0) return false;
    }
  }
  return a.randomSeed == b.randomSeed;
}

TEST(RunTracingTest, IndexedAndExhaustiveSearchesGiveTheSameRunBitForBit) {
  for (int slant : {45, 80}) {
    for (bool parallel : {false, true}) {
      const auto exhaustive = RunSample({HitSearchKind::Exhaustive, parallel, 2});
      const auto indexed = RunSample({HitSearchKind::Indexed, parallel, 2});
      EXPECT_TRUE(SameResults(*exhaustive, *indexed)) << slant << " " << parallel;
    }
  }
}

TEST(RunTracingTest, ParallelResultsDependOnTheSeedNotOnTheThreads) {
  const auto one = RunSample({HitSearchKind::Indexed, true, 1}, 5500);
  for (unsigned threads : {2u, 3u, 8u}) {
    EXPECT_TRUE(SameResults(*one, *RunSample({HitSearchKind::Indexed, true, threads}, 5500))) << threads;
  }
  const auto single = RunSample({}, 5500);
  EXPECT_NE(one->spectral.ArrEEIso[0], single->spectral.ArrEEIso[0]) << "its own streams, not the program's";
  EXPECT_NEAR(static_cast<double>(one->spectral.ArrEEIso[0]), static_cast<double>(single->spectral.ArrEEIso[0]), 0.01);
  EXPECT_NE(one->randomSeed, 2024u) << "the next run draws other numbers";
}

}  // namespace
}  // namespace tessolan
