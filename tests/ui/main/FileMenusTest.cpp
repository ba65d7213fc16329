// The file commands of the "Spectral Reflectance", "Results" and "Report" menus.
#include <qcustomplot.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <charconv>

#include "FileCommandsSupport.h"
#include "NamedChild.h"
#include "data/FileMessages.h"
#include "data/ReflectanceFile.h"
#include "data/ResultsFile.h"
#include "model/Notation.h"
#include "ui/main/ReportPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/tables/TableHelpers.h"
#include "ui/widgets/Colors.h"
#include "ui/widgets/PageControl.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

const QString kResultsQuestion = "All existing results will be erased\nContinue?";
const QString kReportQuestion = "The existing report will be erased\nContinue?";
const QRegularExpression kDateTimeName("^\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d_(SR|res|rep)$");

const std::vector<ResultsRecord> kResults{{1.0, 0.99, 299.5, 0.98, 299.1}, {2.0, 0.995, 299.7, 0.985, 299.3}};

// The window's file commands start in these folders; the tests create them as they need them.
QString FolderOf(const std::string& folder) {
  QDir().mkpath(QString::fromStdString(folder));
  return QString::fromStdString(folder);
}

// An extended value half way between two numbers of 8 decimals, give or take less than a
// 64-bit float can tell: rounded to 64 bits first, it is written with another last digit.
long double ValueThatRoundsDifferentlyAt64Bits() {
  for (int k = 100; k < 1000; ++k) {
    const std::string text = "0.12345" + std::to_string(k) + "5";
    long double x = 0;
    std::from_chars(text.data(), text.data() + text.size(), x);
    if (FormatFileNumber(x, 14, 8) != FormatFileNumber(static_cast<double>(x), 14, 8)) return x;
  }
  return 0;
}

}  // namespace

class FileMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void reflectanceLoadReplacesBothTables();
  void reflectanceLoadFailuresChangeNothing_data();
  void reflectanceLoadFailuresChangeNothing();
  void reflectanceLoadTakesAtMost10000Points();
  void reflectanceSaveWritesTheTable();
  void reflectanceSaveRefusals();
  void resultsSaveAsEqualsTheRunsFile();
  void resultsSaveAsWritesTheTableAsItStands();
  void resultsLoadAsksBeforeReplacing();
  void resultsLoadFailuresChangeNothing();
  void reportLoadSaveAndErase();
  void reportFailuresKeepTheMemo();
  void readOnlySwitchesTheReport();
  void resultsLegendCheckBoxesHideTheirCurves();
};

void FileMenusTest::reflectanceLoadReplacesBothTables() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  AddSpectralPoints(w, {{7, 0.7}});
  w.FillResultsTable(kResults);
  const QString path = FolderOf(f.state->folders.SRDir) + "/metal_SR.txt";
  WriteBytes(path, "  3.0  0.3\r\n1.0\t0.1   measured\r\n2 2e-1\n1.0 0.9\r\n3.0 0.5\r\n3 0.7\r\n\r\n");
  f.dialogs.openNames = {path};
  w.Load1Click();
  QCOMPARE(f.dialogs.openRequests[0].title, QString("Tessolan: Load Spectral Reflectance from Text File"));
  QCOMPARE(f.dialogs.openRequests[0].folder, QString::fromStdString(f.state->folders.SRDir));
  QCOMPARE(f.dialogs.messages, QStringList{"3 duplicated spectral points were skipped"});
  QVERIFY(TablePoints(w) == (std::vector<SpectralPoint>{{1, 0.1}, {2, 0.2}, {3, 0.3}}));
  QCOMPARE(w.cdsEERT().RecordCount(), 0);
  QCOMPARE(f.state->spectral.NWL, 6);

  // An empty file empties both tables without a word.
  WriteBytes(path, "");
  w.FillResultsTable(kResults);
  f.dialogs.openNames = {path};
  w.Load1Click();
  QCOMPARE(f.dialogs.messages.size(), 1);
  QCOMPARE(w.cdsR().RecordCount(), 0);
  QCOMPARE(w.cdsEERT().RecordCount(), 0);
}

void FileMenusTest::reflectanceLoadFailuresChangeNothing_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("message");
  QTest::newRow("cancelled") << QByteArray() << QString() << QString();
  QTest::newRow("missing file") << QByteArray() << "missing.txt"
                                << "Error reading file";
  QTest::newRow("comma as separator") << QByteArray("1,5   0,25\r\n") << "comma.txt"
                                      << "File reading error";
  QTest::newRow("a word among the numbers") << QByteArray("1.5 0.25\r\n2.0 high\r\n") << "word.txt"
                                            << "File reading error";
}

void FileMenusTest::reflectanceLoadFailuresChangeNothing() {
  QFETCH(QByteArray, content);
  QFETCH(QString, name);
  QFETCH(QString, message);
  MainWindowFixture f;
  TFMain& w = *f.window;
  AddSpectralPoints(w, {{7, 0.7}});
  w.FillResultsTable(kResults);
  if (!content.isEmpty()) WriteBytes(f.folder.filePath(name), content);
  f.dialogs.openNames = {name.isEmpty() ? QString() : f.folder.filePath(name)};
  w.Load1Click();
  QCOMPARE(f.dialogs.messages, message.isEmpty() ? QStringList() : QStringList{message});
  QVERIFY(TablePoints(w) == (std::vector<SpectralPoint>{{7, 0.7}}));
  QCOMPARE(w.cdsEERT().RecordCount(), 2);
}

void FileMenusTest::reflectanceLoadTakesAtMost10000Points() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  QByteArray content;
  for (int i = 1; i <= 10001; ++i) content += QByteArray::number(i) + " 0.5\r\n";
  WriteBytes(f.folder.filePath("long.txt"), content);
  f.dialogs.openNames = {f.folder.filePath("long.txt")};
  w.Load1Click();
  QCOMPARE(f.dialogs.messages, QStringList{"Too many spectral points\nOnly 10000points will be entered"});
  QCOMPARE(w.cdsR().RecordCount(), 10000);
  QCOMPARE(TablePoints(w).back().WL, 10000.0);
}

void FileMenusTest::reflectanceSaveWritesTheTable() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  AddSpectralPoints(w, {{2.5, 0.5}, {1.234567891, 0.123456789}, {12345678.5, 0.25}});
  const QString folder = FolderOf(f.state->folders.SRDir);
  Named<QLineEdit>(w, "edFileName")->setText("/tasks/v1.0/task1.txt");
  f.dialogs.saveNames = {folder + "/a_SR.txt"};
  w.SaveAs1Click();
  QCOMPARE(f.dialogs.messages, QStringList());
  QCOMPARE(f.dialogs.saveRequests[0].title, QString("Tessolan: Save Spectral Reflectance in Text File"));
  QCOMPARE(f.dialogs.saveRequests[0].folder, folder);
  QCOMPARE(f.dialogs.saveRequests[0].proposedName, QString("task1_SR"));
  QCOMPARE(ReadBytes(folder + "/a_SR.txt"),
           FileText({"     1.23457   0.12345679", "     2.50000   0.50000000", "12345678.50000   0.25000000"}));
  // The proposal does not name the task.
  QCOMPARE(f.state->identity.TaskName, std::string());

  Named<QLineEdit>(w, "edFileName")->clear();
  f.dialogs.saveNames = {folder + "/b_SR.txt"};
  w.SaveAs1Click();
  QVERIFY2(kDateTimeName.match(f.dialogs.saveRequests[1].proposedName).hasMatch(),
           qPrintable(f.dialogs.saveRequests[1].proposedName));

  // Loaded back: the table at the decimals of the file.
  f.dialogs.openNames = {folder + "/b_SR.txt"};
  w.Load1Click();
  QVERIFY(TablePoints(w) == (std::vector<SpectralPoint>{{1.23457, 0.12345679}, {2.5, 0.5}, {12345678.5, 0.25}}));
}

void FileMenusTest::reflectanceSaveRefusals() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  w.SaveAs1Click();
  QCOMPARE(f.dialogs.messages, QStringList{"No spectral reflectance data found"});
  // A file holding a reflectance outside 0..1 loads, but the table is not written back.
  WriteBytes(f.folder.filePath("outside_SR.txt"), "     2.50000   -1.25000000\r\n");
  f.dialogs.openNames = {f.folder.filePath("outside_SR.txt")};
  w.Load1Click();
  QVERIFY(TablePoints(w) == (std::vector<SpectralPoint>{{2.5, -1.25}}));
  w.SaveAs1Click();
  QCOMPARE(f.dialogs.messages.takeLast(), Localized("Reflectance at 2.50000 um is -1.25; it must be from 0 to 1"));
  QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{0});
  EmptyTable(w.cdsR());
  QVERIFY(f.dialogs.saveRequests.empty());

  std::vector<SpectralPoint> many;
  for (int i = 1; i <= 10001; ++i) many.push_back({double(i), 0.5});
  AddSpectralPoints(w, many);
  w.SaveAs1Click();
  QCOMPARE(f.dialogs.messages.last(), QString("Number of spectral points (10001) cannot be greater than 10000"));
  QVERIFY(f.dialogs.saveRequests.empty());

  w.cdsR().MoveTo(0);
  w.cdsR().Delete();
  f.dialogs.saveNames = {f.folder.filePath("no such folder/x_SR.txt")};
  w.SaveAs1Click();
  QCOMPARE(f.dialogs.messages.last(), QString("Error writing file"));
}

void FileMenusTest::resultsSaveAsEqualsTheRunsFile() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  const long double tie = ValueThatRoundsDifferentlyAt64Bits();
  QVERIFY(tie != 0);
  SpectralArrays& s = f.state->spectral;
  s.NWL = 3;
  const long double values[3][5] = {{1.5L, 0.991L, 0.987L, 299.71L, 299.35L},
                                    {2.5L, tie, 1 - tie, 1234.56785L, 99999.99995L},
                                    {3.25L, 0.5L, 0.25L, 0.00005L, 12.0L}};
  for (int k = 0; k < 3; ++k) {
    s.ArrWL[k] = values[k][0];
    s.ArrEEIso[k] = values[k][1];
    s.ArrEE[k] = values[k][2];
    s.ArrRTIso[k] = values[k][3];
    s.ArrRT[k] = values[k][4];
  }
  // What the run does: the table from the arrays, the file from the arrays.
  w.FillResultsTable(ResultsRows(s));
  const QString folder = FolderOf(f.state->folders.ResultsDir);
  std::string error;
  QVERIFY(SaveResultsFile((folder + "/run_res.txt").toStdString(), s, error));
  QVERIFY(SaveResultsFile((folder + "/rows_res.txt").toStdString(), ResultsTableRows(w), error));
  QVERIFY(ReadBytes(folder + "/rows_res.txt") != ReadBytes(folder + "/run_res.txt"));

  f.state->identity.TaskName = "run.1";
  f.dialogs.saveNames = {folder + "/saved_res.txt"};
  w.SaveAs3Click();
  QCOMPARE(f.dialogs.messages, QStringList());
  QCOMPARE(f.dialogs.saveRequests[0].title,
           QString("Tessolan: Save Effective Emissivities and Radiance Temperatures in Text File"));
  QCOMPARE(f.dialogs.saveRequests[0].folder, folder);
  QCOMPARE(f.dialogs.saveRequests[0].proposedName, QString("run_1_res"));
  QCOMPARE(f.state->identity.TaskName, std::string("run_1"));
  QCOMPARE(ReadBytes(folder + "/saved_res.txt"), ReadBytes(folder + "/run_res.txt"));
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->edResultsFileName->text(), folder + "/saved_res.txt");
}

void FileMenusTest::resultsSaveAsWritesTheTableAsItStands() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  const QString path = f.folder.filePath("table_res.txt");
  // No results at all: the header alone.
  f.dialogs.saveNames = {path};
  w.SaveAs3Click();
  QCOMPARE(ReadBytes(path), FileText({kResultsHeader}));

  // The arrays hold a former run; the table, with a record deleted, is what is written.
  f.state->spectral.NWL = 3;
  w.FillResultsTable(kResults);
  w.cdsEERT().MoveTo(0);
  QVERIFY(w.cdsEERT().Delete());
  Named<QLineEdit>(w, "edFileName")->setText("/tasks/task1.txt");
  f.state->identity.TaskName = " ";
  f.dialogs.saveNames = {path};
  w.SaveAs3Click();
  QCOMPARE(f.dialogs.saveRequests.back().proposedName, QString("task1_res"));
  QCOMPARE(ReadBytes(path),
           FileText({kResultsHeader, QString::fromStdString(ResultsLine(2.0, 0.995, 0.985, 299.7, 299.3))}));

  // A file that cannot be created keeps the name shown.
  f.dialogs.saveNames = {f.folder.filePath("no such folder/x_res.txt")};
  w.SaveAs3Click();
  QCOMPARE(f.dialogs.messages, QStringList{"File writing error"});
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->edResultsFileName->text(), path);
}

void FileMenusTest::resultsLoadAsksBeforeReplacing() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  const QString folder = FolderOf(f.state->folders.ResultsDir);
  const QString first = folder + "/first_res.txt", second = folder + "/second_res.txt";
  WriteBytes(first,
             FileText({"any header", "2.0 0.9 0.8 290.5 280.25 extra", "1.0 0.95 0.85 295 285", "2.0 0.1 0.1 1 1"}));
  WriteBytes(second, FileText({kResultsHeader, "5.0 0.5 0.4 250 240"}));
  f.state->spectral.NWL = 7;
  Named<ResultsPage>(w, "pageResults")->pcResults->setCurrentIndex(1);

  f.dialogs.openNames = {first};
  w.LoadResultsClick();
  QCOMPARE(f.dialogs.openRequests[0].title,
           QString("Tessolan: Load Effective Emissivities and Radiance Temperatures from Text File"));
  QCOMPARE(f.dialogs.openRequests[0].folder, folder);
  QCOMPARE(f.dialogs.confirmations, QStringList());
  QCOMPARE(f.dialogs.messages, QStringList{"1 duplicated spectral point was skipped"});
  const std::vector<ResultsRecord> firstRows{{1.0, 0.95, 295, 0.85, 285}, {2.0, 0.9, 290.5, 0.8, 280.25}};
  QVERIFY(ResultsTableRows(w) == firstRows);
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->edResultsFileName->text(), first);
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->pcResults->currentIndex(), 0);
  QCOMPARE(f.state->spectral.NWL, 7);

  f.dialogs.openNames = {second, second};
  f.dialogs.answers = {false, true};
  w.LoadResultsClick();
  QVERIFY(ResultsTableRows(w) == firstRows);
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->edResultsFileName->text(), first);
  // "No" leaves the arrays too, in the first file's order: a Save As still finds the table
  // equal to them.
  QCOMPARE(static_cast<double>(f.state->spectral.ArrEEIso[0]), 0.9);
  w.LoadResultsClick();
  QCOMPARE(f.dialogs.confirmations, (QStringList{kResultsQuestion, kResultsQuestion}));
  QVERIFY(ResultsTableRows(w) == (std::vector<ResultsRecord>{{5.0, 0.5, 250, 0.4, 240}}));
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->edResultsFileName->text(), second);
}

void FileMenusTest::resultsLoadFailuresChangeNothing() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  w.FillResultsTable(kResults);
  Named<ResultsPage>(w, "pageResults")->edResultsFileName->setText("/old_res.txt");
  const QString bad = f.folder.filePath("bad_res.txt");
  WriteBytes(bad, FileText({kResultsHeader, "1.0 0.9 0.8 290 280", "2.0 0.9 n/a 290 280"}));
  QByteArray tooLong = FileText({kResultsHeader});
  for (int i = 1; i <= 10001; ++i) tooLong += QByteArray::number(i) + " 0.9 0.8 290 280\r\n";
  const QString longFile = f.folder.filePath("long_res.txt");
  WriteBytes(longFile, tooLong);
  f.dialogs.openNames = {bad, longFile, f.folder.filePath("missing_res.txt"), QString()};
  for (int i = 0; i < 4; ++i) w.LoadResultsClick();
  QCOMPARE(f.dialogs.messages, QStringList(3, "Error reading file"));
  QCOMPARE(f.dialogs.confirmations, QStringList());
  QVERIFY(ResultsTableRows(w) == kResults);
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->edResultsFileName->text(), QString("/old_res.txt"));
}

void FileMenusTest::reportLoadSaveAndErase() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  ReportPage& page = *Named<ReportPage>(w, "pageReport");
  const QString folder = FolderOf(f.state->folders.ReportsDir);
  const QStringList report{"Tessolan: Monte Carlo Modeling of Pyramid Array Radiation Characteristics", "",
                           "Task Name: x", "   T = 300 \u00b0K", ""};
  SetMemoLines(page.mReport, StdLines(report));

  f.dialogs.saveNames = {folder + "/saved_rep.txt"};
  w.SaveAs6Click();
  QCOMPARE(f.dialogs.saveRequests[0].title, QString("Tessolan: Save Report in Text File"));
  QCOMPARE(f.dialogs.saveRequests[0].folder, folder);
  QVERIFY2(kDateTimeName.match(f.dialogs.saveRequests[0].proposedName).hasMatch(),
           qPrintable(f.dialogs.saveRequests[0].proposedName));
  QCOMPARE(QString::fromStdString(f.state->identity.TaskName) + "_rep", f.dialogs.saveRequests[0].proposedName);
  QCOMPARE(ReadBytes(folder + "/saved_rep.txt"),
           QByteArray("Tessolan: Monte Carlo Modeling of Pyramid Array Radiation Characteristics\r\n\r\n"
                      "Task Name: x\r\n   T = 300 \xb0K\r\n\r\n"));
  QCOMPARE(page.edReportFileName->text(), folder + "/saved_rep.txt");

  // Erase asks first while there is a report; an empty memo is erased without a word.
  f.dialogs.answers = {false, true};
  w.Erase1Click();
  QCOMPARE(MemoText(page.mReport), report);
  w.Erase1Click();
  QCOMPARE(page.mReport->toPlainText(), QString());
  QCOMPARE(page.edReportFileName->text(), QString());
  page.edReportFileName->setText("stale");
  w.Erase1Click();
  QCOMPARE(page.edReportFileName->text(), QString());
  QCOMPARE(f.dialogs.confirmations, (QStringList{kReportQuestion, kReportQuestion}));

  // Loading into an empty memo asks nothing; over a report it asks.
  f.dialogs.openNames = {folder + "/saved_rep.txt"};
  w.LoadReportClick();
  QCOMPARE(f.dialogs.openRequests[0].title, QString("Tessolan: Load Report from Text File"));
  QCOMPARE(f.dialogs.openRequests[0].folder, folder);
  QCOMPARE(f.dialogs.confirmations.size(), 2);
  QCOMPARE(MemoText(page.mReport), report);
  QCOMPARE(page.edReportFileName->text(), folder + "/saved_rep.txt");
  WriteBytes(folder + "/other_rep.txt", "other\nreport");
  f.dialogs.openNames = {folder + "/other_rep.txt", folder + "/other_rep.txt"};
  f.dialogs.answers = {false, true};
  w.LoadReportClick();
  QCOMPARE(MemoText(page.mReport), report);
  w.LoadReportClick();
  QCOMPARE(f.dialogs.confirmations.size(), 4);
  QCOMPARE(MemoText(page.mReport), (QStringList{"other", "report"}));
  QCOMPARE(page.edReportFileName->text(), folder + "/other_rep.txt");

  // An empty memo saves an empty file; the task name chosen before stays.
  const std::string taskName = f.state->identity.TaskName;
  page.mReport->clear();
  f.dialogs.saveNames = {folder + "/empty_rep.txt"};
  w.SaveAs6Click();
  QVERIFY(QFile::exists(folder + "/empty_rep.txt"));
  QCOMPARE(ReadBytes(folder + "/empty_rep.txt"), QByteArray());
  QCOMPARE(f.state->identity.TaskName, taskName);
  QCOMPARE(f.dialogs.messages, QStringList());
}

void FileMenusTest::reportFailuresKeepTheMemo() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  ReportPage& page = *Named<ReportPage>(w, "pageReport");
  page.mReport->setPlainText("the report");
  page.edReportFileName->setText("/old_rep.txt");
  f.dialogs.openNames = {f.folder.filePath("missing_rep.txt"), QString()};
  w.LoadReportClick();
  w.LoadReportClick();
  f.dialogs.saveNames = {f.folder.filePath("no such folder/x_rep.txt"), " "};
  w.SaveAs6Click();
  w.SaveAs6Click();
  QCOMPARE(f.dialogs.confirmations, QStringList{kReportQuestion});
  QCOMPARE(f.dialogs.messages, (QStringList{"Error reading file", "File writing error"}));
  QCOMPARE(page.mReport->toPlainText(), QString("the report"));
  QCOMPARE(page.edReportFileName->text(), QString("/old_rep.txt"));
}

void FileMenusTest::readOnlySwitchesTheReport() {
  MainWindowFixture f;
  ReportPage& page = *Named<ReportPage>(*f.window, "pageReport");
  QVERIFY(page.cbReadOnly->isChecked());
  QVERIFY(page.mReport->isReadOnly());
  QCOMPARE(page.mReport->palette().color(QPalette::Base), kInfoColor);
  page.cbReadOnly->click();
  QVERIFY(!page.mReport->isReadOnly());
  QCOMPARE(page.mReport->palette().color(QPalette::Base), QColor(Qt::white));
  page.cbReadOnly->click();
  QVERIFY(page.mReport->isReadOnly());
  QCOMPARE(page.mReport->palette().color(QPalette::Base), kInfoColor);
}

void FileMenusTest::resultsLegendCheckBoxesHideTheirCurves() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  w.FillResultsTable(kResults);
  Named<PageControl>(w, "pc")->setCurrentIndex(3);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QCustomPlot* chart = Named<ResultsPage>(w, "pageResults")->dbchEERT;
  chart->replot();
  for (int i = 0; i < 2; ++i) {
    QCPAbstractLegendItem* item = chart->legend->item(i);
    QVERIFY(!item->rect().intersects(chart->axisRect()->rect()));
    QTest::mouseClick(chart, Qt::LeftButton, {}, item->rect().topLeft() + QPoint(5, item->rect().height() / 2));
    QVERIFY(!chart->plottable(i)->visible());
  }
  QTest::mouseClick(chart, Qt::LeftButton, {}, chart->legend->item(1)->rect().center());
  QVERIFY(Named<ResultsPage>(w, "pageResults")->seNoniso->visible());
}

QTEST_MAIN(FileMenusTest)
#include "FileMenusTest.moc"
