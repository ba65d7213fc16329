// Targeting on the viewing conditions page: the frames of each viewing conditions type, the
// tracing loop with its progress, early stops and Stop, the profiles, the red segments, and
// the charts' equal scales.
#include <qcustomplot.h>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "EqualScales.h"
#include "MainWindowFixture.h"
#include "NamedChild.h"
#include "engine/TargetingRay.h"
#include "ui/charts/ChartEditorDialog.h"
#include "ui/charts/EqualizeAxes.h"
#include "ui/drawings/TargetingPanel.h"
#include "ui/main/Hints.h"
#include "ui/widgets/PageControl.h"

using namespace tessolan;
using namespace tessolan::testing;

namespace {

constexpr const char* kFovTitle = "FOV EXCEEDS BLACKBODY BOUNDARIES";

// A main window showing the viewing conditions page, with the design task in its controls.
struct TargetingFixture : MainWindowFixture {
  TargetingFixture() {
    window->resize(1085, 850);
    window->show();
    Named<PageControl>(*window, "pc")->setCurrentIndex(2);
    QCoreApplication::processEvents();
  }

  TargetingPanel& panel() const { return *Named<TargetingPanel>(*window, "pnTargeting"); }

  void Set(NumericBox box, double value) {
    TaskControls c = window->ReadControls();
    c[box] = value;
    window->WriteControls(c);
  }

  void SetViewing(int type, double b, double a) {
    TaskControls c = window->ReadControls();
    c.VCType = type;
    c[NumericBox::B] = b;
    c[NumericBox::A] = a;
    window->WriteControls(c);
  }

  void Start(int rayChoice) {
    panel().comboNRT->setCurrentIndex(rayChoice);
    QTest::mouseClick(panel().btnStart, Qt::LeftButton);
    QCoreApplication::processEvents();
  }
};

enum RayChoice { kNone, kHundred, kThousand, kTenThousand, kHundredThousand };

QString Title(const QCustomPlot* chart) {
  auto* title = qobject_cast<QCPTextElement*>(chart->plotLayout()->element(0, 0));
  return title ? title->text() : QString();
}

// Pure red pixels inside a chart's plot rectangle: the drawn segments.
int RedPixelsInPlot(QCustomPlot* chart) {
  chart->replot(QCustomPlot::rpImmediateRefresh);
  const QImage image = chart->grab().toImage();
  const QRect plot = chart->axisRect()->rect().adjusted(1, 1, -1, -1);
  int red = 0;
  for (int y = plot.top(); y <= plot.bottom(); ++y)
    for (int x = plot.left(); x <= plot.right(); ++x)
      if (image.pixelColor(x, y) == QColor(Qt::red)) ++red;
  return red;
}

QVector<QPointF> ProfilePoints(const QCPGraph* profile) {
  QVector<QPointF> points;  // (down the chart, across)
  for (auto it = profile->data()->constBegin(); it != profile->data()->constEnd(); ++it)
    points << QPointF(it->key, it->value);
  return points;
}

QCPRange FrameKeys(const QCPGraph* frame) {
  bool found = false;
  return frame->getKeyRange(found);
}

QCPRange FrameValues(const QCPGraph* frame) {
  bool found = false;
  return frame->getValueRange(found);
}

}  // namespace

class TargetingTest : public QObject {
  Q_OBJECT

 private slots:
  void framesFollowTheViewingConditionsType_data();
  void framesFollowTheViewingConditionsType();
  void zeroRaysDrawProfilesAndNoSegments();
  void hundredRaysShowProgressAfterEveryRay();
  void beamPartlyOutsideStopsWithTheFovTitles();
  void stopEndsTheRunAndKeepsTheTracedRays();
  void closingTheWindowEndsTheRun();
  void commandsGivenDuringARunDoNotChangeIt();
  void failedGatheringTracesNothing();
  void profilesOfPointedAndTruncatedArrays();
  void segmentsAreDrawnInRedAndClearedWithTheCharts();
  void chartsKeepEqualScalesWhenResized();
  void hundredThousandSegmentsRepaintQuickly();
  void editGraphLinksOpenTheEditorOnTheirChart();
};

void TargetingTest::framesFollowTheViewingConditionsType_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<double>("a");
  QTest::addColumn<double>("yMin");
  QTest::addColumn<double>("yMax");
  QTest::addColumn<double>("xMin");
  QTest::addColumn<double>("xMax");
  QTest::addColumn<double>("zMax");
  // b = 60 throughout; the array's cells span -52.5..52.5. Directional: the viewer's point at
  // height 150 with the beam radius (DA 35, DB 20); Conical: the focal point at H = 500;
  // Integrated: the detector (DD 50) at H = 500, tilted by b.
  QTest::newRow("Directional A") << int(kDirectionalA) << 30.0 << -55.125 << 154.774001096 << -55.125 << 254.625
                                 << 157.5;
  QTest::newRow("Directional B") << int(kDirectionalB) << 30.0 << -55.125 << 146.899001096 << -55.125 << 246.75
                                 << 157.5;
  QTest::newRow("Conical") << int(kConical) << 210.0 << -227.331668493 << 55.125 << -393.75 << 55.125 << 262.5;
  QTest::newRow("Integrated") << int(kIntegrated) << 210.0 << -240.456668493 << 55.125 << -406.875 << 55.125
                              << 285.233166849;
}

void TargetingTest::framesFollowTheViewingConditionsType() {
  QFETCH(int, type);
  QFETCH(double, a);
  QFETCH(double, yMin);
  QFETCH(double, yMax);
  QFETCH(double, xMin);
  QFETCH(double, xMax);
  QFETCH(double, zMax);
  TargetingFixture f;
  f.SetViewing(type, 60, a);
  f.Set(NumericBox::DA, 35);
  f.Set(NumericBox::DB, 20);
  f.Set(NumericBox::HF, 500);
  f.Set(NumericBox::DD, 50);
  f.Set(NumericBox::HD, 500);
  f.Start(kNone);
  QVERIFY(f.dialogs.messages.isEmpty());
  const TargetingFrames& frames = f.panel().Frames();
  const double tolerance = 1e-8;
  QVERIFY(std::abs(double(frames.FrameYZ.Min) - yMin) < tolerance);
  QVERIFY(std::abs(double(frames.FrameYZ.Max) - yMax) < tolerance);
  QVERIFY(std::abs(double(frames.FrameXZ.Min) - xMin) < tolerance);
  QVERIFY(std::abs(double(frames.FrameXZ.Max) - xMax) < tolerance);
  QVERIFY(std::abs(double(frames.FrameYZ.ZMax) - zMax) < tolerance);
  QCOMPARE(double(frames.FrameXZ.ZMax), double(frames.FrameYZ.ZMax));
  QCOMPARE(double(frames.FrameYZ.ZMin), -0.15);
  QCOMPARE(double(frames.FrameXZ.ZMin), -0.15);
  // The invisible frame series span the frames: down the chart as keys, z across as values.
  QCOMPARE(FrameKeys(f.panel().seFrameYZ).lower, double(frames.FrameYZ.Min));
  QCOMPARE(FrameKeys(f.panel().seFrameXZ).upper, double(frames.FrameXZ.Max));
  QCOMPARE(FrameValues(f.panel().seFrameYZ).upper, double(frames.FrameYZ.ZMax));
  QCOMPARE(FrameValues(f.panel().seFrameXZ).lower, -0.15);
}

void TargetingTest::zeroRaysDrawProfilesAndNoSegments() {
  TargetingFixture f;
  QCOMPARE(Title(f.panel().chYZ), QString("YZ plane"));
  QCOMPARE(Title(f.panel().chXZ), QString("XZ plane"));
  QCOMPARE(f.panel().comboNRT->currentText(), QString("1,000"));
  QCOMPARE(f.panel().pcTargeting->tabText(0), QString("YZ Plane"));
  QCOMPARE(f.panel().pcTargeting->tabText(1), QString("XZ Plane"));
  f.Start(kNone);
  QCOMPARE(f.panel().NRaysTargeting(), 0);
  QCOMPARE(f.panel().TracedRays(), 0);
  QCOMPARE(f.state->randomSeed, 0u);
  QCOMPARE(Title(f.panel().chYZ), QString("YZ Plane"));
  QCOMPARE(Title(f.panel().chXZ), QString("XZ Plane"));
  QCOMPARE(f.panel().seProfileYZ->dataCount(), 6 * 35);
  QCOMPARE(f.panel().seProfileXZ->dataCount(), 6 * 35);
  QCOMPARE(RedPixelsInPlot(f.panel().chYZ), 0);
  QVERIFY(f.panel().btnStart->isEnabled());
  QVERIFY(!f.panel().btnStop->isEnabled());
  QCOMPARE(HintOf(f.panel().btnStart), QString("Start targeting\n(preliminary ray tracing)"));
  QCOMPARE(HintOf(f.panel().btnStop), QString("Stop targeting"));
  QCOMPARE(HintOf(f.panel().comboNRT), QString("Select number of \nrays for targeting"));
}

void TargetingTest::hundredRaysShowProgressAfterEveryRay() {
  TargetingFixture f;
  TargetingPanel& p = f.panel();
  QList<int> progress, tracedAtProgress;
  bool startDisabledThroughout = true, stopEnabledThroughout = true;
  QObject::connect(p.pbPercentage, &QProgressBar::valueChanged, [&](int value) {
    progress << value;
    tracedAtProgress << p.TracedRays();
    if (p.IsRunning()) {
      startDisabledThroughout = startDisabledThroughout && !p.btnStart->isEnabled();
      stopEnabledThroughout = stopEnabledThroughout && p.btnStop->isEnabled();
    }
  });
  f.Start(kHundred);
  QCOMPARE(p.TracedRays(), 100);
  QList<int> expected;
  for (int i = 1; i <= 100; ++i) expected << i;
  expected << 0;  // back to 0 once the charts are drawn
  QCOMPARE(progress, expected);
  // Progress i is shown before ray i is traced.
  for (int i = 0; i < 100; ++i) QCOMPARE(tracedAtProgress[i], i);
  QVERIFY(startDisabledThroughout);
  QVERIFY(stopEnabledThroughout);
  QVERIFY(p.btnStart->isEnabled());
  QVERIFY(!p.btnStop->isEnabled());

  // The program's sequence from seed 0 continues: the rays are those of the engine's tracer.
  const AppState& s = *f.state;
  TargetingTracer reference(s.initialData, s.geometry, s.view);
  RandomGenerator rng(0);
  for (int i = 0; i < 100; ++i) {
    TargetingSegment expectedSegment;
    QVERIFY(reference.TraceTargetingRay(rng, expectedSegment));
    const TargetingSegment& segment = p.TargetingSegments()[i];
    QCOMPARE(segment.StartX, expectedSegment.StartX);
    QCOMPARE(segment.EndZ, expectedSegment.EndZ);
    // A directional beam: every segment runs from the launch disc about the viewer's point at
    // height 150, tilted by b, along the line of sight down onto a pyramid face.
    QVERIFY(std::abs(segment.StartZ - 150) <= 17.5 * std::sin(5 * M_PI / 180) + 1e-3);
    QVERIFY(segment.EndZ >= 0 && segment.EndZ <= 1.5f);
    const double along = (segment.StartY - segment.EndY) / (segment.StartZ - segment.EndZ);
    QVERIFY(std::abs(along - std::tan(5 * M_PI / 180)) < 1e-4);
    QVERIFY(std::abs(segment.StartX - segment.EndX) < 1e-4);
  }
  QCOMPARE(s.randomSeed, rng.seed());
}

void TargetingTest::beamPartlyOutsideStopsWithTheFovTitles() {
  TargetingFixture f;
  f.SetViewing(kDirectionalA, 60, 0);
  f.Set(NumericBox::DA, 100);
  f.Start(kThousand);
  TargetingPanel& p = f.panel();
  QVERIFY(p.TracedRays() > 0);
  QVERIFY(p.TracedRays() < 1000);
  QCOMPARE(Title(p.chYZ), QString(kFovTitle));
  QCOMPARE(Title(p.chXZ), QString(kFovTitle));
  QCOMPARE(p.pbPercentage->value(), 0);
  QCOMPARE(p.seProfileYZ->dataCount(), 6 * 35);
  QCOMPARE(p.seFrameXZ->dataCount(), 5);
  // The ray that stopped the run met the base beyond the radiating area: its segment has no length.
  const TargetingSegment& last = p.TargetingSegments()[p.TracedRays() - 1];
  QCOMPARE(last.EndX, last.StartX);
  QCOMPARE(last.EndZ, last.StartZ);
  QVERIFY(RedPixelsInPlot(p.chXZ) > 0);

  // The next run inside the radiating area resets the titles.
  f.Set(NumericBox::DA, 20);
  f.Start(kHundred);
  QCOMPARE(p.TracedRays(), 100);
  QCOMPARE(Title(p.chYZ), QString("YZ Plane"));
}

void TargetingTest::stopEndsTheRunAndKeepsTheTracedRays() {
  TargetingFixture f;
  TargetingPanel& p = f.panel();
  // Stop is pressed through the event queue: the run must let the window work to see it.
  QObject::connect(p.pbPercentage, &QProgressBar::valueChanged, [&](int value) {
    if (value == 5) QMetaObject::invokeMethod(p.btnStop, "click", Qt::QueuedConnection);
  });
  f.Start(kTenThousand);
  QVERIFY2(p.TracedRays() >= 499 && p.TracedRays() < 600, qPrintable(QString::number(p.TracedRays())));
  QCOMPARE(p.NRaysTargeting(), 10000);
  QCOMPARE(Title(p.chYZ), QString("YZ Plane"));
  QCOMPARE(p.pbPercentage->value(), 0);
  QVERIFY(p.btnStart->isEnabled());
  QVERIFY(!p.btnStop->isEnabled());
  QVERIFY(!p.IsRunning());
  QVERIFY(RedPixelsInPlot(p.chYZ) > 0);
}

void TargetingTest::closingTheWindowEndsTheRun() {
  TargetingFixture f;
  TargetingPanel& p = f.panel();
  QObject::connect(p.pbPercentage, &QProgressBar::valueChanged, [&](int value) {
    if (value == 2) f.window->close();
  });
  f.Start(kHundredThousand);
  QVERIFY(p.TracedRays() < 100000);
  QVERIFY(!p.IsRunning());
}

void TargetingTest::commandsGivenDuringARunDoNotChangeIt() {
  TargetingFixture f;
  TargetingPanel& p = f.panel();
  // Halfway through, the user enters larger pyramids and presses "Calculate".
  QObject::connect(p.pbPercentage, &QProgressBar::valueChanged, [&](int value) {
    if (value != 50) return;
    f.Set(NumericBox::BaseSideLength, 10);
    f.window->btnCalculateClick();
  });
  f.Start(kThousand);
  QCOMPARE(p.TracedRays(), 1000);
  QCOMPARE(int(f.state->geometry.NCR), 11);
  // The run and its profile stay with the array it started on.
  QCOMPARE(p.seProfileYZ->dataCount(), 6 * 35);
  for (int i = 0; i < 1000; ++i) QVERIFY(p.TargetingSegments()[i].EndZ <= 1.5f);

  // Clear All ends the run, and what it cleared stays cleared.
  TargetingFixture g;
  TargetingPanel& q = g.panel();
  QObject::connect(q.pbPercentage, &QProgressBar::valueChanged, [&](int value) {
    if (value == 50) g.window->ClearAll();
  });
  g.Start(kThousand);
  QVERIFY(q.TracedRays() < 1000);
  QVERIFY(!q.IsRunning());
  QCOMPARE(q.seProfileYZ->dataCount(), 0);
  QCOMPARE(q.seProfileXZ->dataCount(), 0);
}

void TargetingTest::failedGatheringTracesNothing() {
  TargetingFixture f;
  TargetingPanel& p = f.panel();
  f.Set(NumericBox::TopFlatSideLength, 4);
  f.Start(kHundred);
  QCOMPARE(f.dialogs.messages, QStringList{Localized("Top Flat Side Length must be from 0 to 3.000")});
  QCOMPARE(p.TracedRays(), 0);
  QCOMPARE(p.seProfileYZ->dataCount(), 0);
  QCOMPARE(Title(p.chYZ), QString("YZ plane"));

  f.Set(NumericBox::TopFlatSideLength, 0);
  f.SetViewing(kDirectionalA, 5, 90);
  f.Set(NumericBox::DA, 150);
  f.Start(kHundred);
  QCOMPARE(f.dialogs.messages.size(), 2);
  QVERIFY(f.dialogs.messages.last().startsWith("Footprint Diameter DA must be from 0 to "));
  QCOMPARE(p.TracedRays(), 0);
  QCOMPARE(f.state->randomSeed, 0u);
}

void TargetingTest::profilesOfPointedAndTruncatedArrays() {
  struct Case {
    double topFlat, gap;
    int ncr;
    QVector<QPointF> firstTooth;  // (y or x, z)
  };
  const Case cases[] = {
      // Pointed: both top points at the vertex; no gap, so each tooth starts where the last ended.
      {0, 0, 35, {{-52.5, 0}, {-52.5, 0}, {-51, 1.5}, {-51, 1.5}, {-49.5, 0}, {-49.5, 0}}},
      // Truncated with gaps: period 4, height 1, a flat top of 1 and half a gap on each side.
      {1, 1, 25, {{-50, 0}, {-49.5, 0}, {-48.5, 1}, {-47.5, 1}, {-46.5, 0}, {-46, 0}}},
  };
  for (const Case& c : cases) {
    TargetingFixture f;
    f.Set(NumericBox::TopFlatSideLength, c.topFlat);
    f.Set(NumericBox::GapWidth, c.gap);
    f.Start(kNone);
    for (const QCPGraph* profile : {f.panel().seProfileYZ, f.panel().seProfileXZ}) {
      const QVector<QPointF> points = ProfilePoints(profile);
      QCOMPARE(points.size(), 6 * c.ncr);
      for (int k = 0; k < 6; ++k) {
        QVERIFY(std::abs(points[k].x() - c.firstTooth[k].x()) < 1e-12);
        QVERIFY(std::abs(points[k].y() - c.firstTooth[k].y()) < 1e-12);
        // The last tooth mirrors the first.
        QVERIFY(std::abs(points[points.size() - 1 - k].x() + c.firstTooth[k].x()) < 1e-12);
      }
    }
  }
}

void TargetingTest::segmentsAreDrawnInRedAndClearedWithTheCharts() {
  TargetingFixture f;
  TargetingPanel& p = f.panel();
  QCOMPARE(RedPixelsInPlot(p.chYZ), 0);
  f.Start(kThousand);
  QCOMPARE(p.TracedRays(), 1000);
  QVERIFY(RedPixelsInPlot(p.chYZ) > 100);
  p.pcTargeting->setCurrentIndex(1);
  QCoreApplication::processEvents();
  QVERIFY(RedPixelsInPlot(p.chXZ) > 100);

  f.window->ClearTargetingCharts();
  QCOMPARE(p.pcTargeting->currentIndex(), 0);
  for (QCustomPlot* chart : {static_cast<QCustomPlot*>(p.chYZ), static_cast<QCustomPlot*>(p.chXZ)})
    for (int i = 0; i < chart->graphCount(); ++i) QCOMPARE(chart->graph(i)->dataCount(), 0);
  // The rays stay stored but are not drawn over empty charts.
  QCOMPARE(p.TracedRays(), 1000);
  QCOMPARE(RedPixelsInPlot(p.chYZ), 0);
}

void TargetingTest::chartsKeepEqualScalesWhenResized() {
  TargetingFixture f;
  TargetingPanel& p = f.panel();
  f.Start(kNone);
  ExpectEqualScales(p.chYZ);
  for (QSize size : {QSize(1400, 900), QSize(1085, 1000), QSize(1700, 860)}) {
    f.window->resize(size);
    QCoreApplication::processEvents();
    for (int page : {1, 0}) {
      p.pcTargeting->setCurrentIndex(page);
      QCoreApplication::processEvents();
      ExpectEqualScales(page == 0 ? p.chYZ : p.chXZ);
    }
    // The frame lies inside the ranges, centred on the widened one.
    const QCPRange down = p.chYZ->yAxis->range(), across = p.chYZ->xAxis->range();
    const TargetingFrame& frame = p.Frames().FrameYZ;
    QVERIFY(down.lower <= double(frame.Min) + 1e-9 && down.upper >= double(frame.Max) - 1e-9);
    QVERIFY(across.lower <= double(frame.ZMin) + 1e-9 && across.upper >= double(frame.ZMax) - 1e-9);
    QVERIFY(std::abs(down.center() - double(frame.Min + frame.Max) / 2) < 1e-9 ||
            std::abs(across.center() - double(frame.ZMin + frame.ZMax) / 2) < 1e-9);
  }
}

void TargetingTest::hundredThousandSegmentsRepaintQuickly() {
  // The design's parallel beam, and a wide cone whose rays all take pixels of their own.
  for (const bool cone : {false, true}) {
    TargetingFixture f;
    TargetingPanel& p = f.panel();
    if (cone) {
      f.SetViewing(kConical, 30, 0);
      f.Set(NumericBox::HF, 60);
      f.Set(NumericBox::AngleW, 40);
    }
    QElapsedTimer run;
    run.start();
    f.Start(kHundredThousand);
    const qint64 runMs = run.elapsed();
    QCOMPARE(p.TracedRays(), 100000);
    QElapsedTimer repaint;
    repaint.start();
    p.chYZ->replot(QCustomPlot::rpImmediateRefresh);
    const qint64 repaintMs = repaint.elapsed();
    // Zoomed in on the rays' ends.
    p.chYZ->xAxis->setRange(-1, 5);
    p.chYZ->yAxis->setRange(-3, 3);
    repaint.restart();
    p.chYZ->replot(QCustomPlot::rpImmediateRefresh);
    const qint64 zoomedMs = repaint.elapsed();
    qInfo("%s: 100000 rays traced and drawn in %lld ms; a repaint of the YZ chart takes %lld ms, zoomed in %lld ms",
          cone ? "cone" : "beam", runMs, repaintMs, zoomedMs);
    QVERIFY2(repaintMs < 500 && zoomedMs < 500, qPrintable(QString("%1 %2").arg(repaintMs).arg(zoomedMs)));
  }
}

void TargetingTest::editGraphLinksOpenTheEditorOnTheirChart() {
  TargetingFixture f;
  const QPair<QLabel*, QString> links[] = {{f.panel().urlYZ, "Y"}, {f.panel().urlXZ, "X"}};
  for (const auto& [link, down] : links) {
    QVERIFY(link->text().contains("Edit Graph"));
    QString title, leftAxis;
    QTimer::singleShot(0, [&] {
      auto* editor = qobject_cast<ChartEditorDialog*>(QApplication::activeModalWidget());
      if (!editor) return;
      title = editor->windowTitle();
      if (auto* box = editor->findChild<QLineEdit*>("leftTitle")) leftAxis = box->text();
      editor->reject();
    });
    emit link->linkActivated("edit");
    QCOMPARE(title, QString("Edit Graph"));
    QCOMPARE(leftAxis, down);
  }
}

QTEST_MAIN(TargetingTest)
#include "TargetingTest.moc"
