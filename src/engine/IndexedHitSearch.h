#pragma once

#include "engine/HitTests.h"
#include "engine/RayState.h"

namespace tessolan {

// The hit search of a run: the same nearest hit, tie-breaks, skip rules and random draws as the
// exhaustive search, found by walking only the pyramids that the ray's path crosses inside the
// height band of the faces. The cost of a search no longer grows with the size of the array.
//
// Faces are tested with the same IntersectFace as the exhaustive loops, so every candidate
// distance is bit for bit the same; the walk only has to make sure that no pyramid whose face
// could be accepted is left out. An accepted face point passes the inclusive double-precision
// rectangle and height tests, so it lies in its pyramid's base square and in the band 0..Height
// up to rounding; the walk widens both by a margin far above that rounding. Which candidate wins
// is decided by comparing (distance, row, column, kind), never by the order of the walk.
class IndexedHitSearch {
 public:
  explicit IndexedHitSearch(const HitShape& shape);

  // Moves the ray to its nearest hit inside the radiating area and returns true; otherwise the
  // ray leaves (false), and a first hit outside the radiating area sets FirstHitOutside.
  template <class Rng>
  bool FindNextHit(RayState& ray, Rng& rng) const {
    ray.FirstHitOutside = false;
    if (ray.HitSurface == kNoSurface) {
      const ArrayGeometry& g = s_.geometry;
      const Extended t = (g.Height - ray.Point.z) / BaseNormalDivisor(ray.Dir.z, rng);
      const Extended xt = ray.Point.x + ray.Dir.x * t;
      const Extended yt = ray.Point.y + ray.Dir.y * t;
      const int row = FirstTopFlat(g.CenterY.data(), yt);
      const int column = row ? FirstTopFlat(g.CenterX.data(), xt) : 0;
      if (column) return LandOnTopFlat(s_, ray, xt, yt, row, column);
    }
    NearestHit best;
    ConsiderBase(ray, rng, best);
    FindNearestFace(ray, best);
    return MoveToNearestHit(s_, ray, best);
  }

 private:
  // The lowest index (1..NCR) whose top-flat interval holds v, as the exhaustive row and column
  // loops would find it; 0 when there is none.
  int FirstTopFlat(const Extended* centers, Extended v) const;

  // Replaces `best` by any face nearer than it (or as near and earlier in row, column, kind order).
  void FindNearestFace(const RayState& ray, NearestHit& best) const;

  struct Path;
  struct Walk;

  // Tests the pyramids whose base squares, widened by the walk's margin, meet its stretch of path.
  void WalkPath(const Walk& walk, NearestHit& best) const;

  // The first and last index (1..NCR; empty when first > last) of the base squares along one
  // axis that meet [a, b].
  int FirstSquare(double firstCenter, double a) const;
  int LastSquare(double firstCenter, double b) const;

  HitShape s_;
  int n_;
  Extended inversePeriod_;
  // The walk only selects pyramids, so it works in double: its rounding, about 1e-16 of the
  // coordinates, stays far below the margin.
  double period_, inversePeriodD_, halfBase_, height_;
  double firstCenterX_, firstCenterY_;
  double lowX_, highX_, lowY_, highY_;  // the array's extent
  double scale_;                        // a length above every coordinate of the array
  bool facesPossible_;                  // false when no point can pass the test 0 <= Qz <= Height
};

}  // namespace tessolan
