#include "BatchRun.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

#include "data/CsvExport.h"
#include "data/FileMessages.h"
#include "data/ResultsFile.h"
#include "model/AppState.h"
#include "model/Notation.h"
#include "run/MergeShards.h"
#include "run/ShardRun.h"
#include "run/TaskFlow.h"

#include "BatchBudget.h"
#include "BatchMap.h"
#include "ProgressBar.h"

#ifndef TESSOLAN_VERSION
#define TESSOLAN_VERSION "unknown"
#endif

namespace tessolan {
namespace {

// Shows the step's warnings, and its message when it failed; true when it went through.
bool Show(const FlowStep& step, std::ostream& err) {
  for (const std::string& warning : step.warnings) err << "Warning: " << warning << '\n';
  if (!step.ok) err << step.message << '\n';
  return step.ok;
}

// Follows the run for the batch tool: Ctrl-C becomes the Stop button, and a terminal shows a bar.
class BatchObserver : public RunObserver {
 public:
  BatchObserver(RunRecord& run, const std::atomic<bool>& interrupted, std::unique_ptr<ProgressBar> bar)
      : run_(run), interrupted_(interrupted), bar_(std::move(bar)) {}

  void StatusTick(std::uint32_t rayIndex) override {
    if (interrupted_) run_.StopRequested = true;
    if (bar_) bar_->Update(rayIndex - 1);
  }
  void RunEnded() override {
    if (bar_) bar_->Clear();
  }

 private:
  RunRecord& run_;
  const std::atomic<bool>& interrupted_;
  std::unique_ptr<ProgressBar> bar_;
};

// The results (to the file or standard output), the report and the CSV; every file is
// attempted. The report takes the user's decimal separator, as the window's does.
bool WriteOutputs(const BatchOptions& options, const AppState& state, std::ostream& out, std::ostream& err) {
  if (!options.resultsFile) out << ResultsText(state) << std::flush;
  const OutputFiles files{options.resultsFile, options.reportFile, options.csvFile};
  return Show(WriteOutputs(state, files, UserDecimalSeparator()), err);
}

// A sweep's table: to its file, or to standard output when none is given.
bool WriteSweepCsv(const std::optional<std::string>& file, const std::vector<std::string>& lines, std::ostream& out,
                   std::ostream& err) {
  std::string message;
  if (!file) {
    out << CsvText(lines) << std::flush;
    return true;
  }
  if (SaveCsvFile(*file, lines, message)) return true;
  err << NamedFileWritingErrorMessage(*file) << '\n';
  return false;
}

// Traces with `trace` (a whole run or a shard of `rays` rays) and shows how it ended.
template <class TraceRun>
int Trace(std::uint64_t rays, bool quiet, AppState& state, const BatchStreams& io, const std::atomic<bool>& interrupted,
          const RunOptions& run, TraceRun trace) {
  std::unique_ptr<ProgressBar> bar;
  if (io.errIsTerminal && !quiet) bar = std::make_unique<ProgressBar>(io.err, rays);
  BatchObserver observer(state.run, interrupted, std::move(bar));
  const RunOutcome outcome = trace(observer);
  if (interrupted || outcome == RunOutcome::StoppedByUser) {
    io.err << RunOutcomeMessage(RunOutcome::StoppedByUser) << '\n';
    return kExitStopped;
  }
  if (outcome != RunOutcome::Completed) {
    io.err << RunOutcomeMessage(outcome) << '\n';
    return outcome == RunOutcome::FovInterrupted ? kExitFovInterrupted : kExitInvalid;
  }
  if (run.targetError > 0) io.err << "Rays traced: " << state.accuracy.NRays << '\n';
  return kExitDone;
}

// A shard of the prepared task: traced, then its partial result written.
int TraceShard(const BatchOptions& options, AppState& state, const BatchStreams& io,
               const std::atomic<bool>& interrupted) {
  const ShardIdentity shard{options.shard->index, options.shard->count, TESSOLAN_VERSION};
  const auto [first, end] = ShardBlocks(ParallelBlocks(state.accuracy.NRays), shard.index, shard.count);
  const std::uint64_t rays = std::min<std::uint64_t>(end * kParallelBlockRays, state.accuracy.NRays) -
                             std::min<std::uint64_t>(first * kParallelBlockRays, state.accuracy.NRays);
  PartialResult partial;
  int code = kExitDone;
  try {
    code = Trace(rays, options.quiet, state, io, interrupted, options.run,
                 [&](RunObserver& observer) { return RunShard(state, observer, options.run, shard, partial); });
  } catch (const std::logic_error& e) {
    io.err << e.what() << '\n';
    return kExitInvalid;
  }
  if (code != kExitDone) return code;
  std::string message;
  if (SavePartialResultFile(*options.partialFile, partial, message)) return kExitDone;
  io.err << NamedFileWritingErrorMessage(*options.partialFile) << '\n';
  return kExitInvalid;
}

// Everything before the run: load, the settings, the modeling command's checks, the name and
// Start's preparation.
bool PrepareTask(const BatchOptions& options, const std::vector<FieldSetting>& settings, AppState& state,
                 std::ostream& err) {
  LoadedTask task;
  if (!Show(LoadTask(options.taskFile, state, task), err)) return false;
  for (const FieldSetting& setting : settings)
    if (!Show(SetField(task.controls, setting), err)) return false;
  if (!Show(GatherTask(task, state), err)) return false;
  const std::string name = options.taskName.value_or(TaskNameFromFile(options.taskFile, DateTimeNow()));
  return Show(NameTask(state, name), err) && Show(PrepareTask(state, options.rays, options.threshold), err);
}

// Loads, prepares and traces the task with these settings from `seed`; kExitDone with the state
// holding the results, or the exit code of what went wrong.
// The seed is announced once the task is ready, when `announceSeed` says so.
// With `map`, the run also maps as --map asks (an unknown --map-wavelength is a usage error).
int RunTask(const BatchOptions& options, const std::vector<FieldSetting>& settings, std::uint32_t seed,
            bool announceSeed, AppState& state, const BatchStreams& io, const std::atomic<bool>& interrupted,
            RunMap* map = nullptr) {
  if (!PrepareTask(options, settings, state, io.err)) return kExitInvalid;
  RunOptions run = options.run;
  if (map) {
    std::string message;
    if (!MakeMapRequest(options.map, state.spectral, *map, message)) {
      io.err << "tessolan-batch: " << message << '\n';
      return kExitUsage;
    }
    run.map = map;
  }
  state.randomSeed = seed;
  if (announceSeed) io.err << "Random seed: " << seed << '\n';
  if (interrupted) {
    io.err << RunOutcomeMessage(RunOutcome::StoppedByUser) << '\n';
    return kExitStopped;
  }
  if (options.shard) return TraceShard(options, state, io, interrupted);
  return Trace(state.accuracy.NRays, options.quiet, state, io, interrupted, run,
               [&](RunObserver& observer) { return RunTask(state, observer, run); });
}

// A sweep: the task once per value of the swept field, every run from the same seed, all rows
// in one CSV table.
int RunSweep(const BatchOptions& options, const BatchStreams& io, const std::atomic<bool>& interrupted) {
  const Sweep& sweep = *options.sweep;
  const std::uint32_t seed = options.seed.value_or(ClockSeed());
  std::vector<SweepRun> runs;
  ResultsCsvHeading heading;
  const auto box = FindBoxByFieldName(sweep.field);
  for (const long double value : sweep.Values()) {
    std::vector<FieldSetting> settings = options.settings;
    settings.push_back({sweep.field, value, FormatGeneral(value)});
    if (!options.quiet) io.err << sweep.field << "=" << FormatGeneral(value) << '\n';
    auto state = std::make_unique<AppState>();
    const bool first = runs.empty();
    if (const int code = RunTask(options, settings, seed, first, *state, io, interrupted); code != kExitDone)
      return code;
    // The value as the run took it: a box's value within its range and decimals.
    runs.push_back(
        {box ? BoxValue(*box, static_cast<double>(value)) : static_cast<double>(value), ResultsRows(state->spectral)});
    heading = CsvHeading(*state);
  }
  return WriteSweepCsv(options.csvFile, SweepCsvLines(heading, sweep.field, runs), io.out, io.err) ? kExitDone
                                                                                                   : kExitInvalid;
}

}  // namespace

int MergeBatch(const BatchOptions& options, const BatchStreams& io) {
  std::vector<NamedPartial> partials;
  for (const std::string& file : options.partialFiles) {
    PartialResultRead read = ReadPartialResultFile(file);
    if (!read.ok) {
      io.err << "\"" << file << "\" is not a usable partial result: " << read.message << '\n';
      return kExitInvalid;
    }
    partials.push_back({file, std::move(read.partial)});
  }
  auto state = std::make_unique<AppState>();
  if (!Show(MergePartials(partials, TESSOLAN_VERSION, *state), io.err)) return kExitInvalid;
  return WriteOutputs(options, *state, io.out, io.err) ? kExitDone : kExitInvalid;
}

int RunBatch(const BatchOptions& options, const BatchStreams& io, const std::atomic<bool>& interrupted,
             const MapPictureWriter& drawMap) {
  if (options.map.pngFile && !drawMap) {
    io.err << "tessolan-batch: --map-png: this build draws no pictures (it was built without the window)\n";
    return kExitUsage;
  }
  if (options.merge) return MergeBatch(options, io);
  if (options.sweep) return RunSweep(options, io, interrupted);
  const std::uint32_t seed = options.seed.value_or(ClockSeed());
  auto state = std::make_unique<AppState>();
  auto map = options.map.Wanted() ? std::make_unique<RunMap>() : nullptr;
  auto budget = options.budget.Requested() ? std::make_unique<BatchBudgetPlan>() : nullptr;
  if (budget && !PlanBatchBudget(options, seed, *budget, io.err)) return kExitInvalid;
  if (const int code = RunTask(options, options.settings, seed, true, *state, io, interrupted, map.get());
      code != kExitDone || options.shard)
    return code;
  const bool written = WriteOutputs(options, *state, io.out, io.err);
  const bool mapped = !map || WriteMapOutputs(options.map, *state, *map, drawMap, options.quiet, io.err);
  if (!written || !mapped) return kExitInvalid;
  return budget ? RunBatchBudget(options, *budget, io, interrupted) : kExitDone;
}

int BatchMain(std::span<const std::string> args, const BatchStreams& io, const std::atomic<bool>& interrupted,
              const MapPictureWriter& drawMap) {
  const ParsedArguments parsed = ParseBatchArguments(args);
  if (!parsed.ok) {
    io.err << "tessolan-batch: " << parsed.error << "\nTry 'tessolan-batch --help' for more information.\n";
    return kExitUsage;
  }
  switch (parsed.action) {
    case BatchAction::Help:
      io.out << BatchUsage();
      return kExitDone;
    case BatchAction::Version:
      io.out << "tessolan-batch " << TESSOLAN_VERSION << '\n';
      return kExitDone;
    case BatchAction::Run:
    case BatchAction::Merge:
      break;
  }
  return RunBatch(parsed.options, io, interrupted, drawMap);
}

}  // namespace tessolan
