#pragma once

#include <cmath>

#include "engine/RayState.h"
#include "engine/Vectors.h"
#include "model/ArrayGeometry.h"
#include "model/InitialData.h"
#include "model/Vec3.h"
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
inline Vec3 ViewFrameToGlobal(const ViewGeometry& view, const Vec3& local) {
  return ((view.F + local.x * view.E1) + local.y * view.E2) + local.z * -view.L;
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
  Vec3 local;
  RandomPointInDisc(rng, local.x, local.y, radius);
  ray.Point = ViewFrameToGlobal(view, local);
  ray.Dir = -view.L;
  ray.RayWeight = 1;
}

// From the focal point into the cone about -L. A drawn direction that cannot be completed to
// unit length (w wider than 90 degrees - b allows) loses the ray.
template <class Rng>
inline bool LaunchConical(const ViewGeometry& view, RayState& ray, Rng& rng) {
  ray.Point = view.F;
  Extended x, y;
  RandomPointInDisc(rng, x, y, view.TanHalfW * view.CosB);
  Vec3& d = ray.Dir;
  d.x = -x - view.SinB * view.CosA;
  d.y = -y - view.SinB * view.SinA;
  ray.RayWeight = 1;
  const Extended zSquared = (1 - d.x * d.x) - d.y * d.y;
  if (zSquared < 0) {
    d.z = 0;
    return false;
  }
  d.z = -std::sqrt(zSquared);
  return true;
}

// From a point of the detector disc toward a point of the radiating area's inscribed disc,
// weighted by the squared cosine with the axis over the squared distance.
template <class Rng>
inline void LaunchIntegrated(const LaunchInput& in, RayState& ray, Rng& rng) {
  Vec3 target, local;
  RandomPointInDisc(rng, target.x, target.y, in.geometry.RadiatorHalf);
  RandomPointInDisc(rng, local.x, local.y, in.task.DetectorRadius);
  ray.Point = ViewFrameToGlobal(in.view, local);
  const Vec3 fromTarget = ray.Point - target;
  const Extended dist = std::sqrt(Dot(fromTarget, fromTarget));
  const Vec3& p = ray.Point;
  ray.Dir = {(target.x - p.x) / dist, (target.y - p.y) / dist, -p.z / dist};
  const Extended cosOverDist = ray.Dir.z / dist;
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
