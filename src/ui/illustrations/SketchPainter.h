#pragma once

#include <QPainter>
#include <QPolygonF>
#include <QRectF>

namespace tessolan {

// Draws a technical sketch in its own coordinates (y pointing up), scaled uniformly and
// centred into a rectangle of a widget. Lines and text keep their screen sizes, so a sketch
// stays readable at any scale.
class SketchPainter {
 public:
  // `extent` is the part of the sketch plane that must be visible.
  SketchPainter(QPainter& painter, const QRectF& target, const QRectF& extent);

  QPointF Map(QPointF point) const;
  double Scale() const { return scale_; }
  QPainter& Painter() { return painter_; }

  void Line(QPointF a, QPointF b, const QPen& pen);
  void Polyline(const QPolygonF& points, const QPen& pen);
  void Polygon(const QPolygonF& points, const QPen& pen, const QBrush& brush);
  void Ellipse(QPointF centre, double rx, double ry, const QPen& pen, const QBrush& brush = Qt::NoBrush);
  // A line with an arrowhead at `to`.
  void Arrow(QPointF from, QPointF to, const QPen& pen);
  // A dimension between a and b, drawn `offset` away from them (to the left of a -> b, in sketch
  // units) with extension lines, arrowheads at both ends and the label beside its middle. A
  // negative `labelSide` puts the label on the other side of the dimension line.
  void Dimension(QPointF a, QPointF b, double offset, const QString& label, int labelSide = 1);
  // An arc around `centre` from angle `from` to `to` (degrees, counter-clockwise from +x) with
  // its label just outside the middle of the arc.
  void AngleArc(QPointF centre, double radius, double from, double to, const QString& label);
  // Text placed at a sketch point; `alignment` says which side of the text touches the point.
  void Text(QPointF at, const QString& text, Qt::Alignment alignment, const QColor& color = Qt::black,
            bool bold = false);
  void Dot(QPointF at, double radiusPixels, const QColor& color);

  static QPen Pen(const QColor& color, double width = 1.2, Qt::PenStyle style = Qt::SolidLine);

 private:
  void ArrowHead(QPointF tipPixels, QPointF directionPixels, const QColor& color);

  QPainter& painter_;
  double scale_;
  QPointF origin_;  // pixel position of sketch point (0, 0)
};

}  // namespace tessolan
