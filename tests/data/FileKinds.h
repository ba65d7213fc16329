#pragma once

// The four kinds of file the program saves, each with its own writer and the message its
// failure gives, over a state with `points` spectral points and a report of as many lines: the
// failure tests save every kind the same way.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "data/ReflectanceFile.h"
#include "data/ReportFile.h"
#include "data/ResultsFile.h"
#include "model/AppState.h"

namespace tessolan::testing {

struct FileKind {
  const char* name;
  const char* failureMessage;
  std::function<bool(const std::string&, std::string&)> save;
};

inline std::unique_ptr<AppState> StateWithPoints(int points) {
  auto state = std::make_unique<AppState>();
  state->spectral.NWL = points;
  for (int k = 0; k < points; ++k) state->spectral.ArrWL[k] = k + 1;
  return state;
}

// The writers read `state` when called, so it must outlive the kinds.
inline std::vector<FileKind> AllKinds(const AppState& state) {
  const std::vector<std::string> lines(state.spectral.NWL, "a line of the report");
  return {
      {"reflectance", kErrorWritingFile,
       [&](const std::string& p, std::string& m) { return SaveReflectanceFile(p, state.spectral, m); }},
      {"initial data", kFileWritingError,
       [&state, lines](const std::string& p, std::string& m) {
         return SaveInitialDataFile(p, state.initialData, state.spectral, lines, 0, m);
       }},
      {"results", kFileWritingError,
       [&](const std::string& p, std::string& m) { return SaveResultsFile(p, state.spectral, m); }},
      {"report", kFileWritingError,
       [lines](const std::string& p, std::string& m) { return SaveReportFile(p, lines, m); }},
  };
}

}  // namespace tessolan::testing
