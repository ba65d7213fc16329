#pragma once

#include <QDialog>
#include <atomic>

#include "run/Budget.h"
#include "run/TaskFlow.h"
#include "ui/budget/BudgetInputs.h"

class QCheckBox;
class QComboBox;
class QCustomPlot;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;

namespace tessolan {

class UserDialogs;

// The Budget window's size on a screen whose free area is `available`, frame included: its own
// size when there is room, never below its minimum.
inline constexpr QSize kBudgetWindowSize{1040, 700};
inline constexpr QSize kBudgetWindowMinimum{900, 560};
QSize BudgetWindowSize(const QSize& available);

// The Budget window: the user gives the standard uncertainty of the inputs, runs the budget of
// the task the main window gathered, follows it and may stop it, and reads the budget as a table
// and a bar chart of the shares at one wavelength and quantity. What the user enters is written
// to `settings` as it is typed, so that the main window keeps it when the window closes. The
// runs go on a thread of their own; the window stays alive meanwhile.
class TFBudget : public QDialog {
  Q_OBJECT

 public:
  // `folder`: where the exports are proposed; `taskName`: the start of the proposed file names.
  TFBudget(QWidget* parent, UserDialogs& dialogs, LoadedTask task, BudgetSettings& settings, QString folder,
           QString taskName);
  ~TFBudget() override;

  // True from the moment Run is pressed until the budget has returned.
  bool Busy() const { return busy_; }
  const Budget& Result() const { return budget_; }
  bool HasResult() const { return !budget_.entries.empty(); }

  QTabWidget* pcBudget;
  // The "Uncertainties" page.
  QTableWidget* grInputs;
  QGroupBox* gbReflectanceU;
  QTableWidget* grReflectanceU;
  QLineEdit* edAllReflectanceU;
  QPushButton* btnAllReflectanceU;
  QDoubleSpinBox* edCoverageFactor;
  QComboBox* comboNRays;
  QComboBox* comboThreshold;
  QLineEdit* edSeed;
  QCheckBox* cbAllCores;
  // The "Budget" page.
  QComboBox* comboWavelength;
  QComboBox* comboQuantity;
  QLabel* lbResult;
  QPushButton* btnExportCsv;
  QPushButton* btnExportPng;
  QTableWidget* grBudget;
  QCustomPlot* chShares;
  // Below the pages.
  QProgressBar* pbBudget;
  QLabel* lbStep;
  QPushButton* btnRun;
  QPushButton* btnStop;
  QPushButton* btnClose;

  // The input table's columns.
  enum InputColumn { kInputName, kInputValue, kInputUnit, kInputU, kInputForm, kInputColumns };

 public slots:
  void btnRunClick();
  void btnStopClick();
  void btnExportCsvClick();
  void btnExportPngClick();
  void btnAllReflectanceUClick();
  // Shows the budget's rows and chart at the chosen wavelength and quantity.
  void ShowChosenEntry();

 protected:
  // Every way of closing ends here; during a run it asks the run to stop and closes after it.
  void done(int result) override;

 private:
  // Construction (TFBudget.cpp).
  QWidget* BuildInputsPage();
  QWidget* BuildInputsTable(QWidget* parent);
  QWidget* BuildReflectanceGroup(QWidget* parent);
  QWidget* BuildRunSettings(QWidget* parent);
  QWidget* BuildBudgetPage();
  QWidget* BuildRunBar();
  void ConnectHandlers();
  void PlaceOnScreen();

  // The inputs (TFBudgetInputs.cpp).
  void FillInputs();
  void FillReflectanceTable();
  void InputEdited(QTableWidgetItem* item);
  void ReflectanceEdited(QTableWidgetItem* item);
  void FormChosen(int row, int form);
  void SeedEdited();
  void TakeRunSettings();
  void ShowReflectanceForm();
  bool ReadRequest(BudgetRequest& request);

  // The run (TFBudgetRun.cpp).
  void Run();
  void ShowStep(int done, int total, const QString& what);
  void SetIdle(bool idle);

  // The budget on show (TFBudgetView.cpp).
  void ShowBudget();
  const BudgetEntry* ChosenEntry() const;

  UserDialogs& dialogs_;
  const LoadedTask task_;
  BudgetSettings& settings_;
  const QString folder_;
  const QString taskName_;
  Budget budget_;
  std::atomic<bool> stop_{false};
  bool busy_ = false;
  bool closePending_ = false;
  bool filling_ = false;  // the tables are being filled by the program, not edited
};

}  // namespace tessolan
