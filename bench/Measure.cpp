#include "Measure.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <limits>
#include <vector>

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

double ProcessorSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double ProcessorTimeOfRun(const BenchTask& task, const RunOptions& options, std::uint64_t nRays) {
  auto state = Prepare(task, nRays);
  if (!state) return 0;
  RunObserver quiet;
  const double start = ProcessorSeconds();
  RunTracing(*state, quiet, options);
  return ProcessorSeconds() - start;
}

}  // namespace

PairTiming MeasurePair(const BenchTask& task, const RunOptions& a, const RunOptions& b, double seconds,
                       int repetitions) {
  std::uint64_t nRays = 1;
  Timing trial = TimeRun(task, a, nRays);
  while (trial.seconds < seconds / 10 && nRays < kMaxRays) {
    nRays = std::min<std::uint64_t>(nRays * 4, kMaxRays);
    trial = TimeRun(task, a, nRays);
  }
  const double perRay = trial.seconds / static_cast<double>(std::max<std::uint64_t>(1, trial.counters.rays));
  nRays = std::clamp<std::uint64_t>(static_cast<std::uint64_t>(seconds / perRay), 1, kMaxRays);
  PairTiming best{std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
  std::vector<double> ratios;
  for (int i = 0; i < repetitions; ++i) {
    // Which runs first alternates, so that a drift of the machine's load favours neither.
    double secondsA, secondsB;
    if (i % 2 == 0) {
      secondsA = ProcessorTimeOfRun(task, a, nRays);
      secondsB = ProcessorTimeOfRun(task, b, nRays);
    } else {
      secondsB = ProcessorTimeOfRun(task, b, nRays);
      secondsA = ProcessorTimeOfRun(task, a, nRays);
    }
    best.secondsA = std::min(best.secondsA, secondsA);
    best.secondsB = std::min(best.secondsB, secondsB);
    if (secondsA > 0) ratios.push_back(secondsB / secondsA);
  }
  if (!ratios.empty()) {
    std::sort(ratios.begin(), ratios.end());
    const std::size_t m = ratios.size() / 2;
    best.ratio = ratios.size() % 2 ? ratios[m] : (ratios[m - 1] + ratios[m]) / 2;
  }
  return best;
}

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
