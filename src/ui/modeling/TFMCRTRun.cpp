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

#include "model/Accuracy.h"
#include "model/AppState.h"
#include "ui/widgets/EventRation.h"
#include "data/FileMessages.h"
#include "run/Gathering.h"
#include "engine/GeometryPreprocessing.h"
#include "ui/widgets/MemoLines.h"
#include "model/Notation.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"
#include "run/Report.h"
#include "data/ReportFile.h"
#include "ui/main/ReportPage.h"
#include "data/ResultsFile.h"
#include "ui/main/ResultsPage.h"
#include "run/RunTracing.h"
#include "ui/modeling/StandardErrorText.h"
#include "ui/modeling/TFMCRT.h"
#include "ui/main/TFMain.h"
#include "ui/widgets/UiLocale.h"
#include "ui/dialogs/UserDialogs.h"

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

bool IsBlank(const QString& text) { return text.trimmed().isEmpty(); }

QString DateTimeText(double dateTime) { return QString::fromStdString(FormatDateTime(dateTime)); }

// The main window's page that holds `page` (each page sits in a scroll area of its own).
void ShowPage(PageControl* pages, const QWidget* page) {
  for (int i = 0; i < pages->count(); ++i)
    if (pages->widget(i)->isAncestorOf(page)) pages->setCurrentIndex(i);
}

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
  state_.identity.TaskName = edTaskName->text().toStdString();
  if (IsBlank(edTaskName->text())) {
    dialogs_.ShowMessage("Task Name cannot be blank");
    return;
  }
  ClearProgress();
  QCoreApplication::processEvents();
  if (!PrepareRun()) return;

  AddProgressLine("");
  state_.run.StartTime = DateTimeNow();
  AddProgressLine("Monte Carlo modeling  started: " + DateTimeText(state_.run.StartTime));
  state_.run.RunSeed = state_.randomSeed;
  AddProgressLine(QString("Random seed: %1").arg(state_.run.RunSeed));
  AddProgressLine("Ray tracing in progress...");
  SetIdle(false);
  edTaskName->setReadOnly(true);
  QCoreApplication::processEvents();

  RunOptions options;
  options.parallel = cbAllCores->isChecked();
  options.precision = cbFastPrecision->isChecked() ? Precision::Double : Precision::Extended;
  ModelingRunView view(*this, options.parallel);
  const RunOutcome outcome = RunTracing(state_, view, options);
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
  state_.run.FinishTime = DateTimeNow();
  AddProgressLine("Monte Carlo modeling finished: " + DateTimeText(state_.run.FinishTime));
  SetIdle(true);
  edTaskName->setReadOnly(false);
  if (outcome == RunOutcome::StoppedByUser) return;
  FinishRun();
}

bool TFMCRT::PrepareRun() {
  std::string text;
  AddProgressLine("Preprocessing geometry...");
  if (!PreprocessGeometry(state_.initialData, state_.geometry, text)) {
    AddProgressLine(QString::fromStdString(text));
    return false;
  }
  AddProgressLine("Done.");
  AddProgressLine("Preprocessing radiation characteristics...");
  ComputeEmissivities(state_.spectral);
  AddProgressLine("Done.");
  AddProgressLine("Reading accuracy parameters...");
  QString message;
  if (!ReadAccuracy(message)) {
    AddProgressLine(message);
    return false;
  }
  AddProgressLine("Done.");
  return true;
}

bool TFMCRT::ReadAccuracy(QString& message) {
  const std::uint64_t nRays = kRayCountChoices[static_cast<std::size_t>(comboNRays->currentIndex())].value;
  const Extended threshold = kThresholdChoices[static_cast<std::size_t>(comboThreshold->currentIndex())].value;
  std::string text;
  const bool ok = tessolan::ReadAccuracy(state_, nRays, threshold, text);
  message = QString::fromStdString(text);
  return ok;
}

void TFMCRT::SetIdle(bool idle) {
  gbAccuracy->setEnabled(idle);
  btnStart->setEnabled(idle);
  cbAllCores->setEnabled(idle);
  cbFastPrecision->setEnabled(idle);
}

void TFMCRT::FinishRun() {
  const QString largestError = LargestErrorLine(state_.spectral, DecimalSeparator());
  if (!largestError.isEmpty()) AddProgressLine(largestError);
  main_.FillResultsTable(ResultsRows(state_.spectral));
  // The table keeps what made it, for the heading of its CSV export; a later run that is
  // stopped changes the accuracy and seed in the state but not the table.
  main_.pageResults->SetRunHeading(
      {state_.identity.TaskName, state_.accuracy.NRays, state_.accuracy.Threshold, state_.run.RunSeed, std::nullopt,
       state_.run.RunPrecision});
  ShowPage(main_.pc, main_.pageReport);
  main_.pageResults->pcResults->setCurrentIndex(0);
  if (cbSaveResults->isChecked()) SaveResults();
  SetMemoLines(main_.pageReport->mReport,
               BuildReport(state_, state_.run.StartTime, state_.run.FinishTime, DecimalSeparator()));
  if (cbSaveReport->isChecked()) SaveReport();
  ShowPage(main_.pc, main_.pageResults);
  main_.pageResults->pcResults->setCurrentIndex(0);
  main_.pageResults->rgEERT->SetItemIndex(0);
  if (cbAutoClose->isChecked()) close();
}

void TFMCRT::SaveResults() {
  const std::string path =
      state_.folders.ResultsDir + "/" + MakeSafeFileName(state_.identity.TaskName) + "_res.txt";
  const QString name = QString::fromStdString(path);
  if (!MayWrite(name, cbOverwriteResults->isChecked())) return;
  std::string message;
  if (!SaveResultsFile(path, state_.spectral, message))
    dialogs_.ShowMessage(QString::fromStdString(NamedFileWritingErrorMessage(path)));
  main_.pageResults->edResultsFileName->setText(name);
}

void TFMCRT::SaveReport() {
  const std::string path =
      state_.folders.ReportsDir + "/" + MakeSafeFileName(state_.identity.TaskName) + "_rep.txt";
  const QString name = QString::fromStdString(path);
  if (!MayWrite(name, cbOverwriteReport->isChecked())) return;
  std::string message;
  if (SaveReportFile(path, MemoLines(main_.pageReport->mReport), message))
    main_.pageReport->edReportFileName->setText(name);
  else
    dialogs_.ShowMessage(QString::fromStdString(NamedFileWritingErrorMessage(path)));
}

bool TFMCRT::MayWrite(const QString& name, bool overwrite) {
  if (overwrite || !QFileInfo::exists(name)) return true;
  return dialogs_.Confirm("File \"" + name + "\" already exists.\nIt will be rewritten. Continue?");
}

}  // namespace tessolan
