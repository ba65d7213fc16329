#pragma once

#include <atomic>
#include <cstdint>

#include "BatchRun.h"

namespace tessolan {

// The uncertainty budget of the task with the options' settings, from the seed of its run:
// printed (to standard output when the results went to a file, else to standard error), written
// beside the report with -r and as CSV with --budget. Returns the exit code.
int RunBatchBudget(const BatchOptions& options, std::uint32_t seed, const BatchStreams& io,
                   const std::atomic<bool>& interrupted);

}  // namespace tessolan
