#include "ui/illustrations/LineOfSightIllustration.h"

#include <QPainter>
#include <QtMath>
#include <cmath>

#include "ui/illustrations/SketchPainter.h"

namespace tessolan {

namespace {

constexpr double kAngleB = 42;  // degrees, as sketched
constexpr double kAngleA = 62;

// An oblique projection: x comes towards the viewer (down and to the left), y goes right, z up.
QPointF Project(double x, double y, double z) { return {y - 0.55 * x, z - 0.38 * x}; }

QPointF Direction(double b, double a, double length) {
  const double br = qDegreesToRadians(b), ar = qDegreesToRadians(a);
  return Project(length * std::sin(br) * std::cos(ar), length * std::sin(br) * std::sin(ar), length * std::cos(br));
}

}  // namespace

LineOfSightIllustration::LineOfSightIllustration(QWidget* parent) : QWidget(parent) { setObjectName("imgLineOfSight"); }

void LineOfSightIllustration::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  SketchPainter s(painter, QRectF(rect()).adjusted(6, 6, -6, -6), QRectF(QPointF(-1.5, 2.15), QPointF(1.9, -1.0)));
  const QColor axisColor(60, 60, 60);
  const QPen axisPen = SketchPainter::Pen(axisColor, 1.2);

  // The base plane with a few pyramids' worth of grid.
  const double e = 1.1;
  s.Polygon({Project(-e, -e, 0), Project(e, -e, 0), Project(e, e, 0), Project(-e, e, 0)},
            SketchPainter::Pen(QColor(170, 150, 110), 1), QColor(244, 230, 200));
  for (double t = -e + 0.44; t < e; t += 0.44) {
    s.Line(Project(t, -e, 0), Project(t, e, 0), SketchPainter::Pen(QColor(215, 195, 155), 0.7));
    s.Line(Project(-e, t, 0), Project(e, t, 0), SketchPainter::Pen(QColor(215, 195, 155), 0.7));
  }

  const QPointF o = Project(0, 0, 0);
  s.Arrow(o, Project(1.75, 0, 0), axisPen);
  s.Arrow(o, Project(0, 1.6, 0), axisPen);
  s.Arrow(o, Project(0, 0, 1.95), axisPen);
  s.Text(Project(1.75, 0, 0), "x", Qt::AlignRight | Qt::AlignTop, axisColor, true);
  s.Text(Project(0, 1.6, 0), "y", Qt::AlignLeft | Qt::AlignVCenter, axisColor, true);
  s.Text(Project(0, 0, 1.95), " z", Qt::AlignLeft | Qt::AlignTop, axisColor, true);

  // The line of sight, its foot in the base plane and the two angles.
  const QColor losColor(0, 90, 180);
  const QPointF f = Direction(kAngleB, kAngleA, 1.9);
  const double br = qDegreesToRadians(kAngleB), ar = qDegreesToRadians(kAngleA);
  const QPointF foot = Project(1.9 * std::sin(br) * std::cos(ar), 1.9 * std::sin(br) * std::sin(ar), 0);
  const QPen guide = SketchPainter::Pen(QColor(120, 120, 120), 1, Qt::DashLine);
  s.Line(o, foot, guide);
  s.Line(foot, f, guide);
  s.Line(o, f, SketchPainter::Pen(losColor, 2.2));
  s.Dot(f, 3, losColor);
  s.Text(f, " LoS", Qt::AlignLeft | Qt::AlignBottom, losColor, true);

  QPolygonF arcB, arcA;
  for (int i = 0; i <= 20; ++i) arcB << Direction(kAngleB * i / 20, kAngleA, 0.75);
  for (int i = 0; i <= 20; ++i) arcA << Direction(90, kAngleA * i / 20, 0.55);
  const QPen arcPen = SketchPainter::Pen(QColor(160, 30, 30), 1.3);
  s.Polyline(arcB, arcPen);
  s.Polyline(arcA, arcPen);
  s.Text(Direction(kAngleB / 2, kAngleA, 1.05), "b", Qt::AlignHCenter | Qt::AlignVCenter, QColor(160, 30, 30), true);
  s.Text(Direction(90, kAngleA / 2, 0.6), "a ", Qt::AlignRight | Qt::AlignTop, QColor(160, 30, 30), true);
  s.Dot(o, 2.5, Qt::black);
}

}  // namespace tessolan
