#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/KeyedTable.h"
#include "model/Extended.h"
#include "model/RunRecord.h"

namespace tessolan {

// Comma-separated exports for spreadsheets and scripts: "#" lines name what the numbers are,
// then a header row and one row per spectral point. Numbers are written with the fewest digits
// that read back to the same double, a full stop as decimal separator; an unknown value (a
// standard error of results loaded from a file) is an empty field.

// What the "#" lines of a results export say: the run that made the results, or, for results
// read from a results file, that file (the run's values are then unknown and left out).
struct ResultsCsvHeading {
  std::string task;
  std::uint64_t rays = 0;
  Extended threshold = 0;
  std::uint32_t seed = 0;
  std::optional<std::string> resultsFile;
  // A run in the fast mode says so in a line of its own.
  Precision precision = Precision::Extended;
};

inline constexpr const char* kResultsCsvColumns =
    "WL_um,EEIso,EENoniso,RTIso_K,RTNoniso_K,EEIso_SE,EENoniso_SE,RTIso_K_SE,RTNoniso_K_SE";

// The "#" lines that name the run: a title, then the task, rays, threshold, seed and precision.
std::vector<std::string> RunCsvHeadingLines(const std::string& title, const ResultsCsvHeading& heading);

// A number as the exports write it: the shortest text that reads back to the same double, empty
// for an unknown (NaN) value.
std::string CsvNumber(double value);

std::vector<std::string> ResultsCsvLines(const ResultsCsvHeading& heading, std::span<const ResultsRecord> rows);

// One run of a sweep: the swept field's value and the run's rows.
struct SweepRun {
  double value = 0;
  std::vector<ResultsRecord> rows;
};

// A sweep's runs in one table, the swept field's value in the first column.
std::vector<std::string> SweepCsvLines(const ResultsCsvHeading& heading, const std::string& field,
                                       std::span<const SweepRun> runs);

std::vector<std::string> ReflectanceCsvLines(std::span<const SpectralPoint> points);

// The lines joined with line feeds, each ended by one.
std::string CsvText(const std::vector<std::string>& lines);

// Writes the text to the file safely; false with "File writing error" when it cannot be written.
bool SaveCsvFile(const std::string& path, const std::vector<std::string>& lines, std::string& message);

}  // namespace tessolan
