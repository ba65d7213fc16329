// Standard errors in the windows: the error columns of the results grid, the error bars of the
// results graphs, the largest error at the end of a run, the CSV exports of both tables, and
// the right-click menu that saves every chart as PNG or PDF.
#include <qcustomplot.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>

#include "MainWindowFixture.h"
#include "NamedChild.h"
#include "engine/GeometryPreprocessing.h"
#include "model/Notation.h"
#include "ui/charts/ChartHelpers.h"
#include "ui/charts/EqualizeAxes.h"
#include "ui/drawings/TFDraw.h"
#include "ui/drawings/TargetingPanel.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/modeling/StandardErrorText.h"
#include "ui/modeling/TFMCRT.h"
#include "ui/tables/DataGrid.h"
#include "ui/widgets/Colors.h"
#include "ui/widgets/MemoLines.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

// Two records with standard errors, as a run leaves them, and one without, as a file gives it.
const std::vector<ResultsRecord> kWithErrors{{1.0, 0.99, 299.5, 0.98, 299.1, 0.001, 0.25, 0.002, 0.5},
                                             {2.0, 0.995, 299.7, 0.985, 299.3, 0.003, 0.75, 0.004, 1.5}};
const std::vector<ResultsRecord> kWithoutErrors{{1.0, 0.99, 299.5, 0.98, 299.1}};

// A CSV file as a plain reader sees it: the "#" lines, the header row and the data rows split
// at the commas.
struct CsvFile {
  QStringList comments;
  QStringList header;
  std::vector<QStringList> rows;
};

CsvFile ReadCsv(const QString& path) {
  CsvFile csv;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return csv;
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
    if (line.startsWith('#'))
      csv.comments << line;
    else if (csv.header.isEmpty())
      csv.header = line.split(',');
    else
      csv.rows.push_back(line.split(','));
  }
  return csv;
}

// A CSV field as a double; NaN for an empty field, -1e300 for anything that is not a number.
double Number(const QString& field) {
  if (field.isEmpty()) return kUnknown;
  const std::string text = field.toStdString();
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() ? value : -1e300;
}

bool SameDouble(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

QByteArray Head(const QString& path, int bytes) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
}

QVector<double> ErrorValues(const QCPErrorBars* bars) {
  QVector<double> values;
  for (auto it = bars->data()->constBegin(); it != bars->data()->constEnd(); ++it) values << it->errorPlus;
  return values;
}

// A main window with a three-point material and a diffuse task, and a modeling window that has
// made one run of 1000 rays from seed 4242 under the task name "diffuse, three points".
struct RunFixture : MainWindowFixture {
  RunFixture() {
    QDir(folder.path()).mkpath("Results/Reports");
    QDir(folder.path()).mkpath("Data/SR");
    TFMain& w = *window;
    w.FillSpectralTable({{2.0, 0.1}, {5.5, 0.35}, {12.25, 0.05}});
    w.Box(NumericBox::Diffusity)->Write(0.6);
    w.Box(NumericBox::TTop)->Write(350);
    w.Box(NumericBox::Tbg)->Write(280);
    Named<QPushButton>(w, "btnCompute")->click();
    mcrt = std::make_unique<TFMCRT>(w);
    mcrt->cbAutoClose->setChecked(false);
    mcrt->comboNRays->setCurrentIndex(mcrt->comboNRays->findText("1e3"));
    mcrt->edTaskName->setText("diffuse, three points");
    state->randomSeed = 4242;
    mcrt->btnStart->click();
  }

  QString ResultsFolder() const { return QString::fromStdString(state->folders.ResultsDir); }

  std::unique_ptr<TFMCRT> mcrt;
};

}  // namespace

class UncertaintyTest : public QObject {
  Q_OBJECT

 private slots:
  void errorColumnsFilledByARunAndEmptyAfterALoad();
  void largestErrorEndsACompletedRun();
  void standardErrorsKeepTwoSignificantDigits_data();
  void standardErrorsKeepTwoSignificantDigits();
  void errorBarsFollowCheckBoxSwitchAndLegend();
  void resultsExportReadsBackWithTheRunsHeading();
  void resultsExportOfALoadedFileNamesTheFile();
  void reflectanceExportReadsBack();
  void exportWriteErrorIsTold();
  void everyChartSavesPngAndPdfFromItsMenu();
  void chartsStillZoomAndPan();
};

void UncertaintyTest::errorColumnsFilledByARunAndEmptyAfterALoad() {
  RunFixture f;
  TFMain& w = *f.window;
  QCOMPARE(f.dialogs.messages, QStringList());
  const QAbstractItemModel* model = Named<ResultsPage>(w, "pageResults")->dbgResults->model();
  QCOMPARE(model->columnCount(), 9);
  const QStringList titles{QString::fromUtf8("\u00B1 EEIso"), QString::fromUtf8("\u00B1 EENoniso"),
                           QString::fromUtf8("\u00B1 RTIso (K)"), QString::fromUtf8("\u00B1 RTNoniso (K)")};
  for (int c = 0; c < 4; ++c) {
    QCOMPARE(model->headerData(5 + c, Qt::Horizontal).toString(), titles[c]);
    QVERIFY(!(model->flags(model->index(0, 5 + c)) & Qt::ItemIsEditable));
    QCOMPARE(model->index(0, 5 + c).data(Qt::BackgroundRole).value<QColor>(), kInfoColor);
  }
  QCOMPARE(model->rowCount(), 3);
  for (int row = 0; row < 3; ++row) {
    const ResultsRecord& r = w.cdsEERT().Records()[static_cast<std::size_t>(row)];
    QCOMPARE(r.EEIsoSE, static_cast<double>(f.state->spectral.ArrEEIsoSE[row]));
    const double errors[] = {r.EEIsoSE, r.EESE, r.RTIsoSE, r.RTSE};
    for (int c = 0; c < 4; ++c) {
      QVERIFY(errors[c] > 0);
      QCOMPARE(model->index(row, 5 + c).data().toString(), FormatStandardError(errors[c], DecimalSeparator()));
    }
  }

  // The run wrote its results file; read back, it has the results but not their errors.
  f.dialogs.openNames = {f.ResultsFolder() + "/diffuse, three points_res.txt"};
  w.LoadResultsClick();
  QCOMPARE(f.dialogs.messages, QStringList());
  QCOMPARE(model->rowCount(), 3);
  for (int row = 0; row < 3; ++row) {
    QVERIFY(!model->index(row, 1).data().toString().isEmpty());
    for (int c = 5; c < 9; ++c) QCOMPARE(model->index(row, c).data().toString(), QString());
  }
}

void UncertaintyTest::largestErrorEndsACompletedRun() {
  RunFixture f;
  const QStringList lines = [&] {
    QStringList list;
    for (const std::string& line : MemoLines(f.mcrt->mProgress)) list << QString::fromStdString(line);
    return list;
  }();
  Extended largest = 0;
  for (int k = 0; k < 3; ++k)
    largest = std::max({largest, f.state->spectral.ArrEEIsoSE[k], f.state->spectral.ArrEESE[k]});
  QVERIFY(largest > 0);
  QVERIFY(lines[lines.size() - 2].startsWith("Monte Carlo modeling finished: "));
  QCOMPARE(lines.last(),
           "Largest standard error of the effective emissivities: " + FormatStandardError(largest, DecimalSeparator()));
}

void UncertaintyTest::standardErrorsKeepTwoSignificantDigits_data() {
  QTest::addColumn<double>("error");
  QTest::addColumn<QString>("text");
  QTest::newRow("typical") << 0.000412345 << "0.00041";
  QTest::newRow("rounds up") << 0.0123456 << "0.012";
  QTest::newRow("tenths") << 0.56789 << "0.57";
  QTest::newRow("kelvins") << 12.345 << "12";
  QTest::newRow("exactly zero") << 0.0 << "0";
}

void UncertaintyTest::standardErrorsKeepTwoSignificantDigits() {
  QFETCH(double, error);
  QFETCH(QString, text);
  QCOMPARE(FormatStandardError(error, DecimalSeparator()), Localized(text));
}

void UncertaintyTest::errorBarsFollowCheckBoxSwitchAndLegend() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  ResultsPage& page = *Named<ResultsPage>(w, "pageResults");
  Named<PageControl>(w, "pc")->setCurrentIndex(3);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  w.FillResultsTable(kWithErrors);

  // Off by default.
  QCOMPARE(page.cbErrorBars->text(), QString("Error Bars"));
  QVERIFY(!page.cbErrorBars->isChecked());
  QVERIFY(!page.ebIso->visible() && !page.ebNoniso->visible());
  QCOMPARE(page.dbchEERT->legend->itemCount(), 2);
  const double upperWithoutBars = page.dbchEERT->yAxis->range().upper;

  page.cbErrorBars->click();
  QVERIFY(page.ebIso->visible() && page.ebNoniso->visible());
  QCOMPARE(ErrorValues(page.ebIso), (QVector<double>{0.001, 0.003}));
  QCOMPARE(ErrorValues(page.ebNoniso), (QVector<double>{0.002, 0.004}));
  QCOMPARE(page.ebIso->pen().color(), page.seIso->pen().color());
  QVERIFY(page.dbchEERT->yAxis->range().upper > upperWithoutBars);  // room for the bars

  page.rgEERT->SetItemIndex(1);
  QCOMPARE(ErrorValues(page.ebIso), (QVector<double>{0.25, 0.75}));
  QCOMPARE(ErrorValues(page.ebNoniso), (QVector<double>{0.5, 1.5}));
  page.rgEERT->SetItemIndex(0);
  QCOMPARE(ErrorValues(page.ebIso), (QVector<double>{0.001, 0.003}));

  // A curve hidden from its legend check box takes its bars along.
  page.dbchEERT->replot();
  const QCPAbstractLegendItem* item = page.dbchEERT->legend->item(0);
  QTest::mouseClick(page.dbchEERT, Qt::LeftButton, {}, item->rect().topLeft() + QPoint(5, item->rect().height() / 2));
  QVERIFY(!page.seIso->visible() && !page.ebIso->visible() && page.ebNoniso->visible());
  QTest::mouseClick(page.dbchEERT, Qt::LeftButton, {}, item->rect().topLeft() + QPoint(5, item->rect().height() / 2));
  QVERIFY(page.ebIso->visible());

  // Results without errors draw no bars, even with the box ticked.
  w.FillResultsTable(kWithoutErrors);
  QVERIFY(page.cbErrorBars->isChecked());
  QVERIFY(!page.ebIso->visible() && !page.ebNoniso->visible());
  page.cbErrorBars->click();
  w.FillResultsTable(kWithErrors);
  QVERIFY(!page.ebIso->visible());
}

void UncertaintyTest::resultsExportReadsBackWithTheRunsHeading() {
  RunFixture f;
  TFMain& w = *f.window;
  const std::uint32_t seed = f.state->run.RunSeed;
  QCOMPARE(seed, 4242u);
  // What a later, stopped run leaves in the state must not reach the heading of this table.
  f.state->run.RunSeed = 1;
  f.state->accuracy.NRays = 100;
  f.state->identity.TaskName = "later";

  const QString path = f.folder.filePath("export.csv");
  f.dialogs.saveNames = {path};
  w.ExportCsv3Click();
  QCOMPARE(f.dialogs.messages, QStringList());
  const FileDialogRequest& request = f.dialogs.saveRequests.at(0);
  QCOMPARE(request.title, QString("Tessolan: Export Effective Emissivities and Radiance Temperatures as CSV"));
  QCOMPARE(request.folder, f.ResultsFolder());
  QCOMPARE(request.proposedName, QString("later_res"));
  QCOMPARE(request.filters.value(0), QString("CSV Files (*.csv)"));
  QCOMPARE(request.defaultSuffix, QString("csv"));

  const CsvFile csv = ReadCsv(path);
  QCOMPARE(csv.comments,
           (QStringList{"# Tessolan effective emissivities and radiance temperatures", "# Task: diffuse, three points",
                        "# Rays: 1000", "# Radiant flux threshold: " + QString::fromStdString(FormatGeneral(1e-6L)),
                        "# Random seed: 4242"}));
  QCOMPARE(csv.header,
           QString("WL_um,EEIso,EENoniso,RTIso_K,RTNoniso_K,EEIso_SE,EENoniso_SE,RTIso_K_SE,RTNoniso_K_SE").split(','));
  const std::vector<ResultsRecord>& table = w.cdsEERT().Records();
  QCOMPARE(csv.rows.size(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ResultsRecord& r = table[i];
    const double expected[] = {r.WL, r.EEIso, r.EE, r.RTIso, r.RT, r.EEIsoSE, r.EESE, r.RTIsoSE, r.RTSE};
    QCOMPARE(csv.rows[i].size(), 9);
    for (int c = 0; c < 9; ++c) {
      QVERIFY2(SameDouble(Number(csv.rows[i][c]), expected[c]), qPrintable(csv.rows[i][c]));
      QVERIFY(!std::isnan(expected[c]));
    }
  }
}

void UncertaintyTest::resultsExportOfALoadedFileNamesTheFile() {
  RunFixture f;
  TFMain& w = *f.window;
  const QString resultsFile = f.ResultsFolder() + "/diffuse, three points_res.txt";
  f.dialogs.openNames = {resultsFile};
  w.LoadResultsClick();
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->edResultsFileName->text(), resultsFile);

  const QString path = f.folder.filePath("loaded.csv");
  f.dialogs.saveNames = {path};
  w.ExportCsv3Click();
  const CsvFile csv = ReadCsv(path);
  QCOMPARE(csv.comments, (QStringList{"# Tessolan effective emissivities and radiance temperatures",
                                      "# Results file: " + resultsFile}));
  const std::vector<ResultsRecord>& table = w.cdsEERT().Records();
  QCOMPARE(csv.rows.size(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ResultsRecord& r = table[i];
    const double expected[] = {r.WL, r.EEIso, r.EE, r.RTIso, r.RT, kUnknown, kUnknown, kUnknown, kUnknown};
    QCOMPARE(csv.rows[i].size(), 9);
    for (int c = 0; c < 9; ++c) QVERIFY2(SameDouble(Number(csv.rows[i][c]), expected[c]), qPrintable(csv.rows[i][c]));
  }

  // Emptied and refilled by hand, the table is not the run's either.
  w.ClearAll();
  QVERIFY(!Named<ResultsPage>(w, "pageResults")->RunHeading());
}

void UncertaintyTest::reflectanceExportReadsBack() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  w.FillSpectralTable({{3.0, 1.0 / 3}, {0.5, 0.25}, {10.125, 0.1}});
  Named<QLineEdit>(w, "edFileName")->setText(f.folder.filePath("Data/gray body.txt"));
  // A point still being typed is part of the table that is exported.
  w.cdsR().Append();
  w.cdsR().SetField(SpectralFields::WL, 7.5);
  w.cdsR().SetField(SpectralFields::Reflectance, 0.7);
  const QString path = f.folder.filePath("sr.csv");
  f.dialogs.saveNames = {path};
  Named<MaterialPage>(w, "pageMaterial")->ExportCsv1->trigger();
  QCOMPARE(f.dialogs.messages, QStringList());
  const FileDialogRequest& request = f.dialogs.saveRequests.at(0);
  QCOMPARE(request.title, QString("Tessolan: Export Spectral Reflectance as CSV"));
  QCOMPARE(request.folder, QString::fromStdString(f.state->folders.SRDir));
  QCOMPARE(request.proposedName, QString("gray body_SR"));
  QCOMPARE(request.filters.value(0), QString("CSV Files (*.csv)"));

  const CsvFile csv = ReadCsv(path);
  QCOMPARE(csv.comments, QStringList{"# Tessolan spectral reflectance"});
  QCOMPARE(csv.header, (QStringList{"WL_um", "Reflectance", "Emissivity"}));
  const std::vector<SpectralPoint>& table = w.cdsR().Records();
  QCOMPARE(table.size(), std::size_t{4});
  QCOMPARE(csv.rows.size(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    QCOMPARE(Number(csv.rows[i][0]), table[i].WL);
    QCOMPARE(Number(csv.rows[i][1]), table[i].Reflectance);
    QCOMPARE(Number(csv.rows[i][2]), 1 - table[i].Reflectance);
  }
}

void UncertaintyTest::exportWriteErrorIsTold() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  w.FillResultsTable(kWithErrors);
  const QString unwritable = f.folder.filePath("no such folder/x.csv");
  f.dialogs.saveNames = {unwritable, unwritable};
  w.ExportCsv3Click();
  Named<MaterialPage>(w, "pageMaterial")->ExportCsv1->trigger();
  QCOMPARE(f.dialogs.messages, (QStringList{"File writing error", "File writing error"}));
  QVERIFY(!QFile::exists(unwritable));
  // Cancelled dialogs write nothing and say nothing.
  w.ExportCsv3Click();
  QCOMPARE(f.dialogs.messages.size(), 2);
  QCOMPARE(w.cdsEERT().RecordCount(), 2);
}

void UncertaintyTest::everyChartSavesPngAndPdfFromItsMenu() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  w.FillSpectralTable({{1.0, 0.2}, {2.0, 0.3}});
  w.FillResultsTable(kWithErrors);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QString message;
  QVERIFY(w.GatherGeometry(message));
  TFDraw drawings(*f.state, f.dialogs);
  drawings.show();
  QCoreApplication::processEvents();

  const std::vector<QCustomPlot*> charts{Named<MaterialPage>(w, "pageMaterial")->dbchRE,
                                         Named<ResultsPage>(w, "pageResults")->dbchEERT,
                                         Named<TargetingPanel>(w, "pnTargeting")->chYZ,
                                         Named<TargetingPanel>(w, "pnTargeting")->chXZ,
                                         drawings.chTopView,
                                         drawings.chTop,
                                         drawings.chSide};
  int saved = 0;
  for (QCustomPlot* chart : charts) {
    const QString name = chart->objectName();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20), chart->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(chart, &event);
    auto* menu = chart->findChild<QMenu*>("chartMenu");
    QVERIFY2(menu && menu->isVisible(), qPrintable(name));
    QCOMPARE(menu->actions().size(), 2);
    QCOMPARE(menu->actions()[0]->text(), QString("Save as PNG..."));
    QCOMPARE(menu->actions()[1]->text(), QString("Save as PDF..."));
    const QString png = f.folder.filePath(name + ".png");
    const QString pdf = f.folder.filePath(name + ".pdf");
    f.dialogs.saveNames = {png, pdf};
    menu->actions()[0]->trigger();
    menu->actions()[1]->trigger();
    menu->hide();
    QVERIFY2(Head(png, 8) == QByteArray("\x89PNG\r\n\x1a\n"), qPrintable(name));
    QVERIFY2(Head(pdf, 5) == QByteArray("%PDF-"), qPrintable(name));
    QVERIFY(QFileInfo(png).size() > 1000 && QFileInfo(pdf).size() > 1000);
    const FileDialogRequest& request = f.dialogs.saveRequests.at(static_cast<std::size_t>(saved));
    QCOMPARE(request.folder, QString::fromStdString(f.state->folders.ResultsDir));
    QCOMPARE(request.filters, QStringList{"PNG Images (*.png)"});
    QCOMPARE(f.dialogs.saveRequests.at(static_cast<std::size_t>(saved) + 1).defaultSuffix, QString("pdf"));
    saved += 2;
  }
  QCOMPARE(f.dialogs.messages, QStringList());

  // A file that cannot be written is told; a cancelled dialog says nothing.
  f.dialogs.saveNames = {f.folder.filePath("no such folder/chart.png")};
  QVERIFY(!SaveChartImage(Named<ResultsPage>(w, "pageResults")->dbchEERT, f.dialogs, QString(), ChartImageFormat::Png));
  QVERIFY(!SaveChartImage(Named<ResultsPage>(w, "pageResults")->dbchEERT, f.dialogs, QString(), ChartImageFormat::Pdf));
  QCOMPARE(f.dialogs.messages, QStringList{"File writing error"});
}

void UncertaintyTest::chartsStillZoomAndPan() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  w.FillResultsTable(kWithErrors);
  Named<PageControl>(w, "pc")->setCurrentIndex(3);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QCustomPlot* chart = Named<ResultsPage>(w, "pageResults")->dbchEERT;
  chart->replot();
  const QPoint centre = chart->axisRect()->rect().center();
  const QCPRange before = chart->xAxis->range();

  QWheelEvent wheel(centre, chart->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(chart, &wheel);
  const QCPRange zoomed = chart->xAxis->range();
  QVERIFY(zoomed.size() < before.size());

  QTest::mousePress(chart, Qt::LeftButton, {}, centre);
  QMouseEvent move(QEvent::MouseMove, centre + QPoint(40, 0), chart->mapToGlobal(centre + QPoint(40, 0)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(chart, &move);
  QTest::mouseRelease(chart, Qt::LeftButton, {}, centre + QPoint(40, 0));
  QVERIFY(chart->xAxis->range().lower < zoomed.lower);
  QVERIFY(std::abs(chart->xAxis->range().size() - zoomed.size()) < 1e-9 * zoomed.size());
  // A right click opens the menu and leaves the ranges alone.
  const QCPRange panned = chart->xAxis->range();
  QTest::mouseClick(chart, Qt::RightButton, {}, centre);
  QCOMPARE(chart->xAxis->range().lower, panned.lower);
}

QTEST_MAIN(UncertaintyTest)
#include "UncertaintyTest.moc"
