#include "run/ShardRun.h"

#include <algorithm>

#include <stdexcept>

namespace tessolan {

namespace {

// Every number of the gathered task that tracing and the report use and that the file rounds:
// its values and the viewing geometry gathered from the controls. `Visit` gets each by reference.
template <class Task, class View, class Visit>
void EachTaskNumber(Task& t, View& v, Visit visit) {
  for (auto* x : {&t.RadiatorSize, &t.SlantAngle,     &t.BaseSideLength, &t.TopFlatSideLength,
                  &t.GapWidth,     &t.TBase,          &t.TTop,           &t.Tbg,
                  &t.Tref,         &t.AngleB,         &t.AngleA,         &t.FootprintRadius,
                  &t.BeamRadius,   &t.ViewerDistance, &t.AngleW,         &t.DetectorRadius,
                  &t.Diffusity,    &v.SinB,           &v.CosB,           &v.SinA,
                  &v.CosA,         &v.HalfW,          &v.TanHalfW})
    visit(*x);
  for (auto* p : {&v.L, &v.F, &v.E1, &v.E2}) {
    visit(p->x);
    visit(p->y);
    visit(p->z);
  }
}

constexpr std::size_t kTaskNumbers = 35;

}  // namespace

void DescribeShardTask(const AppState& state, PartialResult& p) {
  p.taskName = state.identity.TaskName;
  p.taskLines = GatheredTaskLines(state);
  p.taskNumbers.clear();
  EachTaskNumber(state.initialData, state.view, [&](const Extended& x) { p.taskNumbers.push_back(x); });
  const auto nwl = static_cast<std::size_t>(state.spectral.NWL);
  p.wavelengths.assign(state.spectral.ArrWL.begin(), state.spectral.ArrWL.begin() + nwl);
  p.reflectances.assign(state.spectral.ArrRefl.begin(), state.spectral.ArrRefl.begin() + nwl);
  p.fingerprint = TaskFingerprint(p);
  p.rays = state.accuracy.NRays;
  p.threshold = state.accuracy.Threshold;
}

FlowStep PrepareShardTask(const PartialResult& p, AppState& state) {
  LoadedTask task;
  FlowStep step = LoadTaskLines(p.taskLines, state, task);
  if (step) step = GatherTask(task, state);
  if (step) step = NameTask(state, p.taskName);
  if (!step) return step;
  if (p.taskNumbers.size() != kTaskNumbers || p.wavelengths.size() != static_cast<std::size_t>(state.spectral.NWL) ||
      p.reflectances.size() != p.wavelengths.size())
    return {false, "the task's numbers do not fit its lines", {}};
  std::size_t next = 0;
  EachTaskNumber(state.initialData, state.view, [&](Extended& x) { x = p.taskNumbers[next++]; });
  std::copy(p.wavelengths.begin(), p.wavelengths.end(), state.spectral.ArrWL.begin());
  std::copy(p.reflectances.begin(), p.reflectances.end(), state.spectral.ArrRefl.begin());
  return PrepareTask(state, p.rays, p.threshold);
}

RunOutcome RunShard(AppState& state, RunObserver& observer, RunOptions options, const ShardIdentity& shard,
                    PartialResult& partial) {
  PartialResult p;
  p.version = shard.version;
  DescribeShardTask(state, p);
  p.seed = state.randomSeed;
  p.precision = options.precision;
  p.shard = shard.index;
  p.shards = shard.count;
  const FlowStep reloaded = PrepareShardTask(p, state);
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
