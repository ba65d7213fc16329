#include "ui/maps/MapOutline.h"

#include <cmath>
#include <numbers>

#include "engine/ArrayOutline.h"

namespace tessolan {

namespace {

constexpr int kCirclePoints = 361;

MapPolyline Square(double half, bool bold) {
  return {{-half, -half, half, half, -half}, {-half, half, half, -half, -half}, bold};
}

MapPolyline Circle(double radius) {
  MapPolyline circle{{}, {}, true};
  for (int k = 0; k < kCirclePoints; ++k) {
    const double angle = k * 2 * std::numbers::pi / (kCirclePoints - 1);
    circle.x.push_back(radius * std::cos(angle));
    circle.y.push_back(radius * std::sin(angle));
  }
  return circle;
}

}  // namespace

MapOutlines MapOutlinesOf(const InitialData& task, const ArrayGeometry& geometry) {
  MapOutlines outlines;
  const double radiatorHalf = static_cast<double>(geometry.RadiatorHalf);
  outlines.unfolded.push_back(task.Shape == kCircle ? Circle(radiatorHalf) : Square(radiatorHalf, true));

  const PyramidTopView pyramid = PyramidTopViewOf(task);
  outlines.folded.push_back(Square(static_cast<double>(geometry.Period) / 2, true));
  outlines.folded.push_back(Square(pyramid.halfBase, false));
  if (pyramid.halfTopFlat > 0) outlines.folded.push_back(Square(pyramid.halfTopFlat, false));
  for (const DrawnSegment& edge : pyramid.edges) outlines.folded.push_back({{edge.x1, edge.x2}, {edge.y1, edge.y2}});
  return outlines;
}

}  // namespace tessolan
