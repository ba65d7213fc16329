#include "run/RunTracing.h"

#include "engine/ExhaustiveHitSearch.h"
#include "engine/IndexedHitSearch.h"
#include "engine/Vectors.h"
#include "run/ExactRays.h"
#include "run/FastRays.h"
#include "run/Radiometry.h"
#include "run/RunLoops.h"

namespace tessolan {
namespace {

template <class Mode, class HitSearch>
RunOutcome TraceIn(AppState& state, RunObserver& observer, const HitSearch& search, const RunOptions& options,
                   RunCounters& counters) {
  if (options.parallel) return TraceInParallel<Mode>(state, observer, search, options, counters);
  return TraceSingleSequence<Mode>(state, observer, search, options, counters);
}

template <class HitSearch>
RunOutcome Trace(AppState& state, RunObserver& observer, const HitSearch& search, const RunOptions& options,
                 RunCounters& counters) {
  if (options.precision == Precision::Double) return TraceIn<FastMode>(state, observer, search, options, counters);
  return TraceIn<ExactMode>(state, observer, search, options, counters);
}

}  // namespace

void ClearRunSums(SpectralArrays& s) {
  for (int k = 0; k < s.NWL; ++k) {
    s.ArrEEIso[k] = 0;
    s.ArrEE[k] = 0;
  }
}

RunOutcome ConcludeRun(AppState& state, RunOutcome outcome, bool firstHitOutside, Extended sumW,
                       const UncertaintySums& uncertainty) {
  if (outcome == RunOutcome::Completed) {
    if (state.run.StopRequested)
      outcome = RunOutcome::StoppedByUser;
    else if (firstHitOutside)
      outcome = RunOutcome::FovInterrupted;
  }
  if (outcome == RunOutcome::Completed) {
    NormaliseRun(state.spectral, sumW, state.initialData.Tref);
    ComputeStandardErrors(state.spectral, uncertainty, sumW, state.initialData.Tref);
  }
  return outcome;
}

std::unique_ptr<MapCollection> StartMap(const AppState& state, RunMap* map, const UncertaintySums& uncertainty,
                                        const Extended* radianceScale) {
  if (!map) return nullptr;
  map->valid = false;
  if (map->grid < 1 || map->grid > kMaxMapGrid || map->wavelengthIndex < -1 ||
      map->wavelengthIndex >= state.spectral.NWL)
    return nullptr;
  return std::make_unique<MapCollection>(MakeMapSetup(state, *map, uncertainty, radianceScale));
}

void FinishMap(MapCollection* collection, const AppState& state, RunOutcome outcome, RunMap* map) {
  if (!collection || !map || outcome != RunOutcome::Completed) return;
  collection->sums.Settle();
  FillRunMap(collection->sums, collection->setup, state, *map);
}

RunOutcome RunTracing(AppState& state, RunObserver& observer, const RunOptions& options) {
  state.run.StopRequested = false;
  state.run.RunPrecision = options.precision;
  observer.RunStarted();
  const HitShape shape = MakeHitShape(state.initialData, state.geometry);
  RunCounters counters;
  const RunOutcome outcome = options.search == HitSearchKind::Exhaustive
                                 ? Trace(state, observer, ExhaustiveHitSearch(shape), options, counters)
                                 : Trace(state, observer, IndexedHitSearch(shape), options, counters);
  if (options.counters) *options.counters = counters;
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
