#pragma once

// One task, from its file to its output files, in the steps every front takes: the batch tool,
// the modeling window and the Python package. A front owns its AppState and LoadedTask, calls
// the steps in order and stops at the first that fails, showing its message; warnings are shown
// and the flow goes on:
//
//   AppState state;  LoadedTask task;
//   LoadTask(path, state, task)                      read the task file and check it
//   SetField(task.controls, "SlantAngle", 60)        optional: as if typed into that box
//   GatherTask(task, state)                          the modeling command's checks
//   NameTask(state, TaskNameFromFile(path, now))     or a name of the user's; never blank
//   PrepareTask(state, rays, threshold)              geometry, emissivities, accuracy
//   state.randomSeed = seed;  RunTask(state, observer, options)
//   WriteOutputs(state, files, UserDecimalSeparator())   results, report, CSV
//
// The window gathers from its controls instead of a LoadedTask and adds only what needs a
// person: dialogs, the progress it shows, events.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/CsvExport.h"
#include "model/AppState.h"
#include "model/NumericBoxes.h"
#include "model/SpectralPoint.h"
#include "run/RunObserver.h"
#include "run/RunTracing.h"
#include "run/TaskRules.h"

namespace tessolan {

// What a step ends with: ok, or the message that stops the flow; warnings either way.
struct FlowStep {
  bool ok = true;
  std::string message;
  std::vector<std::string> warnings;
  explicit operator bool() const { return ok; }
};

// What the main window holds after loading a task file: its controls, table and comments.
struct LoadedTask {
  TaskControls controls;
  std::vector<SpectralPoint> material;
  std::vector<std::string> comments;
};

// The load at start: read, check the indices, preprocess the geometry on the values read, then
// the boxes (boxes of other viewing conditions keep their design values), table and comments.
// Warnings: comments cut to the limit, repeated wavelengths skipped.
FlowStep LoadTask(const std::string& path, AppState& state, LoadedTask& task);
// The same from the lines of an initial data file.
FlowStep LoadTaskLines(const std::vector<std::string>& lines, AppState& state, LoadedTask& task);
// The lines of the initial data file of the gathered task (stamped with time 0, so that the same
// task always gives the same lines).
std::vector<std::string> GatheredTaskLines(const AppState& state);

// One value set by its field name, as if the user had changed that control: a numeric box's
// task value (kept within the box's range and rounded to its decimals, with a warning when that
// changes it) or a radio group's index (refused when out of range).
struct FieldSetting {
  std::string field;
  long double value = 0;
  std::string text;  // the value as the user gave it, for messages
};
FlowStep SetField(TaskControls& controls, const FieldSetting& setting);
FlowStep SetField(TaskControls& controls, std::string_view field, long double value);

// The value a control holds, by field name; none for an unknown field.
std::optional<double> FieldValue(const TaskControls& controls, std::string_view field);

// Every name SetField takes: the three radio groups, then the numeric boxes in the window's order.
std::vector<std::string> SettableFieldNames();
bool IsSettableField(std::string_view field);

// What "Monte Carlo Modeling" gathers and checks from the loaded task. Numbers in its messages
// use `decimalSeparator`.
FlowStep GatherTask(const LoadedTask& task, AppState& state, char decimalSeparator = '.');

// Names the task; a blank name is refused ("Task Name cannot be blank").
FlowStep NameTask(AppState& state, const std::string& name);

// Start's preparation: geometry derived again, emissivities, accuracy. `stepLine`, when given,
// receives the lines of the modeling window's progress monitor as the steps go.
FlowStep PrepareTask(AppState& state, std::uint64_t rays, Extended threshold,
                     const std::function<void(const std::string&)>& stepLine = {});

// A generator seed from the clock, for a front that is given none.
std::uint32_t ClockSeed();

// The run from state.randomSeed (noted as the run's seed), with the start time and, unless the
// run was cut short by the field of view or a zero vector, the finish time. A run to a target
// error that completes records the rays it took as its NRays, for the report and CSV.
RunOutcome RunTask(AppState& state, RunObserver& observer, RunOptions options = {});

// The outputs of a completed run.
std::vector<std::string> ReportLines(const AppState& state, char decimalSeparator);
ResultsCsvHeading CsvHeading(const AppState& state);
std::vector<std::string> ResultsCsv(const AppState& state);
std::string ResultsText(const AppState& state);  // the results file's bytes

// The files the modeling window writes: the folder's safe task name with "_res.txt", "_rep.txt".
std::string ResultsFilePath(const AppState& state);
std::string ReportFilePath(const AppState& state);

struct OutputFiles {
  std::optional<std::string> results;
  std::optional<std::string> report;
  std::optional<std::string> csv;
};

// Writes each file named; every one is attempted. Fails with one line per file not written.
FlowStep WriteOutputs(const AppState& state, const OutputFiles& files, char decimalSeparator);

}  // namespace tessolan
