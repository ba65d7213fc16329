#pragma once

#include <QWidget>
#include <optional>

#include "data/CsvExport.h"
#include "ui/tables/ResultsDataSet.h"

class QAction;
class QCheckBox;
class QCPErrorBars;
class QCPGraph;
class QCustomPlot;
class QLabel;
class QLineEdit;

namespace tessolan {

class DataGrid;
class MapPage;
class MenuButton;
class NavigatorBar;
class PageControl;
class RadioGroup;
class UserDialogs;

// The page "Results": the effective emissivities and radiance temperatures of the last run or
// of a loaded results file, with their standard errors where known, as graphs (tab "Graphs")
// and as a table (tab "Table"), the last run's map (tab "Map"), with the "Results" menu and the
// name of the results file.
class ResultsPage : public QWidget {
  Q_OBJECT

 public:
  // `chartFolder`: where the chart's pictures are saved by default.
  ResultsPage(ResultsDataSet& cdsEERT, UserDialogs& dialogs, const QString& chartFolder, QWidget* parent = nullptr);

  // The run that filled the table, kept for the heading of its CSV export until the table is
  // emptied (a new run's results, a loaded file, "Clear All", erasing every record).
  void SetRunHeading(const ResultsCsvHeading& heading) { runHeading_ = heading; }
  const std::optional<ResultsCsvHeading>& RunHeading() const { return runHeading_; }

  PageControl* pcResults;
  RadioGroup* rgEERT;
  QCheckBox* cbErrorBars;
  QCustomPlot* dbchEERT;
  QCPGraph* seIso;
  QCPGraph* seNoniso;
  // The standard errors of the two curves, shown when "Error Bars" is ticked.
  QCPErrorBars* ebIso;
  QCPErrorBars* ebNoniso;
  QLabel* urlEERT;
  DataGrid* dbgResults;
  NavigatorBar* navResults;
  QLabel* sbEERT;
  MapPage* mapPage;
  MenuButton* btnResults;
  QAction* LoadResults;
  QAction* SaveAs3;
  QAction* EraseMultipleRecords3;
  QAction* ExportCsv3;
  QLineEdit* edResultsFileName;

 public slots:
  // The chart shows the effective emissivities or the radiance temperatures.
  void rgEERTClick();
  // Both series and their error bars re-read every record of the table.
  void RefreshChart();
  // The error bars of the visible curves are shown when "Error Bars" is ticked.
  void cbErrorBarsClick();
  void dsEERTDataChange();
  void cdsEERTAfterPost();
  void cdsEERTAfterDelete();

 private:
  QWidget* BuildGraphsTab(const QString& chartFolder);
  void AddErrorBars();
  void ShowErrorBars();
  QWidget* BuildTableTab();
  QWidget* BuildCommandBar();

  ResultsDataSet& cdsEERT_;
  UserDialogs& dialogs_;
  bool plotsTemperatures_ = false;
  // Whether any record has its standard errors (none has after a results file is loaded).
  bool errorsKnown_ = false;
  std::optional<ResultsCsvHeading> runHeading_;
};

}  // namespace tessolan
