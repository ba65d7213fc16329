// Charts: tick label patterns, the "Edit Graph" editor and its image export, the checkable
// legend; and the About window.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "ui/charts/ChartEditorDialog.h"
#include "ui/charts/ChartHelpers.h"
#include "ui/charts/CheckableLegendItem.h"
#include "ScriptedDialogs.h"
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
  void editorSavesPngAndPdf();
  void legendCheckBoxHidesItsSeries();
  void aboutWindowNamesTheProgram();
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

QTEST_MAIN(ChartsTest)
#include "ChartsTest.moc"
