#include "ui/illustrations/PyramidArrayIllustration.h"

#include <QPainter>
#include <QtMath>
#include <cmath>

#include "ui/illustrations/SketchPainter.h"

namespace tessolan {

namespace {

// Sketch dimensions, in sketch units.
constexpr double kBase = 4.0;
constexpr double kGap = 1.2;
constexpr double kTop = 1.2;
constexpr double kSlant = 55.0;  // degrees
const double kTan = std::tan(qDegreesToRadians(kSlant));
const double kHeight = (kBase - kTop) / 2 * kTan;
const double kFullHeight = kBase / 2 * kTan;

const QColor kLitFace(236, 196, 120);
const QColor kShadedFace(205, 150, 80);
const QColor kTopFlat(248, 222, 160);
const QColor kOutline(90, 60, 20);

void DrawSidePyramid(SketchPainter& s, double left) {
  const QPointF bl(left, 0), br(left + kBase, 0);
  const QPointF tl(left + (kBase - kTop) / 2, kHeight), tr(left + (kBase + kTop) / 2, kHeight);
  const double mid = left + kBase / 2;
  s.Polygon({bl, tl, QPointF(mid, kHeight), QPointF(mid, 0)}, Qt::NoPen, kLitFace);
  s.Polygon({QPointF(mid, 0), QPointF(mid, kHeight), tr, br}, Qt::NoPen, kShadedFace);
  s.Polygon({bl, tl, tr, br}, SketchPainter::Pen(kOutline, 1.4), Qt::NoBrush);
}

void DrawSideView(SketchPainter& s) {
  const double p1 = kGap, p2 = 2 * kGap + kBase, end = 3 * kGap + 2 * kBase;
  s.Line({-0.3, 0}, {end + 0.3, 0}, SketchPainter::Pen(kOutline, 2));
  DrawSidePyramid(s, p1);
  DrawSidePyramid(s, p2);

  // The untruncated pyramid, dashed, up to its apex.
  const QPointF apex(p2 + kBase / 2, kFullHeight);
  const QPen dashed = SketchPainter::Pen(kOutline, 1, Qt::DashLine);
  s.Line({p2 + (kBase - kTop) / 2, kHeight}, apex, dashed);
  s.Line({p2 + (kBase + kTop) / 2, kHeight}, apex, dashed);

  s.Dimension({p1, 0}, {p1 + kBase, 0}, -0.75, "Base Side Length");
  s.Dimension({p2 + kBase, 0}, {end, 0}, -0.75, "Gap Width");
  s.Dimension({p1, 0}, {p2, 0}, -2.3, "Array Period");
  s.Dimension({p1 + (kBase - kTop) / 2, kHeight}, {p1 + (kBase + kTop) / 2, kHeight}, 0.7, "Top Flat Side Length");
  const QPen thin = SketchPainter::Pen(QColor(40, 40, 40), 0.9);
  s.Line({p1 + (kBase - kTop) / 2, kHeight}, {-1.0, kHeight}, thin);
  s.Dimension({-0.3, 0}, {-0.3, kHeight}, 0.5, "Height");
  s.Line(apex, {end + 1.0, kFullHeight}, thin);
  s.Dimension({end + 0.3, 0}, {end + 0.3, kFullHeight}, -0.5, "Pyramid Height");
  s.AngleArc({p2, 0}, 0.9, 0, kSlant, "");
  s.Text({p1 + kBase + kGap / 2, kHeight * 0.78}, "Slant Angle", Qt::AlignHCenter | Qt::AlignVCenter,
         QColor(160, 30, 30));
  s.Line({p2 + 0.5, kHeight * 0.64}, {p2 + 0.72, 0.52}, SketchPainter::Pen(QColor(160, 30, 30), 0.9));
}

void DrawTopPyramid(SketchPainter& s, QPointF centre) {
  const double b = kBase / 2, t = kTop / 2;
  const QPointF c = centre;
  auto at = [c](double x, double y) { return c + QPointF(x, y); };
  s.Polygon({at(-b, -b), at(-t, -t), at(-t, t), at(-b, b)}, Qt::NoPen, kLitFace);
  s.Polygon({at(-b, b), at(-t, t), at(t, t), at(b, b)}, Qt::NoPen, kTopFlat.darker(103));
  s.Polygon({at(b, b), at(t, t), at(t, -t), at(b, -b)}, Qt::NoPen, kShadedFace);
  s.Polygon({at(b, -b), at(t, -t), at(-t, -t), at(-b, -b)}, Qt::NoPen, kShadedFace.darker(112));
  s.Polygon({at(-t, -t), at(-t, t), at(t, t), at(t, -t)}, SketchPainter::Pen(kOutline, 0.8), kTopFlat);
  const QPen edge = SketchPainter::Pen(kOutline, 0.8);
  s.Polygon({at(-b, -b), at(-b, b), at(b, b), at(b, -b)}, edge, Qt::NoBrush);
  for (auto [x, y] : {std::pair{-1, -1}, {-1, 1}, {1, 1}, {1, -1}}) s.Line(at(x * b, y * b), at(x * t, y * t), edge);
}

void DrawTopView(SketchPainter& s) {
  const double period = kBase + kGap;
  const double half = 1.5 * period;
  s.Polygon({QPointF(-half, -half), QPointF(-half, half), QPointF(half, half), QPointF(half, -half)},
            SketchPainter::Pen(QColor(150, 150, 150), 0.8), QColor(225, 225, 225));
  for (int row = -1; row <= 1; ++row)
    for (int col = -1; col <= 1; ++col) DrawTopPyramid(s, {col * period, row * period});
  s.Ellipse({0, 0}, half * 0.93, half * 0.93, SketchPainter::Pen(QColor(200, 30, 30), 1.4, Qt::DashLine));
  s.Line({-0.5, 0}, {0.5, 0}, SketchPainter::Pen(Qt::black, 1.2));
  s.Line({0, -0.5}, {0, 0.5}, SketchPainter::Pen(Qt::black, 1.2));
  s.Text({0, -half - 0.3}, "dashed: a circular radiating area", Qt::AlignHCenter | Qt::AlignTop, QColor(200, 30, 30));
}

}  // namespace

PyramidArrayIllustration::PyramidArrayIllustration(QWidget* parent) : QWidget(parent) {
  setObjectName("imgPyramidArray");
}

void PyramidArrayIllustration::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const QRectF area = QRectF(rect()).adjusted(8, 6, -8, -6);
  const double sideShare = 0.56;
  const QFontMetrics metrics(font());

  QFont heading = font();
  heading.setBold(true);
  painter.setFont(heading);
  painter.setPen(QColor(31, 63, 115));
  const QRectF sideRect(area.left(), area.top(), area.width(), area.height() * sideShare);
  const QRectF topRect(area.left(), sideRect.bottom(), area.width(), area.height() - sideRect.height());
  painter.drawText(sideRect.adjusted(0, 0, 0, 0), Qt::AlignHCenter | Qt::AlignTop, "Side View");
  painter.drawText(topRect, Qt::AlignHCenter | Qt::AlignTop, "Top View");
  painter.setFont(font());

  const double line = metrics.height() + 4;
  {
    SketchPainter side(painter, sideRect.adjusted(4, line, -4, -4),
                       QRectF(QPointF(-1.9, kFullHeight + 1.5), QPointF(3 * kGap + 2 * kBase + 1.9, -3.3)));
    DrawSideView(side);
  }
  {
    const double half = 1.5 * (kBase + kGap);
    SketchPainter top(painter, topRect.adjusted(4, line, -4, -4),
                      QRectF(QPointF(-half - 0.6, half + 0.4), QPointF(half + 0.6, -half - 2.2)));
    DrawTopView(top);
  }
}

}  // namespace tessolan
