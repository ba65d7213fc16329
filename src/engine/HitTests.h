#pragma once

#include <cmath>

#include "engine/RayState.h"
#include "model/ArrayGeometry.h"
#include "model/Extended.h"
#include "model/Vec3.h"

namespace tessolan {

// Constants of the hit search.
inline constexpr Extended kNoHit = 1e38L;
inline constexpr Extended kMinHitDistance = 1e-12L;
inline constexpr Extended kMinFaceDistance = 1e-9L;
inline constexpr Extended kTriangleTolerance = 1e-12L;
inline constexpr Extended kParallelDivisor = 1e-9L;

// What the hit tests read of the task besides the derived geometry.
struct HitShape {
  const ArrayGeometry& geometry;
  bool circle;           // Shape = kCircle
  Extended halfBase;     // BaseSideLength / 2
  Extended halfTopFlat;  // TopFlatSideLength / 2
};

// Interval tests compare values rounded to double, both ends included.
inline bool Within(Extended low, Extended value, Extended high) {
  const double v = static_cast<double>(value);
  return static_cast<double>(low) <= v && v <= static_cast<double>(high);
}

// The radiating area: a square of half side R, or the inscribed circle (its edge included).
inline bool InsideRadiatingArea(const HitShape& s, Extended x, Extended y) {
  const Extended r = s.geometry.RadiatorHalf;
  if (s.circle) return x * x + y * y <= s.geometry.RadiatorHalfSq;
  return Within(-r, x, r) && Within(-r, y, r);
}

// The same for a top-flat hit, where the circle's edge counts as outside.
inline bool TopFlatInsideRadiatingArea(const HitShape& s, Extended x, Extended y) {
  if (s.circle) return x * x + y * y < s.geometry.RadiatorHalfSq;
  return InsideRadiatingArea(s, x, y);
}

// Twice-halved absolute area of the triangle UVW, in the program's term order.
inline Extended TriangleArea(Extended ux, Extended uy, Extended vx, Extended vy, Extended wx, Extended wy) {
  return std::fabs(ux * vy + vx * wy + wx * uy - ux * wy - wx * vy - vx * uy) / 2;
}

// P lies in triangle ABC (edges included) when the three sub-triangles add up to ABC within an
// absolute tolerance of 1e-12 squared length units.
inline bool PointInTriangle(Extended px, Extended py, Extended ax, Extended ay, Extended bx, Extended by, Extended cx,
                            Extended cy) {
  const Extended abc = TriangleArea(ax, ay, bx, by, cx, cy);
  const Extended abp = TriangleArea(ax, ay, bx, by, px, py);
  const Extended bcp = TriangleArea(bx, by, cx, cy, px, py);
  const Extended cap = TriangleArea(cx, cy, ax, ay, px, py);
  return std::fabs(abc - abp - bcp - cap) < kTriangleTolerance;
}

// The parallel-to-base stand-in for DirZ: a tiny divisor of random sign.
template <class Rng>
inline Extended BaseNormalDivisor(Extended dirZ, Rng& rng) {
  return dirZ == 0 ? (2 * rng.Random() - 1) * kParallelDivisor : dirZ;
}

// Distance along the ray to face k (1..4) of pyramid (i, j), or false when the ray misses it.
// `denominator` is D . N_k, already known to be negative. On a miss inside the triangle test
// t still receives the plane distance. Inlined into the searches' loops: it is their inner work.
[[gnu::always_inline]] inline bool IntersectFace(const HitShape& s, const RayState& ray, int i, int j, int k,
                                                 Extended denominator, Extended& t) {
  const ArrayGeometry& g = s.geometry;
  t = kNoHit;
  const Extended x = g.CenterX[j];
  const Extended y = g.CenterY[i];
  const Extended tf = Dot(Vec3{x, y, g.FullHeight} - ray.Point, g.Normal[k]) / denominator;
  const Vec3 q = ray.Point + tf * ray.Dir;
  if (!Within(0, q.z, g.Height)) return false;
  const Extended qx = q.x, qy = q.y;

  const Extended h = s.halfBase;
  Extended ax, ay, bx, by;
  switch (k) {
    case kFaceMinusX:
      if (!Within(x - h, qx, x) || !Within(y - h, qy, y + h)) return false;
      ax = x - h, ay = y - h, bx = x - h, by = y + h;
      break;
    case kFacePlusY:
      if (!Within(x - h, qx, x + h) || !Within(y, qy, y + h)) return false;
      ax = x - h, ay = y + h, bx = x + h, by = y + h;
      break;
    case kFacePlusX:
      if (!Within(x, qx, x + h) || !Within(y - h, qy, y + h)) return false;
      ax = x + h, ay = y + h, bx = x + h, by = y - h;
      break;
    default:  // kFaceMinusY
      if (!Within(x - h, qx, x + h) || !Within(y - h, qy, y)) return false;
      ax = x + h, ay = y - h, bx = x - h, by = y - h;
      break;
  }
  if (!PointInTriangle(qx, qy, ax, ay, bx, by, x, y)) return false;
  t = tf;
  return t > kMinFaceDistance;
}

// D . N_k in the program's term order.
inline Extended FaceCosine(const ArrayGeometry& g, const RayState& ray, int k) { return Dot(ray.Dir, g.Normal[k]); }

// The nearest candidate of a search: the base, a face (row, column, kind), or nothing (t = kNoHit).
struct NearestHit {
  Extended t = kNoHit;
  bool base = false;
  int row = -1, column = -1, kind = -1;
};

// The base step of a search: the plane z = 0 is a candidate unless the ray lies on the base or
// on a top flat. A ray parallel to the base draws its random divisor here.
template <class Rng>
inline void ConsiderBase(const RayState& ray, Rng& rng, NearestHit& best) {
  if (ray.HitSurface == kBase || ray.HitSurface == kTopFlat) return;
  const Extended t = -ray.Point.z / BaseNormalDivisor(ray.Dir.z, rng);
  if (kMinHitDistance < t && t < best.t) {
    best.t = t;
    best.base = true;
  }
}

// A just-launched ray whose top-flat step found the top flat of pyramid (row, column) at
// (xt, yt): it lands there when the point lies inside the radiating area and is lost otherwise.
inline bool LandOnTopFlat(const HitShape& s, RayState& ray, Extended xt, Extended yt, int row, int column) {
  if (!TopFlatInsideRadiatingArea(s, xt, yt)) {
    if (ray.ReflectionCount == 0) ray.FirstHitOutside = true;
    return false;
  }
  ray.Point = {xt, yt, s.geometry.Height};
  ray.HitRow = row;
  ray.HitColumn = column;
  ray.HitSurface = kTopFlat;
  return true;
}

// Moves the ray to its nearest candidate when that lies inside the radiating area; otherwise the
// ray leaves, and a first hit outside sets FirstHitOutside.
inline bool MoveToNearestHit(const HitShape& s, RayState& ray, const NearestHit& hit) {
  if (hit.t >= kNoHit) return false;
  const Vec3 q = ray.Point + hit.t * ray.Dir;
  if (!InsideRadiatingArea(s, q.x, q.y)) {
    if (ray.ReflectionCount == 0) ray.FirstHitOutside = true;
    return false;
  }
  if (hit.base) {
    ray.Point = {q.x, q.y, 0};
    ray.HitSurface = kBase;
    ray.HitRow = -1;
    ray.HitColumn = -1;
  } else {
    ray.Point = q;
    ray.HitSurface = hit.kind;
    ray.HitRow = hit.row;
    ray.HitColumn = hit.column;
  }
  return true;
}

}  // namespace tessolan
