#pragma once

#include <QWidget>

#include "ResultsDataSet.h"

class QAction;
class QCPGraph;
class QCustomPlot;
class QLabel;
class QLineEdit;

namespace tessolan {

class DataGrid;
class MenuButton;
class NavigatorBar;
class PageControl;
class RadioGroup;
class UserDialogs;

// The page "Results": the effective emissivities and radiance temperatures of the last run or
// of a loaded results file, as graphs (tab "Graphs") and as a table (tab "Table"), with the
// "Results" menu and the name of the results file.
class ResultsPage : public QWidget {
  Q_OBJECT

 public:
  ResultsPage(ResultsDataSet& cdsEERT, UserDialogs& dialogs, QWidget* parent = nullptr);

  PageControl* pcResults;
  RadioGroup* rgEERT;
  QCustomPlot* dbchEERT;
  QCPGraph* seIso;
  QCPGraph* seNoniso;
  QLabel* urlEERT;
  DataGrid* dbgResults;
  NavigatorBar* navResults;
  QLabel* sbEERT;
  MenuButton* btnResults;
  QAction* LoadResults;
  QAction* SaveAs3;
  QAction* EraseMultipleRecords3;
  QLineEdit* edResultsFileName;

 public slots:
  // The chart shows the effective emissivities or the radiance temperatures.
  void rgEERTClick();
  // Both series re-read every record of the table.
  void RefreshChart();
  void dsEERTDataChange();
  void cdsEERTAfterPost();
  void cdsEERTAfterDelete();

 private:
  QWidget* BuildGraphsTab();
  QWidget* BuildTableTab();
  QWidget* BuildCommandBar();

  ResultsDataSet& cdsEERT_;
  UserDialogs& dialogs_;
  bool plotsTemperatures_ = false;
};

}  // namespace tessolan
