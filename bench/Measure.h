#pragma once

#include <cstdint>

#include "BenchTasks.h"
#include "run/RunTracing.h"

namespace tessolan::bench {

// What one way of running a task achieved: the best of its repetitions.
struct Speed {
  double raysPerSecond = 0;
  double nanosecondsPerHit = 0;
  double hitsPerRay = 0;
};

// Times whole runs of the task with the given options. The ray count is grown until a run
// takes a tenth of `seconds`, then set so that a run takes about `seconds`; the fastest of
// `repetitions` such runs counts.
Speed Measure(const BenchTask& task, const RunOptions& options, double seconds, int repetitions);

// What a change of options costs: runs of the same rays with `a` and with `b`, in pairs, each
// timed by the process's processor time (the work a run takes, all threads together, less moved
// than the wall clock by other programs sharing the processors). The smallest time of each, and
// the median over the pairs of the ratio b / a: steadier than the ratio of the smallest times
// on a machine whose load changes.
struct PairTiming {
  double secondsA = 0, secondsB = 0;
  double ratio = 0;
  double Ratio() const { return ratio; }
};
PairTiming MeasurePair(const BenchTask& task, const RunOptions& a, const RunOptions& b, double seconds,
                       int repetitions);

}  // namespace tessolan::bench
