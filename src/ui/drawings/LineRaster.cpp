#include "ui/drawings/LineRaster.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ui/drawings/LineClipping.h"

namespace tessolan {

namespace {

constexpr int kMaxSide = 65535;
constexpr int kLinesPerBatch = 16384;

void DrawPixelLine(QRgb* bits, qsizetype stride, int x0, int y0, int x1, int y1, QRgb color) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    bits[y0 * stride + x0] = color;
    if (x0 == x1 && y0 == y1) return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

}  // namespace

LineRaster::LineRaster(const QRect& area, qreal devicePixelRatio)
    : area_(area),
      ratio_(devicePixelRatio > 0 ? devicePixelRatio : 1),
      width_(std::clamp(static_cast<int>(std::ceil(area.width() * ratio_)), 0, kMaxSide)),
      height_(std::clamp(static_cast<int>(std::ceil(area.height() * ratio_)), 0, kMaxSide)) {}

int LineRaster::Column(double x) const {
  return std::clamp(static_cast<int>(std::floor((x - area_.left()) * ratio_)), 0, width_ - 1);
}

int LineRaster::Row(double y) const {
  return std::clamp(static_cast<int>(std::floor((y - area_.top()) * ratio_)), 0, height_ - 1);
}

void LineRaster::Add(const QLineF& line) {
  if (width_ == 0 || height_ == 0) return;
  const auto pack = [](int v) { return static_cast<std::uint64_t>(v); };
  lines_.push_back(pack(Column(line.x1())) << 48 | pack(Row(line.y1())) << 32 | pack(Column(line.x2())) << 16 |
                   pack(Row(line.y2())));
}

void LineRaster::Paint(QPainter* painter, const QColor& color) {
  if (lines_.empty()) return;
  std::sort(lines_.begin(), lines_.end());
  lines_.erase(std::unique(lines_.begin(), lines_.end()), lines_.end());
  QImage image(width_, height_, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QRgb* bits = reinterpret_cast<QRgb*>(image.bits());
  const qsizetype stride = image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
  const QRgb pixel = qPremultiply(color.rgba());
  for (const std::uint64_t l : lines_) {
    DrawPixelLine(bits, stride, static_cast<int>(l >> 48 & 0xFFFF), static_cast<int>(l >> 32 & 0xFFFF),
                  static_cast<int>(l >> 16 & 0xFFFF), static_cast<int>(l & 0xFFFF), pixel);
  }
  image.setDevicePixelRatio(ratio_);
  painter->drawImage(QRectF(area_.topLeft(), QSizeF(width_ / ratio_, height_ / ratio_)), image);
}

LineBatch::LineBatch(QPainter* painter, const QRectF& plot, LineRaster* raster)
    : painter_(painter), plot_(plot), raster_(raster) {
  if (!raster_) lines_.reserve(kLinesPerBatch);
}

void LineBatch::Add(QLineF line) {
  if (!ClipLine(line, plot_)) return;
  if (raster_) {
    raster_->Add(line);
    return;
  }
  lines_.append(line);
  if (lines_.size() == kLinesPerBatch) Flush();
}

void LineBatch::Flush() {
  if (!lines_.isEmpty()) painter_->drawLines(lines_);
  lines_.clear();
}

}  // namespace tessolan
