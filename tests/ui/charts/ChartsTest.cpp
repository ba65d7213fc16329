// Charts: tick label patterns, the "Edit Graph" editor and its image export, the checkable
// legend; and the About window.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "ScriptedDialogs.h"
#include "ui/charts/ChartEditorDialog.h"
#include "ui/charts/ChartHelpers.h"
#include "ui/charts/CheckableLegendItem.h"
#include "ui/charts/EqualizeAxes.h"
#include "ui/dialogs/TFAbout.h"
#include "ui/widgets/UiLocale.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

class TickerProbe : public PatternTicker {
 public:
  using PatternTicker::PatternTicker;
  QString Label(double tick) { return getTickLabel(tick, QLocale(), 'g', 6); }
};

// A chart with one series of three points.
struct ChartFixture {
  ChartFixture() {
    chart.resize(400, 300);
    SetupChart(&chart, dialogs, folder.path());
    series = AddSeries(&chart, "Spectral Reflectance");
    StyleSeries(series, Qt::darkGreen, QCPScatterStyle::ssCircle);
    series->setData({1, 2, 3}, {0.1, 0.2, 0.3}, true);
    RescaleAndReplot(&chart);
  }
  QCustomPlot chart;
  QCPGraph* series;
  ScriptedDialogs dialogs;
  QTemporaryDir folder;
};

}  // namespace

class ChartsTest : public QObject {
  Q_OBJECT

 private slots:
  void tickLabelsFollowTheirPattern();
  void editorRestylesTheSeries();
  void fixedAxisRangeSurvivesNewData();
  void editorOnADrawingKeepsItsAxesApartAndListsCurves();
  void editorSavesPngAndPdf();
  void legendCheckBoxHidesItsSeries();
  void aboutWindowNamesTheProgram();
  void escapeClosesTheDialogs();
};

void ChartsTest::tickLabelsFollowTheirPattern() {
  TickerProbe wavelengths(4, 0);
  TickerProbe values(8, 8);
  const QString sep{QChar(DecimalSeparator())};
  QCOMPARE(wavelengths.Label(2.5), "2" + sep + "5");
  QCOMPARE(wavelengths.Label(10), QString("10"));
  QCOMPARE(wavelengths.Label(0.30000000000000004), "0" + sep + "3");
  QCOMPARE(values.Label(0.25), "        0" + sep + "25");
  QCOMPARE(values.Label(-1e-17), QString("        0"));
}

void ChartsTest::editorRestylesTheSeries() {
  ChartFixture f;
  ChartEditorDialog editor(&f.chart, f.dialogs, f.folder.path());
  editor.findChild<QComboBox*>("markers")->setCurrentText("Square");
  QCOMPARE(f.series->scatterStyle().shape(), QCPScatterStyle::ssSquare);
  editor.findChild<QSpinBox*>("lineWidth")->setValue(0);  // no line
  QCOMPARE(f.series->lineStyle(), QCPGraph::lsNone);
  f.dialogs.colors.push_back(Qt::blue);
  editor.findChild<QPushButton*>("colour")->click();
  QCOMPARE(f.series->pen().color(), QColor(Qt::blue));
  QCOMPARE(f.series->scatterStyle().pen().color(), QColor(Qt::blue));
}

void ChartsTest::fixedAxisRangeSurvivesNewData() {
  ChartFixture f;
  ChartEditorDialog editor(&f.chart, f.dialogs, f.folder.path());
  auto* automatic = editor.findChild<QCheckBox*>("leftAutomatic");
  automatic->setChecked(false);
  auto* minimum = editor.findChild<QDoubleSpinBox*>("leftMinimum");
  auto* maximum = editor.findChild<QDoubleSpinBox*>("leftMaximum");
  minimum->setValue(0);
  emit minimum->editingFinished();
  maximum->setValue(1);
  emit maximum->editingFinished();
  f.series->setData({1, 2}, {5, 6}, true);
  RescaleAndReplot(&f.chart);
  QCOMPARE(f.chart.yAxis->range(), QCPRange(0, 1));
  QVERIFY(f.chart.xAxis->range().lower < 1 && f.chart.xAxis->range().upper > 2);
  automatic->setChecked(true);
  QVERIFY(f.chart.yAxis->range().lower > 4);
}

// A drawing whose profile has its key on the vertical axis, like the targeting charts, and a
// curve, like the drawings' outlines.
void ChartsTest::editorOnADrawingKeepsItsAxesApartAndListsCurves() {
  ScriptedDialogs dialogs;
  QTemporaryDir folder;
  EqualScaleChart chart(dialogs, folder.path());
  chart.resize(400, 300);
  QCPGraph* profile = chart.addGraph(chart.yAxis, chart.xAxis);
  profile->setName("Profile");
  profile->setData({0, 5, 10}, {0, 2, 0}, true);  // Y from 0 to 10 up, Z from 0 to 2 across
  auto* outline = new QCPCurve(chart.xAxis, chart.yAxis);
  outline->setName("Outline");
  outline->setData({0.5, 1.5}, {4, 6});

  // Fitted without equal scales, each axis takes its own direction's extent.
  RescaleAndReplot(&chart);
  QVERIFY(chart.xAxis->range().upper < 3);
  QVERIFY(chart.yAxis->range().upper > 10);

  EqualizeAxes(&chart);
  ChartEditorDialog editor(&chart, dialogs, folder.path());
  auto* series = editor.findChild<QComboBox*>("series");
  QCOMPARE(series->count(), 2);
  QCOMPARE(series->itemText(1), QString("Outline"));
  // The data are tall and narrow: the bottom axis is widened, and shows as fixed.
  auto* bottomAutomatic = editor.findChild<QCheckBox*>("bottomAutomatic");
  QVERIFY(!bottomAutomatic->isChecked());
  QVERIFY(editor.findChild<QCheckBox*>("leftAutomatic")->isChecked());

  chart.xAxis->setRange(-50, 50);
  bottomAutomatic->setChecked(true);
  const QCPRange across = chart.xAxis->range(), down = chart.yAxis->range();
  const QRect plot = chart.axisRect()->rect();
  QCOMPARE(down, QCPRange(0, 10));
  QVERIFY(qFuzzyCompare(across.center(), 1.0));
  const double scales =
      (across.size() / plot.width()) / (down.size() / plot.height() * PixelWidthToHeight(chart.screen()));
  QVERIFY2(std::abs(scales - 1) < 1e-9, qPrintable(QString::number(scales)));

  series->setCurrentIndex(1);
  editor.findChild<QSpinBox*>("lineWidth")->setValue(0);
  QCOMPARE(outline->lineStyle(), QCPCurve::lsNone);
  QCOMPARE(profile->lineStyle(), QCPGraph::lsLine);
}

void ChartsTest::editorSavesPngAndPdf() {
  ChartFixture f;
  ChartEditorDialog editor(&f.chart, f.dialogs, f.folder.path());
  for (const QString& name : {QString("chart.png"), QString("chart.pdf")}) {
    const QString path = f.folder.filePath(name);
    QVERIFY(editor.SaveImage(path));
    QVERIFY(QFileInfo(path).size() > 0);
  }
  QVERIFY(!editor.SaveImage(f.folder.filePath("missing/chart.png")));
  QCOMPARE(f.dialogs.messages, QStringList{"File writing error"});

  f.dialogs.saveNames.push_back(f.folder.filePath("picked.png"));
  editor.findChild<QPushButton*>("savePng")->click();
  QCOMPARE(f.dialogs.saveRequests.at(0).folder, f.folder.path());
  QVERIFY(QFileInfo::exists(f.folder.filePath("picked.png")));
}

void ChartsTest::legendCheckBoxHidesItsSeries() {
  ChartFixture f;
  AddSeries(&f.chart, "Nonisothermal");
  UseCheckableLegend(&f.chart);
  QCOMPARE(f.chart.legend->itemCount(), 2);
  auto* item = qobject_cast<CheckableLegendItem*>(f.chart.legend->item(0));
  QVERIFY(item);
  item->Toggle();
  QVERIFY(!f.series->visible());
  item->Toggle();
  QVERIFY(f.series->visible());
}

void ChartsTest::aboutWindowNamesTheProgram() {
  TFAbout about;
  QStringList texts;
  for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
  const QString all = texts.join('\n');
  QVERIFY(all.contains("Tessolan"));
  QVERIFY(all.contains("Version 1."));
  QVERIFY(all.contains("pyramids"));
}

void ChartsTest::escapeClosesTheDialogs() {
  ChartFixture f;
  TFAbout about;
  ChartEditorDialog editor(&f.chart, f.dialogs, f.folder.path());
  for (QDialog* dialog : std::initializer_list<QDialog*>{&about, &editor}) {
    dialog->show();
    QApplication::setActiveWindow(dialog);
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
  }
}

QTEST_MAIN(ChartsTest)
#include "ChartsTest.moc"
