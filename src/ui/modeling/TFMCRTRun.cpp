// A run of the modeling window: Start's steps, what the window shows while the run loop goes,
// and the finishing steps of a completed run (results table, files, report).
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "data/FileMessages.h"
#include "data/ReportFile.h"
#include "data/ResultsFile.h"
#include "model/Accuracy.h"
#include "model/AppState.h"
#include "model/Notation.h"
#include "run/RunTracing.h"
#include "run/TaskFlow.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/maps/MapChoice.h"
#include "ui/modeling/StandardErrorText.h"
#include "ui/modeling/TFMCRT.h"
#include "ui/widgets/EventRation.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

// What the window shows of the run loop. Events are let through every few milliseconds, and the
// ticks only note the numbers, which are shown a few times a second: painting them at every tick
// would cost the run about a tenth of its speed against the batch tool.
class ModelingRunView : public RunObserver {
 public:
  // A parallel run calls from a thread that mostly waits for the others, every few
  // milliseconds, so there the clock can be read at every call.
  ModelingRunView(TFMCRT& window, bool parallel)
      : window_(window), ration_(std::chrono::milliseconds(20), parallel ? 1 : 16) {
    ration_.BeforeEvents([this] {
      const auto now = EventRation::Clock::now();
      if (now < nextShow_) return;
      nextShow_ = now + kShowInterval;
      ShowTicks();
    });
  }

  void RunStarted() override {
    window_.ShowRunStarted();
    window_.btnStop->setEnabled(true);
    window_.SetIdle(false);
  }
  void StatusTick(std::uint32_t rayIndex) override { rayIndex_ = rayIndex; }
  void ProgressTick(int percent) override { percent_ = percent; }
  void FovInterrupted() override {
    ShowTicks();
    window_.dialogs_.ShowMessage(kFovInterruptedMessage);
    window_.AddProgressLine(kFovInterruptedMessage);
  }
  void StoppedByUser() override { window_.AddProgressLine(kStoppedByUserMessage); }
  void RunEnded() override {
    ShowTicks();
    window_.pbPercentage->setValue(0);
    window_.btnStop->setEnabled(false);
  }
  void LetEventsThrough() override { ration_.Offer(); }

 private:
  void ShowTicks() {
    if (rayIndex_ != shownRayIndex_) {
      window_.spRays->setText(QString("%1 rays traced").arg(rayIndex_));
      shownRayIndex_ = rayIndex_;
    }
    window_.pbPercentage->setValue(percent_);
  }

  static constexpr auto kShowInterval = std::chrono::milliseconds(150);

  TFMCRT& window_;
  EventRation ration_;
  EventRation::Clock::time_point nextShow_{};
  std::uint32_t rayIndex_ = 0;
  std::uint32_t shownRayIndex_ = 0;
  int percent_ = 0;
};

namespace {

QString DateTimeText(double dateTime) { return QString::fromStdString(FormatDateTime(dateTime)); }

}  // namespace

void TFMCRT::btnStartClick() {
  if (busy_) return;
  busy_ = true;
  Run();
  busy_ = false;
  if (closePending_) {
    closePending_ = false;
    close();
  }
}

void TFMCRT::Run() {
  const FlowStep named = NameTask(state_, edTaskName->text().toStdString());
  if (!named) {
    dialogs_.ShowMessage(QString::fromStdString(named.message));
    return;
  }
  ClearProgress();
  QCoreApplication::processEvents();
  const auto nRays = kRayCountChoices[static_cast<std::size_t>(comboNRays->currentIndex())].value;
  const auto threshold = kThresholdChoices[static_cast<std::size_t>(comboThreshold->currentIndex())].value;
  const FlowStep prepared = PrepareTask(
      state_, nRays, threshold, [this](const std::string& line) { AddProgressLine(QString::fromStdString(line)); });
  if (!prepared) {
    AddProgressLine(QString::fromStdString(prepared.message));
    return;
  }

  RunOptions options;
  // Mapping costs the run little and changes none of its numbers: every run of the window maps.
  RunMap map = MapRequestFor(main_.NextMapChoice(), state_.spectral);
  options.map = &map;
  options.parallel = cbAllCores->isChecked();
  options.precision = cbFastPrecision->isChecked() ? Precision::Double : Precision::Extended;
  ModelingRunView view(*this, options.parallel);
  const RunOutcome outcome = RunTask(state_, view, options);
  // The field-of-view interruption leaves the task name read-only and shows no finish time.
  if (outcome == RunOutcome::FovInterrupted) {
    SetIdle(true);
    return;
  }
  if (outcome == RunOutcome::VectorNormZero) {
    const QString message = QString::fromStdString(RunOutcomeMessage(outcome));
    AddProgressLine(message);
    SetIdle(true);
    edTaskName->setReadOnly(false);
    dialogs_.ShowMessage(message);
    return;
  }
  AddProgressLine("Monte Carlo modeling finished: " + DateTimeText(state_.run.FinishTime));
  SetIdle(true);
  edTaskName->setReadOnly(false);
  if (outcome == RunOutcome::StoppedByUser) return;
  FinishRun(map);
}

void TFMCRT::ShowRunStarted() {
  AddProgressLine("");
  AddProgressLine("Monte Carlo modeling  started: " + DateTimeText(state_.run.StartTime));
  AddProgressLine(QString("Random seed: %1").arg(state_.run.RunSeed));
  AddProgressLine("Ray tracing in progress...");
  SetIdle(false);
  edTaskName->setReadOnly(true);
  QCoreApplication::processEvents();
}

void TFMCRT::SetIdle(bool idle) {
  gbAccuracy->setEnabled(idle);
  btnStart->setEnabled(idle);
  cbAllCores->setEnabled(idle);
  cbFastPrecision->setEnabled(idle);
}

void TFMCRT::FinishRun(const RunMap& map) {
  const QString largestError = LargestErrorLine(state_.spectral, DecimalSeparator());
  if (!largestError.isEmpty()) AddProgressLine(largestError);
  // The table keeps what made it, for the heading of its CSV export; a later run that is
  // stopped changes the accuracy and seed in the state but not the table.
  main_.ShowRunResults(ResultsRows(state_.spectral), CsvHeading(state_));
  main_.ShowRunMap(map);
  if (cbSaveResults->isChecked()) SaveResults();
  const std::vector<std::string> report = ReportLines(state_, UserDecimalSeparator());
  main_.ShowRunReport(report);
  if (cbSaveReport->isChecked()) SaveReport(report);
  main_.ShowResultsPage();
  if (cbAutoClose->isChecked()) close();
}

void TFMCRT::SaveResults() {
  const std::string path = ResultsFilePath(state_);
  const QString name = QString::fromStdString(path);
  if (!MayWrite(name, cbOverwriteResults->isChecked())) return;
  std::string message;
  if (!SaveResultsFile(path, state_.spectral, message))
    dialogs_.ShowMessage(QString::fromStdString(NamedFileWritingErrorMessage(path)));
  main_.SetResultsFileName(name);
}

// The report as built, not as the memo gives it back: the memo turns some characters of the
// comments into others.
void TFMCRT::SaveReport(const std::vector<std::string>& report) {
  const std::string path = ReportFilePath(state_);
  const QString name = QString::fromStdString(path);
  if (!MayWrite(name, cbOverwriteReport->isChecked())) return;
  std::string message;
  if (SaveReportFile(path, report, message))
    main_.SetReportFileName(name);
  else
    dialogs_.ShowMessage(QString::fromStdString(NamedFileWritingErrorMessage(path)));
}

bool TFMCRT::MayWrite(const QString& name, bool overwrite) {
  if (overwrite || !QFileInfo::exists(name)) return true;
  return dialogs_.Confirm("File \"" + name + "\" already exists.\nIt will be rewritten. Continue?");
}

}  // namespace tessolan
