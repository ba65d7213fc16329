#include "data/ResultsFile.h"

#include "data/FileMessages.h"
#include "data/TextCursor.h"
#include "data/TextFile.h"
#include "model/Notation.h"

namespace tessolan {
namespace {

bool Save(const std::string& path, const std::vector<std::string>& lines, std::string& message) {
  message.clear();
  if (SaveTextFile(path, lines) == SaveStatus::Ok) return true;
  message = kFileWritingError;
  return false;
}

}  // namespace

std::string ResultsLine(Extended wl, Extended eeIso, Extended ee, Extended rtIso, Extended rt) {
  return FormatFileNumber(wl, 12, 5) + "   " + FormatFileNumber(eeIso, 14, 8) + "   " + FormatFileNumber(ee, 14, 8) +
         "     " + FormatFileNumber(rtIso, 9, 4) + "     " + FormatFileNumber(rt, 9, 4);
}

std::vector<std::string> ResultsFileLines(const SpectralArrays& s) {
  std::vector<std::string> lines{kResultsHeader};
  for (int k = 0; k < s.NWL; ++k)
    lines.push_back(ResultsLine(s.ArrWL[k], s.ArrEEIso[k], s.ArrEE[k], s.ArrRTIso[k], s.ArrRT[k]));
  return lines;
}

std::vector<std::string> ResultsFileLines(std::span<const ResultsRecord> rows) {
  std::vector<std::string> lines{kResultsHeader};
  for (const ResultsRecord& r : rows) lines.push_back(ResultsLine(r.WL, r.EEIso, r.EE, r.RTIso, r.RT));
  return lines;
}

std::vector<ResultsRecord> ResultsRows(const SpectralArrays& s) {
  std::vector<ResultsRecord> rows;
  rows.reserve(s.NWL);
  for (int k = 0; k < s.NWL; ++k) {
    rows.push_back(
        {static_cast<double>(s.ArrWL[k]), static_cast<double>(s.ArrEEIso[k]), static_cast<double>(s.ArrRTIso[k]),
         static_cast<double>(s.ArrEE[k]), static_cast<double>(s.ArrRT[k]), static_cast<double>(s.ArrEEIsoSE[k]),
         static_cast<double>(s.ArrRTIsoSE[k]), static_cast<double>(s.ArrEESE[k]), static_cast<double>(s.ArrRTSE[k])});
  }
  return rows;
}

bool SaveResultsFile(const std::string& path, const SpectralArrays& spectral, std::string& message) {
  return Save(path, ResultsFileLines(spectral), message);
}

bool SaveResultsFile(const std::string& path, std::span<const ResultsRecord> rows, std::string& message) {
  return Save(path, ResultsFileLines(rows), message);
}

ResultsFileRead ParseResultsText(std::string_view text) {
  ResultsFileRead read;
  TextCursor cursor(text);
  cursor.SkipLine();  // the header, whatever it says
  while (!cursor.OnlyWhiteSpaceLeft()) {
    if (static_cast<int>(read.rows.size()) == kMaxResultsRows) return {false, kErrorReadingFile, {}};
    double v[5];
    for (double& x : v)
      if (cursor.ReadFieldNumber(x) != TokenStatus::Ok) return {false, kErrorReadingFile, {}};
    cursor.SkipLine();
    // File columns: WL, EEIso, EENoniso, RTIso, RTNoniso.
    read.rows.push_back({v[0], v[1], v[3], v[2], v[4]});
  }
  read.ok = true;
  return read;
}

ResultsFileRead ReadResultsFile(const std::string& path) {
  const TextFileContent file = ReadTextFile(path);
  if (file.status != TextFileStatus::Ok) return {false, kErrorReadingFile, {}};
  return ParseResultsText(file.text);
}

}  // namespace tessolan
