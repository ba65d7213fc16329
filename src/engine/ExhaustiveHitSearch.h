#pragma once

#include "HitTests.h"
#include "RayState.h"

namespace tessolan {

// The reference hit search: every pyramid of the array is tested on every call. The nearest hit
// wins; among equal distances the base beats a face, and faces go by row, column, kind.
class ExhaustiveHitSearch {
 public:
  explicit ExhaustiveHitSearch(const HitShape& shape) : s_(shape) {}

  // Moves the ray to its nearest hit inside the radiating area and returns true; otherwise the
  // ray leaves (false), and a first hit outside the radiating area sets FirstHitOutside.
  template <class Rng>
  bool FindNextHit(RayState& ray, Rng& rng) const {
    ray.FirstHitOutside = false;
    const ArrayGeometry& g = s_.geometry;
    const int n = g.NCR;

    if (ray.HitSurface == kNoSurface) {
      const Extended t = (g.Height - ray.RayZ) / BaseNormalDivisor(ray.DirZ, rng);
      const Extended xt = ray.RayX + ray.DirX * t;
      const Extended yt = ray.RayY + ray.DirY * t;
      for (int i = 1; i <= n; ++i) {
        if (!Within(g.CenterY[i] - s_.halfTopFlat, yt, g.CenterY[i] + s_.halfTopFlat)) continue;
        for (int j = 1; j <= n; ++j) {
          if (!Within(g.CenterX[j] - s_.halfTopFlat, xt, g.CenterX[j] + s_.halfTopFlat)) continue;
          if (!TopFlatInsideRadiatingArea(s_, xt, yt)) {
            if (ray.ReflectionCount == 0) ray.FirstHitOutside = true;
            return false;
          }
          ray.RayX = xt;
          ray.RayY = yt;
          ray.RayZ = g.Height;
          ray.HitRow = i;
          ray.HitColumn = j;
          ray.HitSurface = kTopFlat;
          return true;
        }
      }
    }

    Extended tmin = kNoHit;
    bool baseCandidate = false;
    int bestRow = -1, bestColumn = -1, bestKind = -1;
    if (ray.HitSurface != kBase && ray.HitSurface != kTopFlat) {
      const Extended t = -ray.RayZ / BaseNormalDivisor(ray.DirZ, rng);
      if (kMinHitDistance < t && t < tmin) {
        tmin = t;
        baseCandidate = true;
      }
    }

    Extended cosine[5];
    for (int k = 1; k <= 4; ++k) cosine[k] = FaceCosine(g, ray, k);
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) {
        if (i == ray.HitRow && j == ray.HitColumn) continue;
        for (int k = 1; k <= 4; ++k) {
          if (k == ray.HitSurface || cosine[k] >= 0) continue;
          Extended t;
          if (IntersectFace(s_, ray, i, j, k, cosine[k], t) && kMinHitDistance < t && t < tmin) {
            tmin = t;
            baseCandidate = false;
            bestRow = i, bestColumn = j, bestKind = k;
          }
        }
      }
    }
    return MoveToHit(ray, tmin, baseCandidate, bestRow, bestColumn, bestKind);
  }

 private:
  bool MoveToHit(RayState& ray, Extended tmin, bool baseCandidate, int row, int column, int kind) const {
    if (tmin >= kNoHit) return false;
    const Extended qx = ray.RayX + tmin * ray.DirX;
    const Extended qy = ray.RayY + tmin * ray.DirY;
    const Extended qz = ray.RayZ + tmin * ray.DirZ;
    if (!InsideRadiatingArea(s_, qx, qy)) {
      if (ray.ReflectionCount == 0) ray.FirstHitOutside = true;
      return false;
    }
    ray.RayX = qx;
    ray.RayY = qy;
    if (baseCandidate) {
      ray.RayZ = 0;
      ray.HitSurface = kBase;
      ray.HitRow = -1;
      ray.HitColumn = -1;
    } else {
      ray.RayZ = qz;
      ray.HitSurface = kind;
      ray.HitRow = row;
      ray.HitColumn = column;
    }
    return true;
  }

  HitShape s_;
};

}  // namespace tessolan
