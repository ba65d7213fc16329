#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/AppState.h"
#include "model/NumericBoxes.h"
#include "model/SpectralPoint.h"

namespace tessolan::bench {

// One of the benchmark's fixed tasks: the main window's design task (radiator 100, 45 degree
// pyramids of base 3, 35 x 35, Directional B at b = 5), varied in one respect at a time.
struct BenchTask {
  std::string name;
  TaskControls controls = DesignControls();
  std::vector<SpectralPoint> material{{10.0, 0.1}};
};

std::vector<BenchTask> FixedTasks();

// A state gathered and prepared for a run of nRays rays from a fixed seed; null (with the
// message printed) when the task does not gather.
std::unique_ptr<AppState> Prepare(const BenchTask& task, std::uint64_t nRays);

}  // namespace tessolan::bench
