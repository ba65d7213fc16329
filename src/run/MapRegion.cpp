#include "run/MapRegion.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "engine/Launch.h"

namespace tessolan {
namespace {

// Points along the rim of a beam or cone; the footprint of either on a plane is an ellipse,
// so its rim bounds it.
constexpr int kRimPoints = 720;

struct Bounds {
  double xMin = INFINITY, xMax = -INFINITY, yMin = INFINITY, yMax = -INFINITY;
  void Add(double x, double y) {
    xMin = std::min(xMin, x), xMax = std::max(xMax, x);
    yMin = std::min(yMin, y), yMax = std::max(yMax, y);
  }
};

// Where the line from `p` along `d` crosses the planes z = 0 and z = top.
void AddCrossings(const Vec3& p, const Vec3& d, Extended top, Bounds& bounds) {
  for (const Extended z : {Extended{0}, top}) {
    const Extended t = (z - p.z) / d.z;
    bounds.Add(static_cast<double>(p.x + t * d.x), static_cast<double>(p.y + t * d.y));
  }
}

std::optional<Bounds> BeamBounds(const ViewGeometry& view, Extended radius, Extended top) {
  if (!(std::fabs(view.L.z) > 0)) return std::nullopt;
  Bounds bounds;
  for (int i = 0; i < kRimPoints; ++i) {
    const long double a = 2 * std::numbers::pi_v<long double> * i / kRimPoints;
    const Vec3 rim = ViewFrameToGlobal(view, Vec3{radius * std::cos(a), radius * std::sin(a), 0});
    AddCrossings(rim, -view.L, top, bounds);
  }
  return bounds;
}

std::optional<Bounds> ConeBounds(const ViewGeometry& view, Extended top) {
  const Extended r = view.TanHalfW * view.CosB;
  Bounds bounds;
  for (int i = 0; i < kRimPoints; ++i) {
    const long double a = 2 * std::numbers::pi_v<long double> * i / kRimPoints;
    Vec3 d{-r * std::cos(a) - view.SinB * view.CosA, -r * std::sin(a) - view.SinB * view.SinA, 0};
    const Extended zSquared = (1 - d.x * d.x) - d.y * d.y;
    if (!(zSquared > 0)) return std::nullopt;
    d.z = -std::sqrt(zSquared);
    AddCrossings(view.F, d, top, bounds);
  }
  return bounds;
}

std::optional<Bounds> ViewedBounds(const AppState& state) {
  const ViewGeometry& view = state.view;
  const Extended top = state.geometry.Height;
  switch (view.LaunchRay) {
    case LaunchProcedure::DirectionalA:
      return BeamBounds(view, state.initialData.FootprintRadius, top);
    case LaunchProcedure::DirectionalB:
      return BeamBounds(view, state.initialData.BeamRadius, top);
    case LaunchProcedure::Conical:
      return ConeBounds(view, top);
    case LaunchProcedure::Integrated:
    case LaunchProcedure::None:
      break;
  }
  return std::nullopt;
}

}  // namespace

MapSquare ViewedSquare(const AppState& state) {
  const double radiatorHalf = static_cast<double>(state.geometry.RadiatorHalf);
  const MapSquare whole{0, 0, radiatorHalf};
  const std::optional<Bounds> b = ViewedBounds(state);
  if (!b || !std::isfinite(b->xMax - b->xMin) || !std::isfinite(b->yMax - b->yMin)) return whole;
  const double half = 0.505 * std::max(b->xMax - b->xMin, b->yMax - b->yMin);
  if (!(half > 0) || half >= radiatorHalf) return whole;
  const double room = radiatorHalf - half;
  return {std::clamp((b->xMin + b->xMax) / 2, -room, room), std::clamp((b->yMin + b->yMax) / 2, -room, room), half};
}

}  // namespace tessolan
