#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "model/RunMap.h"
#include "ui/modeling/ModelingHost.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace tessolan {

// The modeling window "Monte Carlo Modeling": the user names the task, chooses the accuracy,
// starts a run and may stop it, and follows its progress. A completed run fills the main
// window's results table and report and writes the results and report files. It works on the
// task the main window gathered before opening it; several runs in one opening continue one
// sequence of random numbers.
class TFMCRT : public QDialog {
  Q_OBJECT

 public:
  explicit TFMCRT(ModelingHost& main);

  // True from the moment Start is pressed until its handler has returned.
  bool Busy() const { return busy_; }

  QLineEdit* edTaskName;
  QPlainTextEdit* mProgress;
  QProgressBar* pbPercentage;
  QGroupBox* gbAccuracy;
  QComboBox* comboNRays;
  QComboBox* comboThreshold;
  QCheckBox* cbAutoClose;
  QCheckBox* cbSaveResults;
  QCheckBox* cbOverwriteResults;
  QCheckBox* cbSaveReport;
  QCheckBox* cbOverwriteReport;
  // The reproducible parallel mode: numbers that depend on the seed only, not those of the
  // single sequence.
  QCheckBox* cbAllCores;
  // The fast mode: double precision across wavelengths, for long spectra. Off at every opening.
  QCheckBox* cbFastPrecision;
  QPushButton* btnStart;
  QPushButton* btnStop;
  QPushButton* btnClose;
  QLabel* spRays;
  QLabel* sp1;
  QLabel* spClock;

 public slots:
  void btnStartClick();
  void btnStopClick();
  void btnCloseClick();
  void cbSaveResultsClick();
  void cbSaveReportClick();
  // Adds one line after the last one; an empty text adds an empty line.
  void AddProgressLine(const QString& text);

 protected:
  // Every way of closing ends here; during a run the close waits for the run to return.
  void done(int result) override;

 private:
  QWidget* BuildTaskNameRow();
  QWidget* BuildProgressMonitor();
  QWidget* BuildSettingsColumn();
  QWidget* BuildAccuracyGroup();
  QWidget* BuildProgressGroup();
  QWidget* BuildStatusBar();
  void ConnectHandlers();
  void FormCreate();
  void PlaceOnScreen();

  // The steps of a run (TFMCRTRun.cpp).
  void Run();
  void ShowRunStarted();
  void FinishRun(const RunMap& map);
  void SaveResults();
  void SaveReport(const std::vector<std::string>& report);
  bool MayWrite(const QString& name, bool overwrite);
  void ClearProgress();
  void SetIdle(bool idle);

  ModelingHost& main_;
  AppState& state_;
  UserDialogs& dialogs_;
  bool busy_ = false;
  bool closePending_ = false;
  int progressLines_ = 0;
  friend class ModelingRunView;
};

}  // namespace tessolan
