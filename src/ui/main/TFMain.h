#pragma once

#include <QMainWindow>
#include <array>
#include <vector>

#include "model/NumericBoxes.h"
#include "ui/budget/BudgetInputs.h"
#include "ui/dialogs/SpectralTableHost.h"
#include "ui/drawings/TargetingHost.h"
#include "ui/modeling/ModelingHost.h"
#include "ui/tables/ResultsDataSet.h"
#include "ui/tables/SpectralDataSet.h"

class QAction;
class QCheckBox;
class QCustomPlot;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tessolan {

struct AppState;
struct LoadedInitialData;
struct LoadedTask;
class GeometryPage;
class MaterialPage;
class MenuButton;
class NumericSpinBox;
class PageControl;
class ReportPage;
class ResultsPage;
class TargetingPanel;
class UserDialogs;
class ViewingConditionsPage;

// The program's main window. While the user works its controls are the master copy of the
// task; a command that needs the task gathers it from them into the program's state first.
// It owns the spectral reflectance table cdsR and the results table cdsEERT.
class TFMain : public QMainWindow, public TargetingHost, public SpectralTableHost, public ModelingHost {
  Q_OBJECT

 public:
  TFMain(AppState& state, UserDialogs& dialogs, QWidget* parent = nullptr);

  AppState& State() const override { return state_; }
  UserDialogs& Dialogs() const override { return dialogs_; }
  QWidget& HostWindow() override { return *this; }
  SpectralDataSet& cdsR() const override { return *cdsR_; }
  ResultsDataSet& cdsEERT() const { return *cdsEERT_; }

  // What the controls hold: the radio groups and every numeric box as typed.
  TaskControls ReadControls() const;
  // Sets the radio groups (their handlers follow) and the boxes (clamped and rounded).
  void WriteControls(const TaskControls& controls);
  NumericSpinBox* Box(NumericBox box) const { return boxes_[static_cast<std::size_t>(box)]; }

  // The bulk fills of the two tables, with their controls disabled so that the grid, status
  // line and chart catch up once. The reflectance fill adds to what is there and skips
  // wavelengths already present, returning how many it skipped; the results fill replaces
  // the whole table (the run and "Load" of the results file).
  int FillSpectralTable(const std::vector<SpectralPoint>& points) override;
  void FillResultsTable(const std::vector<ResultsRecord>& rows);
  // Empties every series of the targeting charts and shows their first page ("Clear All").
  void ClearTargetingCharts();
  // Empties both tables and resets the window: every numeric box to its minimum, every radio
  // group to its first item, the memos and file name boxes emptied, "Read Only" checked.
  void ClearAll();

  // The standard uncertainties and run settings of the Budget window, kept with the task while
  // the window is closed; Clear All (and so loading a task) resets them.
  BudgetSettings& KeptBudgetSettings() { return budgetSettings_; }

  // Where the modeling window shows a completed run (TFMainModeling.cpp).
  QString TaskFileBoxText() const override;
  void ShowRunResults(const std::vector<ResultsRecord>& rows, const ResultsCsvHeading& heading) override;
  MapChoice NextMapChoice() const override;
  void ShowRunMap(const RunMap& map) override;
  void SetResultsFileName(const QString& name) override;
  void ShowRunReport(const std::vector<std::string>& lines) override;
  void SetReportFileName(const QString& name) override;
  void ShowResultsPage() override;

  // The gathering steps from the controls into the state. Each returns false with its message
  // at a failure; an empty message means the user has already been told (a refused post of a
  // record being edited in the spectral table).
  bool GatherGeometry(QString& message) override;
  bool GatherViewingConditions(QString& message) override;
  bool GatherTemperatures(QString& message);
  bool GatherMaterial(QString& message);
  bool GatherComments(QString& message);

 public slots:
  void btnExitClick();
  void btnAboutClick();
  void cbShowHintsClick();
  // "Calculate": the geometry alone, shown in the "Auxiliary Parameters" boxes.
  void btnCalculateClick();
  void btnDrawClick();
  // "Monte Carlo Modeling": gathers and checks the whole task, then opens the modeling window.
  void btnComputeClick();
  // "Budget": gathers and checks the whole task as "Monte Carlo Modeling" does, then opens the
  // Budget window on it.
  void btnBudgetClick();
  void urlREClick();
  void urlEERTClick();

  // The file and table commands of the menus.
  void Load4Click();
  void SaveAs4Click();
  void Clear4Click();
  void Load1Click();
  void SaveAs1Click();
  void EraseMultipleRecords1Click();
  void Gray1Click();
  void LoadResultsClick();
  void SaveAs3Click();
  void EraseMultipleRecords3Click();
  void LoadReportClick();
  void SaveAs6Click();
  void Erase1Click();
  // "Export CSV..." of the "Spectral Reflectance" and "Results" menus (TFMainExport.cpp).
  void ExportCsv1Click();
  void ExportCsv3Click();

 protected:
  // Where the commands hand over to the windows they open, once the task is gathered.
  virtual void OpenModelingWindow();
  virtual void OpenDrawingsWindow();
  virtual void OpenBudgetWindow(const LoadedTask& task);

 private:
  void FormCreate();
  void BuildTargeting();
  // Reads the default initial data file when it exists, once, while the window is created.
  void LoadInitialDataAtStart();
  // Reads an initial data file into the state and the controls: at start the default file
  // without asking anything, otherwise one the user chooses, after a confirmed ClearAll.
  void LoadInitialData(bool atStart);
  // Each index that passes selects its radio group before the next one is looked at.
  bool SelectRadioItems(const LoadedInitialData& loaded);
  // The read task shown step by step; a failure stops with its message, keeping what was set.
  void ShowLoadedTask(const LoadedInitialData& loaded, const QString& path);
  QWidget* BuildTopBar();
  QWidget* BuildCommentsStrip();
  QWidget* BuildCommandBar();
  void BuildStatusBar();
  void AddPage(QWidget* page, const QString& caption);
  void ConnectCommands();
  // Ctrl+O, Ctrl+S, Ctrl+M, Ctrl+B, Ctrl+Q and F1, shown in the menu and the hints.
  void AddShortcuts();
  void CollectBoxes();
  void PlaceOnScreen();
  void OpenChartEditor(QCustomPlot* chart);
  // Shows the page of the page control that holds `page` (each page sits in a scroll area).
  void ShowPageHolding(const QWidget* page);
  void ShowFailure(const QString& message);
  // The whole task from the controls, table and comments, gathered and checked as a run needs
  // it; false after telling the user why not.
  bool GatherWholeTask(LoadedTask& task);
  // Refuses the first of these boxes whose typed value is outside its range: its message, and
  // the box shown with the focus.
  bool CheckTypedRanges(const std::vector<NumericBox>& boxes, QString& message);

  // Tests and tools find these by their object names, which are the member names.
  PageControl* pc;
  GeometryPage* pageGeometry;
  MaterialPage* pageMaterial;
  ViewingConditionsPage* pageViewingConditions;
  ResultsPage* pageResults;
  ReportPage* pageReport;
  QLineEdit* edFileName;
  QPlainTextEdit* mComments;
  // Targeting, in the "Targeting" group of the viewing conditions page.
  TargetingPanel* pnTargeting = nullptr;
  QCheckBox* cbShowHints;
  MenuButton* btnInitialData;
  QAction* Load4;
  QAction* SaveAs4;
  QAction* Clear4;
  QPushButton* btnCompute;
  QPushButton* btnBudget;
  QPushButton* btnAbout;
  QPushButton* btnExit;
  QLabel* spBanner;
  QLabel* spClock;

  AppState& state_;
  UserDialogs& dialogs_;
  SpectralDataSet* cdsR_;
  ResultsDataSet* cdsEERT_;
  std::array<NumericSpinBox*, kNumericBoxCount> boxes_{};
  BudgetSettings budgetSettings_;
};

}  // namespace tessolan
