#include "ui/illustrations/ViewingConditionsIllustration.h"

#include <QPainter>
#include <QtMath>
#include <cmath>

#include "model/InitialData.h"
#include "ui/illustrations/SketchPainter.h"

namespace tessolan {

namespace {

constexpr double kHalf = 5.0;   // half size of the radiator, sketch units
constexpr double kTooth = 1.0;  // pyramid base side in the sketch
constexpr double kAngleB = 20;  // the line of sight's angle with the axis, degrees

const QColor kRay(0, 90, 180);
const QColor kSurface(150, 105, 40);

QPointF LoS(double length) {
  const double b = qDegreesToRadians(kAngleB);
  return {-std::sin(b) * length, std::cos(b) * length};
}

void DrawRadiator(SketchPainter& s) {
  QPolygonF profile;
  profile << QPointF(-kHalf - 0.6, 0);
  for (double x = -kHalf; x < kHalf - 1e-9; x += kTooth) profile << QPointF(x, 0) << QPointF(x + kTooth / 2, 0.55);
  profile << QPointF(kHalf, 0) << QPointF(kHalf + 0.6, 0) << QPointF(kHalf + 0.6, -0.35)
          << QPointF(-kHalf - 0.6, -0.35);
  s.Polygon(profile, SketchPainter::Pen(kSurface, 1.1), QColor(240, 210, 150));
  const QPen edge = SketchPainter::Pen(QColor(200, 30, 30), 1.2, Qt::DashLine);
  s.Line({-kHalf, -0.6}, {-kHalf, 1.1}, edge);
  s.Line({kHalf, -0.6}, {kHalf, 1.1}, edge);
}

// The blackbody axis, and the line of sight up to `length` (labelled when `label`).
void DrawAxis(SketchPainter& s, double length, bool label = true) {
  s.Line({0, -0.35}, {0, 6.4}, SketchPainter::Pen(QColor(120, 120, 120), 0.9, Qt::DashDotLine));
  s.Line({0, 0}, LoS(length), SketchPainter::Pen(QColor(120, 120, 120), 0.9, Qt::DashLine));
  if (label) s.Text(LoS(length), " LoS", Qt::AlignLeft | Qt::AlignVCenter, QColor(90, 90, 90));
}

// Where a ray from `from` at `degrees` from straight down (counter-clockwise) meets the tops.
QPointF OnSurface(QPointF from, double degrees) {
  const double t = qDegreesToRadians(degrees);
  const QPointF down(std::sin(t), -std::cos(t));
  const double reach = (from.y() - 0.45) / std::cos(t);
  return from + down * reach;
}

// Parallel rays along the line of sight ending on the radiator at x in [-half, half].
void DrawParallelRays(SketchPainter& s, double half, double length) {
  const QPointF back = LoS(length);
  for (int i = -2; i <= 2; ++i) {
    const QPointF end(half * i / 2, 0.45);
    s.Arrow(end + back, end, SketchPainter::Pen(kRay, 1.3));
  }
}

void DrawDirectionalA(SketchPainter& s) {
  DrawAxis(s, 6.2);
  DrawParallelRays(s, 2.6, 5.2);
  s.Dimension({-2.6, -0.35}, {2.6, -0.35}, -0.55, "DA");
}

void DrawDirectionalB(SketchPainter& s) {
  DrawAxis(s, 6.2);
  DrawParallelRays(s, 2.6, 5.2);
  // The beam's diameter is measured across the beam.
  const double b = qDegreesToRadians(kAngleB);
  const QPointF across(std::cos(b), std::sin(b));
  const QPointF start = LoS(2.4) + QPointF(0, 0.45);
  const double halfWidth = 2.6 * std::cos(b);
  s.Dimension(start - across * halfWidth, start + across * halfWidth, 0, "DB");
}

void DrawConical(SketchPainter& s) {
  const QPointF focus = LoS(5.6);
  DrawAxis(s, 5.6, false);
  const double halfW = 12;
  for (double angle : {-halfW, halfW}) s.Arrow(focus, OnSurface(focus, angle + kAngleB), SketchPainter::Pen(kRay, 1.3));
  s.Dimension({0, 0}, focus, -2.2, "H");
  const double down = -90 + kAngleB;
  s.AngleArc(focus, 1.6, down - halfW, down + halfW, "w");
  s.Dot(focus, 3.5, kRay);
  s.Text(focus, "F ", Qt::AlignRight | Qt::AlignVCenter, kRay, true);
}

void DrawIntegrated(SketchPainter& s) {
  const QPointF centre = LoS(5.6);
  DrawAxis(s, 5.6, false);
  const double b = qDegreesToRadians(kAngleB);
  const QPointF across(std::cos(b), std::sin(b));
  const double halfDetector = 1.1;
  for (int i = -1; i <= 1; i += 2)
    for (double x : {-4.6, 4.6})
      s.Arrow(centre + across * (halfDetector * i * 0.85), {x, 0.45}, SketchPainter::Pen(kRay, 1.0));
  s.Line(centre - across * halfDetector, centre + across * halfDetector, SketchPainter::Pen(QColor(30, 30, 30), 4));
  s.Dimension(centre - across * halfDetector, centre + across * halfDetector, 0.5, "DD");
  s.Dimension({0, 0}, centre, 0, "H");
}

}  // namespace

ViewingConditionsIllustration::ViewingConditionsIllustration(int viewingConditionsType, QWidget* parent)
    : QWidget(parent), type_(viewingConditionsType) {
  setObjectName(QString("imgViewingConditions%1").arg(type_));
}

void ViewingConditionsIllustration::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  SketchPainter s(painter, QRectF(rect()).adjusted(6, 6, -6, -6), QRectF(QPointF(-6.8, 7.0), QPointF(6.2, -1.6)));
  DrawRadiator(s);
  switch (type_) {
    case kDirectionalA:
      DrawDirectionalA(s);
      break;
    case kDirectionalB:
      DrawDirectionalB(s);
      break;
    case kConical:
      DrawConical(s);
      break;
    case kIntegrated:
      DrawIntegrated(s);
      break;
    default:
      break;
  }
}

}  // namespace tessolan
