// The "Initial Data" menu: Save As, Load with its question and checks, Clear All, and the
// default task read at start.
#include <qcustomplot.h>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTest>
#include <algorithm>

#include "FileCommandsSupport.h"
#include "NamedChild.h"
#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "model/Notation.h"
#include "ui/main/GeometryPage.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ReportPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/ViewingConditionsPage.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

const QString kLoadQuestion = "All existing initial data and results will be erased\nContinue?";
const QString kClearQuestion = "All existing initial data (and modeling results) will be erased\nContinue?";

// A task whose every value has all the decimals its box shows, in the given shape, centre
// position and viewing conditions type.
TaskControls SampleControls(int shape, int center, int vcType) {
  TaskControls c;
  c.Shape = shape;
  c.CenterPosition = center;
  c.VCType = vcType;
  const double values[kNumericBoxCount] = {57.3217, 52.1234,  3.4567,   0.1234,  0.2345, 301.2345,
                                           12.3456, 305.4321, 299.8765, 0.8765,  12.345, 123.4567,
                                           20.1234, 21.4321,  456.7891, 12.3456, 6.5432, 600.1234};
  for (int i = 0; i < kNumericBoxCount; ++i) c.boxes[i] = values[i];
  return c;
}

const std::vector<SpectralPoint> kPoints{
    {1.234567891, 0.123456789}, {10.5, 0.5}, {0.3000049, 0.999999994}, {2500.0000012, 0.0000000012}};

// The boxes an initial data file of this viewing conditions type holds.
bool FileHoldsBox(NumericBox box, int vcType) {
  switch (box) {
    case NumericBox::DA:
      return vcType == kDirectionalA;
    case NumericBox::DB:
      return vcType == kDirectionalB;
    case NumericBox::HF:
    case NumericBox::AngleW:
      return vcType == kConical;
    case NumericBox::DD:
    case NumericBox::HD:
      return vcType == kIntegrated;
    default:
      return true;
  }
}

// The lines of a file for the sample task, with one line replaced where a case wants it.
QStringList SampleFileLines(int vcType, const std::vector<std::string>& comments = {}) {
  InitialData task;
  task.Shape = kCircle;
  task.CenterPosition = kCentralValleys;
  task.RadiatorSize = 80;
  task.SlantAngle = 45;
  task.BaseSideLength = 2;
  task.Tref = 300;
  task.TBase = 300;
  task.TTop = 290;
  task.Tbg = 10;
  task.VCType = vcType;
  task.AngleB = 10;
  task.AngleA = 30;
  task.BeamRadius = 10;
  task.FootprintRadius = 10;
  task.ViewerDistance = 400;
  task.AngleW = 8;
  task.DetectorRadius = 3;
  task.Diffusity = 0.5;
  SpectralArrays spectral;
  spectral.NWL = 2;
  spectral.ArrWL[0] = 1;
  spectral.ArrRefl[0] = 0.1;
  spectral.ArrWL[1] = 2;
  spectral.ArrRefl[1] = 0.2;
  return Lines(InitialDataFileLines(task, spectral, comments, MakeDateTime(2024, 5, 6, 7, 8, 9)));
}

// A window with something of everything, to see what a command keeps or clears.
void FillWindow(TFMain& w) {
  w.WriteControls(SampleControls(1, 1, kConical));
  AddSpectralPoints(w, kPoints);
  w.FillResultsTable({{1.0, 0.99, 299.0, 0.98, 298.0}});
  Named<QPlainTextEdit>(w, "mComments")->setPlainText("keep me");
  Named<ReportPage>(w, "pageReport")->mReport->setPlainText("report");
  Named<ReportPage>(w, "pageReport")->cbReadOnly->setChecked(false);
  Named<MaterialPage>(w, "pageMaterial")->rgRE->SetItemIndex(1);
  Named<ResultsPage>(w, "pageResults")->rgEERT->SetItemIndex(1);
  Named<QLineEdit>(w, "edFileName")->setText("/somewhere/task.txt");
  Named<ResultsPage>(w, "pageResults")->edResultsFileName->setText("/somewhere/task_res.txt");
  Named<ReportPage>(w, "pageReport")->edReportFileName->setText("/somewhere/task_rep.txt");
  w.btnCalculateClick();
}

void ExpectWindowAsFilled(const TFMain& w) {
  const TaskControls expected = SampleControls(1, 1, kConical);
  const TaskControls read = w.ReadControls();
  QCOMPARE(read.boxes, expected.boxes);
  QCOMPARE(read.VCType, kConical);
  QCOMPARE(TablePoints(w).size(), kPoints.size());
  QCOMPARE(w.cdsEERT().RecordCount(), 1);
  QCOMPARE(Named<QPlainTextEdit>(w, "mComments")->toPlainText(), QString("keep me"));
  QCOMPARE(Named<QLineEdit>(w, "edFileName")->text(), QString("/somewhere/task.txt"));
  QCOMPARE(Named<ReportPage>(w, "pageReport")->mReport->toPlainText(), QString("report"));
}

}  // namespace

class InitialDataCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void saveThenLoadReproducesTheTask_data();
  void saveThenLoadReproducesTheTask();
  void saveStopsAtTheFirstFailedStep();
  void saveProposesTheFileNameAsTaskName();
  void loadRefusals_data();
  void loadRefusals();
  void loadKeepsTheFirst1001CommentLines();
  void loadSkipsRepeatedWavelengths();
  void clearAllResetsTheWindowAfterItsQuestion();
  void defaultFileIsReadAtStart();
};

void InitialDataCommandsTest::saveThenLoadReproducesTheTask_data() {
  QTest::addColumn<int>("shape");
  QTest::addColumn<int>("center");
  QTest::addColumn<int>("vcType");
  QTest::newRow("square, vertex, Directional A") << 0 << 0 << int(kDirectionalA);
  QTest::newRow("circle, valleys, Directional B") << 1 << 1 << int(kDirectionalB);
  QTest::newRow("square, valleys, Conical") << 0 << 1 << int(kConical);
  QTest::newRow("circle, vertex, Integrated") << 1 << 0 << int(kIntegrated);
}

void InitialDataCommandsTest::saveThenLoadReproducesTheTask() {
  QFETCH(int, shape);
  QFETCH(int, center);
  QFETCH(int, vcType);
  MainWindowFixture f;
  TFMain& w = *f.window;
  const TaskControls task = SampleControls(shape, center, vcType);
  w.WriteControls(task);
  AddSpectralPoints(w, kPoints);
  const QStringList comments{"First line", "", "COMMENTS:", "  indented, trailing  ", "Grad: \u00b0, \u03a9", "", ""};
  SetMemoLines(Named<QPlainTextEdit>(w, "mComments"), StdLines(comments));
  QCOMPARE(MemoText(Named<QPlainTextEdit>(w, "mComments")), comments);

  const QString dataDir = QString::fromStdString(f.state->folders.DataDir);
  QDir().mkpath(dataDir);
  const QString path = dataDir + "/task.txt";
  f.dialogs.saveNames = {path};
  w.SaveAs4Click();
  QCOMPARE(f.dialogs.messages, QStringList());
  QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{1});
  QCOMPARE(f.dialogs.saveRequests[0].title, QString("Tessolan: Save Initial Data in Text File"));
  QCOMPARE(f.dialogs.saveRequests[0].folder, dataDir);
  QCOMPARE(Named<QLineEdit>(w, "edFileName")->text(), path);

  f.dialogs.answers = {true, true};
  w.Clear4Click();
  f.dialogs.openNames = {path};
  w.Load4Click();
  QCOMPARE(f.dialogs.confirmations, (QStringList{kClearQuestion, kLoadQuestion}));
  QCOMPARE(f.dialogs.openRequests[0].title, QString("Tessolan: Load Initial Data from Text File"));
  QCOMPARE(f.dialogs.openRequests[0].folder, dataDir);
  QCOMPARE(f.dialogs.messages, QStringList());

  const TaskControls loaded = w.ReadControls();
  QCOMPARE(loaded.Shape, shape);
  QCOMPARE(loaded.CenterPosition, center);
  QCOMPARE(loaded.VCType, vcType);
  for (const NumericBoxSpec& entry : kNumericBoxes) {
    const double expected = FileHoldsBox(entry.box, vcType) ? task[entry.box] : entry.minimum;
    QVERIFY2(loaded[entry.box] == expected, entry.control.data());
  }
  std::vector<SpectralPoint> expectedPoints;
  for (const SpectralPoint& p : kPoints) expectedPoints.push_back({Rounded(p.WL, 5), Rounded(p.Reflectance, 8)});
  std::sort(expectedPoints.begin(), expectedPoints.end(), [](auto& a, auto& b) { return a.WL < b.WL; });
  QVERIFY(TablePoints(w) == expectedPoints);
  QCOMPARE(MemoText(Named<QPlainTextEdit>(w, "mComments")), comments);
  QCOMPARE(Named<QLineEdit>(w, "edFileName")->text(), path);
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->lblRS->text(),
           shape == 1 ? QString("Diameter: ") : QString("    Side: "));
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->lblTop->text(), QString("Pyramid Top Flat: "));
  QVERIFY(!Named<GeometryPage>(w, "pageGeometry")->edNCR->text().isEmpty());
}

void InitialDataCommandsTest::saveStopsAtTheFirstFailedStep() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  f.dialogs.saveNames = {f.folder.filePath("never.txt")};
  // Geometry, temperatures, material, then viewing conditions: an empty table is told first.
  w.Box(NumericBox::DA)->Write(5000);
  Named<ViewingConditionsPage>(w, "pageViewingConditions")->rgVC->SetItemIndex(kDirectionalA);
  w.SaveAs4Click();
  QCOMPARE(f.dialogs.messages, QStringList{"No spectral reflectance data found"});
  AddSpectralPoints(w, kPoints);
  w.SaveAs4Click();
  QCOMPARE(f.dialogs.messages.last(), Localized("Footprint Diameter DA must be from 0 to 100.0000"));
  w.Box(NumericBox::TopFlatSideLength)->Write(5);
  w.SaveAs4Click();
  QVERIFY(f.dialogs.messages.last().startsWith("Top Flat Side Length must be from 0 to "));
  QVERIFY(f.dialogs.saveRequests.empty());
  QVERIFY(!QFile::exists(f.folder.filePath("never.txt")));

  // A cancelled dialog and a file that cannot be created leave the window as it was.
  w.Box(NumericBox::TopFlatSideLength)->Write(0);
  w.Box(NumericBox::DA)->Write(35);
  Named<QLineEdit>(w, "edFileName")->setText("/old/task.txt");
  f.dialogs.messages.clear();
  f.dialogs.saveNames = {"  "};
  w.SaveAs4Click();
  QCOMPARE(f.dialogs.messages, QStringList());
  f.dialogs.saveNames = {f.folder.filePath("no such folder/task.txt")};
  w.SaveAs4Click();
  QCOMPARE(f.dialogs.messages, QStringList{"File writing error"});
  QCOMPARE(Named<QLineEdit>(w, "edFileName")->text(), QString("/old/task.txt"));
}

void InitialDataCommandsTest::saveProposesTheFileNameAsTaskName() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  AddSpectralPoints(w, kPoints);
  w.SaveAs4Click();
  static const QRegularExpression dateTime("^\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d$");
  QVERIFY2(dateTime.match(f.dialogs.saveRequests.back().proposedName).hasMatch(),
           qPrintable(f.dialogs.saveRequests.back().proposedName));
  QCOMPARE(QString::fromStdString(f.state->identity.TaskName), f.dialogs.saveRequests.back().proposedName);

  Named<QLineEdit>(w, "edFileName")->setText("/tasks/v1.2/run.1.txt");
  w.SaveAs4Click();
  QCOMPARE(f.dialogs.saveRequests.back().proposedName, QString("run_1"));
  QCOMPARE(f.state->identity.TaskName, std::string("run_1"));
}

namespace {

enum class Outcome { Unchanged, Cleared, GeometrySet };

QStringList ReplacedLine(QStringList lines, int index, const QString& line) {
  lines[index] = line;
  return lines;
}

int LineContaining(const QStringList& lines, const QString& text) {
  for (int i = 0; i < lines.size(); ++i)
    if (lines[i].contains(text)) return i;
  return -1;
}

}  // namespace

void InitialDataCommandsTest::loadRefusals_data() {
  QTest::addColumn<QStringList>("file");
  QTest::addColumn<bool>("answer");
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("outcome");
  QTest::addColumn<QList<int>>("radioItems");
  const QStringList good = SampleFileLines(kDirectionalB);
  const QList<int> none;
  QTest::newRow("a token that is not a number") << ReplacedLine(good, 2, "     8O.0000  // Blackbody side") << true
                                                << "File reading error" << int(Outcome::Unchanged) << none;
  QTest::newRow("more than 10000 points declared")
      << ReplacedLine(good, LineContaining(good, "Number of points"), "10001  // Number of points") << true
      << "File reading error" << int(Outcome::Unchanged) << none;
  QTest::newRow("the user answers No") << good << false << QString() << int(Outcome::Unchanged) << none;
  QTest::newRow("shape index 2") << ReplacedLine(good, 1, "2  // Square blackbody") << true
                                 << "Radiator shape index (2) must be 0 (square) or 1 (circle)" << int(Outcome::Cleared)
                                 << QList<int>{0, 0, 0};
  QTest::newRow("centre position index -1")
      << ReplacedLine(good, 3, "-1  // centre") << true
      << "Radiator center position index (-1) must be 0 (Pyramid Center) or 1 (Gap Center)" << int(Outcome::Cleared)
      << QList<int>{1, 0, 0};
  QTest::newRow("viewing conditions index 4")
      << SampleFileLines(4) << true
      << "Viewing Conditions Index (4) is out of range.\nViewing Conditions Index must be:\n"
         "0 for Directional Viewing Conditions A;\n1 for Directional Viewing Conditions B;\n"
         "2 for Conical Viewing Conditions;\n3 for Integrated Viewing Conditions."
      << int(Outcome::Cleared) << QList<int>{1, 1, 0};
  QTest::newRow("top flat longer than the base")
      << ReplacedLine(good, 6, "      5.0000  // Top flat side length") << true
      << Localized("Top Flat Side Length must be from 0 to 2.000") << int(Outcome::GeometrySet) << QList<int>{1, 1, 1};
}

void InitialDataCommandsTest::loadRefusals() {
  QFETCH(QStringList, file);
  QFETCH(bool, answer);
  QFETCH(QString, message);
  QFETCH(int, outcome);
  QFETCH(QList<int>, radioItems);
  MainWindowFixture f;
  TFMain& w = *f.window;
  FillWindow(w);
  const QString path = f.folder.filePath("task.txt");
  WriteBytes(path, FileText(file));
  f.dialogs.openNames = {path};
  f.dialogs.answers = {answer};
  const InitialData before = f.state->initialData;
  w.Load4Click();
  QCOMPARE(f.dialogs.messages, message.isEmpty() ? QStringList() : QStringList{message});
  const bool read = message != "File reading error";
  QCOMPARE(f.dialogs.confirmations, read ? QStringList{kLoadQuestion} : QStringList());

  if (outcome == int(Outcome::Unchanged)) {
    ExpectWindowAsFilled(w);
    // The task behind the window too: the drawings and targeting read it.
    QCOMPARE(f.state->initialData.RadiatorSize, before.RadiatorSize);
    QCOMPARE(f.state->initialData.SlantAngle, before.SlantAngle);
    QCOMPARE(f.state->initialData.VCType, before.VCType);
    return;
  }
  const TaskControls controls = w.ReadControls();
  QCOMPARE((QList<int>{controls.Shape, controls.CenterPosition, controls.VCType}), radioItems);
  // The boxes as Clear All left them, and the geometry boxes of the file when only its
  // geometry failed.
  TaskControls expected = ClearedControls();
  if (outcome == int(Outcome::GeometrySet)) {
    expected[NumericBox::Diameter] = 80;
    expected[NumericBox::SlantAngle] = 45;
    expected[NumericBox::BaseSideLength] = 2;
    expected[NumericBox::TopFlatSideLength] = 5;
  }
  for (const NumericBoxSpec& entry : kNumericBoxes)
    QVERIFY2(controls[entry.box] == expected[entry.box], entry.control.data());
  QCOMPARE(w.cdsR().RecordCount(), 0);
  QCOMPARE(w.cdsEERT().RecordCount(), 0);
  QCOMPARE(Named<QPlainTextEdit>(w, "mComments")->toPlainText(), QString());
  QCOMPARE(Named<QLineEdit>(w, "edFileName")->text(), QString());
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->edNCR->text(), QString());
}

void InitialDataCommandsTest::loadKeepsTheFirst1001CommentLines() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  std::vector<std::string> comments;
  for (int i = 1; i <= 1002; ++i) comments.push_back("line " + std::to_string(i));
  const QString path = f.folder.filePath("long.txt");
  WriteBytes(path, FileText(SampleFileLines(kDirectionalB, comments)));

  // The message comes while the file is read, before the question.
  f.dialogs.openNames = {path, path};
  f.dialogs.answers = {false, true};
  w.Load4Click();
  QCOMPARE(f.dialogs.messages, QStringList{"Comments are too long\nOnly 1001 lines will be entered"});
  QCOMPARE(Named<QPlainTextEdit>(w, "mComments")->toPlainText(), QString());
  w.Load4Click();
  comments.pop_back();
  QCOMPARE(MemoText(Named<QPlainTextEdit>(w, "mComments")), Lines(comments));
  QCOMPARE(f.state->identity.CommentCount, 1001);
  QCOMPARE(w.cdsR().RecordCount(), 2);
}

void InitialDataCommandsTest::loadSkipsRepeatedWavelengths() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  QStringList lines = SampleFileLines(kDirectionalB);
  const int count = LineContaining(lines, "Number of points");
  lines[count] = "4  // Number of points for spectral reflectance";
  lines.insert(count + 4, "     1.00000        0.90000000");
  lines.insert(count + 5, "     2.00000        0.80000000");
  const QString path = f.folder.filePath("repeated.txt");
  WriteBytes(path, FileText(lines));
  f.dialogs.openNames = {path};
  w.Load4Click();
  QCOMPARE(f.dialogs.messages, QStringList{"2 duplicated spectral points were skipped"});
  QVERIFY(TablePoints(w) == (std::vector<SpectralPoint>{{1, 0.1}, {2, 0.2}}));
  QCOMPARE(Named<QLineEdit>(w, "edFileName")->text(), path);
}

void InitialDataCommandsTest::clearAllResetsTheWindowAfterItsQuestion() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  FillWindow(w);
  Named<PageControl>(w, "pc")->setCurrentIndex(2);
  Named<QCheckBox>(w, "cbShowHints")->setChecked(false);
  f.state->identity.TaskName = "kept";
  f.dialogs.answers = {false};
  w.Clear4Click();
  ExpectWindowAsFilled(w);

  w.Clear4Click();
  QCOMPARE(f.dialogs.confirmations, (QStringList{kClearQuestion, kClearQuestion}));
  for (const NumericBoxSpec& entry : kNumericBoxes) {
    QVERIFY2(w.Box(entry.box)->Read() == entry.minimum, entry.control.data());
    QCOMPARE(w.Box(entry.box)->text(), w.Box(entry.box)->textFromValue(entry.minimum));
  }
  QCOMPARE(w.Box(NumericBox::BaseSideLength)->text(), Localized("0.0001"));
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->rgShape->ItemIndex(), 0);
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->rgCenter->ItemIndex(), 0);
  QCOMPARE(Named<ViewingConditionsPage>(w, "pageViewingConditions")->rgVC->ItemIndex(), 0);
  QCOMPARE(Named<ViewingConditionsPage>(w, "pageViewingConditions")->pcVC->currentIndex(), 0);
  QCOMPARE(Named<MaterialPage>(w, "pageMaterial")->rgRE->ItemIndex(), 0);
  QCOMPARE(Named<MaterialPage>(w, "pageMaterial")->dbchRE->yAxis->label(), QString("Spectral Reflectance"));
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->rgEERT->ItemIndex(), 0);
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->dbchEERT->yAxis->label(), QString("Spectral Effective Emissivity"));
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->lblRS->text(), QString("    Side: "));
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->lblTop->text(), QString("Pyramid Vertex: "));
  QCOMPARE(w.cdsR().RecordCount(), 0);
  QCOMPARE(w.cdsEERT().RecordCount(), 0);
  QCOMPARE(Named<MaterialPage>(w, "pageMaterial")->seRE->dataCount(), 0);
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->seIso->dataCount(), 0);
  QCOMPARE(Named<MaterialPage>(w, "pageMaterial")->sbR->text(), QString("Table is empty"));
  for (const QLineEdit* box :
       {Named<QLineEdit>(w, "edFileName"), Named<ResultsPage>(w, "pageResults")->edResultsFileName,
        Named<ReportPage>(w, "pageReport")->edReportFileName, Named<GeometryPage>(w, "pageGeometry")->edNCR,
        Named<GeometryPage>(w, "pageGeometry")->edPeriod, Named<GeometryPage>(w, "pageGeometry")->edHeight,
        Named<GeometryPage>(w, "pageGeometry")->edFullHeight,
        Named<GeometryPage>(w, "pageGeometry")->edFaceVertexAngle})
    QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
  QCOMPARE(Named<QPlainTextEdit>(w, "mComments")->toPlainText(), QString());
  QCOMPARE(Named<ReportPage>(w, "pageReport")->mReport->toPlainText(), QString());
  QVERIFY(Named<ReportPage>(w, "pageReport")->cbReadOnly->isChecked());
  QVERIFY(Named<ReportPage>(w, "pageReport")->mReport->isReadOnly());
  // What Clear All leaves alone.
  QCOMPARE(Named<PageControl>(w, "pc")->currentIndex(), 2);
  QVERIFY(!Named<QCheckBox>(w, "cbShowHints")->isChecked());
  QCOMPARE(f.state->identity.TaskName, std::string("kept"));
  QCOMPARE(f.dialogs.messages, QStringList());
}

void InitialDataCommandsTest::defaultFileIsReadAtStart() {
  QTemporaryDir folder;
  const QString path = folder.filePath("Data/Tessolan_default.txt");
  WriteBytes(path, FileText(SampleFileLines(kConical, {"default task"})));
  AppState state;
  state.folders = MakeFolders(folder.path().toStdString());
  ScriptedDialogs dialogs;
  TestMainWindow w(state, dialogs);
  QCOMPARE(dialogs.confirmations, QStringList());
  QCOMPARE(dialogs.messages, QStringList());
  QCOMPARE(Named<QLineEdit>(w, "edFileName")->text(), path);
  const TaskControls c = w.ReadControls();
  QCOMPARE(c.Shape, 1);
  QCOMPARE(c.VCType, int(kConical));
  QCOMPARE(Named<ViewingConditionsPage>(w, "pageViewingConditions")->pcVC->currentIndex(), int(kConical));
  QCOMPARE(c[NumericBox::Diameter], 80.0);
  QCOMPARE(c[NumericBox::TTop], 290.0);
  QCOMPARE(c[NumericBox::HF], 400.0);
  QCOMPARE(c[NumericBox::AngleW], 8.0);
  // The boxes of the other types keep their design values.
  for (NumericBox box : {NumericBox::DA, NumericBox::DB, NumericBox::DD, NumericBox::HD})
    QCOMPARE(c[box], BoxSpec(box).designValue);
  QCOMPARE(w.cdsR().RecordCount(), 2);
  QCOMPARE(MemoText(Named<QPlainTextEdit>(w, "mComments")), QStringList{"default task"});
  QCOMPARE(Named<GeometryPage>(w, "pageGeometry")->lblRS->text(), QString("Diameter: "));

  // A default file that cannot be read is told with its path, and the design values stay.
  WriteBytes(path, "nonsense\r\nnot a number\r\n");
  ScriptedDialogs otherDialogs;
  TestMainWindow other(state, otherDialogs);
  QCOMPARE(otherDialogs.messages, QStringList{"File reading error\n" + QDir::toNativeSeparators(path)});
  QCOMPARE(other.ReadControls().boxes, DesignControls().boxes);
  QCOMPARE(Named<QLineEdit>(other, "edFileName")->text(), QString());
}

QTEST_MAIN(InitialDataCommandsTest)
#include "InitialDataCommandsTest.moc"
