#include "BatchBudget.h"

#include <string>
#include <vector>

#include "data/CsvExport.h"
#include "data/FileMessages.h"
#include "data/ReportFile.h"
#include "run/BudgetInputs.h"
#include "run/TaskRules.h"

namespace tessolan {
namespace {

// The task as the run took it: loaded and with the settings (their warnings were shown then).
bool LoadWithSettings(const BatchOptions& options, LoadedTask& task, std::ostream& err) {
  AppState state;
  FlowStep step = LoadTask(options.taskFile, state, task);
  for (const FieldSetting& setting : options.settings)
    if (step) step = SetField(task.controls, setting);
  if (!step) err << step.message << '\n';
  return step.ok;
}

bool Request(const BatchOptions& options, const LoadedTask& task, std::uint32_t seed, BudgetRequest& request,
             std::ostream& err) {
  request.inputs = options.budget.inputs;
  request.coverageFactor = options.budget.coverage.value_or(2);
  request.rays = options.rays;
  request.threshold = options.threshold;
  request.seed = seed;
  request.options = options.run;
  if (!options.budget.reflectanceFile) return true;
  for (InputUncertainty& input : request.inputs) {
    if (input.input != "Reflectance") continue;
    std::string message;
    if (!ReadReflectanceUncertainties(*options.budget.reflectanceFile, task.material, input.perWavelength, message)) {
      err << message << '\n';
      return false;
    }
  }
  return true;
}

// A line on a terminal that counts the budget's runs.
BudgetProgress TerminalProgress(const BatchOptions& options, const BatchStreams& io,
                                const std::atomic<bool>& interrupted) {
  BudgetProgress progress;
  progress.stop = &interrupted;
  if (!io.errIsTerminal || options.quiet) return progress;
  progress.step = [&err = io.err](int done, int total, const std::string&) {
    err << "\rBudget: run " << std::min(done + 1, total) << " of " << total << (done == total ? "\n" : "")
        << std::flush;
  };
  return progress;
}

bool WriteBudget(const BatchOptions& options, const Budget& budget, const BatchStreams& io) {
  const std::vector<std::string> lines = BudgetLines(budget, UserDecimalSeparator());
  std::ostream& printed = options.resultsFile ? io.out : io.err;
  for (const std::string& line : lines) printed << line << '\n';
  printed << std::flush;
  bool ok = true;
  std::string message;
  if (options.reportFile) {
    const std::string path = BudgetFileBesideReport(*options.reportFile);
    if (!SaveReportFile(path, lines, message)) ok = false, io.err << NamedFileWritingErrorMessage(path) << '\n';
  }
  if (options.budget.csvFile && !SaveCsvFile(*options.budget.csvFile, BudgetCsv(budget), message))
    ok = false, io.err << NamedFileWritingErrorMessage(*options.budget.csvFile) << '\n';
  return ok;
}

}  // namespace

bool PlanBatchBudget(const BatchOptions& options, std::uint32_t seed, BatchBudgetPlan& plan, std::ostream& err) {
  if (!LoadWithSettings(options, plan.task, err) || !Request(options, plan.task, seed, plan.request, err)) return false;
  std::vector<ResolvedInput> resolved;
  const FlowStep step = ResolveBudgetInputs(plan.task, plan.request.inputs, resolved);
  if (!step) err << step.message << '\n';
  return step.ok;
}

int RunBatchBudget(const BatchOptions& options, const BatchBudgetPlan& plan, const BatchStreams& io,
                   const std::atomic<bool>& interrupted) {
  Budget budget;
  const FlowStep step = RunBudget(plan.task, plan.request, budget, TerminalProgress(options, io, interrupted));
  for (const std::string& warning : step.warnings) io.err << "Warning: " << warning << '\n';
  if (interrupted) {
    io.err << (io.errIsTerminal ? "\n" : "") << RunOutcomeMessage(RunOutcome::StoppedByUser) << '\n';
    return kExitStopped;
  }
  if (!step) {
    io.err << step.message << '\n';
    return kExitInvalid;
  }
  return WriteBudget(options, budget, io) ? kExitDone : kExitInvalid;
}

}  // namespace tessolan
