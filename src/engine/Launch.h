#pragma once

#include <cmath>

#include "model/ArrayGeometry.h"
#include "model/InitialData.h"
#include "engine/RayState.h"
#include "engine/Vectors.h"
#include "model/ViewGeometry.h"

namespace tessolan {

// What the launch procedures read: the gathered task, its geometry and its viewing conditions.
struct LaunchInput {
  const InitialData& task;
  const ArrayGeometry& geometry;
  const ViewGeometry& view;
};

// The point (u, v, w) of the frame (e1, e2, d) centred at the viewer's point, with d = -L, in
// array coordinates.
inline void ViewFrameToGlobal(const ViewGeometry& view, Extended u, Extended v, Extended w, Extended& x,
                              Extended& y, Extended& z) {
  x = ((view.FX + u * view.E1X) + v * view.E2X) + w * -view.LX;
  y = ((view.FY + u * view.E1Y) + v * view.E2Y) + w * -view.LY;
  z = ((view.FZ + u * view.E1Z) + v * view.E2Z) + w * -view.LZ;
}

namespace launch_detail {

inline void MarkJustLaunched(RayState& ray) {
  ray.HitRow = -1;
  ray.HitColumn = -1;
  ray.HitSurface = kNoSurface;
}

// A parallel beam along the line of sight from a disc of the given radius around the viewer's
// point (Directional A and B).
template <class Rng>
inline void LaunchParallelBeam(const ViewGeometry& view, Extended radius, RayState& ray, Rng& rng) {
  Extended u, v;
  RandomPointInDisc(rng, u, v, radius);
  ViewFrameToGlobal(view, u, v, 0, ray.RayX, ray.RayY, ray.RayZ);
  ray.DirX = -view.LX;
  ray.DirY = -view.LY;
  ray.DirZ = -view.LZ;
  ray.RayWeight = 1;
}

// From the focal point into the cone about -L. A drawn direction that cannot be completed to
// unit length (w wider than 90 degrees - b allows) loses the ray.
template <class Rng>
inline bool LaunchConical(const ViewGeometry& view, RayState& ray, Rng& rng) {
  ray.RayX = view.FX;
  ray.RayY = view.FY;
  ray.RayZ = view.FZ;
  Extended x, y;
  RandomPointInDisc(rng, x, y, view.TanHalfW * view.CosB);
  ray.DirX = -x - view.SinB * view.CosA;
  ray.DirY = -y - view.SinB * view.SinA;
  ray.RayWeight = 1;
  const Extended zSquared = (1 - ray.DirX * ray.DirX) - ray.DirY * ray.DirY;
  if (zSquared < 0) {
    ray.DirZ = 0;
    return false;
  }
  ray.DirZ = -std::sqrt(zSquared);
  return true;
}

// From a point of the detector disc toward a point of the radiating area's inscribed disc,
// weighted by the squared cosine with the axis over the squared distance.
template <class Rng>
inline void LaunchIntegrated(const LaunchInput& in, RayState& ray, Rng& rng) {
  Extended x1, y1, u, v;
  RandomPointInDisc(rng, x1, y1, in.geometry.RadiatorHalf);
  RandomPointInDisc(rng, u, v, in.task.DetectorRadius);
  ViewFrameToGlobal(in.view, u, v, 0, ray.RayX, ray.RayY, ray.RayZ);
  const Extended dx = ray.RayX - x1;
  const Extended dy = ray.RayY - y1;
  const Extended dist = std::sqrt((dx * dx + dy * dy) + ray.RayZ * ray.RayZ);
  ray.DirX = (x1 - ray.RayX) / dist;
  ray.DirY = (y1 - ray.RayY) / dist;
  ray.DirZ = -ray.RayZ / dist;
  const Extended cosOverDist = ray.DirZ / dist;
  ray.RayWeight = cosOverDist * cosOverDist;
}

}  // namespace launch_detail

// Places and aims a new ray by the gathered viewing conditions. Returns false when the ray is
// lost at launch; it then counts as a first hit outside the radiating area.
template <class Rng>
inline bool LaunchRay(const LaunchInput& in, RayState& ray, Rng& rng) {
  bool launched = true;
  switch (in.view.LaunchRay) {
    case LaunchProcedure::DirectionalA:
      launch_detail::LaunchParallelBeam(in.view, in.task.FootprintRadius, ray, rng);
      break;
    case LaunchProcedure::DirectionalB:
      launch_detail::LaunchParallelBeam(in.view, in.task.BeamRadius, ray, rng);
      break;
    case LaunchProcedure::Conical:
      launched = launch_detail::LaunchConical(in.view, ray, rng);
      break;
    case LaunchProcedure::Integrated:
      launch_detail::LaunchIntegrated(in, ray, rng);
      break;
    case LaunchProcedure::None:
      launched = false;
      break;
  }
  launch_detail::MarkJustLaunched(ray);
  ray.FirstHitOutside = !launched;
  return launched;
}

}  // namespace tessolan
