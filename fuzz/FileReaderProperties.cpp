#include "FileReaderProperties.h"

#include <memory>
#include <optional>
#include <vector>

#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "data/KeyedTable.h"
#include "data/RadioIndices.h"
#include "data/ReflectanceFile.h"
#include "data/ResultsFile.h"
#include "data/TextEncoding.h"
#include "data/TextFile.h"
#include "data/TextLines.h"
#include "engine/GeometryPreprocessing.h"
#include "model/AppState.h"
#include "model/NumericBoxes.h"
#include "run/Gathering.h"

namespace tessolan::fuzzing {
namespace {

std::vector<std::string> ReflectanceLines(const std::vector<SpectralPoint>& points) {
  std::vector<std::string> lines;
  for (const SpectralPoint& p : points) lines.push_back(ReflectanceLine(p.WL, p.Reflectance));
  return lines;
}

bool WithinTheirBoxes(const TaskControls& c) {
  for (const NumericBoxSpec& limits : kNumericBoxes)
    if (!(limits.minimum <= c[limits.box] && c[limits.box] <= limits.maximum)) return false;
  return true;
}

InitialDataFileRead LoadInitialData(std::string_view bytes) { return ParseInitialDataText(DecodeFileText(bytes)); }

// What Save As writes after a load: the task gathered from the loaded controls and table;
// nothing when the task does not gather.
std::optional<std::vector<std::string>> SaveAfterLoad(const LoadedInitialData& d, AppState& state) {
  std::string message;
  state.initialData = d.task;
  AuxiliaryTexts texts;  // as the window shows them, from the values read
  if (!PreprocessGeometry(state.initialData, state.geometry, message, &texts)) return std::nullopt;
  const TaskControls controls = LoadedControls(d, DesignControls());
  SpectralTable table;
  InsertAll<SpectralPoint>(table, d.points);
  if (!GatherForModeling(controls, table.Records(), d.comments, state, message)) return std::nullopt;
  return InitialDataFileLines(state.initialData, state.spectral, d.comments, 0);
}

// A saved file loads with its points and comments, and once the program has saved a task, Load
// and Save give that file back. (The first save may change the task: gathering uses a cone angle
// of 180 as 179.9, and wavelengths that differ beyond the file's five decimals become repeats.)
std::string CheckSavedTaskLoadsBack(const LoadedInitialData& d) {
  // One state for every input: clearing its arrays would cost more than all the rest.
  static const auto state = std::make_unique<AppState>();
  const auto saved = SaveAfterLoad(d, *state);
  if (!saved) return "";
  const InitialDataFileRead again = LoadInitialData(FileBytes(*saved));
  if (!again.ok) return "a saved file loads";
  if (again.data.comments != d.comments) return "a saved file loads the same comments";
  if (again.data.points.size() != static_cast<std::size_t>(state->spectral.NWL))
    return "a saved file loads every point";
  const auto resaved = SaveAfterLoad(again.data, *state);
  if (!resaved) return "a saved task gathers again";
  const InitialDataFileRead third = LoadInitialData(FileBytes(*resaved));
  if (!third.ok || SaveAfterLoad(third.data, *state) != resaved) return "a file the program saved saves back to itself";
  return "";
}

}  // namespace

std::string CheckReflectanceFile(std::string_view bytes) {
  const ReflectanceFileRead read = ParseReflectanceText(DecodeFileText(bytes));
  if (!read.ok) return read.message == kFileReadingError ? "" : "a refused file says \"File reading error\"";
  if (read.points.size() > kMaxSpectralPoints) return "at most 10000 points";
  if (read.tooManyPoints && read.points.size() != kMaxSpectralPoints) return "too many points keeps the first 10000";

  // Save As writes the table, which the load filled in ascending wavelength without repeats.
  SpectralTable table;
  InsertAll<SpectralPoint>(table, read.points);
  const std::vector<std::string> saved = ReflectanceLines(table.Records());
  const ReflectanceFileRead again = ParseReflectanceText(DecodeFileText(FileBytes(saved)));
  if (!again.ok) return "a saved file loads";
  if (ReflectanceLines(again.points) != saved) return "a saved file loads back to the lines saved";
  return "";
}

std::string CheckInitialDataFile(std::string_view bytes) {
  const InitialDataFileRead read = LoadInitialData(bytes);
  if (!read.ok) return read.message == kFileReadingError ? "" : "a refused file says \"File reading error\"";
  const LoadedInitialData& d = read.data;
  if (d.points.size() > kMaxSpectralPoints) return "at most 10000 points";
  if (d.comments.size() > kMaxCommentLines) return "at most 1001 comment lines";
  if (d.commentsTooLong && d.comments.size() != kMaxCommentLines) return "long comments keep the first 1001 lines";
  std::string message;
  if (!CheckRadioIndices(d.Shape, d.CenterPosition, d.VCType, message)) return "";
  if (!WithinTheirBoxes(LoadedControls(d, DesignControls()))) return "every box within its range";
  return CheckSavedTaskLoadsBack(d);
}

std::string CheckResultsFile(std::string_view bytes) {
  const ResultsFileRead read = ParseResultsText(DecodeFileText(bytes));
  if (!read.ok) return read.message == kErrorReadingFile ? "" : "a refused file says \"Error reading file\"";
  if (read.rows.size() > kMaxResultsRows) return "at most 10000 rows";

  // Save As writes the rows of the table as it stands.
  ResultsTable table;
  InsertAll<ResultsRecord>(table, read.rows);
  const std::vector<std::string> saved = ResultsFileLines(table.Records());
  const ResultsFileRead again = ParseResultsText(DecodeFileText(FileBytes(saved)));
  if (!again.ok) return "a saved file loads";
  if (ResultsFileLines(again.rows) != saved) return "a saved file loads back to the lines saved";
  return "";
}

// The text is taken as ReadReportFile takes a file's bytes.
std::string CheckReportFile(std::string_view bytes) {
  const std::string text = DecodeFileText(bytes);
  if (!IsValidUtf8(text)) return "the loaded text is UTF-8";
  const std::vector<std::string> lines = SplitLines(text);
  for (const std::string& line : lines)
    if (line.find_first_of("\r\n") != std::string::npos) return "no line end inside a line";
  if (SplitLines(DecodeFileText(FileBytes(lines))) != lines) return "a saved report loads back to its lines";
  return "";
}

}  // namespace tessolan::fuzzing
