#pragma once

#include <string>

#include "AppState.h"
#include "RunObserver.h"

namespace tessolan {

enum class HitSearchKind { Exhaustive };

enum class RunOutcome { Completed, StoppedByUser, FovInterrupted, VectorNormZero };

// The Monte Carlo loop: traces state.accuracy.NRays rays with the gathered task, summing their
// contributions into ArrEEIso and ArrEE, and normalises a completed run. The generator continues
// from state.randomSeed and leaves its state there. ProgressStep and StatusStep must be set.
// A run that is stopped or interrupted keeps its partial sums and is not normalised.
RunOutcome RunTracing(AppState& state, RunObserver& observer, HitSearchKind search = HitSearchKind::Exhaustive);

// The message that ends a run with the given outcome ("" for a completed run).
std::string RunOutcomeMessage(RunOutcome outcome);

}  // namespace tessolan
