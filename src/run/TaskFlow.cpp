#include "run/TaskFlow.h"

#include <algorithm>
#include <cmath>

#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "data/KeyedTable.h"
#include "data/RadioIndices.h"
#include "data/ReportFile.h"
#include "data/ResultsFile.h"
#include "data/TextFile.h"
#include "engine/GeometryPreprocessing.h"
#include "engine/RandomGenerator.h"
#include "model/Folders.h"
#include "model/Notation.h"
#include "run/Gathering.h"
#include "run/Report.h"

namespace tessolan {
namespace {

FlowStep Failed(std::string message, std::vector<std::string> warnings = {}) {
  return {false, std::move(message), std::move(warnings)};
}

// The index of the group's control; const when the controls are.
template <typename Controls>
auto& RadioIndex(Controls& controls, RadioGroup group) {
  return group == RadioGroup::Shape            ? controls.Shape
         : group == RadioGroup::CenterPosition ? controls.CenterPosition
                                               : controls.VCType;
}

std::string NotAValueMessage(const FieldSetting& s) { return "'" + s.text + "' is not a valid value for " + s.field; }

}  // namespace

namespace {

FlowStep LoadRead(const InitialDataFileRead& read, AppState& state, LoadedTask& task) {
  if (!read.ok) return Failed(read.message);
  const LoadedInitialData& d = read.data;
  FlowStep step;
  if (d.commentsTooLong) step.warnings.emplace_back(kCommentsTooLongMessage);
  if (!CheckRadioIndices(d.Shape, d.CenterPosition, d.VCType, step.message)) return Failed(step.message, step.warnings);
  state.initialData = d.task;
  if (!PreprocessGeometry(state.initialData, state.geometry, step.message)) return Failed(step.message, step.warnings);
  task.controls = LoadedControls(d, DesignControls());
  SpectralTable table;
  if (const int skipped = InsertAll<SpectralPoint>(table, d.points))
    step.warnings.push_back(DuplicatedPointsMessage(skipped));
  task.material = table.Records();
  task.comments = d.comments;
  return step;
}

}  // namespace

FlowStep LoadTask(const std::string& path, AppState& state, LoadedTask& task) {
  return LoadRead(ReadInitialDataFile(path), state, task);
}

FlowStep LoadTaskLines(const std::vector<std::string>& lines, AppState& state, LoadedTask& task) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return LoadRead(ParseInitialDataText(text), state, task);
}

std::vector<std::string> GatheredTaskLines(const AppState& state) {
  const std::vector<std::string> comments(
      state.identity.CommentLines.begin(),
      state.identity.CommentLines.begin() +
          std::min<std::size_t>(state.identity.CommentLines.size(), std::max(0, state.identity.CommentCount)));
  return InitialDataFileLines(state.initialData, state.spectral, comments, 0);
}

FlowStep SetField(TaskControls& controls, const FieldSetting& s) {
  if (const auto group = FindRadioGroupByFieldName(s.field)) {
    if (!std::isfinite(s.value) || s.value != std::floor(s.value) || std::fabs(s.value) > 1e18L)
      return Failed(NotAValueMessage(s));
    const std::string message = RadioIndexMessage(*group, static_cast<long long>(s.value));
    if (!message.empty()) return Failed(message);
    RadioIndex(controls, *group) = static_cast<int>(s.value);
    return {};
  }
  const auto box = FindBoxByFieldName(s.field);
  if (!box) return Failed("unknown field '" + s.field + "'");
  if (std::isnan(s.value)) return Failed(NotAValueMessage(s));
  const NumericBoxSpec& limits = BoxSpec(*box);
  const double given = static_cast<double>(s.value);
  const double value = BoxValue(*box, given);
  FlowStep step;
  // A box holds a double: a value already on the box's grid (0.9 for the nearest double to it)
  // is taken as it is, without a word.
  if (value != given) {
    step.warnings.push_back(s.field + "=" + s.text + " is taken as " + FormatFixed(value, 15, limits.decimals) +
                            " (range " + FormatGeneral(limits.minimum) + " to " + FormatGeneral(limits.maximum) + ", " +
                            std::to_string(limits.decimals) + " decimals)");
  }
  controls[*box] = value;
  return step;
}

FlowStep SetField(TaskControls& controls, std::string_view field, long double value) {
  return SetField(controls, FieldSetting{std::string(field), value, FormatGeneral(value)});
}

std::optional<double> FieldValue(const TaskControls& controls, std::string_view field) {
  if (const auto group = FindRadioGroupByFieldName(field)) return RadioIndex(controls, *group);
  if (const auto box = FindBoxByFieldName(field)) return controls[*box];
  return std::nullopt;
}

std::vector<std::string> SettableFieldNames() {
  std::vector<std::string> names{"Shape", "CenterPosition", "VCType"};
  for (const auto& box : kNumericBoxes) names.emplace_back(box.fieldName);
  return names;
}

bool IsSettableField(std::string_view field) {
  return FindRadioGroupByFieldName(field).has_value() || FindBoxByFieldName(field).has_value();
}

FlowStep GatherTask(const LoadedTask& task, AppState& state, char decimalSeparator) {
  FlowStep step;
  step.ok = GatherForModeling(task.controls, task.material, task.comments, state, step.message, decimalSeparator);
  return step;
}

FlowStep NameTask(AppState& state, const std::string& name) {
  if (IsBlankText(name)) return Failed(kBlankTaskNameMessage);
  state.identity.TaskName = name;
  return {};
}

FlowStep PrepareTask(AppState& state, std::uint64_t rays, Extended threshold,
                     const std::function<void(const std::string&)>& stepLine) {
  FlowStep step;
  step.ok = PrepareRun(state, rays, threshold, step.message, stepLine);
  return step;
}

std::uint32_t ClockSeed() {
  RandomGenerator clock;
  clock.Randomize();
  return clock.seed();
}

RunOutcome RunTask(AppState& state, RunObserver& observer, RunOptions options) {
  RunCounters counters;
  if (!options.counters) options.counters = &counters;
  state.run.RunSeed = state.randomSeed;
  state.run.StartTime = DateTimeNow();
  const RunOutcome outcome = RunTracing(state, observer, options);
  if (outcome == RunOutcome::FovInterrupted || outcome == RunOutcome::VectorNormZero) return outcome;
  state.run.FinishTime = DateTimeNow();
  if (outcome == RunOutcome::Completed && options.targetError > 0)
    state.accuracy.NRays = static_cast<std::uint32_t>(options.counters->rays);
  return outcome;
}

std::vector<std::string> ReportLines(const AppState& state, char decimalSeparator) {
  return BuildReport(state, state.run.StartTime, state.run.FinishTime, decimalSeparator);
}

ResultsCsvHeading CsvHeading(const AppState& state) {
  return {state.identity.TaskName, state.accuracy.NRays, state.accuracy.Threshold,
          state.run.RunSeed,       std::nullopt,         state.run.RunPrecision};
}

std::vector<std::string> ResultsCsv(const AppState& state) {
  return ResultsCsvLines(CsvHeading(state), ResultsRows(state.spectral));
}

std::string ResultsText(const AppState& state) { return FileBytes(ResultsFileLines(state.spectral)); }

std::string ResultsFilePath(const AppState& state) {
  return state.folders.ResultsDir + "/" + MakeSafeFileName(state.identity.TaskName) + "_res.txt";
}

std::string ReportFilePath(const AppState& state) {
  return state.folders.ReportsDir + "/" + MakeSafeFileName(state.identity.TaskName) + "_rep.txt";
}

FlowStep WriteOutputs(const AppState& state, const OutputFiles& files, char decimalSeparator) {
  std::vector<std::string> failed;
  std::string message;
  if (files.results && !SaveResultsFile(*files.results, state.spectral, message)) failed.push_back(*files.results);
  if (files.report && !SaveReportFile(*files.report, ReportLines(state, decimalSeparator), message))
    failed.push_back(*files.report);
  if (files.csv && !SaveCsvFile(*files.csv, ResultsCsv(state), message)) failed.push_back(*files.csv);
  FlowStep step;
  for (const std::string& path : failed) {
    step.ok = false;
    step.message += (step.message.empty() ? "" : "\n") + NamedFileWritingErrorMessage(path);
  }
  return step;
}

}  // namespace tessolan
