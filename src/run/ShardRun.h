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

// The task a partial result carries, gathered, named and prepared as the batch tool does it,
// with the gathered numbers exactly as they were where the file's decimals round them. A shard
// traces, and the merge reports, the task as read back from its partial result, so that the two
// always agree, and agree with the task the shard was given.
FlowStep PrepareShardTask(const PartialResult& partial, AppState& state);

// The task of the gathered, named and prepared state into `partial` (lines, numbers, name,
// rays, threshold).
void DescribeShardTask(const AppState& state, PartialResult& partial);

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
