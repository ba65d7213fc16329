#pragma once

#include <string>
#include <vector>

#include "data/CsvExport.h"
#include "model/RunMap.h"
#include "ui/maps/MapChoice.h"

class QString;
class QWidget;

namespace tessolan {

struct AppState;
class UserDialogs;

// What the modeling window needs from the main window: the gathered task, the dialogs, the
// task file name as typed, and the places where a completed run shows its results and report.
// The steps are called in the order listed.
class ModelingHost {
 public:
  virtual AppState& State() const = 0;
  virtual UserDialogs& Dialogs() const = 0;
  virtual QWidget& HostWindow() = 0;
  virtual QString TaskFileBoxText() const = 0;

  // Replaces the results table with the run's rows and keeps the heading for their CSV export,
  // then shows the report page.
  virtual void ShowRunResults(const std::vector<ResultsRecord>& rows, const ResultsCsvHeading& heading) = 0;
  // What the next run maps, and where a completed run's map is shown (after its results).
  virtual MapChoice NextMapChoice() const = 0;
  virtual void ShowRunMap(const RunMap& map) = 0;
  virtual void SetResultsFileName(const QString& name) = 0;
  virtual void ShowRunReport(const std::vector<std::string>& lines) = 0;
  virtual void SetReportFileName(const QString& name) = 0;
  // Ends on the results page, its first chart and the effective emissivity.
  virtual void ShowResultsPage() = 0;

 protected:
  ~ModelingHost() = default;
};

}  // namespace tessolan
