#pragma once

#include "engine/HitTests.h"
#include "engine/RayState.h"

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
      const Extended t = (g.Height - ray.Point.z) / BaseNormalDivisor(ray.Dir.z, rng);
      const Extended xt = ray.Point.x + ray.Dir.x * t;
      const Extended yt = ray.Point.y + ray.Dir.y * t;
      for (int i = 1; i <= n; ++i) {
        if (!Within(g.CenterY[i] - s_.halfTopFlat, yt, g.CenterY[i] + s_.halfTopFlat)) continue;
        for (int j = 1; j <= n; ++j) {
          if (Within(g.CenterX[j] - s_.halfTopFlat, xt, g.CenterX[j] + s_.halfTopFlat))
            return LandOnTopFlat(s_, ray, xt, yt, i, j);
        }
      }
    }

    NearestHit best;
    ConsiderBase(ray, rng, best);
    Extended cosine[5];
    for (int k = 1; k <= 4; ++k) cosine[k] = FaceCosine(g, ray, k);
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) {
        if (i == ray.HitRow && j == ray.HitColumn) continue;
        for (int k = 1; k <= 4; ++k) {
          if (k == ray.HitSurface || cosine[k] >= 0) continue;
          Extended t;
          if (IntersectFace(s_, ray, i, j, k, cosine[k], t) && kMinHitDistance < t && t < best.t) {
            best = {t, false, i, j, k};
          }
        }
      }
    }
    return MoveToNearestHit(s_, ray, best);
  }

 private:
  HitShape s_;
};

}  // namespace tessolan
