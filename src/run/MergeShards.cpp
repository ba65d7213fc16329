#include "run/MergeShards.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "engine/RandomGenerator.h"
#include "run/BlockTree.h"
#include "run/RunLoops.h"
#include "run/ShardRun.h"

namespace tessolan {
namespace {

FlowStep Refused(std::string message) { return {false, std::move(message), {}}; }

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

// What differs between two partial results that must come from the same run; "" when nothing.
std::string Difference(const PartialResult& a, const PartialResult& b) {
  if (a.fingerprint != b.fingerprint || a.taskLines != b.taskLines || a.taskNumbers != b.taskNumbers ||
      a.wavelengths != b.wavelengths || a.reflectances != b.reflectances)
    return "task";
  if (a.taskName != b.taskName) return "task name";
  if (a.seed != b.seed) return "seed";
  if (a.rays != b.rays) return "number of rays";
  if (a.threshold != b.threshold) return "radiant flux threshold";
  if (a.precision != b.precision) return "precision";
  if (a.shards != b.shards) return "number of shards";
  return "";
}

std::string ShardList(const std::vector<std::uint32_t>& shards, std::uint32_t count) {
  std::string text = shards.size() == 1 ? "shard " : "shards ";
  for (std::size_t i = 0; i < shards.size(); ++i) text += (i ? ", " : "") + std::to_string(shards[i]);
  return text + " of " + std::to_string(count) + (shards.size() == 1 ? " is" : " are") + " missing";
}

// The checks that need only the partials themselves; "" when they are one whole run.
std::string CheckSet(const std::vector<NamedPartial>& partials, const std::string& version,
                     std::vector<const NamedPartial*>& byShard) {
  if (partials.empty()) return "no partial results to merge";
  const NamedPartial& first = partials.front();
  for (const NamedPartial& p : partials) {
    if (p.partial.version != version)
      return Quoted(p.name) + " was traced by version " + p.partial.version + " of the program, not by this " + version;
    if (const std::string what = Difference(first.partial, p.partial); !what.empty())
      return Quoted(p.name) + " is not a shard of the same run as " + Quoted(first.name) + ": its " + what + " differs";
  }
  const std::uint32_t count = first.partial.shards;
  byShard.assign(count, nullptr);
  for (const NamedPartial& p : partials) {
    const NamedPartial*& slot = byShard[p.partial.shard];
    if (slot)
      return Quoted(slot->name) + " and " + Quoted(p.name) + " are both shard " + std::to_string(p.partial.shard) +
             " of " + std::to_string(count);
    slot = &p;
  }
  std::vector<std::uint32_t> missing;
  for (std::uint32_t k = 0; k < count; ++k)
    if (!byShard[k]) missing.push_back(k);
  if (!missing.empty()) return ShardList(missing, count);
  return "";
}

// Whether the shard's nodes are those it must hold: its range of blocks, in aligned nodes left to
// right, each sized for nwl wavelengths.
bool HoldsItsBlocks(const PartialResult& p, std::size_t nwl) {
  const auto [first, end] = ShardBlocks(ParallelBlocks(p.rays), p.shard, p.shards);
  if (p.firstBlock != first || p.endBlock != end || p.shiftX.size() != nwl) return false;
  std::uint64_t next = first;
  for (const PartialNode& n : p.nodes) {
    if (n.level >= 64 || (n.index << n.level) >> n.level != n.index) return false;
    const std::uint64_t start = n.index << n.level;
    if (start != next || n.emissivity.size() != nwl) return false;
    next = start + (std::uint64_t{1} << n.level);
  }
  return next == end;
}

bool AllFinite(const std::vector<Extended>& values) {
  return std::all_of(values.begin(), values.end(), [](Extended x) { return std::isfinite(x); });
}

bool NoneNegative(const std::vector<Extended>& values) {
  return std::all_of(values.begin(), values.end(), [](Extended x) { return x >= 0; });
}

// Whether a node's sums are such as rays give: finite, a positive weight, and emissivity and
// radiance sums that are sums of absorbed fractions and Planck radiances, never negative.
bool SumsOfRays(const PartialNode& n) {
  for (const auto* values : {&n.emissivity, &n.radiance, &n.dx, &n.dx2, &n.dxw, &n.dr, &n.dr2, &n.drw})
    if (!AllFinite(*values)) return false;
  return std::isfinite(n.sumW) && n.sumW > 0 && std::isfinite(n.sumW2) && n.sumW2 >= 0 && NoneNegative(n.emissivity) &&
         NoneNegative(n.radiance);
}

}  // namespace

FlowStep MergePartials(const std::vector<NamedPartial>& partials, const std::string& version, AppState& state) {
  std::vector<const NamedPartial*> byShard;
  if (std::string message = CheckSet(partials, version, byShard); !message.empty()) return Refused(message);
  const PartialResult& run = partials.front().partial;
  FlowStep step = PrepareShardTask(run, state);
  if (!step) return step;
  const std::size_t nwl = static_cast<std::size_t>(state.spectral.NWL);

  BlockTree tree;
  std::uint64_t rays = 0;
  for (const NamedPartial* shard : byShard) {
    const PartialResult& p = shard->partial;
    if (!HoldsItsBlocks(p, nwl))
      return Refused(Quoted(shard->name) + " does not hold the blocks of shard " + std::to_string(p.shard) + " of " +
                     std::to_string(p.shards) + " (the file is damaged)");
    if (!AllFinite(p.shiftX) || !AllFinite(p.shiftR) || !std::all_of(p.nodes.begin(), p.nodes.end(), SumsOfRays))
      return Refused(Quoted(shard->name) + " holds sums that no rays give (the file is damaged)");
    for (const PartialNode& node : p.nodes) tree.Push(FromPartialNode(node, p));
    rays += p.tracedRays;
  }
  if (rays != run.rays)
    return Refused("the shards traced " + std::to_string(rays) + " rays, not the run's " + std::to_string(run.rays));

  UncertaintyParts shiftParts;
  shiftParts.shiftX = run.shiftX;
  shiftParts.shiftR = run.shiftR;
  const UncertaintySums shift = UncertaintySums::FromParts(shiftParts);
  BlockNode total = ZeroNode(state.spectral.NWL, shift);
  tree.Fold(total);

  RunRecord& record = state.run;
  record.StopRequested = false;
  record.RunSeed = run.seed;
  record.RunPrecision = run.precision;
  record.StartTime = run.startTime, record.FinishTime = run.finishTime;
  for (const NamedPartial& p : partials) {
    record.StartTime = std::min(record.StartTime, p.partial.startTime);
    record.FinishTime = std::max(record.FinishTime, p.partial.finishTime);
  }
  RandomGenerator next(run.seed);
  next.Random();
  state.randomSeed = next.seed();
  std::copy(total.emissivity.begin(), total.emissivity.end(), state.spectral.ArrEEIso.begin());
  std::copy(total.radiance.begin(), total.radiance.end(), state.spectral.ArrEE.begin());
  ConcludeRun(state, RunOutcome::Completed, false, total.sumW, total.uncertainty);
  return step;
}

}  // namespace tessolan
