// The modeling window: opening, its controls, Start's steps and messages, Stop, Close during a
// run, the field-of-view interruption, the files a run writes, the random sequence across runs,
// and a window run against the batch tool on the same task and seed.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "DuringRun.h"
#include "MainWindowFixture.h"
#include "NamedChild.h"
#include "data/InitialDataFile.h"
#include "data/ResultsFile.h"
#include "data/TextEncoding.h"
#include "model/Notation.h"
#include "run/Report.h"
#include "run/RunObserver.h"
#include "ui/main/Hints.h"
#include "ui/main/ReportPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/ViewingConditionsPage.h"
#include "ui/maps/MapChart.h"
#include "ui/maps/MapPage.h"
#include "ui/modeling/TFMCRT.h"
#include "ui/tables/TableHelpers.h"
#include "ui/widgets/EventRation.h"
#include "ui/widgets/MemoLines.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

const QRegularExpression kDateTime(R"(^\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}$)");

QStringList Lines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << QString::fromStdString(line);
  return list;
}

QStringList ProgressLines(const TFMCRT& window) { return Lines(MemoLines(window.mProgress)); }

QStringList TableLines(const TFMain& main) { return Lines(ResultsFileLines(main.cdsEERT().Records())); }

// What a text file holding these lines must contain: CR LF line ends, the program's encoding.
QByteArray TextFileBytes(const QStringList& lines) {
  return QByteArray::fromStdString(EncodeFileText((lines.join("\r\n") + "\r\n").toStdString()));
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

int ChoiceIndex(const QComboBox* combo, const QString& text) { return combo->findText(text); }

// A report's bytes without the two lines that say when the run started and finished.
QByteArray WithoutClockLines(const QByteArray& report) {
  QList<QByteArray> lines = report.split('\n');
  lines.removeIf([](const QByteArray& line) { return line.startsWith("Monte Carlo modeling"); });
  return lines.join('\n');
}

// The main window with a small task gathered as "Monte Carlo Modeling" gathers it, the results
// folders beside it, and a modeling window opened over it.
struct ModelingFixture : MainWindowFixture {
  explicit ModelingFixture(bool withFolders = true) {
    if (withFolders) QDir(folder.path()).mkpath("Results/Reports");
    TFMain& w = *window;
    w.cdsR().DisableControls();
    for (const SpectralPoint& point : std::vector<SpectralPoint>{{2.0, 0.1}, {5.5, 0.35}, {12.25, 0.05}})
      w.cdsR().AppendRecord(point);
    w.cdsR().EnableControls();
    Named<QPlainTextEdit>(w, "mComments")->setPlainText("first comment\nsecond comment");
    w.Box(NumericBox::TopFlatSideLength)->Write(0.5);
    w.Box(NumericBox::GapWidth)->Write(0.25);
    w.Box(NumericBox::Diffusity)->Write(0.6);
    w.Box(NumericBox::TTop)->Write(350);
    w.Box(NumericBox::Tbg)->Write(280);
  }

  // Gathers the task and opens the modeling window (not modally, so the test can drive it).
  TFMCRT& Open() {
    Named<QPushButton>(*window, "btnCompute")->click();
    if (!dialogs.messages.isEmpty()) qWarning() << dialogs.messages;
    mcrt = std::make_unique<TFMCRT>(*window);
    mcrt->show();
    QApplication::processEvents();
    return *mcrt;
  }

  void Choose(const QString& rays, const QString& threshold = "1e-6") {
    mcrt->comboNRays->setCurrentIndex(ChoiceIndex(mcrt->comboNRays, rays));
    mcrt->comboThreshold->setCurrentIndex(ChoiceIndex(mcrt->comboThreshold, threshold));
  }

  QString ResultsFile(const QString& safeName) const { return folder.filePath("Results/" + safeName + "_res.txt"); }
  QString ReportFile(const QString& safeName) const {
    return folder.filePath("Results/Reports/" + safeName + "_rep.txt");
  }

  // A results row and a report that a run must leave alone unless it completes.
  void FillBefore() {
    window->FillResultsTable({{1.0, 0.5, 300, 0.5, 299}});
    Named<ReportPage>(*window, "pageReport")->mReport->setPlainText("old report");
  }

  std::unique_ptr<TFMCRT> mcrt;
};

}  // namespace

class ModelingWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensModallyOnlyAfterTheDistanceCheck();
  void defaultTaskOfAFreshBuildRunsWithNoInput();
  void startsWithItsDefaults();
  void blankTaskNameIsRefused();
  void longProgressLinesWrapAndTheStartsStayInView();
  void completedRunFillsTableReportAndFiles();
  void completedRunMapsThePagesChoice();
  void existingFilesAreRewrittenOnlyWhenAllowed_data();
  void existingFilesAreRewrittenOnlyWhenAllowed();
  void writingErrorsAreToldAndTheRestGoesOn();
  void stopEndsTheRunWithNothingFilled_data();
  void stopEndsTheRunWithNothingFilled();
  void closeDuringARunWaitsForTheRun();
  void tooManyRaysEndsBeforeTracing();
  void fieldOfViewInterruptionKeepsEverything_data();
  void fieldOfViewInterruptionKeepsEverything();
  void runsOfOneOpeningContinueOneSequence();
  void windowRunEqualsTheBatchTool_data();
  void windowRunEqualsTheBatchTool();
  void taskFileGivesTheSameFilesThroughWindowAndBatch();
  void eventsAreLetThroughOncePerInterval();
};

// Conical viewing with pyramids 3 high: a focal point at H = 2 is refused before anything
// opens; at H = 3 the modeling window opens modally over the main window.
void ModelingWindowTest::opensModallyOnlyAfterTheDistanceCheck() {
  QTemporaryDir folder;
  auto state = std::make_unique<AppState>();
  state->folders = MakeFolders(folder.path().toStdString());
  ScriptedDialogs dialogs;
  TFMain main(*state, dialogs);
  main.cdsR().AppendRecord({10.0, 0.1});
  Named<ViewingConditionsPage>(main, "pageViewingConditions")->rgVC->SetItemIndex(2);
  main.Box(NumericBox::B)->Write(0);
  main.Box(NumericBox::BaseSideLength)->Write(6);
  QStringList opened;
  QTimer watcher;
  connect(&watcher, &QTimer::timeout, [&] {
    if (auto* window = qobject_cast<TFMCRT*>(QApplication::activeModalWidget())) {
      opened << window->windowTitle();
      QCOMPARE(window->parentWidget(), &main);
      window->btnClose->click();
    }
  });
  watcher.start(10);

  main.Box(NumericBox::HF)->Write(2);
  Named<QPushButton>(main, "btnCompute")->click();
  QCOMPARE(dialogs.messages,
           QStringList{Localized("Distance from the radiator base center\nto the focal point (ray cone vertex) must be "
                                 "greater than 3.0000")});
  QCOMPARE(opened, QStringList());

  main.Box(NumericBox::HF)->Write(3);
  Named<QPushButton>(main, "btnCompute")->click();
  QCOMPARE(dialogs.messages.size(), 1);
  QCOMPARE(opened, QStringList{"Tessolan: Monte Carlo Modeling"});
  QVERIFY(!QApplication::activeModalWidget());
}

// The folders of a fresh build, as the build lays them out: the main window opens with the shipped
// default task, and Monte Carlo Modeling then Start give results with nothing typed.
void ModelingWindowTest::defaultTaskOfAFreshBuildRunsWithNoInput() {
  QTemporaryDir folder;
  QDir(folder.path()).mkpath("Data/SR");
  QDir(folder.path()).mkpath("Results/Reports");
  QVERIFY(QFile::copy(TESSOLAN_BUILD_DATA_DIR "/Tessolan_default.txt", folder.filePath("Data/Tessolan_default.txt")));
  auto state = std::make_unique<AppState>();
  state->folders = MakeFolders(folder.path().toStdString());
  ScriptedDialogs dialogs;
  TFMain main(*state, dialogs);
  QCOMPARE(dialogs.messages, QStringList());
  QCOMPARE(main.cdsR().RecordCount(), 11);
  QVERIFY(Named<QPlainTextEdit>(main, "mComments")->toPlainText().contains("Tessolan_default.txt"));

  bool started = false;
  QTimer watcher;
  connect(&watcher, &QTimer::timeout, [&] {
    auto* window = qobject_cast<TFMCRT*>(QApplication::activeModalWidget());
    if (!window || started) return;
    started = true;
    window->btnStart->click();
    if (window->isVisible()) window->btnClose->click();
  });
  watcher.start(10);
  Named<QPushButton>(main, "btnCompute")->click();

  QVERIFY(started);
  QCOMPARE(dialogs.messages, QStringList());
  QCOMPARE(main.cdsEERT().RecordCount(), 11);
  const ResultsFileRead read = ReadResultsFile(folder.filePath("Results/Tessolan_default_res.txt").toStdString());
  QVERIFY(read.ok);
  QCOMPARE(read.rows.size(), std::size_t{11});
  for (const ResultsRecord& row : read.rows) QVERIFY(row.EEIso > 0.9 && row.EEIso <= 1);
}

void ModelingWindowTest::startsWithItsDefaults() {
  ModelingFixture f;
  Named<QLineEdit>(*f.window, "edFileName")->setText("/some/folder/Design_Gray.txt");
  f.state->randomSeed = 12345;
  TFMCRT& w = f.Open();
  QCOMPARE(w.windowTitle(), QString("Tessolan: Monte Carlo Modeling"));
  QVERIFY(w.minimumWidth() >= 800 && w.minimumHeight() >= 385);
  QVERIFY(w.width() >= 800 && w.height() >= 385);
  QVERIFY(f.state->randomSeed != 12345u);  // seeded from the clock
  QCOMPARE(w.edTaskName->text(), QString("Design_Gray"));
  QCOMPARE(w.comboNRays->currentText(), QString("1e4"));
  QCOMPARE(w.comboThreshold->currentText(), QString("1e-6"));
  QCOMPARE(w.comboNRays->count(), 8);
  QCOMPARE(w.comboThreshold->itemText(7), QString("0"));
  QCOMPARE(w.sp1->text(), QString("3 wavelengths"));
  QVERIFY(w.mProgress->isReadOnly());
  QCOMPARE(w.pbPercentage->value(), 0);
  QVERIFY(w.cbAutoClose->isChecked() && w.cbSaveResults->isChecked() && w.cbSaveReport->isChecked());
  QVERIFY(!w.cbOverwriteResults->isChecked() && !w.cbOverwriteReport->isChecked() && !w.cbAllCores->isChecked());
  QVERIFY(!w.cbFastPrecision->isChecked());
  for (QWidget* control : std::initializer_list<QWidget*>{w.btnStart, w.btnStop, w.btnClose, w.gbAccuracy})
    QVERIFY(control->isEnabled());
  QCOMPARE(w.btnStart->toolTip(), QString("Start Monte Carlo modeling"));
  QCOMPARE(w.btnStop->toolTip(), QString("Stop Monte Carlo modeling"));
  QCOMPARE(w.btnClose->toolTip(), QString("Close window"));
  QCOMPARE(w.edTaskName->toolTip(), QString("The name assigned to your task"));
  QCOMPARE(w.comboNRays->toolTip(), QString("Select number of rays for \nMonte Carlo ray tracing"));
  QCOMPARE(w.comboThreshold->toolTip(), QString("Select allowable error due to \nray trajectories truncation"));

  w.cbSaveResults->click();
  QVERIFY(!w.cbOverwriteResults->isEnabled());
  QVERIFY(w.cbOverwriteReport->isEnabled());
  w.cbSaveReport->click();
  QVERIFY(!w.cbOverwriteReport->isEnabled());
  w.cbSaveResults->click();
  QVERIFY(w.cbOverwriteResults->isEnabled());

  // Without an initial data file name the task is named after the moment the window opened;
  // a single spectral point is one wavelength.
  ModelingFixture g;
  EmptyTable(g.window->cdsR());
  g.window->cdsR().AppendRecord({10.0, 0.1});
  TFMCRT& v = g.Open();
  QVERIFY2(kDateTime.match(v.edTaskName->text()).hasMatch(), qPrintable(v.edTaskName->text()));
  QCOMPARE(v.sp1->text(), QString("1 wavelength"));
}

void ModelingWindowTest::longProgressLinesWrapAndTheStartsStayInView() {
  ModelingFixture f;
  TFMCRT& w = f.Open();
  w.AddProgressLine("Preprocessing geometry...");
  w.AddProgressLine("Largest standard error of the effective emissivities: " + QString(200, '9'));
  QApplication::processEvents();
  QCOMPARE(w.mProgress->horizontalScrollBar()->value(), 0);
  QCOMPARE(w.mProgress->horizontalScrollBar()->maximum(), 0);
  QCOMPARE(ProgressLines(w).size(), 2);
}

void ModelingWindowTest::blankTaskNameIsRefused() {
  ModelingFixture f;
  TFMCRT& w = f.Open();
  w.AddProgressLine("earlier line");
  const std::uint32_t seed = f.state->randomSeed;
  w.edTaskName->setText("   ");
  w.btnStart->click();
  QCOMPARE(f.dialogs.messages, QStringList{"Task Name cannot be blank"});
  QCOMPARE(ProgressLines(w), QStringList{"earlier line"});
  QCOMPARE(f.state->randomSeed, seed);
  QVERIFY(w.isVisible());
}

// The whole road of a completed run, with the task name a/b:c.d made safe for the file names.
void ModelingWindowTest::completedRunFillsTableReportAndFiles() {
  ModelingFixture f;
  TFMCRT& w = f.Open();
  Named<PageControl>(*f.window, "pc")->setCurrentIndex(0);
  Named<ResultsPage>(*f.window, "pageResults")->rgEERT->SetItemIndex(1);
  Named<ResultsPage>(*f.window, "pageResults")->pcResults->setCurrentIndex(1);
  f.state->randomSeed = 777;
  w.edTaskName->setText("a/b:c.d");
  w.btnStart->click();

  QCOMPARE(f.dialogs.messages, QStringList());
  QCOMPARE(f.dialogs.confirmations, QStringList());
  const QStringList lines = ProgressLines(w);
  // The twelfth line, the largest standard error, is checked with the other uncertainty tests.
  QCOMPARE(lines.size(), 12);
  QCOMPARE(lines.mid(0, 7),
           (QStringList{"Preprocessing geometry...", "Done.", "Preprocessing radiation characteristics...", "Done.",
                        "Reading accuracy parameters...", "Done.", ""}));
  QVERIFY(lines[7].startsWith("Monte Carlo modeling  started: "));
  QVERIFY(kDateTime.match(lines[7].mid(31)).hasMatch());
  QCOMPARE(lines[8], QString("Random seed: 777"));
  QCOMPARE(lines[9], QString("Ray tracing in progress..."));
  QVERIFY(lines[10].startsWith("Monte Carlo modeling finished: "));
  QCOMPARE(lines[10].mid(31), QString::fromStdString(FormatDateTime(f.state->run.FinishTime)));
  QCOMPARE(lines[7].mid(31), QString::fromStdString(FormatDateTime(f.state->run.StartTime)));
  QCOMPARE(f.state->identity.TaskName, std::string("a/b:c.d"));
  QCOMPARE(f.state->accuracy.NRays, 10000u);
  QCOMPARE(w.spRays->text(), QString("10000 rays traced"));
  QCOMPARE(w.pbPercentage->value(), 0);
  QVERIFY(!w.btnStop->isEnabled());
  QVERIFY(w.btnStart->isEnabled() && w.gbAccuracy->isEnabled() && !w.edTaskName->isReadOnly());

  // Results table, both files and the report, all from the run's arrays.
  const QStringList results = Lines(ResultsFileLines(f.state->spectral));
  QCOMPARE(results.size(), 4);
  QCOMPARE(TableLines(*f.window), results);
  const QString resultsFile = f.ResultsFile("a-b-c_d");
  const QString reportFile = f.ReportFile("a-b-c_d");
  QCOMPARE(FileBytes(resultsFile), TextFileBytes(results));
  const QStringList report =
      Lines(BuildReport(*f.state, f.state->run.StartTime, f.state->run.FinishTime, DecimalSeparator()));
  QCOMPARE(Lines(MemoLines(Named<ReportPage>(*f.window, "pageReport")->mReport)), report);
  QCOMPARE(FileBytes(reportFile), TextFileBytes(report));
  QVERIFY(report.contains("Task Name: a/b:c.d"));
  QCOMPARE(Named<ResultsPage>(*f.window, "pageResults")->edResultsFileName->text(), resultsFile);
  QCOMPARE(Named<ReportPage>(*f.window, "pageReport")->edReportFileName->text(), reportFile);

  // The results are shown as emissivity graphs, and the window has closed itself.
  QVERIFY(
      Named<PageControl>(*f.window, "pc")->currentWidget()->isAncestorOf(Named<ResultsPage>(*f.window, "pageResults")));
  QCOMPARE(Named<ResultsPage>(*f.window, "pageResults")->pcResults->currentIndex(), 0);
  QCOMPARE(Named<ResultsPage>(*f.window, "pageResults")->rgEERT->ItemIndex(), 0);
  QVERIFY(!w.isVisible());
}

// The run is given the map page's choice, and its map reaches the page under a caption that
// tells what it holds; a stopped run leaves the page's map alone.
void ModelingWindowTest::completedRunMapsThePagesChoice() {
  ModelingFixture f;
  MapPage* page = Named<ResultsPage>(*f.window, "pageResults")->mapPage;
  page->comboWavelength->setCurrentIndex(2);
  page->edGrid->setValue(8);
  TFMCRT& w = f.Open();
  f.Choose("1e2");
  w.btnStart->click();
  QCOMPARE(f.dialogs.messages, QStringList());
  QCOMPARE(page->Map().grid, 8);
  QCOMPARE(page->Map().wavelengthIndex, 1);
  if (!page->Map().valid) QSKIP("the run does not collect maps yet");
  QCOMPARE(page->Map().wavelength, 5.5);
  QCOMPARE(page->Map().unfolded.n, 8);
  QVERIFY(page->chMap->colorMap->visible());
  QVERIFY(page->chMap->title->text().contains(QString("5") + QChar(DecimalSeparator()) + "5 um"));
  QVERIFY(!page->lblNextRun->isVisibleTo(page));
}

void ModelingWindowTest::existingFilesAreRewrittenOnlyWhenAllowed_data() {
  QTest::addColumn<bool>("overwrite");
  QTest::addColumn<QList<bool>>("answers");
  QTest::addColumn<bool>("rewritten");
  QTest::newRow("asked, Yes") << false << QList<bool>{true, true} << true;
  QTest::newRow("asked, No") << false << QList<bool>{false, false} << false;
  QTest::newRow("Overwrite ticked") << true << QList<bool>{} << true;
}

void ModelingWindowTest::existingFilesAreRewrittenOnlyWhenAllowed() {
  QFETCH(bool, overwrite);
  QFETCH(QList<bool>, answers);
  QFETCH(bool, rewritten);
  ModelingFixture f;
  TFMCRT& w = f.Open();
  w.edTaskName->setText("task");
  const QString resultsFile = f.ResultsFile("task");
  const QString reportFile = f.ReportFile("task");
  WriteFile(resultsFile, "old results");
  WriteFile(reportFile, "old report");
  w.cbOverwriteResults->setChecked(overwrite);
  w.cbOverwriteReport->setChecked(overwrite);
  for (bool answer : answers) f.dialogs.answers.push_back(answer);
  f.Choose("1e2");
  w.btnStart->click();

  if (overwrite) {
    QCOMPARE(f.dialogs.confirmations, QStringList());
  } else {
    QCOMPARE(f.dialogs.confirmations,
             (QStringList{"File \"" + resultsFile + "\" already exists.\nIt will be rewritten. Continue?",
                          "File \"" + reportFile + "\" already exists.\nIt will be rewritten. Continue?"}));
  }
  QCOMPARE(FileBytes(resultsFile) == "old results", !rewritten);
  QCOMPARE(FileBytes(reportFile) == "old report", !rewritten);
  QCOMPARE(Named<ResultsPage>(*f.window, "pageResults")->edResultsFileName->text(),
           rewritten ? resultsFile : QString());
  QCOMPARE(Named<ReportPage>(*f.window, "pageReport")->edReportFileName->text(), rewritten ? reportFile : QString());
  // Whatever the answers, the run's other finishing steps went on.
  QCOMPARE(f.window->cdsEERT().RecordCount(), 3);
  QVERIFY(Named<ReportPage>(*f.window, "pageReport")->mReport->toPlainText().startsWith(kReportBanner));
  QVERIFY(!w.isVisible());
}

// Without the Results folders neither file can be written; each failure is told, the results
// file's name is still shown, and the rest of the run's finishing steps go on. Without "Save
// Results" the report is still built and saved.
void ModelingWindowTest::writingErrorsAreToldAndTheRestGoesOn() {
  ModelingFixture f(false);
  TFMCRT& w = f.Open();
  w.edTaskName->setText("task");
  f.Choose("1e2");
  w.btnStart->click();
  const QString resultsFile = f.ResultsFile("task");
  const QString reportFile = f.ReportFile("task");
  QCOMPARE(f.dialogs.messages,
           (QStringList{"File \"" + resultsFile + "\" writing error", "File \"" + reportFile + "\" writing error"}));
  QCOMPARE(Named<ResultsPage>(*f.window, "pageResults")->edResultsFileName->text(), resultsFile);
  QCOMPARE(Named<ReportPage>(*f.window, "pageReport")->edReportFileName->text(), QString());
  QCOMPARE(f.window->cdsEERT().RecordCount(), 3);
  QVERIFY(Named<ReportPage>(*f.window, "pageReport")->mReport->toPlainText().startsWith(kReportBanner));
  QVERIFY(!w.isVisible());

  ModelingFixture g;
  TFMCRT& v = g.Open();
  v.edTaskName->setText("task");
  v.cbSaveResults->click();
  g.Choose("1e2");
  v.btnStart->click();
  QCOMPARE(g.dialogs.messages, QStringList());
  QVERIFY(!QFile::exists(g.ResultsFile("task")));
  QCOMPARE(Named<ResultsPage>(*g.window, "pageResults")->edResultsFileName->text(), QString());
  QCOMPARE(FileBytes(g.ReportFile("task")),
           TextFileBytes(Lines(MemoLines(Named<ReportPage>(*g.window, "pageReport")->mReport))));
}

void ModelingWindowTest::stopEndsTheRunWithNothingFilled_data() { windowRunEqualsTheBatchTool_data(); }

// Stop during a run: Start stays disabled until the loop has returned, the run ends at the next
// status tick with the interruption and finish lines, and nothing is filled or saved.
void ModelingWindowTest::stopEndsTheRunWithNothingFilled() {
  QFETCH(bool, allCores);
  QFETCH(bool, fast);
  ModelingFixture f;
  TFMCRT& w = f.Open();
  w.cbAllCores->setChecked(allCores);
  w.cbFastPrecision->setChecked(fast);
  f.FillBefore();
  const QStringList tableBefore = TableLines(*f.window);
  w.edTaskName->setText("task");
  f.Choose("1e7");
  bool startDisabledDuringRun = false;
  bool startDisabledAfterStop = false;
  bool accuracyEnabledAfterStop = false;
  bool nameReadOnlyDuringRun = false;
  std::uint32_t stoppedAt = 0;
  DuringRun stop([&] { return f.state->run.RayIndex > 20000; },
                 [&] {
                   startDisabledDuringRun = !w.btnStart->isEnabled() && !w.gbAccuracy->isEnabled();
                   nameReadOnlyDuringRun = w.edTaskName->isReadOnly();
                   w.btnStop->click();
                   stoppedAt = f.state->run.RayIndex;
                   startDisabledAfterStop = !w.btnStart->isEnabled();
                   accuracyEnabledAfterStop = w.gbAccuracy->isEnabled();
                   // A Start pressed now must not begin a second run inside the first.
                   w.btnStartClick();
                 });
  w.btnStart->click();

  QVERIFY(stop.done());
  QVERIFY(startDisabledDuringRun && nameReadOnlyDuringRun);
  QVERIFY(startDisabledAfterStop && accuracyEnabledAfterStop);
  // Noticed at the next status tick: within one StatusStep (10,000 rays) of the click.
  QVERIFY(f.state->run.RayIndex <= stoppedAt + 10000);
  QVERIFY(f.state->run.RayIndex < 10000000u);
  const QStringList lines = ProgressLines(w);
  QCOMPARE(lines.filter("Random seed").size(), 1);
  QCOMPARE(lines[lines.size() - 2], QString("Ray tracing was interrupted by user's intervention."));
  QVERIFY(lines.last().startsWith("Monte Carlo modeling finished: "));
  QCOMPARE(TableLines(*f.window), tableBefore);
  QCOMPARE(Named<ReportPage>(*f.window, "pageReport")->mReport->toPlainText(), QString("old report"));
  QVERIFY(!QFile::exists(f.ResultsFile("task")) && !QFile::exists(f.ReportFile("task")));
  QVERIFY(w.isVisible());
  QVERIFY(w.btnStart->isEnabled() && !w.btnStop->isEnabled() && !w.edTaskName->isReadOnly());
  QCOMPARE(w.pbPercentage->value(), 0);
}

// Close pressed during a run (with "Close After Completion" unticked) takes effect once the
// run has returned; the run itself completes.
void ModelingWindowTest::closeDuringARunWaitsForTheRun() {
  ModelingFixture f;
  TFMCRT& w = f.Open();
  w.cbAutoClose->setChecked(false);
  f.Choose("1e6");
  bool visibleAfterClose = false;
  DuringRun close([&] { return f.state->run.RayIndex > 1000; },
                  [&] {
                    w.btnClose->click();
                    visibleAfterClose = w.isVisible();
                  });
  w.btnStart->click();
  QVERIFY(close.done());
  QVERIFY(visibleAfterClose);
  QVERIFY(!w.isVisible());
  QCOMPARE(f.window->cdsEERT().RecordCount(), 3);
  QCOMPARE(f.state->accuracy.NRays, 1000000u);
}

void ModelingWindowTest::tooManyRaysEndsBeforeTracing() {
  ModelingFixture f;
  TFMCRT& w = f.Open();
  f.FillBefore();
  const std::uint32_t seed = f.state->randomSeed;
  f.Choose("1e9");
  w.btnStart->click();
  QCOMPARE(ProgressLines(w),
           (QStringList{"Preprocessing geometry...", "Done.", "Preprocessing radiation characteristics...", "Done.",
                        "Reading accuracy parameters...", "Too many rays"}));
  QCOMPARE(f.dialogs.messages, QStringList());
  QCOMPARE(f.state->randomSeed, seed);
  QCOMPARE(f.window->cdsEERT().RecordCount(), 1);
  QVERIFY(w.isVisible() && w.btnStart->isEnabled() && !w.edTaskName->isReadOnly());
}

void ModelingWindowTest::fieldOfViewInterruptionKeepsEverything_data() { windowRunEqualsTheBatchTool_data(); }

// A footprint reaching past the radiator: the run is interrupted with the message box and the
// same progress line, without a finish time, and nothing is filled or saved.
void ModelingWindowTest::fieldOfViewInterruptionKeepsEverything() {
  QFETCH(bool, allCores);
  QFETCH(bool, fast);
  ModelingFixture f;
  Named<ViewingConditionsPage>(*f.window, "pageViewingConditions")->rgVC->SetItemIndex(0);
  f.window->Box(NumericBox::B)->Write(30);
  f.window->Box(NumericBox::DA)->Write(100);
  TFMCRT& w = f.Open();
  w.cbAllCores->setChecked(allCores);
  w.cbFastPrecision->setChecked(fast);
  f.FillBefore();
  w.edTaskName->setText("task");
  w.btnStart->click();
  QCOMPARE(f.dialogs.messages, QStringList{kFovInterruptedMessage});
  const QStringList lines = ProgressLines(w);
  QCOMPARE(lines.last(), QString(kFovInterruptedMessage));
  QCOMPARE(lines.filter("finished").size(), 0);
  QCOMPARE(f.window->cdsEERT().RecordCount(), 1);
  QCOMPARE(Named<ReportPage>(*f.window, "pageReport")->mReport->toPlainText(), QString("old report"));
  QVERIFY(!QFile::exists(f.ResultsFile("task")) && !QFile::exists(f.ReportFile("task")));
  QVERIFY(w.isVisible() && w.btnStart->isEnabled() && !w.btnStop->isEnabled());
  QVERIFY(w.edTaskName->isReadOnly());
}

// The generator is seeded when the window opens, not at each Start: a second run continues the
// sequence where the first left it, and equals a first run from that point in a new opening.
void ModelingWindowTest::runsOfOneOpeningContinueOneSequence() {
  ModelingFixture f;
  TFMCRT& w = f.Open();
  w.cbAutoClose->setChecked(false);
  w.cbSaveResults->setChecked(false);
  w.cbSaveReport->setChecked(false);
  f.Choose("1e3");
  f.state->randomSeed = 4242;
  w.btnStart->click();
  const QStringList first = TableLines(*f.window);
  const std::uint32_t continued = f.state->randomSeed;
  QVERIFY(continued != 4242u);
  w.btnStart->click();
  QCOMPARE(ProgressLines(w).filter("Random seed: "), QStringList{QString("Random seed: %1").arg(continued)});
  const QStringList second = TableLines(*f.window);
  QVERIFY(second != first);

  f.mcrt.reset();
  f.state->randomSeed = continued;
  TFMCRT& again = f.Open();
  QVERIFY(f.state->randomSeed != continued);  // a new opening draws a new seed
  again.cbAutoClose->setChecked(false);
  f.Choose("1e3");
  f.state->randomSeed = continued;
  again.btnStart->click();
  QCOMPARE(TableLines(*f.window), second);
}

void ModelingWindowTest::windowRunEqualsTheBatchTool_data() {
  QTest::addColumn<bool>("allCores");
  QTest::addColumn<bool>("fast");
  QTest::newRow("single sequence") << false << false;
  QTest::newRow("all processor cores") << true << false;
  QTest::newRow("fast, single sequence") << false << true;
  QTest::newRow("fast, all processor cores") << true << true;
}

// The task saved from the window and run by tessolan-batch with the seed the window showed
// gives the same results file and the same report, but for the two times; in the fast mode too.
void ModelingWindowTest::windowRunEqualsTheBatchTool() {
  QFETCH(bool, allCores);
  QFETCH(bool, fast);
  ModelingFixture f;
  Named<ViewingConditionsPage>(*f.window, "pageViewingConditions")->rgVC->SetItemIndex(2);
  TFMCRT& w = f.Open();
  w.edTaskName->setText("same task");
  w.cbAllCores->setChecked(allCores);
  w.cbFastPrecision->setChecked(fast);
  f.Choose("1e4", "1e-4");
  w.btnStart->click();
  const QString seedLine = ProgressLines(w).filter("Random seed: ").value(0);
  QVERIFY(!seedLine.isEmpty());
  const QString windowResults = f.ResultsFile("same task");
  QVERIFY(QFile::exists(windowResults));

  const QString taskFile = f.folder.filePath("task.txt");
  std::string message;
  QVERIFY(SaveInitialDataFile(taskFile.toStdString(), f.state->initialData, f.state->spectral,
                              MemoLines(Named<QPlainTextEdit>(*f.window, "mComments")), DateTimeNow(), message));
  const QString batchResults = f.folder.filePath("batch_res.txt");
  const QString batchReport = f.folder.filePath("batch_rep.txt");
  QStringList arguments{taskFile, "-n",        "1e4", "-t",         "1e-4", "-s",        seedLine.mid(13),
                        "--name", "same task", "-o",  batchResults, "-r",   batchReport, "-q"};
  if (allCores) arguments << "--parallel";
  if (fast)
    arguments << "--precision"
              << "double";
  QProcess batch;
  batch.start(TESSOLAN_BATCH_EXE, arguments);
  QVERIFY(batch.waitForFinished(60000));
  QCOMPARE(batch.exitCode(), 0);
  QCOMPARE(QString::fromUtf8(batch.readAllStandardError()).trimmed(), seedLine);
  QCOMPARE(FileBytes(windowResults), FileBytes(batchResults));
  const QByteArray windowReport = WithoutClockLines(FileBytes(f.ReportFile("same task")));
  QVERIFY(windowReport.contains("RESULTS:"));
  QCOMPARE(windowReport.contains(kFastModeReportLine), fast);
  QCOMPARE(windowReport, WithoutClockLines(FileBytes(batchReport)));
}

// A task file loaded by the window's Load command and run with the name the window proposes,
// and the same file given to tessolan-batch with only the seed: the same results file and the
// same report, byte for byte but for the two clock lines, also under a comma locale. The file
// name's upper-case extension and the name's spaces are where the two used to part.
void ModelingWindowTest::taskFileGivesTheSameFilesThroughWindowAndBatch() {
  ModelingFixture f;
  Named<QPushButton>(*f.window, "btnCompute")->click();
  QTemporaryDir tasks;
  const QString taskFile = tasks.filePath("Gray Task.TXT");
  std::string message;
  QVERIFY(SaveInitialDataFile(taskFile.toStdString(), f.state->initialData, f.state->spectral, {"comment line"},
                              DateTimeNow(), message));
  f.window->Clear4Click();
  f.dialogs.openNames = {taskFile};
  f.window->Load4Click();
  QCOMPARE(f.dialogs.messages, QStringList());
  TFMCRT& w = f.Open();
  QCOMPARE(w.edTaskName->text(), QString("Gray Task"));
  f.Choose("1e4");
  f.state->randomSeed = 4242;
  w.btnStart->click();
  QVERIFY(QFile::exists(f.ResultsFile("Gray Task")));

  const QString batchResults = f.folder.filePath("batch_res.txt");
  const QString batchReport = f.folder.filePath("batch_rep.txt");
  QProcess batch;
  batch.start(TESSOLAN_BATCH_EXE, {taskFile, "-n", "1e4", "-s", "4242", "-o", batchResults, "-r", batchReport, "-q"});
  QVERIFY(batch.waitForFinished(60000));
  QCOMPARE(batch.exitCode(), 0);
  QCOMPARE(FileBytes(f.ResultsFile("Gray Task")), FileBytes(batchResults));
  const QByteArray report = WithoutClockLines(FileBytes(f.ReportFile("Gray Task")));
  QVERIFY(report.contains("Task Name: Gray Task\r\n"));
  QVERIFY(report.contains("Radiant flux threshold: 0" + QByteArray(1, DecimalSeparator())));
  QCOMPARE(report, WithoutClockLines(FileBytes(batchReport)));
}

void ModelingWindowTest::eventsAreLetThroughOncePerInterval() {
  int posted = 0;
  QObject receiver;
  auto post = [&] {
    QMetaObject::invokeMethod(
        &receiver, [&] { ++posted; }, Qt::QueuedConnection);
  };

  EventRation never(std::chrono::hours(1), 4);
  post();
  for (int i = 0; i < 1000; ++i) never.Offer();
  QCOMPARE(never.Count(), 0);
  QCOMPARE(posted, 0);

  EventRation always(std::chrono::nanoseconds(0), 4);
  for (int i = 0; i < 12; ++i) always.Offer();
  QCOMPARE(always.Count(), 3);  // the clock is looked at every fourth offer
  QCOMPARE(posted, 1);
}

QTEST_MAIN(ModelingWindowTest)
#include "ModelingWindowTest.moc"
