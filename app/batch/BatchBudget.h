#pragma once

#include <atomic>
#include <cstdint>

#include "BatchRun.h"

namespace tessolan {

// What the budget will run: the task with the options' settings and the request.
struct BatchBudgetPlan {
  LoadedTask task;
  BudgetRequest request;
};

// Checks the budget before the task's own run, so that a fault in it (an unreadable file of
// reflectance uncertainties, an input that does not apply) costs no run: loads the task with the
// settings, reads the file and checks the inputs. False with the message shown on `err`.
bool PlanBatchBudget(const BatchOptions& options, std::uint32_t seed, BatchBudgetPlan& plan, std::ostream& err);

// The uncertainty budget of the plan, from the seed of the task's run: printed (to standard
// output when the results went to a file, else to standard error), written beside the report
// with -r and as CSV with --budget. Returns the exit code.
int RunBatchBudget(const BatchOptions& options, const BatchBudgetPlan& plan, const BatchStreams& io,
                   const std::atomic<bool>& interrupted);

}  // namespace tessolan
