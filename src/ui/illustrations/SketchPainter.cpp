#include "ui/illustrations/SketchPainter.h"

#include <QFontMetricsF>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace tessolan {

namespace {

QPointF Unit(QPointF v) {
  const double length = std::hypot(v.x(), v.y());
  return length > 0 ? v / length : QPointF(0, 0);
}

}  // namespace

SketchPainter::SketchPainter(QPainter& painter, const QRectF& target, const QRectF& rawExtent) : painter_(painter) {
  const QRectF extent = rawExtent.normalized();
  scale_ = std::min(target.width() / extent.width(), target.height() / extent.height());
  const QPointF extentCentre = extent.center();
  origin_ = QPointF(target.center().x() - extentCentre.x() * scale_, target.center().y() + extentCentre.y() * scale_);
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
}

QPointF SketchPainter::Map(QPointF p) const { return {origin_.x() + p.x() * scale_, origin_.y() - p.y() * scale_}; }

QPen SketchPainter::Pen(const QColor& color, double width, Qt::PenStyle style) {
  QPen pen(color, width, style, Qt::RoundCap, Qt::RoundJoin);
  return pen;
}

void SketchPainter::Line(QPointF a, QPointF b, const QPen& pen) {
  painter_.setPen(pen);
  painter_.drawLine(Map(a), Map(b));
}

void SketchPainter::Polyline(const QPolygonF& points, const QPen& pen) {
  QPolygonF mapped;
  for (const QPointF& p : points) mapped << Map(p);
  painter_.setPen(pen);
  painter_.drawPolyline(mapped);
}

void SketchPainter::Polygon(const QPolygonF& points, const QPen& pen, const QBrush& brush) {
  QPolygonF mapped;
  for (const QPointF& p : points) mapped << Map(p);
  painter_.setPen(pen);
  painter_.setBrush(brush);
  painter_.drawPolygon(mapped);
}

void SketchPainter::Ellipse(QPointF centre, double rx, double ry, const QPen& pen, const QBrush& brush) {
  painter_.setPen(pen);
  painter_.setBrush(brush);
  painter_.drawEllipse(Map(centre), rx * scale_, ry * scale_);
}

void SketchPainter::ArrowHead(QPointF tip, QPointF direction, const QColor& color) {
  const QPointF d = Unit(direction);
  const QPointF n(-d.y(), d.x());
  const double length = 7, half = 3;
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(color);
  painter_.drawPolygon(QPolygonF{tip, tip - d * length + n * half, tip - d * length - n * half});
}

void SketchPainter::Arrow(QPointF from, QPointF to, const QPen& pen) {
  const QPointF a = Map(from), b = Map(to);
  const QPointF d = Unit(b - a);
  painter_.setPen(pen);
  painter_.drawLine(a, b - d * 5);
  ArrowHead(b, b - a, pen.color());
}

void SketchPainter::Dimension(QPointF a, QPointF b, double offset, const QString& label, int labelSide) {
  const QColor color(40, 40, 40);
  const QPointF along = Unit(b - a);
  const QPointF left(-along.y(), along.x());
  const QPointF da = a + left * offset, db = b + left * offset;
  const QPen thin = Pen(color, 0.9);
  const QPointF overshoot = left * (offset >= 0 ? 3.0 : -3.0) / scale_;
  Line(a, da + overshoot, thin);
  Line(b, db + overshoot, thin);
  const QPointF pa = Map(da), pb = Map(db);
  painter_.setPen(thin);
  painter_.drawLine(pa, pb);
  ArrowHead(pa, pa - pb, color);
  ArrowHead(pb, pb - pa, color);
  // The label sits beside the middle of the dimension line, away from the measured edge;
  // beside a vertical dimension it reads upwards.
  if (label.isEmpty()) return;
  const QPointF middle = (pa + pb) / 2;
  const QPointF outward = Unit(Map(da + left) - Map(da)) * (offset >= 0 ? 1.0 : -1.0) * labelSide;
  const QFontMetricsF metrics(painter_.font());
  const QSizeF size(metrics.horizontalAdvance(label), metrics.height());
  const bool vertical = std::abs(along.y()) > std::abs(along.x());
  const double reach = vertical ? size.height() / 2 + 2 : size.height() / 2 + 1;
  const QPointF centre = middle + outward * (vertical || std::abs(outward.y()) > 0.5 ? reach : size.width() / 2 + 3);
  painter_.save();
  painter_.translate(centre);
  if (vertical) painter_.rotate(-90);
  const QRectF box(QPointF(-size.width() / 2, -size.height() / 2), size);
  painter_.fillRect(box.adjusted(-1, 0, 1, 0), Qt::white);
  painter_.setPen(color);
  painter_.drawText(box, Qt::AlignCenter, label);
  painter_.restore();
}

void SketchPainter::AngleArc(QPointF centre, double radius, double from, double to, const QString& label) {
  const QColor color(160, 30, 30);
  QPolygonF arc;
  const int steps = 24;
  for (int i = 0; i <= steps; ++i) {
    const double t = qDegreesToRadians(from + (to - from) * i / steps);
    arc << centre + QPointF(std::cos(t), std::sin(t)) * radius;
  }
  Polyline(arc, Pen(color, 1.1));
  if (label.isEmpty()) return;
  const double middle = qDegreesToRadians((from + to) / 2);
  const QPointF outward(std::cos(middle), -std::sin(middle));  // on screen, y points down
  const QPointF anchor = Map(centre + QPointF(std::cos(middle), std::sin(middle)) * radius);
  const QFontMetricsF metrics(painter_.font());
  const QSizeF size(metrics.horizontalAdvance(label), metrics.height());
  const QPointF textCentre =
      anchor + QPointF(outward.x() * (size.width() / 2 + 3), outward.y() * (size.height() / 2 + 2));
  const QRectF box(textCentre - QPointF(size.width() / 2, size.height() / 2), size);
  painter_.fillRect(box.adjusted(-1, 0, 1, 0), Qt::white);
  painter_.setPen(color);
  painter_.drawText(box, Qt::AlignCenter, label);
}

void SketchPainter::Text(QPointF at, const QString& text, Qt::Alignment alignment, const QColor& color, bool bold) {
  QFont font = painter_.font();
  font.setBold(bold);
  painter_.setFont(font);
  const QFontMetricsF metrics(font);
  const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
  QPointF topLeft = Map(at);
  if (alignment & Qt::AlignRight)
    topLeft.rx() -= size.width();
  else if (alignment & Qt::AlignHCenter)
    topLeft.rx() -= size.width() / 2;
  if (alignment & Qt::AlignBottom)
    topLeft.ry() -= size.height();
  else if (alignment & Qt::AlignVCenter)
    topLeft.ry() -= size.height() / 2;
  painter_.setPen(color);
  painter_.drawText(QRectF(topLeft, size), Qt::AlignCenter, text);
  font.setBold(false);
  painter_.setFont(font);
}

void SketchPainter::Dot(QPointF at, double radiusPixels, const QColor& color) {
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(color);
  painter_.drawEllipse(Map(at), radiusPixels, radiusPixels);
}

}  // namespace tessolan
