#include "IndexedHitSearch.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tessolan {
namespace {

// Relative width of the walk's margin: far above the rounding of the hit tests (about 1e-16 of
// the coordinates, from the double-precision interval tests) and of the walk's own arithmetic.
constexpr Extended kMarginFactor = 1e-11L;

// Narrows [t0, t1] to the parameters at which p + t d lies in [low, high]; false when nothing
// is left. With d = 0 the whole range stays or goes.
inline bool ClipToSlab(Extended p, Extended d, Extended low, Extended high, Extended& t0, Extended& t1) {
  if (d == 0) return low <= p && p <= high;
  const Extended inverse = 1 / d;
  Extended ta = (low - p) * inverse;
  Extended tb = (high - p) * inverse;
  if (ta > tb) std::swap(ta, tb);
  t0 = std::max(t0, ta);
  t1 = std::min(t1, tb);
  return t0 <= t1;
}

// Whether the face (row, column, kind) at distance t wins over `best`, as it would have in the
// exhaustive loops: nearer, or as near and earlier in row, column, kind order; the base keeps a
// tie.
inline bool Nearer(Extended t, int row, int column, int kind, const NearestHit& best) {
  if (t != best.t) return t < best.t;
  if (best.base || best.kind < 0) return false;
  if (row != best.row) return row < best.row;
  if (column != best.column) return column < best.column;
  return kind < best.kind;
}

}  // namespace

IndexedHitSearch::IndexedHitSearch(const HitShape& shape) : s_(shape) {
  const ArrayGeometry& g = shape.geometry;
  n_ = g.NCR;
  period_ = g.Period;
  inversePeriod_ = 1 / g.Period;
  firstCenterX_ = g.CenterX[1];
  firstCenterY_ = g.CenterY[1];
  lowX_ = g.CenterX[1] - shape.halfBase;
  highX_ = g.CenterX[n_] + shape.halfBase;
  lowY_ = g.CenterY[1] - shape.halfBase;
  highY_ = g.CenterY[n_] + shape.halfBase;
  scale_ = std::max({std::fabs(lowX_), std::fabs(highX_), std::fabs(lowY_), std::fabs(highY_)}) +
           std::fabs(g.Height) + shape.halfBase;
  facesPossible_ = static_cast<double>(g.Height) >= 0;
}

int IndexedHitSearch::FirstTopFlat(const Extended* centers, Extended v) const {
  // Intervals lie a period apart and are at most a period wide, so only the two neighbours of
  // the nearest centre can hold v as well; NaN and values far off the array hold none.
  const Extended q = (v - centers[1]) * inversePeriod_;
  if (!(q > -3 && q < n_ + 2)) return 0;
  const int nearest = static_cast<int>(std::floor(q + 0.5L)) + 1;
  const Extended half = s_.halfTopFlat;
  for (int i = std::max(1, nearest - 2); i <= std::min(n_, nearest + 2); ++i)
    if (Within(centers[i] - half, v, centers[i] + half)) return i;
  return 0;
}

void IndexedHitSearch::SquaresMeeting(Extended firstCenter, Extended a, Extended b, int& first, int& last) const {
  const Extended h = s_.halfBase;
  const Extended lo = std::clamp<Extended>(std::ceil((a - h - firstCenter) * inversePeriod_) + 1, 0, n_ + 1);
  const Extended hi = std::clamp<Extended>(std::floor((b + h - firstCenter) * inversePeriod_) + 1, 0, n_ + 1);
  first = std::max(1, static_cast<int>(lo));
  last = std::min(n_, static_cast<int>(hi));
}

void IndexedHitSearch::FindNearestFace(const RayState& ray, NearestHit& best) const {
  if (!facesPossible_) return;
  const ArrayGeometry& g = s_.geometry;
  Extended cosine[5];
  int kinds[4];
  int kindCount = 0;
  for (int k = 1; k <= 4; ++k) {
    cosine[k] = FaceCosine(g, ray, k);
    if (k != ray.HitSurface && cosine[k] < 0) kinds[kindCount++] = k;
  }
  if (kindCount == 0) return;

  const Extended margin =
      kMarginFactor * (scale_ + std::fabs(ray.RayX) + std::fabs(ray.RayY) + std::fabs(ray.RayZ));
  Extended t0 = 0, t1 = best.t;
  if (!ClipToSlab(ray.RayZ, ray.DirZ, -margin, g.Height + margin, t0, t1)) return;
  if (!ClipToSlab(ray.RayX, ray.DirX, lowX_ - margin, highX_ + margin, t0, t1)) return;
  if (!ClipToSlab(ray.RayY, ray.DirY, lowY_ - margin, highY_ + margin, t0, t1)) return;
  WalkPath(ray, t0, t1, margin, kinds, kindCount, cosine, best);
}

void IndexedHitSearch::WalkPath(const RayState& ray, Extended t0, Extended t1, Extended margin, const int* kinds,
                                int kindCount, const Extended* cosine, NearestHit& best) const {
  // The walk steps along the axis in which the path moves most, slab by slab of base squares,
  // in the direction of travel; in each slab it tests the squares the path meets along the
  // other axis. A slab entered beyond the best distance found so far ends the walk.
  const bool alongX = std::fabs(ray.DirX) >= std::fabs(ray.DirY);
  const Extended pMajor = alongX ? ray.RayX : ray.RayY, dMajor = alongX ? ray.DirX : ray.DirY;
  const Extended pMinor = alongX ? ray.RayY : ray.RayX, dMinor = alongX ? ray.DirY : ray.DirX;
  const Extended cMajor = alongX ? firstCenterX_ : firstCenterY_;
  const Extended cMinor = alongX ? firstCenterY_ : firstCenterX_;
  const Extended h = s_.halfBase;

  Extended a = pMajor + t0 * dMajor, b = pMajor + t1 * dMajor;
  if (a > b) std::swap(a, b);
  int first, last;
  SquaresMeeting(cMajor, a - margin, b + margin, first, last);
  if (first > last) return;
  const int step = dMajor < 0 ? -1 : 1;
  if (step < 0) std::swap(first, last);

  for (int m = first;; m += step) {
    const Extended center = (m - 1) * period_ + cMajor;
    Extended ta = t0, tb = t1;
    if (ClipToSlab(pMajor, dMajor, center - h - margin, center + h + margin, ta, tb)) {
      if (ta > best.t) break;
      tb = std::min(tb, best.t);
      Extended ya = pMinor + ta * dMinor, yb = pMinor + tb * dMinor;
      if (ya > yb) std::swap(ya, yb);
      int minorFirst, minorLast;
      SquaresMeeting(cMinor, ya - margin, yb + margin, minorFirst, minorLast);
      const int minorStep = dMinor < 0 ? -1 : 1;
      if (minorStep < 0) std::swap(minorFirst, minorLast);
      for (int q = minorFirst; minorStep > 0 ? q <= minorLast : q >= minorLast; q += minorStep) {
        const int row = alongX ? q : m, column = alongX ? m : q;
        if (row == ray.HitRow && column == ray.HitColumn) continue;
        for (int c = 0; c < kindCount; ++c) {
          const int k = kinds[c];
          Extended t;
          if (IntersectFace(s_, ray, row, column, k, cosine[k], t) && kMinHitDistance < t &&
              Nearer(t, row, column, k, best))
            best = {t, false, row, column, k};
        }
      }
    }
    if (m == last) break;
  }
}

}  // namespace tessolan
