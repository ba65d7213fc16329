#include "RunTracing.h"

#include "ExhaustiveHitSearch.h"
#include "Radiometry.h"
#include "RandomGenerator.h"
#include "RayTracer.h"
#include "Vectors.h"

namespace tessolan {
namespace {

template <class HitSearch>
RunOutcome TraceAllRays(AppState& state, RunObserver& observer, const HitSearch& search) {
  SpectralArrays& s = state.spectral;
  RunRecord& run = state.run;
  const TracingInput input{state.initialData, state.geometry, state.view, s, state.accuracy.Threshold};
  RayTracer<RandomGenerator, HitSearch> tracer(input, search);
  RandomGenerator rng(state.randomSeed);
  const int nwl = s.NWL;
  std::vector<Extended> rayEmissivity(nwl), rayRadiance(nwl);

  for (int k = 0; k < nwl; ++k) {
    s.ArrEEIso[k] = 0;
    s.ArrEE[k] = 0;
  }
  Extended sumW = 0;
  // A ray whose very first search ends outside the radiating area latches the field-of-view
  // interruption for the whole run: such a run would report biased numbers.
  bool firstHitOutside = false;
  RunOutcome outcome = RunOutcome::Completed;
  RayState ray;
  const std::uint32_t nRays = state.accuracy.NRays;
  for (run.RayIndex = 1; run.RayIndex <= nRays; ++run.RayIndex) {
    if (run.RayIndex % run.StatusStep == 0) {
      observer.StatusTick(run.RayIndex);
      if (run.StopRequested) break;
      if (firstHitOutside) {
        outcome = RunOutcome::FovInterrupted;
        break;
      }
      observer.LetEventsThrough();
    }
    if (run.RayIndex % run.ProgressStep == 0) {
      observer.ProgressTick(static_cast<int>(std::nearbyint(100.0 * run.RayIndex / nRays)));
      observer.LetEventsThrough();
    }
    if (tracer.Launch(ray, rng)) {
      if (tracer.TraceRay(ray, rng, rayEmissivity.data(), rayRadiance.data()) == TraceOutcome::VectorNormZero) {
        outcome = RunOutcome::VectorNormZero;
        break;
      }
      for (int k = 0; k < nwl; ++k) {
        s.ArrEEIso[k] += rayEmissivity[k];
        s.ArrEE[k] += rayRadiance[k];
      }
    }
    sumW += ray.RayWeight;
    firstHitOutside = firstHitOutside || ray.FirstHitOutside;
    observer.LetEventsThrough();
  }
  state.randomSeed = rng.seed();

  if (outcome == RunOutcome::Completed) {
    if (run.StopRequested)
      outcome = RunOutcome::StoppedByUser;
    else if (firstHitOutside)
      outcome = RunOutcome::FovInterrupted;
  }
  if (outcome == RunOutcome::Completed) NormaliseRun(s, sumW, state.initialData.Tref);
  return outcome;
}

}  // namespace

RunOutcome RunTracing(AppState& state, RunObserver& observer, HitSearchKind /*search*/) {
  state.run.StopRequested = false;
  observer.RunStarted();
  const ExhaustiveHitSearch search(MakeHitShape(state.initialData, state.geometry));
  const RunOutcome outcome = TraceAllRays(state, observer, search);
  if (outcome == RunOutcome::FovInterrupted) observer.FovInterrupted();
  if (outcome == RunOutcome::StoppedByUser) observer.StoppedByUser();
  observer.RunEnded();
  return outcome;
}

std::string RunOutcomeMessage(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::StoppedByUser:
      return kStoppedByUserMessage;
    case RunOutcome::FovInterrupted:
      return kFovInterruptedMessage;
    case RunOutcome::VectorNormZero:
      return kVectorNormZeroMessage;
    case RunOutcome::Completed:
      break;
  }
  return "";
}

}  // namespace tessolan
