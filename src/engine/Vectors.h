#pragma once

#include <cmath>

#include "model/Extended.h"
#include "model/Vec3.h"

namespace tessolan {

// Two unit vectors e1 perpendicular to the unit vector a and e2 = a x e1. The auxiliary vector
// is a with its smallest-magnitude component (the earliest among equals) replaced by 1.
// On false (a cross product of length zero) e1 holds that product unscaled and e2 is untouched.
inline bool PerpendicularFrame(const Vec3& a, Vec3& e1, Vec3& e2) {
  Extended h[3] = {a.x, a.y, a.z};
  Extended bound = 1;
  int smallest = 0;
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(h[i]) < bound) {
      bound = std::fabs(h[i]);
      smallest = i;
    }
  }
  h[smallest] = 1;
  e1 = Cross({h[0], h[1], h[2]}, a);
  if (!NormalizeVector(e1)) return false;
  e2 = Cross(a, e1);
  return true;
}

// A uniform point of the disc of radius r: pairs (x, y) are drawn from the square, x first,
// until x^2 + y^2 < 1, then scaled by r.
template <class Rng>
inline void RandomPointInDisc(Rng& rng, Extended& x, Extended& y, Extended r) {
  do {
    x = 2 * rng.Random() - 1;
    y = 2 * rng.Random() - 1;
  } while (!(x * x + y * y < 1));
  x = r * x;
  y = r * y;
}

// A cosine-distributed unit vector of the upper hemisphere: a uniform point of the unit disc
// lifted onto the hemisphere.
template <class Rng>
inline Vec3 RandomCosineDirection(Rng& rng) {
  Vec3 v;
  RandomPointInDisc(rng, v.x, v.y, 1);
  v.z = std::sqrt((1 - v.x * v.x) - v.y * v.y);
  return v;
}

}  // namespace tessolan
