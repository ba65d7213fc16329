#include "Measure.h"

#include <algorithm>
#include <chrono>

namespace tessolan::bench {
namespace {

struct Timing {
  double seconds = 0;
  RunCounters counters;
};

Timing TimeRun(const BenchTask& task, RunOptions options, std::uint64_t nRays) {
  Timing timing;
  auto state = Prepare(task, nRays);
  if (!state) return timing;
  options.counters = &timing.counters;
  RunObserver quiet;
  const auto start = std::chrono::steady_clock::now();
  RunTracing(*state, quiet, options);
  timing.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return timing;
}

}  // namespace

Speed Measure(const BenchTask& task, const RunOptions& options, double seconds, int repetitions) {
  std::uint64_t nRays = 1;
  Timing trial = TimeRun(task, options, nRays);
  while (trial.seconds < seconds / 10 && nRays < kMaxRays) {
    nRays = std::min<std::uint64_t>(nRays * 4, kMaxRays);
    trial = TimeRun(task, options, nRays);
  }
  const double perRay = trial.seconds / static_cast<double>(std::max<std::uint64_t>(1, trial.counters.rays));
  nRays = std::clamp<std::uint64_t>(static_cast<std::uint64_t>(seconds / perRay), 1, kMaxRays);

  Speed best;
  for (int i = 0; i < repetitions; ++i) {
    const Timing t = TimeRun(task, options, nRays);
    if (t.seconds <= 0 || t.counters.rays == 0) continue;
    const double raysPerSecond = static_cast<double>(t.counters.rays) / t.seconds;
    if (raysPerSecond > best.raysPerSecond) {
      best.raysPerSecond = raysPerSecond;
      best.hitsPerRay = static_cast<double>(t.counters.hits) / static_cast<double>(t.counters.rays);
      best.nanosecondsPerHit = t.counters.hits ? t.seconds * 1e9 / static_cast<double>(t.counters.hits) : 0;
    }
  }
  return best;
}

}  // namespace tessolan::bench
