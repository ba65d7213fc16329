#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/PartialResultFile.h"
#include "model/AppState.h"
#include "run/BlockTree.h"
#include "run/RunObserver.h"
#include "run/RunTracing.h"
#include "run/TaskFlow.h"

namespace tessolan {

// A parallel run cut into shards: each shard traces a contiguous range of the run's blocks,
// anywhere, and writes a partial result; the merge (run/MergeShards.h) makes the outputs of the
// whole run from all of them, bit for bit those of one parallel run.

// The task of these initial data file lines, gathered, named and prepared as the batch tool
// does it. A shard traces, and the merge reports, the task as read back from the lines that the
// partial result carries, so that the two always agree.
FlowStep PrepareTaskFromLines(const std::vector<std::string>& lines, const std::string& name, std::uint64_t rays,
                              Extended threshold, AppState& state);

// What identifies a shard: which of how many, and the program tracing it.
struct ShardIdentity {
  std::uint32_t index = 0;
  std::uint32_t count = 1;
  std::string version;
};

// Traces the shard of the gathered, named and prepared task from state.randomSeed, as a
// parallel run with `options` (their shard and target error are set aside). A shard that
// completes fills `partial` and leaves its sums unnormalised; one that meets the field-of-view
// interruption or a zero vector ends as the whole run would, with the same outcome.
RunOutcome RunShard(AppState& state, RunObserver& observer, RunOptions options, const ShardIdentity& shard,
                    PartialResult& partial);

// The conversions between the block tree's nodes and a partial result's.
PartialNode ToPartialNode(const BlockNode& node);
BlockNode FromPartialNode(const PartialNode& node, const PartialResult& partial);

}  // namespace tessolan
