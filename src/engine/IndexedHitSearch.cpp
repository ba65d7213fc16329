#include "engine/IndexedHitSearch.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tessolan {
namespace {

// Relative width of the walk's margin: far above the rounding of the hit tests (about 1e-16 of
// the coordinates, from the double-precision interval tests) and of the walk's own arithmetic.
constexpr double kMarginFactor = 1e-11;

// Narrows [t0, t1] to the parameters at which p + t d lies in [low, high], with inverse = 1 / d;
// false when nothing is left. With d = 0 the whole range stays or goes.
inline bool ClipToSlab(double p, double d, double inverse, double low, double high, double& t0, double& t1) {
  if (d == 0) return low <= p && p <= high;
  double ta = (low - p) * inverse;
  double tb = (high - p) * inverse;
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

// The ray in double. The walk steps along the horizontal axis in which the path moves most
// (major) and tests the squares met along the other (minor).
struct IndexedHitSearch::Path {
  double p[3], d[3];
  int major, minor;

  explicit Path(const RayState& ray)
      : p{static_cast<double>(ray.Point.x), static_cast<double>(ray.Point.y), static_cast<double>(ray.Point.z)},
        d{static_cast<double>(ray.Dir.x), static_cast<double>(ray.Dir.y), static_cast<double>(ray.Dir.z)},
        major(std::fabs(d[0]) >= std::fabs(d[1]) ? 0 : 1),
        minor(1 - major) {}

  double Inverse(int axis) const { return d[axis] != 0 ? 1 / d[axis] : 0; }
};

// One search's walk: the ray and its path, the stretch [t0, t1] of the path over the array and
// in the height band, the margin that widens every base square, and the face kinds the ray can
// meet (facing it, not the surface it lies on) with their cosines D . N_k.
struct IndexedHitSearch::Walk {
  const RayState& ray;
  Path path;
  double inverseMajor = 0;
  double t0 = 0, t1 = 0;
  double margin = 0;
  int kinds[4] = {};
  int kindCount = 0;
  Extended cosine[5] = {};

  explicit Walk(const RayState& r) : ray(r), path(r) {}
};

IndexedHitSearch::IndexedHitSearch(const HitShape& shape) : s_(shape) {
  const ArrayGeometry& g = shape.geometry;
  n_ = g.NCR;
  inversePeriod_ = 1 / g.Period;
  period_ = static_cast<double>(g.Period);
  inversePeriodD_ = 1 / period_;
  halfBase_ = static_cast<double>(shape.halfBase);
  height_ = static_cast<double>(g.Height);
  firstCenterX_ = static_cast<double>(g.CenterX[1]);
  firstCenterY_ = static_cast<double>(g.CenterY[1]);
  lowX_ = static_cast<double>(g.CenterX[1] - shape.halfBase);
  highX_ = static_cast<double>(g.CenterX[n_] + shape.halfBase);
  lowY_ = static_cast<double>(g.CenterY[1] - shape.halfBase);
  highY_ = static_cast<double>(g.CenterY[n_] + shape.halfBase);
  scale_ = std::max({std::fabs(lowX_), std::fabs(highX_), std::fabs(lowY_), std::fabs(highY_)}) + std::fabs(height_) +
           halfBase_;
  facesPossible_ = height_ >= 0;
}

int IndexedHitSearch::FirstTopFlat(const Extended* centers, Extended v) const {
  // Intervals lie a period apart and are at most a period wide: besides the interval of the
  // nearest centre only a neighbour's can hold v, and only when v lies about halfway between
  // them, where rounding may make either of the two the nearest. NaN and values far off the
  // array lie in none.
  const Extended q = (v - centers[1]) * inversePeriod_;
  if (!(q > -3 && q < n_ + 2)) return 0;
  const int nearest = static_cast<int>(static_cast<double>(q + 3.5L)) - 3 + 1;  // rounds q, q + 3.5 > 0
  const Extended half = s_.halfTopFlat;
  for (int i = std::max(1, nearest - 1); i <= std::min(n_, nearest + 1); ++i)
    if (Within(centers[i] - half, v, centers[i] + half)) return i;
  return 0;
}

int IndexedHitSearch::FirstSquare(double firstCenter, double a) const {
  // The square of index m spans firstCenter + (m - 1) P -+ h.
  const double q = (a - halfBase_ - firstCenter) * inversePeriodD_ + 1;
  if (!(q > 1)) return 1;
  if (q > n_) return n_ + 1;
  const int m = static_cast<int>(q);
  return m < q ? m + 1 : m;
}

int IndexedHitSearch::LastSquare(double firstCenter, double b) const {
  const double q = (b + halfBase_ - firstCenter) * inversePeriodD_ + 1;
  if (!(q < n_)) return n_;
  if (q < 1) return 0;
  return static_cast<int>(q);
}

void IndexedHitSearch::FindNearestFace(const RayState& ray, NearestHit& best) const {
  if (!facesPossible_) return;
  const ArrayGeometry& g = s_.geometry;
  Walk walk(ray);
  for (int k = 1; k <= 4; ++k) {
    walk.cosine[k] = FaceCosine(g, ray, k);
    if (k != ray.HitSurface && walk.cosine[k] < 0) walk.kinds[walk.kindCount++] = k;
  }
  if (walk.kindCount == 0) return;

  const Path& path = walk.path;
  walk.margin = kMarginFactor * (scale_ + std::fabs(path.p[0]) + std::fabs(path.p[1]) + std::fabs(path.p[2]));
  // The part of the path in the height band and over the array. Along the minor axis the walk
  // keeps to the array by itself.
  walk.t1 = static_cast<double>(best.t);
  if (!ClipToSlab(path.p[2], path.d[2], path.Inverse(2), -walk.margin, height_ + walk.margin, walk.t0, walk.t1)) return;
  const int major = path.major;
  const double low = major == 0 ? lowX_ : lowY_, high = major == 0 ? highX_ : highY_;
  walk.inverseMajor = path.Inverse(major);
  if (!ClipToSlab(path.p[major], path.d[major], walk.inverseMajor, low - walk.margin, high + walk.margin, walk.t0,
                  walk.t1))
    return;
  WalkPath(walk, best);
}

void IndexedHitSearch::WalkPath(const Walk& walk, NearestHit& best) const {
  // Slab by slab of base squares along the major axis, in the direction of travel; in each slab
  // the squares the path meets along the minor axis. A slab entered beyond the best distance
  // found so far ends the walk.
  const RayState& ray = walk.ray;
  const Path& path = walk.path;
  const double inverseMajor = walk.inverseMajor, t0 = walk.t0, t1 = walk.t1, margin = walk.margin;
  const int* kinds = walk.kinds;
  const int kindCount = walk.kindCount;
  const Extended* cosine = walk.cosine;
  const int major = path.major, minor = path.minor;
  const double pMajor = path.p[major], dMajor = path.d[major];
  const double pMinor = path.p[minor], dMinor = path.d[minor];
  const double cMajor = major == 0 ? firstCenterX_ : firstCenterY_;
  const double cMinor = major == 0 ? firstCenterY_ : firstCenterX_;
  const double h = halfBase_ + margin;

  const double a = pMajor + t0 * dMajor, b = pMajor + t1 * dMajor;
  int first = FirstSquare(cMajor, std::min(a, b) - margin), last = LastSquare(cMajor, std::max(a, b) + margin);
  if (first > last) return;
  const int step = dMajor < 0 ? -1 : 1;
  if (step < 0) std::swap(first, last);

  for (int m = first;; m += step) {
    const double center = (m - 1) * period_ + cMajor;
    double ta = t0, tb = t1;
    if (ClipToSlab(pMajor, dMajor, inverseMajor, center - h, center + h, ta, tb)) {
      if (ta > static_cast<double>(best.t)) break;
      tb = std::min(tb, static_cast<double>(best.t));
      const double ya = pMinor + ta * dMinor, yb = pMinor + tb * dMinor;
      int minorFirst = FirstSquare(cMinor, std::min(ya, yb) - margin);
      int minorLast = LastSquare(cMinor, std::max(ya, yb) + margin);
      const int minorStep = dMinor < 0 ? -1 : 1;
      if (minorStep < 0) std::swap(minorFirst, minorLast);
      for (int q = minorFirst; minorStep > 0 ? q <= minorLast : q >= minorLast; q += minorStep) {
        const int row = major == 0 ? q : m, column = major == 0 ? m : q;
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
