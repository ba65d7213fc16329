// The map page, its chart and the map picture written without a window, over hand-built maps.
#include <qcustomplot.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "EqualScales.h"
#include "MainWindowFixture.h"
#include "MapFixtures.h"
#include "NamedChild.h"
#include "ScriptedDialogs.h"
#include "data/FileMessages.h"
#include "model/AppState.h"
#include "run/MapFigures.h"
#include "ui/main/ResultsPage.h"
#include "ui/maps/MapChart.h"
#include "ui/maps/MapChoice.h"
#include "ui/maps/MapPage.h"
#include "ui/maps/MapPicture.h"
#include "ui/maps/MapTexts.h"
#include "ui/maps/UniformityPanel.h"
#include "ui/modeling/StandardErrorText.h"
#include "ui/widgets/PageControl.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

// The task the hand-built maps belong to: a circle of radius 5 over pyramids of base 1 and
// top flat 0.25 in a period of 1.25.
void PutPatternTask(AppState& state) {
  state.initialData.Shape = kCircle;
  state.initialData.BaseSideLength = 1;
  state.initialData.TopFlatSideLength = 0.25;
  state.initialData.GapWidth = 0.25;
  state.geometry.RadiatorHalf = 5;
  state.geometry.Period = 1.25;
}

MapOutlines PatternOutlines() {
  auto state = std::make_unique<AppState>();
  PutPatternTask(*state);
  return MapOutlinesOf(state->initialData, state->geometry);
}

struct PageFixture {
  PageFixture() {
    page.resize(1000, 620);
    page.show();
    page.ShowRunMap(PatternRunMap(16, 5.5), PatternOutlines());
    QApplication::processEvents();
  }
  QTemporaryDir folder;
  ScriptedDialogs dialogs;
  MapPage page{dialogs, folder.path()};
};

int OutlineCount(QCustomPlot* chart) {
  int count = 0;
  for (int i = 0; i < chart->plottableCount(); ++i) count += chart->plottable(i)->name() == "Outline";
  return count;
}

void MoveMouse(QWidget* widget, QPointF position) {
  QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

// The pixel at the centre of bin (ix, iy) of the map shown.
QPointF BinCentre(const MapChart* chart, const MapGrid& grid, int ix, int iy) {
  return {chart->xAxis->coordToPixel(grid.xMin + (ix + 0.5) * grid.BinWidth()),
          chart->yAxis->coordToPixel(grid.yMin + (iy + 0.5) * grid.BinHeight())};
}

}  // namespace

class MapsTest : public QObject {
  Q_OBJECT

 private slots:
  void pageShowsTheRunMapUnderItsOwnCaption();
  void quantityAndFoldSwitchTheMapShown_data();
  void quantityAndFoldSwitchTheMapShown();
  void anotherWavelengthOrGridIsAskedOfTheNextRun();
  void statusLineReadsTheBinUnderTheCursor();
  void uniformityFiguresAreNeverCut();
  void chartPicturesAreSavedThroughTheDialogs();
  void mapPngIsWrittenWithoutAWindow();
  void choiceTakesTheTasksNearestWavelength_data();
  void choiceTakesTheTasksNearestWavelength();
  void mainWindowOffersTheMaterialWavelengthsAndForgetsStaleMaps();
};

void MapsTest::pageShowsTheRunMapUnderItsOwnCaption() {
  PageFixture f;
  MapPage& page = f.page;
  QCOMPARE(page.chMap->title->text(), QString("Effective Emissivity, Isothermal  \u00B7  5.5 um  \u00B7  Viewed region")
                                          .replace('.', QChar(DecimalSeparator())));
  // Every bin in its cell, the empty ones outside the circle as NaN (drawn gray).
  const MapGrid& grid = page.Map().unfolded;
  QCPColorMapData* data = page.chMap->colorMap->data();
  QCOMPARE(data->keySize(), 16);
  for (int iy = 0; iy < 16; ++iy)
    for (int ix = 0; ix < 16; ++ix) {
      const double expected = grid.At(ix, iy).eeIso;
      const double shown = data->cell(ix, iy);
      QVERIFY2(std::isnan(expected) ? std::isnan(shown) : shown == expected,
               qPrintable(QString("%1,%2").arg(ix).arg(iy)));
    }
  QVERIFY(std::isnan(data->cell(0, 0)));
  double low = INFINITY, high = -INFINITY;
  for (const MapBin& bin : grid.bins)
    if (bin.rays > 0) low = std::min(low, bin.eeIso), high = std::max(high, bin.eeIso);
  QVERIFY(low < high);
  QCOMPARE(page.chMap->colorMap->dataRange().lower, low);
  QCOMPARE(page.chMap->colorMap->dataRange().upper, high);
  QCOMPARE(OutlineCount(page.chMap), 1);
  ExpectEqualScales(page.chMap);
  // The figures of the bins that count.
  const Uniformity u = ComputeUniformity(grid, MapQuantity::EEIso);
  QCOMPARE(page.pnUniformity->values[1]->text(), FigureText(u.min, MapQuantity::EEIso, DecimalSeparator()));
  QVERIFY(page.pnUniformity->values[1]->text().contains(
      QString::number(u.min.value, 'f', 5).replace('.', QChar(DecimalSeparator()))));
  QVERIFY(page.pnUniformity->rule->text().contains(QString("%1 bins").arg(u.bins)));
}

void MapsTest::quantityAndFoldSwitchTheMapShown_data() {
  QTest::addColumn<int>("quantity");
  QTest::addColumn<bool>("folded");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("scale");
  QTest::addColumn<int>("outlines");
  QTest::newRow("EENoniso whole") << 1 << false
                                  << "Effective Emissivity, Nonisothermal  \u00B7  5.5 um  \u00B7  Viewed region"
                                  << "Effective Emissivity" << 1;
  QTest::newRow("RTIso folded")
      << 2 << true << "Radiance Temperature, Isothermal  \u00B7  5.5 um  \u00B7  Folded into one pyramid cell"
      << "Radiance Temperature (K)" << 7;
  QTest::newRow("RTNoniso folded") << 3 << true
                                   << "Radiance Temperature, Nonisothermal  \u00B7  5.5 um  \u00B7  Folded into one "
                                      "pyramid cell"
                                   << "Radiance Temperature (K)" << 7;
}

void MapsTest::quantityAndFoldSwitchTheMapShown() {
  QFETCH(int, quantity);
  QFETCH(bool, folded);
  QFETCH(QString, title);
  QFETCH(QString, scale);
  QFETCH(int, outlines);
  PageFixture f;
  f.page.cbFold->setChecked(folded);
  f.page.comboQuantity->setCurrentIndex(quantity);
  QCOMPARE(f.page.chMap->title->text(), title.replace('.', QChar(DecimalSeparator())));
  QCOMPARE(f.page.chMap->colorScale->axis()->label(), scale);
  QCOMPARE(OutlineCount(f.page.chMap), outlines);
  const MapGrid& grid = folded ? f.page.Map().folded : f.page.Map().unfolded;
  const MapQuantity q = static_cast<MapQuantity>(quantity);
  for (int i : {0, 37, 119, 255})
    if (!std::isnan(MapValue(grid.bins[i], q)))
      QCOMPARE(f.page.chMap->colorMap->data()->cell(i % 16, i / 16), MapValue(grid.bins[i], q));
  // The folded map's cell edge lies on the grid's edge.
  if (folded) {
    QCOMPARE(f.page.chMap->colorMap->data()->keyRange(), QCPRange(-0.625 + 1.25 / 32, 0.625 - 1.25 / 32));
  }
  ExpectEqualScales(f.page.chMap);
}

void MapsTest::anotherWavelengthOrGridIsAskedOfTheNextRun() {
  PageFixture f;
  MapPage& page = f.page;
  // The default choice (spectrum average, 64 bins) is not the map's.
  QVERIFY(page.lblNextRun->isVisibleTo(&page));
  page.SetWavelengths({2.0, 5.5, 12.25});
  page.comboWavelength->setCurrentIndex(2);
  page.edGrid->setValue(16);
  QVERIFY(!page.lblNextRun->isVisibleTo(&page));
  QCOMPARE(page.NextMapChoice().wavelength, 5.5);
  page.comboWavelength->setCurrentIndex(0);
  QVERIFY(page.lblNextRun->isVisibleTo(&page));
  QVERIFY2(page.lblNextRun->text().contains("The next run maps spectrum average, 16 \u00D7 16 bins"),
           qPrintable(page.lblNextRun->text()));
  // The map keeps telling what it holds.
  QVERIFY(page.chMap->title->text().contains(QString("5") + QChar(DecimalSeparator()) + "5 um"));
  // A new table keeps the choice while its wavelength is there.
  page.comboWavelength->setCurrentIndex(3);
  page.SetWavelengths({1.0, 12.25});
  QCOMPARE(page.NextMapChoice().wavelength, 12.25);
  page.SetWavelengths({1.0});
  QVERIFY(std::isnan(page.NextMapChoice().wavelength));
  // Without a map, the chart says what the next run maps.
  page.ClearMap();
  QVERIFY(!page.lblNextRun->isVisibleTo(&page));
  QVERIFY(!page.chMap->colorMap->visible());
  QCOMPARE(page.chMap->title->text(), QString("No map yet: the next run maps spectrum average on 16 \u00D7 16 bins"));
  QCOMPARE(page.pnUniformity->rule->text(), QString("No map yet."));
}

// A long run's errors take many decimals: the panel widens to show them whole.
void MapsTest::uniformityFiguresAreNeverCut() {
  QTemporaryDir folder;
  ScriptedDialogs dialogs;
  MapPage page{dialogs, folder.path()};
  page.resize(1000, 620);
  page.show();
  RunMap map = PatternRunMap(16, 5.5);
  for (MapBin& bin : map.unfolded.bins) bin.eeIsoSE = 1.2e-9;
  page.ShowRunMap(map, PatternOutlines());
  QApplication::processEvents();
  QApplication::processEvents();  // the labels' new sizes, then the page's layout
  QVERIFY2(page.pnUniformity->values[0]->text().size() > 20, qPrintable(page.pnUniformity->values[0]->text()));
  const QRect inside = page.pnUniformity->contentsRect();
  for (QLabel* value : page.pnUniformity->values) {
    QVERIFY2(value->width() >= value->sizeHint().width(),
             qPrintable(QString("%1: %2 < %3").arg(value->text()).arg(value->width()).arg(value->sizeHint().width())));
    QVERIFY2(inside.contains(value->geometry()), qPrintable(value->text()));
  }
  QVERIFY(page.chMap->width() > page.pnUniformity->width());
}

void MapsTest::statusLineReadsTheBinUnderTheCursor() {
  PageFixture f;
  MapPage& page = f.page;
  const MapGrid& grid = page.Map().unfolded;
  MoveMouse(page.chMap, BinCentre(page.chMap, grid, 8, 7));
  const MapBin& bin = grid.At(8, 7);
  const QString text = page.sbMap->text();
  const char separator = DecimalSeparator();
  const QString value = MapValueText(bin.eeIso, MapQuantity::EEIso, separator);
  QVERIFY2(text.contains("EEIso " + value + " \u00B1 " + FormatStandardError(bin.eeIsoSE, separator)),
           qPrintable(text));
  QVERIFY2(text.endsWith(QString("(%1 rays)").arg(bin.rays)), qPrintable(text));
  // Radiance temperatures in kelvin; a bin without rays says so; outside the grid, the hint.
  page.comboQuantity->setCurrentIndex(3);
  MoveMouse(page.chMap, BinCentre(page.chMap, grid, 8, 7));
  QVERIFY2(page.sbMap->text().contains(" K   ("), qPrintable(page.sbMap->text()));
  MoveMouse(page.chMap, BinCentre(page.chMap, grid, 0, 0));
  QVERIFY2(page.sbMap->text().endsWith("no rays met the array here"), qPrintable(page.sbMap->text()));
  MoveMouse(page.chMap, QPointF(2, 2));
  QVERIFY(page.sbMap->text().startsWith("Point at the map"));
  // The folded map is read in its own bins.
  page.cbFold->setChecked(true);
  MoveMouse(page.chMap, BinCentre(page.chMap, page.Map().folded, 8, 8));
  QVERIFY2(page.sbMap->text().contains(QString("RTNoniso %1 K")
                                           .arg(page.Map().folded.At(8, 8).rtNoniso, 0, 'f', 2)
                                           .replace('.', QChar(DecimalSeparator()))),
           qPrintable(page.sbMap->text()));
}

void MapsTest::chartPicturesAreSavedThroughTheDialogs() {
  PageFixture f;
  const QString png = f.folder.filePath("map.png");
  const QString pdf = f.folder.filePath("map.pdf");
  f.dialogs.saveNames = {png, pdf, f.folder.filePath("missing/map.png")};
  auto* menu = f.page.chMap->findChild<QMenu*>("chartMenu");
  QVERIFY(menu);
  menu->findChild<QAction*>("SaveAsPng")->trigger();
  menu->findChild<QAction*>("SaveAsPdf")->trigger();
  QCOMPARE(f.dialogs.saveRequests.size(), std::size_t{2});
  QCOMPARE(f.dialogs.saveRequests[0].folder, f.folder.path());
  QVERIFY(!QImage(png).isNull());
  QVERIFY(QFileInfo(pdf).size() > 0);
  // A file that cannot be written is told, and the page keeps its map.
  menu->findChild<QAction*>("SaveAsPng")->trigger();
  QCOMPARE(f.dialogs.messages, QStringList{QString(kFileWritingError)});
  QVERIFY(f.page.Map().valid && f.page.chMap->colorMap->visible());
}

void MapsTest::mapPngIsWrittenWithoutAWindow() {
  QTemporaryDir folder;
  auto task = std::make_unique<AppState>();
  PutPatternTask(*task);
  const AppState& state = *task;
  const RunMap map = PatternRunMap(32, MapBin::kNaN);
  std::string message;
  const std::string path = folder.filePath("whole.png").toStdString();
  QVERIFY(WriteMapPng(state, map.unfolded, MapQuantity::RTNoniso, 5.5, path, message));
  const QImage picture(QString::fromStdString(path));
  QCOMPARE(picture.size(), kMapPictureSize);
  // Drawn: gray empty corners and the gradient's colours, not a blank picture.
  QSet<QRgb> colours;
  for (int y = 0; y < picture.height(); y += 7)
    for (int x = 0; x < picture.width(); x += 7) colours.insert(picture.pixel(x, y));
  QVERIFY(colours.size() > 10);
  QVERIFY(WriteMapPng(state, map.folded, MapQuantity::EEIso, 5.5, folder.filePath("cell.png").toStdString(), message));
  QCOMPARE(QImage(folder.filePath("cell.png")).size(), kMapPictureSize);
  // A place that cannot be written: false and the file's name in the message.
  const std::string bad = folder.filePath("missing/map.png").toStdString();
  QVERIFY(!WriteMapPng(state, map.folded, MapQuantity::EEIso, 5.5, bad, message));
  QCOMPARE(message, NamedFileWritingErrorMessage(bad));
  // An empty grid draws a titled empty chart rather than failing or crashing.
  QVERIFY(WriteMapPng(state, MapGrid{}, MapQuantity::EEIso, MapBin::kNaN, folder.filePath("empty.png").toStdString(),
                      message));
}

void MapsTest::choiceTakesTheTasksNearestWavelength_data() {
  QTest::addColumn<int>("grid");
  QTest::addColumn<double>("wavelength");
  QTest::addColumn<int>("expectedGrid");
  QTest::addColumn<int>("expectedIndex");
  QTest::newRow("spectrum average") << 64 << MapBin::kNaN << 64 << -1;
  QTest::newRow("exact") << 8 << 5.5 << 8 << 1;
  QTest::newRow("nearest") << 8 << 11.0 << 8 << 2;
  QTest::newRow("below the first") << 8 << 0.5 << 8 << 0;
  QTest::newRow("grid clamped") << 5000 << MapBin::kNaN << kMaxMapGrid << -1;
  QTest::newRow("grid at least one") << 0 << MapBin::kNaN << 1 << -1;
}

void MapsTest::choiceTakesTheTasksNearestWavelength() {
  QFETCH(int, grid);
  QFETCH(double, wavelength);
  QFETCH(int, expectedGrid);
  QFETCH(int, expectedIndex);
  SpectralArrays spectral;
  spectral.NWL = 3;
  spectral.ArrWL[0] = 2.0;
  spectral.ArrWL[1] = 5.5;
  spectral.ArrWL[2] = 12.25;
  const RunMap map = MapRequestFor({grid, wavelength}, spectral);
  QCOMPARE(map.grid, expectedGrid);
  QCOMPARE(map.wavelengthIndex, expectedIndex);
  QVERIFY(!map.valid);
}

void MapsTest::mainWindowOffersTheMaterialWavelengthsAndForgetsStaleMaps() {
  MainWindowFixture f;
  TFMain& w = *f.window;
  MapPage* page = Named<ResultsPage>(w, "pageResults")->mapPage;
  QCOMPARE(Named<ResultsPage>(w, "pageResults")->pcResults->tabText(2), QString("Map"));
  w.FillSpectralTable({{2.0, 0.1}, {5.5, 0.35}});
  QCOMPARE(page->comboWavelength->count(), 3);
  QCOMPARE(page->comboWavelength->itemData(2).toDouble(), 5.5);
  page->comboWavelength->setCurrentIndex(2);
  page->edGrid->setValue(24);
  QCOMPARE(w.NextMapChoice().grid, 24);
  QCOMPARE(w.NextMapChoice().wavelength, 5.5);

  // A run's results and map; the lines are the task's.
  w.FillResultsTable({{5.5, 0.98, 600, 0.97, 598}});
  PutPatternTask(*f.state);
  w.ShowRunMap(PatternRunMap(24, 5.5));
  QVERIFY(page->Map().valid);
  QCOMPARE(OutlineCount(page->chMap), 1);
  // Results loaded or erased afterwards are not the map's: it goes.
  w.FillResultsTable({{1.0, 0.5, 300, 0.5, 299}});
  QVERIFY(!page->Map().valid);
  QVERIFY(!page->chMap->colorMap->visible());
}

QTEST_MAIN(MapsTest)
#include "MapsTest.moc"
