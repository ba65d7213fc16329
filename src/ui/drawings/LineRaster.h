#pragma once

#include <QColor>
#include <QLineF>
#include <QRect>
#include <QVector>
#include <cstdint>
#include <vector>

class QPainter;

namespace tessolan {

// Many thin lines of one colour, drawn as one image. The painter's own line drawing costs about
// ten nanoseconds per pixel, so a hundred thousand rays across a chart took a second; here each
// line is reduced to its end pixels, lines that land on the same pixels are drawn once, and the
// rest are set pixel by pixel (Bresenham) into an image that the painter draws in one call.
class LineRaster {
 public:
  // `area` in the painter's coordinates; the image has the painter device's pixel ratio.
  LineRaster(const QRect& area, qreal devicePixelRatio);

  // A line in the painter's coordinates, already clipped to the area.
  void Add(const QLineF& line);

  void Paint(QPainter* painter, const QColor& color);

 private:
  int Column(double x) const;
  int Row(double y) const;

  QRect area_;
  qreal ratio_;
  int width_, height_;
  std::vector<std::uint64_t> lines_;  // end pixels packed 16 bits each
};

// Lines clipped to the plot and handed to the painter a batch at a time, or, when a raster is
// given, collected there to be painted as one image.
class LineBatch {
 public:
  LineBatch(QPainter* painter, const QRectF& plot, LineRaster* raster = nullptr);
  ~LineBatch() { Flush(); }
  LineBatch(const LineBatch&) = delete;
  LineBatch& operator=(const LineBatch&) = delete;

  // A line in the painter's coordinates; what lies outside the plot is dropped.
  void Add(QLineF line);

 private:
  void Flush();

  QPainter* painter_;
  QRectF plot_;
  LineRaster* raster_;
  QVector<QLineF> lines_;
};

}  // namespace tessolan
