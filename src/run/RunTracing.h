#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/AppState.h"
#include "model/RunMap.h"
#include "run/BlockTree.h"
#include "run/RunObserver.h"
#include "run/Uncertainty.h"

namespace tessolan {

// The exhaustive search tests every pyramid at every hit and is kept as the reference; the
// indexed search finds the same hits, bit for bit, at a cost independent of the array's size.
enum class HitSearchKind { Exhaustive, Indexed };

enum class RunOutcome { Completed, StoppedByUser, FovInterrupted, VectorNormZero };

// What a run traced, for benchmarks: rays (including those lost at launch) and hits.
struct RunCounters {
  std::uint64_t rays = 0;
  std::uint64_t hits = 0;
};

// Rays of a parallel run are cut into blocks of this many; each block draws from its own
// stream and keeps its own sums. Part of what a parallel run's numbers depend on.
inline constexpr std::uint32_t kParallelBlockRays = 1000;

// The blocks of a parallel run of nRays rays.
inline std::uint64_t ParallelBlocks(std::uint64_t nRays) {
  return (nRays + kParallelBlockRays - 1) / kParallelBlockRays;
}

// Shard `index` of `count` of a parallel run: the blocks [first, end) of its `blocks`, in equal
// contiguous ranges (empty when there are more shards than blocks).
inline std::pair<std::uint64_t, std::uint64_t> ShardBlocks(std::uint64_t blocks, std::uint32_t index,
                                                           std::uint32_t count) {
  return {blocks * index / count, blocks * (std::uint64_t{index} + 1) / count};
}

// A parallel run cut into shards traces only its shard's blocks and, once they are all traced,
// keeps their sums as the block tree's nodes, unnormalised, for a merge with the other shards.
struct ShardTrace {
  std::uint32_t index = 0;
  std::uint32_t count = 1;
  // Filled by a shard that completes: the nodes of its blocks, left to right, and the run's
  // uncertainty shift (taken from the run's first ray, the same in every shard).
  std::vector<BlockNode> nodes;
  UncertaintySums shift;
};

struct RunOptions {
  HitSearchKind search = HitSearchKind::Indexed;
  // false: the single sequence, one thread drawing from the program's generator, ray after ray.
  // true: the parallel mode. Block b draws from the stream (seed, b) of a long-period generator
  // with independent streams; the blocks' sums, each in extended precision, are added in the
  // fixed order of a binary tree over block indices (run/BlockTree.h). The numbers then depend on
  // the seed only, not on the number of threads or shards, but differ from those of the single
  // sequence.
  bool parallel = false;
  // Threads of the parallel mode; 0 for one per processor core.
  unsigned threads = 0;
  // Filled at the end of the run when given.
  RunCounters* counters = nullptr;
  // Run to precision: when positive, the run ends as soon as every wavelength's standard error of
  // both effective emissivities is at most this (checked after every StatusStep-th ray of the
  // single sequence, after every block of the parallel mode, once at least kMinTargetRays rays are in),
  // and is normalised with the rays traced so far.
  Extended targetError = 0;
  // Honours a stop request at once instead of at the next status tick: after the ray being
  // traced (single sequence) or within a few milliseconds (parallel mode). For a front that must
  // stop promptly, such as Python on Ctrl-C; a run that completes is the same either way.
  bool stopPromptly = false;
  // Double: the fast mode, its numbers reproducible in their own right (same seed, same bits on
  // every processor and thread count) and statistically equal to the exact mode's.
  Precision precision = Precision::Extended;
  // When given, the run also bins every ray by where it first met the array, as the map asks
  // (grid, wavelength), and fills the map at the end of a completed run. The run's own results
  // are the same bytes with or without it.
  RunMap* map = nullptr;
  // When given (parallel mode only, no target error), the run traces only this shard's blocks;
  // a shard that completes is not normalised: its sums go to the shard's nodes.
  ShardTrace* shard = nullptr;
};

// The Monte Carlo loop: traces state.accuracy.NRays rays with the gathered task, summing their
// contributions into ArrEEIso and ArrEE, and normalises a completed run, filling also the
// standard errors of its four results (ArrEEIsoSE, ArrEESE, ArrRTIsoSE, ArrRTSE). ProgressStep and
// StatusStep must be set. A run that is stopped or interrupted keeps its partial sums (in the
// parallel mode, those of the blocks completed in order) and is not normalised.
// The single sequence continues the program's generator from state.randomSeed and leaves its
// state there; the parallel mode takes state.randomSeed as its seed and then advances it by one
// draw, so that the next run differs. The observer is called only from the calling thread.
RunOutcome RunTracing(AppState& state, RunObserver& observer, const RunOptions& options = {});

// The message that ends a run with the given outcome ("" for a completed run).
std::string RunOutcomeMessage(RunOutcome outcome);

}  // namespace tessolan
