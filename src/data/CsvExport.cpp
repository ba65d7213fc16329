#include "data/CsvExport.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "data/FileMessages.h"
#include "data/TextFile.h"
#include "model/Notation.h"

namespace tessolan {
namespace {

std::string Field(double value) { return CsvNumber(value); }

std::string Row(const ResultsRecord& r) {
  std::string row;
  for (double v : {r.WL, r.EEIso, r.EE, r.RTIso, r.RT, r.EEIsoSE, r.EESE, r.RTIsoSE, r.RTSE}) {
    if (!row.empty()) row.push_back(',');
    row.append(Field(v));
  }
  return row;
}

std::vector<std::string> HeadingLines(const ResultsCsvHeading& h) {
  return RunCsvHeadingLines("Tessolan effective emissivities and radiance temperatures", h);
}

}  // namespace

std::string CsvNumber(double value) {
  if (std::isnan(value)) return "";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::vector<std::string> RunCsvHeadingLines(const std::string& title, const ResultsCsvHeading& h) {
  const std::string kTitle = "# " + title;
  if (h.resultsFile) return {kTitle, "# Results file: " + *h.resultsFile};
  std::vector<std::string> lines{kTitle, "# Task: " + h.task, "# Rays: " + std::to_string(h.rays),
                                 "# Radiant flux threshold: " + FormatGeneral(h.threshold),
                                 "# Random seed: " + std::to_string(h.seed)};
  if (h.precision == Precision::Double) lines.emplace_back("# Precision: double (fast mode)");
  return lines;
}

std::vector<std::string> ResultsCsvLines(const ResultsCsvHeading& heading, std::span<const ResultsRecord> rows) {
  std::vector<std::string> lines = HeadingLines(heading);
  lines.emplace_back(kResultsCsvColumns);
  for (const ResultsRecord& r : rows) lines.push_back(Row(r));
  return lines;
}

std::vector<std::string> SweepCsvLines(const ResultsCsvHeading& heading, const std::string& field,
                                       std::span<const SweepRun> runs) {
  std::vector<std::string> lines = HeadingLines(heading);
  const auto seedLine = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& line) { return line.starts_with("# Random seed"); });
  lines.insert(seedLine, "# Swept: " + field);
  lines.push_back(field + "," + kResultsCsvColumns);
  for (const SweepRun& run : runs)
    for (const ResultsRecord& r : run.rows) lines.push_back(Field(run.value) + "," + Row(r));
  return lines;
}

std::vector<std::string> ReflectanceCsvLines(std::span<const SpectralPoint> points) {
  std::vector<std::string> lines{"# Tessolan spectral reflectance", "WL_um,Reflectance,Emissivity"};
  for (const SpectralPoint& p : points)
    lines.push_back(Field(p.WL) + "," + Field(p.Reflectance) + "," + Field(p.Emissivity()));
  return lines;
}

std::string CsvText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

bool SaveCsvFile(const std::string& path, const std::vector<std::string>& lines, std::string& message) {
  message.clear();
  if (SaveFileBytes(path, CsvText(lines)) == SaveStatus::Ok) return true;
  message = kFileWritingError;
  return false;
}

}  // namespace tessolan
