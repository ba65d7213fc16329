#include "ui/drawings/LineClipping.h"

#include <cmath>

namespace tessolan {

namespace {

// Narrows [t0, t1] by one edge: p t <= q must hold along the line.
bool ClipEdge(double p, double q, double& t0, double& t1) {
  if (p == 0) return q >= 0;
  const double t = q / p;
  if (p < 0) {
    if (t > t1) return false;
    if (t > t0) t0 = t;
  } else {
    if (t < t0) return false;
    if (t < t1) t1 = t;
  }
  return true;
}

}  // namespace

bool ClipLine(QLineF& line, const QRectF& rect) {
  const double x0 = line.x1(), y0 = line.y1();
  const double dx = line.x2() - x0, dy = line.y2() - y0;
  if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(dx) || !std::isfinite(dy)) return false;
  double t0 = 0, t1 = 1;
  if (!ClipEdge(-dx, x0 - rect.left(), t0, t1) || !ClipEdge(dx, rect.right() - x0, t0, t1) ||
      !ClipEdge(-dy, y0 - rect.top(), t0, t1) || !ClipEdge(dy, rect.bottom() - y0, t0, t1))
    return false;
  if (t0 > 0 || t1 < 1) line = QLineF(x0 + t0 * dx, y0 + t0 * dy, x0 + t1 * dx, y0 + t1 * dy);
  return true;
}

}  // namespace tessolan
