#include "run/ShardRun.h"

#include <stdexcept>

namespace tessolan {

FlowStep PrepareTaskFromLines(const std::vector<std::string>& lines, const std::string& name, std::uint64_t rays,
                              Extended threshold, AppState& state) {
  LoadedTask task;
  FlowStep step = LoadTaskLines(lines, state, task);
  if (step) step = GatherTask(task, state);
  if (step) step = NameTask(state, name);
  if (step) step = PrepareTask(state, rays, threshold);
  return step;
}

RunOutcome RunShard(AppState& state, RunObserver& observer, RunOptions options, const ShardIdentity& shard,
                    PartialResult& partial) {
  PartialResult p;
  p.version = shard.version;
  p.taskName = state.identity.TaskName;
  p.taskLines = GatheredTaskLines(state);
  p.fingerprint = TaskFingerprint(p.taskLines);
  p.seed = state.randomSeed;
  p.rays = state.accuracy.NRays;
  p.threshold = state.accuracy.Threshold;
  p.precision = options.precision;
  p.shard = shard.index;
  p.shards = shard.count;
  const FlowStep reloaded = PrepareTaskFromLines(p.taskLines, p.taskName, p.rays, p.threshold, state);
  if (!reloaded) throw std::logic_error("a gathered task does not load back: " + reloaded.message);
  state.randomSeed = p.seed;

  ShardTrace trace{shard.index, shard.count, {}, {}};
  RunCounters counters;
  options.parallel = true;
  options.targetError = 0;
  options.shard = &trace;
  options.counters = &counters;
  const RunOutcome outcome = RunTask(state, observer, options);
  if (outcome != RunOutcome::Completed) return outcome;

  const auto [first, end] = ShardBlocks(ParallelBlocks(p.rays), shard.index, shard.count);
  p.firstBlock = first, p.endBlock = end;
  p.tracedRays = counters.rays, p.hits = counters.hits;
  p.startTime = state.run.StartTime, p.finishTime = state.run.FinishTime;
  const UncertaintyParts shift = trace.shift.Parts();
  p.shiftX = shift.shiftX, p.shiftR = shift.shiftR;
  for (const BlockNode& node : trace.nodes) p.nodes.push_back(ToPartialNode(node));
  partial = std::move(p);
  return outcome;
}

PartialNode ToPartialNode(const BlockNode& node) {
  const UncertaintyParts u = node.uncertainty.Parts();
  return {node.level, node.index, node.sumW, u.sumW2, u.samples, node.emissivity, node.radiance, u.dx,
          u.dx2,      u.dxw,      u.dr,      u.dr2,   u.drw};
}

BlockNode FromPartialNode(const PartialNode& node, const PartialResult& partial) {
  const UncertaintyParts u{partial.shiftX, partial.shiftR, node.dx,  node.dx2,   node.dxw,
                           node.dr,        node.dr2,       node.drw, node.sumW2, node.samples};
  return {node.level, node.index, node.emissivity, node.radiance, UncertaintySums::FromParts(u), node.sumW};
}

}  // namespace tessolan
