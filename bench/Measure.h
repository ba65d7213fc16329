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

}  // namespace tessolan::bench
