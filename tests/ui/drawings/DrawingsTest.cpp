// The drawings window: the memo, the three drawings and their series, equal scales after a
// resize, the array top view's drawing time, and "Draw" opening the window.
#include <qcustomplot.h>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>

#include "EqualScales.h"
#include "MainWindowFixture.h"
#include "NamedChild.h"
#include "engine/GeometryPreprocessing.h"
#include "model/AppState.h"
#include "ui/charts/EqualizeAxes.h"
#include "ui/drawings/ArrayTopViewLayer.h"
#include "ui/drawings/TFDraw.h"
#include "ui/main/GeometryPage.h"
#include "ui/widgets/Colors.h"
#include "ui/widgets/PageControl.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

// The design task's geometry, changed as a test needs, and derived.
struct DrawingsFixture {
  explicit DrawingsFixture(const std::function<void(InitialData&)>& change = {}) {
    InitialData& t = state.initialData;
    t.RadiatorSize = 100;
    t.SlantAngle = 45;
    t.BaseSideLength = 3;
    if (change) change(t);
    std::string message;
    derived = PreprocessGeometry(t, state.geometry, message);
    window = std::make_unique<TFDraw>(state, dialogs);
    window->show();
    QCoreApplication::processEvents();
  }

  AppState state;
  ScriptedDialogs dialogs;
  bool derived = false;
  std::unique_ptr<TFDraw> window;
};

QVector<QPointF> Points(const QCPCurve* curve) {
  QVector<QPointF> points;
  for (auto it = curve->data()->constBegin(); it != curve->data()->constEnd(); ++it)
    points << QPointF(it->key, it->value);
  return points;
}

QVector<QPointF> Points(const QCPGraph* graph) {
  QVector<QPointF> points;
  for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it)
    points << QPointF(it->key, it->value);
  return points;
}

bool Near(const QPointF& a, const QPointF& b) {
  return std::abs(a.x() - b.x()) < 1e-12 && std::abs(a.y() - b.y()) < 1e-12;
}

bool SameEnds(const QVector<QPointF>& points, QPointF p, QPointF q) {
  return points.size() == 2 &&
         ((Near(points[0], p) && Near(points[1], q)) || (Near(points[0], q) && Near(points[1], p)));
}

QVector<QPointF> Square(double h) { return {{-h, -h}, {-h, h}, {h, h}, {h, -h}, {-h, -h}}; }

bool SamePoints(const QVector<QPointF>& a, const QVector<QPointF>& b) {
  if (a.size() != b.size()) return false;
  for (int i = 0; i < a.size(); ++i)
    if (!Near(a[i], b[i])) return false;
  return true;
}

}  // namespace

class DrawingsTest : public QObject {
  Q_OBJECT

 private slots:
  void memoDescribesTheDerivedGeometry();
  void radiatorBoundaryIsASquareOrAThousandPointCircle();
  void singlePyramidViews_data();
  void singlePyramidViews();
  void everyChartKeepsEqualScalesWhenResized();
  void largestArrayDrawsInReasonableTime();
  void boundaryAndAxisLinesShowOverADenseArray();
  void drawOpensTheWindowOnTheGatheredGeometry();
};

void DrawingsTest::memoDescribesTheDerivedGeometry() {
  DrawingsFixture design;
  QCOMPARE(design.window->windowTitle(), QString("Tessolan: Drawings of Pyramid Array and Single Pyramid"));
  QCOMPARE(design.window->pc->currentIndex(), 0);
  QCOMPARE(design.window->memo->toPlainText().split('\n'),
           QStringList({Localized("Radiator center coincides with the pyramid vertex;   Array period = 3.0000"),
                        Localized("Number of columns and rows = 35;   Pyramid Slant Angle = 45.0000") + QChar(0xB0),
                        Localized("Base Side Length = 3.0000;   Gap Width = 0.0000"),
                        Localized("Top Flat Side Length = 0.0000;   Height = 1.5000")}));

  DrawingsFixture truncated([](InitialData& t) {
    t.CenterPosition = kCentralValleys;
    t.TopFlatSideLength = 1;
    t.GapWidth = 0.25L;
    t.SlantAngle = 30;
  });
  const QStringList lines = truncated.window->memo->toPlainText().split('\n');
  QCOMPARE(lines[0], Localized("Radiator center coincides with the gap center;   Array period = 3.2500"));
  QCOMPARE(lines[1], Localized("Number of columns and rows = 32;   Pyramid Slant Angle = 30.0000") + QChar(0xB0));
  QCOMPARE(lines[3], Localized("Top Flat Side Length = 1.0000;   Height = 0.5774"));
}

void DrawingsTest::radiatorBoundaryIsASquareOrAThousandPointCircle() {
  DrawingsFixture square;
  QVERIFY(SamePoints(Points(square.window->seBound), Square(50)));

  DrawingsFixture circle([](InitialData& t) { t.Shape = kCircle; });
  const QVector<QPointF> boundary = Points(circle.window->seBound);
  QCOMPARE(boundary.size(), 1000);
  QVERIFY(Near(boundary.first(), QPointF(50, 0)));
  QVERIFY(std::abs(boundary.last().x() - 50) < 1e-9 && std::abs(boundary.last().y()) < 1e-9);
  for (const QPointF& p : boundary) QVERIFY(std::abs(std::hypot(p.x(), p.y()) - 50) < 1e-9);
  QVERIFY(std::abs(boundary[250].x() - 50 * std::cos(250 * 2 * M_PI / 999)) < 1e-12);

  // Frame and axis lines reach 5 % beyond the outermost cells (-52.5..52.5).
  TFDraw& w = *circle.window;
  bool found = false;
  QCOMPARE(w.seFrame->getKeyRange(found).upper, 1.05 * 52.5);
  QVERIFY(SameEnds(Points(w.seX), {-1.05 * 52.5, 0}, {1.05 * 52.5, 0}));
  QVERIFY(SameEnds(Points(w.seY), {-1.05 * 52.5, 0}, {1.05 * 52.5, 0}));  // keys down the chart
}

void DrawingsTest::singlePyramidViews_data() {
  QTest::addColumn<double>("topFlat");
  QTest::addColumn<double>("gap");
  QTest::addColumn<double>("height");
  QTest::newRow("pointed, no gap") << 0.0 << 0.0 << 1.5;
  QTest::newRow("truncated with gap") << 1.0 << 0.5 << 1.0;
}

void DrawingsTest::singlePyramidViews() {
  QFETCH(double, topFlat);
  QFETCH(double, gap);
  QFETCH(double, height);
  DrawingsFixture f([&](InitialData& t) {
    t.TopFlatSideLength = topFlat;
    t.GapWidth = gap;
  });
  TFDraw& w = *f.window;
  const double p = (3 + gap) / 2, a = 1.5, d = topFlat / 2;
  QVERIFY(SamePoints(Points(w.seCell), Square(p)));
  QVERIFY(SamePoints(Points(w.sePyramid), Square(a)));
  QVERIFY(SamePoints(Points(w.seFlatTop), Square(d)));
  QVERIFY(SamePoints(Points(w.seFrameTop), Square(1.05 * p)));
  // The edges run from the base corners to the top flat's corners, meeting at the vertex when
  // the pyramid is pointed.
  QVERIFY(SameEnds(Points(w.seDiag11), {-a, -a}, {-d, -d}));
  QVERIFY(SameEnds(Points(w.seDiag21), {a, -a}, {d, -d}));
  QVERIFY(SameEnds(Points(w.seDiag12), {d, d}, {a, a}));
  QVERIFY(SameEnds(Points(w.seDiag22), {-d, d}, {-a, a}));
  const QVector<QPointF> profile = Points(w.seProfile);
  QCOMPARE(profile.size(), 6);
  const QVector<QPointF> expected = {{-p, 0}, {-a, 0}, {-d, height}, {d, height}, {a, 0}, {p, 0}};
  for (const QPointF& point : expected) {
    QVERIFY(std::any_of(profile.begin(), profile.end(), [&](const QPointF& q) {
      return std::abs(q.x() - point.x()) < 1e-12 && std::abs(q.y() - point.y()) < 1e-9;
    }));
  }
  bool found = false;
  const QCPRange frameHeights = w.seFrameSide->getValueRange(found);
  QVERIFY(std::abs(frameHeights.lower + 0.05 * height) < 1e-9);
  QVERIFY(std::abs(frameHeights.upper - 1.05 * height) < 1e-9);
}

void DrawingsTest::everyChartKeepsEqualScalesWhenResized() {
  DrawingsFixture f([](InitialData& t) {
    t.Shape = kCircle;
    t.TopFlatSideLength = 1;
  });
  TFDraw& w = *f.window;
  QCOMPARE(w.size(), QSize(500, 700));
  QCOMPARE(w.minimumSize(), QSize(500, 700));
  for (QSize size : {QSize(500, 700), QSize(900, 650), QSize(520, 1000)}) {
    w.resize(size);
    QCoreApplication::processEvents();
    for (int page : {0, 1, 2}) {
      w.pc->setCurrentIndex(page);
      QCoreApplication::processEvents();
      QCustomPlot* charts[] = {w.chTopView, w.chTop, w.chSide};
      ExpectEqualScales(charts[page]);
    }
  }
}

void DrawingsTest::largestArrayDrawsInReasonableTime() {
  // A radiator of 3003 with a period of 3: 1001 x 1001 pyramids.
  DrawingsFixture f([](InitialData& t) { t.RadiatorSize = 3003; });
  QVERIFY(f.derived);
  QCOMPARE(int(f.state.geometry.NCR), 1001);
  TFDraw& w = *f.window;
  auto* layer = w.findChild<ArrayTopViewLayer*>();
  QVERIFY(layer);
  QElapsedTimer timer;
  timer.start();
  w.chTopView->replot(QCustomPlot::rpImmediateRefresh);
  const qint64 wholeMs = timer.elapsed();
  // Zoomed in until a cell is a few pixels wide: the visible pyramids are drawn one by one.
  const double pixelsPerUnit = w.chTopView->axisRect()->width() / w.chTopView->xAxis->range().size();
  w.chTopView->xAxis->scaleRange(pixelsPerUnit * 3 / (ArrayTopViewLayer::kMinCellPixels * 1.25));
  w.chTopView->yAxis->scaleRange(pixelsPerUnit * 3 / (ArrayTopViewLayer::kMinCellPixels * 1.25));
  timer.restart();
  w.chTopView->replot(QCustomPlot::rpImmediateRefresh);
  const qint64 zoomedMs = timer.elapsed();
  qInfo("1001 x 1001 array: whole view %lld ms, zoomed to %lld pyramids %lld ms", wholeMs, layer->PyramidsDrawn(),
        zoomedMs);
  QVERIFY(layer->PyramidsDrawn() > 10000);
  QVERIFY(layer->PyramidsDrawn() < 1001 * 1001);
  QVERIFY2(wholeMs < 1000 && zoomedMs < 1000, qPrintable(QString("%1 %2").arg(wholeMs).arg(zoomedMs)));
}

// A circular radiator over 1001 x 1001 cells, each under two pixels wide: the array is filled,
// and the red boundary and the axis lines through the centre still show over it.
void DrawingsTest::boundaryAndAxisLinesShowOverADenseArray() {
  DrawingsFixture f([](InitialData& t) {
    t.Shape = RadiatorShape::kCircle;
    t.RadiatorSize = 3003;
  });
  TFDraw& w = *f.window;
  const QImage shown = w.chTopView->toPixmap().toImage();
  int blue = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) blue += shown.pixelColor(x, y) == kSeriesBlue;
  QVERIFY2(blue > 10000, qPrintable(QString::number(blue)));
  // Each of them, hidden, changes the picture: it was in view.
  for (QCPAbstractPlottable* series : std::initializer_list<QCPAbstractPlottable*>{w.seBound, w.seX, w.seY}) {
    series->setVisible(false);
    QVERIFY2(w.chTopView->toPixmap().toImage() != shown, qPrintable(series->name()));
    series->setVisible(true);
  }
}

void DrawingsTest::drawOpensTheWindowOnTheGatheredGeometry() {
  QTemporaryDir folder;
  AppState state;
  state.folders = MakeFolders(folder.path().toStdString());
  ScriptedDialogs dialogs;
  TFMain window(state, dialogs);
  TaskControls controls = window.ReadControls();
  controls[NumericBox::GapWidth] = 1;
  window.WriteControls(controls);
  QStringList memo;
  int pyramids = 0;
  QTimer::singleShot(0, [&] {
    auto* drawings = qobject_cast<TFDraw*>(QApplication::activeModalWidget());
    if (!drawings) return;
    memo = drawings->memo->toPlainText().split('\n');
    pyramids = int(drawings->seProfile->dataCount());
    QTest::mouseClick(drawings->btnClose, Qt::LeftButton);
  });
  QTest::mouseClick(Named<GeometryPage>(window, "pageGeometry")->btnDraw, Qt::LeftButton);
  QCOMPARE(memo.size(), 4);
  QCOMPARE(memo[0], Localized("Radiator center coincides with the pyramid vertex;   Array period = 4.0000"));
  QCOMPARE(pyramids, 6);
  QVERIFY(window.findChildren<TFDraw*>().isEmpty());
}

QTEST_MAIN(DrawingsTest)
#include "DrawingsTest.moc"
