#include "BatchRun.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "model/AppState.h"
#include "data/CsvExport.h"
#include "data/FileMessages.h"
#include "run/Gathering.h"
#include "engine/GeometryPreprocessing.h"
#include "data/InitialDataFile.h"
#include "data/KeyedTable.h"
#include "model/Notation.h"
#include "data/RadioIndices.h"
#include "engine/RandomGenerator.h"
#include "run/Report.h"
#include "data/ReportFile.h"
#include "data/ResultsFile.h"
#include "run/RunTracing.h"
#include "data/TextFile.h"

#include "ProgressBar.h"

#ifndef TESSOLAN_VERSION
#define TESSOLAN_VERSION "unknown"
#endif

namespace tessolan {
namespace {

// Shows the program's message; false, so that a step can end with it.
bool Fail(std::ostream& err, const std::string& message) {
  err << message << '\n';
  return false;
}

// What the main window holds after loading a task file: its controls, table and comments.
struct LoadedTask {
  TaskControls controls;
  std::vector<SpectralPoint> material;
  std::vector<std::string> comments;
};

// The load at start: read, check the indices, preprocess the geometry on the values read, then
// the boxes (boxes of other viewing conditions keep their design values), table and comments.
bool LoadTask(const std::string& path, AppState& state, LoadedTask& task, std::ostream& err) {
  const InitialDataFileRead read = ReadInitialDataFile(path);
  if (!read.ok) return Fail(err, read.message);
  const LoadedInitialData& d = read.data;
  if (d.commentsTooLong) err << "Warning: " << kCommentsTooLongMessage << '\n';
  std::string message;
  if (!CheckRadioIndices(d.Shape, d.CenterPosition, d.VCType, message)) return Fail(err, message);
  state.initialData = d.task;
  if (!PreprocessGeometry(state.initialData, state.geometry, message)) return Fail(err, message);
  task.controls = LoadedControls(d, DesignControls());
  SpectralTable table;
  if (const int skipped = InsertAll<SpectralPoint>(table, d.points))
    err << "Warning: " << DuplicatedPointsMessage(skipped) << '\n';
  task.material = table.Records();
  task.comments = d.comments;
  return true;
}

// The --set overrides, as if typed into the controls: a box value is kept within the box's range
// and rounded to its decimals; a radio index must be one of its group's items.
bool ApplySettings(const std::vector<FieldSetting>& settings, TaskControls& controls, std::ostream& err) {
  for (const FieldSetting& s : settings) {
    if (const auto group = FindRadioGroupByFieldName(s.field)) {
      const std::string message = RadioIndexMessage(*group, static_cast<long long>(s.value));
      if (!message.empty()) return Fail(err, message);
      int& index = *group == RadioGroup::Shape            ? controls.Shape
                   : *group == RadioGroup::CenterPosition ? controls.CenterPosition
                                                          : controls.VCType;
      index = static_cast<int>(s.value);
      continue;
    }
    const NumericBox box = *FindBoxByFieldName(s.field);
    const NumericBoxSpec& limits = BoxSpec(box);
    const double value = BoxValue(box, static_cast<double>(s.value));
    if (value != s.value) {
      err << "Warning: " << s.field << "=" << s.text << " is taken as " << FormatFixed(value, 15, limits.decimals)
          << " (range " << FormatGeneral(limits.minimum) << " to " << FormatGeneral(limits.maximum) << ", "
          << limits.decimals << " decimals)\n";
    }
    controls[box] = value;
  }
  return true;
}

std::string DefaultTaskName(const std::string& path) {
  std::string name = std::filesystem::path(path).filename().string();
  if (name.size() >= 4 && name.substr(name.size() - 4) == ".txt") name.resize(name.size() - 4);
  return name;
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

ResultsCsvHeading CsvHeading(const AppState& state, std::uint32_t seed) {
  return {state.identity.TaskName, state.accuracy.NRays, state.accuracy.Threshold, seed, std::nullopt,
          state.run.RunPrecision};
}

bool WriteCsv(const std::optional<std::string>& file, const std::vector<std::string>& lines, std::ostream& out,
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

// The results (to the file or standard output) and the report; every file is attempted.
bool WriteOutputs(const BatchOptions& options, const AppState& state, std::uint32_t seed, std::ostream& out,
                  std::ostream& err) {
  bool ok = true;
  std::string message;
  if (!options.resultsFile) {
    out << FileBytes(ResultsFileLines(state.spectral)) << std::flush;
  } else if (!SaveResultsFile(*options.resultsFile, state.spectral, message)) {
    err << NamedFileWritingErrorMessage(*options.resultsFile) << '\n';
    ok = false;
  }
  if (options.reportFile) {
    const auto report = BuildReport(state, state.run.StartTime, state.run.FinishTime);
    if (!SaveReportFile(*options.reportFile, report, message)) {
      err << NamedFileWritingErrorMessage(*options.reportFile) << '\n';
      ok = false;
    }
  }
  if (options.csvFile) {
    const auto lines = ResultsCsvLines(CsvHeading(state, seed), ResultsRows(state.spectral));
    ok = WriteCsv(options.csvFile, lines, out, err) && ok;
  }
  return ok;
}

int Trace(const RunOptions& run, bool quiet, AppState& state, const BatchStreams& io,
          const std::atomic<bool>& interrupted) {
  std::unique_ptr<ProgressBar> bar;
  if (io.errIsTerminal && !quiet) bar = std::make_unique<ProgressBar>(io.err, state.accuracy.NRays);
  BatchObserver observer(state.run, interrupted, std::move(bar));
  state.run.StartTime = DateTimeNow();
  const RunOutcome outcome = RunTracing(state, observer, run);
  if (interrupted || outcome == RunOutcome::StoppedByUser) {
    io.err << RunOutcomeMessage(RunOutcome::StoppedByUser) << '\n';
    return kExitStopped;
  }
  if (outcome != RunOutcome::Completed) {
    io.err << RunOutcomeMessage(outcome) << '\n';
    return outcome == RunOutcome::FovInterrupted ? kExitFovInterrupted : kExitInvalid;
  }
  state.run.FinishTime = DateTimeNow();
  return kExitDone;
}

// Everything before the run, with the modeling command's checks and Start's preparation.
bool PrepareTask(const BatchOptions& options, const std::vector<FieldSetting>& settings, AppState& state,
                 std::ostream& err) {
  LoadedTask task;
  std::string message;
  if (!LoadTask(options.taskFile, state, task, err) || !ApplySettings(settings, task.controls, err)) return false;
  if (!GatherForModeling(task.controls, task.material, task.comments, state, message)) return Fail(err, message);
  state.identity.TaskName = options.taskName.value_or(DefaultTaskName(options.taskFile));
  if (IsBlank(state.identity.TaskName)) return Fail(err, "Task Name cannot be blank");
  return PrepareRun(state, options.rays, options.threshold, message) || Fail(err, message);
}

std::uint32_t ChooseSeed(const BatchOptions& options) {
  RandomGenerator clock;
  clock.Randomize();
  return options.seed.value_or(clock.seed());
}

// Loads, prepares and traces the task with these settings from `seed`; kExitDone with the state
// holding the results, or the exit code of what went wrong.
// The seed is announced once the task is ready, when `announceSeed` says so.
int RunTask(const BatchOptions& options, const std::vector<FieldSetting>& settings, std::uint32_t seed,
            bool announceSeed, AppState& state, const BatchStreams& io, const std::atomic<bool>& interrupted) {
  if (!PrepareTask(options, settings, state, io.err)) return kExitInvalid;
  state.randomSeed = seed;
  if (announceSeed) io.err << "Random seed: " << seed << '\n';
  if (interrupted) {
    Fail(io.err, RunOutcomeMessage(RunOutcome::StoppedByUser));
    return kExitStopped;
  }
  RunCounters counters;
  RunOptions run = options.run;
  run.counters = &counters;
  if (const int code = Trace(run, options.quiet, state, io, interrupted); code != kExitDone) return code;
  if (run.targetError > 0) {
    // The report then says how many rays the run took.
    state.accuracy.NRays = static_cast<std::uint32_t>(counters.rays);
    io.err << "Rays traced: " << counters.rays << '\n';
  }
  return kExitDone;
}

// A sweep: the task once per value of the swept field, every run from the same seed, all rows
// in one CSV table.
int RunSweep(const BatchOptions& options, const BatchStreams& io, const std::atomic<bool>& interrupted) {
  const Sweep& sweep = *options.sweep;
  const std::uint32_t seed = ChooseSeed(options);
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
    runs.push_back({box ? BoxValue(*box, static_cast<double>(value)) : static_cast<double>(value),
                    ResultsRows(state->spectral)});
    heading = CsvHeading(*state, seed);
  }
  return WriteCsv(options.csvFile, SweepCsvLines(heading, sweep.field, runs), io.out, io.err) ? kExitDone
                                                                                              : kExitInvalid;
}

}  // namespace

int RunBatch(const BatchOptions& options, const BatchStreams& io, const std::atomic<bool>& interrupted) {
  if (options.sweep) return RunSweep(options, io, interrupted);
  const std::uint32_t seed = ChooseSeed(options);
  auto state = std::make_unique<AppState>();
  if (const int code = RunTask(options, options.settings, seed, true, *state, io, interrupted); code != kExitDone)
    return code;
  return WriteOutputs(options, *state, seed, io.out, io.err) ? kExitDone : kExitInvalid;
}

int BatchMain(std::span<const std::string> args, const BatchStreams& io, const std::atomic<bool>& interrupted) {
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
      break;
  }
  return RunBatch(parsed.options, io, interrupted);
}

}  // namespace tessolan
