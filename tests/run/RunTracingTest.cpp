#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "RunTracing.h"
#include "TestTasks.h"

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

TEST(RunTracingTest, TicksFor100And10000Rays) {
  for (std::uint32_t nRays : {100u, 10000u}) {
    GatheredTask task;
    task.Gather(nRays);
    RecordingObserver obs;
    ASSERT_EQ(RunTracing(*task.state, obs), RunOutcome::Completed);
    const std::uint32_t statusStep = nRays == 100 ? 1 : 10;
    ASSERT_EQ(obs.statusTicks.size(), nRays / statusStep);
    for (std::size_t i = 0; i < obs.statusTicks.size(); ++i) EXPECT_EQ(obs.statusTicks[i], (i + 1) * statusStep);
    ASSERT_EQ(obs.percents.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(obs.percents[i], i + 1);
    EXPECT_EQ(obs.starts, 1);
    EXPECT_EQ(obs.ends, 1);
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

TEST(RunTracingTest, BeamPartlyOutsideTheRadiatorAlwaysInterrupts) {
  for (std::uint32_t seed = 0; seed < 10; ++seed) {
    GatheredTask task;
    task.controls.VCType = kDirectionalA;
    task.controls[NumericBox::B] = 30;
    task.controls[NumericBox::DA] = 100;  // the footprint ellipse reaches past the radiator
    task.Gather(1000, 1e-6L, seed);
    MarkTemperatures(task.state->spectral);
    RecordingObserver obs;
    EXPECT_EQ(RunTracing(*task.state, obs), RunOutcome::FovInterrupted);
    EXPECT_EQ(obs.fovInterruptions, 1);
    EXPECT_EQ(task.state->spectral.ArrRTIso[0], kSentinel) << "not normalised";
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
  const Extended rho = 0.3L;
  GatheredTask task;
  task.controls[NumericBox::Diffusity] = 0;
  task.controls.VCType = kDirectionalA;
  task.controls[NumericBox::B] = 0;
  task.material = {{4.0, static_cast<double>(rho)}};
  task.Gather(2000, 0, 42);
  RecordingObserver obs;
  ASSERT_EQ(RunTracing(*task.state, obs), RunOutcome::Completed);
  const Extended expected = 1 - rho * rho;
  EXPECT_NEAR(static_cast<double>(task.state->spectral.ArrEEIso[0]), static_cast<double>(expected), 1e-15);
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

}  // namespace
}  // namespace tessolan
