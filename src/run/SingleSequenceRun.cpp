#include <cmath>
#include <memory>
#include <vector>

#include "engine/ExhaustiveHitSearch.h"
#include "engine/IndexedHitSearch.h"
#include "engine/RandomGenerator.h"
#include "run/ExactRays.h"
#include "run/FastRays.h"
#include "run/RunLoops.h"

namespace tessolan {

// The program's own run: one thread, the program's generator, ray after ray, with a status and
// a progress tick before the rays whose numbers are multiples of their steps.
template <class Mode, class HitSearch>
RunOutcome TraceSingleSequence(AppState& state, RunObserver& observer, const HitSearch& search,
                               const RunOptions& options, RunCounters& counters) {
  SpectralArrays& s = state.spectral;
  RunRecord& run = state.run;
  const typename Mode::Shared shared(state);
  typename Mode::template Rays<RandomGenerator, HitSearch> rays(MakeTracingInput(state), search, shared);
  RandomGenerator rng(state.randomSeed);
  ClearRunSums(s);
  UncertaintySums uncertainty;
  uncertainty.Reset(s.NWL);
  rays.TakeShift(rng, uncertainty);
  rays.Begin(uncertainty);
  const TargetError target(s, state.initialData, options.targetError);
  RaySums sums{s.ArrEEIso.data(), s.ArrEE.data(), &uncertainty};
  const auto map = StartMap(state, options.map, uncertainty, shared.radianceScale());
  std::unique_ptr<MapBlockSums> mapBlock;
  if (map) {
    mapBlock = std::make_unique<MapBlockSums>(map->setup, &map->sums);
    sums.map = mapBlock.get();
  }
  // A ray whose very first search ends outside the radiating area latches the field-of-view
  // interruption for the whole run: such a run would report biased numbers.
  RunOutcome outcome = RunOutcome::Completed;
  RayState ray;
  const std::uint32_t nRays = state.accuracy.NRays;
  for (run.RayIndex = 1; run.RayIndex <= nRays; ++run.RayIndex) {
    if (run.RayIndex % run.StatusStep == 0) {
      observer.StatusTick(run.RayIndex);
      if (run.StopRequested) break;
      if (sums.firstHitOutside) {
        outcome = RunOutcome::FovInterrupted;
        break;
      }
      observer.LetEventsThrough();
    }
    if (run.RayIndex % run.ProgressStep == 0) {
      observer.ProgressTick(static_cast<int>(std::nearbyint(100.0 * run.RayIndex / nRays)));
      observer.LetEventsThrough();
    }
    if (!rays.TraceOne(rng, ray, sums)) {
      outcome = RunOutcome::VectorNormZero;
      break;
    }
    if (options.targetError > 0 && run.RayIndex % run.StatusStep == 0) {
      rays.Flush(sums);
      if (target.Reached(uncertainty, sums.sumW)) break;
    }
    observer.LetEventsThrough();
    if (options.stopPromptly && run.StopRequested) break;
  }
  rays.Flush(sums);
  if (mapBlock) mapBlock->Spill();
  state.randomSeed = rng.seed();
  counters = {sums.rays, sums.hits};
  outcome = ConcludeRun(state, outcome, sums.firstHitOutside, sums.sumW, uncertainty);
  FinishMap(map.get(), state, outcome, options.map);
  return outcome;
}

template RunOutcome TraceSingleSequence<ExactMode>(AppState&, RunObserver&, const ExhaustiveHitSearch&,
                                                   const RunOptions&, RunCounters&);
template RunOutcome TraceSingleSequence<ExactMode>(AppState&, RunObserver&, const IndexedHitSearch&, const RunOptions&,
                                                   RunCounters&);
template RunOutcome TraceSingleSequence<FastMode>(AppState&, RunObserver&, const ExhaustiveHitSearch&,
                                                  const RunOptions&, RunCounters&);
template RunOutcome TraceSingleSequence<FastMode>(AppState&, RunObserver&, const IndexedHitSearch&, const RunOptions&,
                                                  RunCounters&);

}  // namespace tessolan
