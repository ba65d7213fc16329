#pragma once

#include <cmath>

#include "model/Extended.h"

namespace tessolan {

// The message of a zero vector met while tracing; the run that meets it ends without results.
inline constexpr const char* kVectorNormZeroMessage = "3D Vector Norm = 0";

// Scales (x, y, z) to unit length; a vector of length exactly 1 is left bit for bit untouched.
// Returns false, changing nothing, for the zero vector.
inline bool NormalizeVector(Extended& x, Extended& y, Extended& z) {
  const Extended n = std::sqrt((x * x + y * y) + z * z);
  if (n == 0) return false;
  if (n != 1) {
    x = x / n;
    y = y / n;
    z = z / n;
  }
  return true;
}

// Right-handed cross product p x q.
inline void Cross(Extended px, Extended py, Extended pz, Extended qx, Extended qy, Extended qz,
                  Extended& rx, Extended& ry, Extended& rz) {
  rx = py * qz - pz * qy;
  ry = pz * qx - px * qz;
  rz = px * qy - py * qx;
}

// Two unit vectors e1 perpendicular to the unit vector a and e2 = a x e1. The auxiliary vector
// is a with its smallest-magnitude component (the earliest among equals) replaced by 1.
inline bool PerpendicularFrame(Extended ax, Extended ay, Extended az, Extended& e1x, Extended& e1y,
                               Extended& e1z, Extended& e2x, Extended& e2y, Extended& e2z) {
  Extended h[3] = {ax, ay, az};
  Extended bound = 1;
  int smallest = 0;
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(h[i]) < bound) {
      bound = std::fabs(h[i]);
      smallest = i;
    }
  }
  h[smallest] = 1;
  Cross(h[0], h[1], h[2], ax, ay, az, e1x, e1y, e1z);
  if (!NormalizeVector(e1x, e1y, e1z)) return false;
  Cross(ax, ay, az, e1x, e1y, e1z, e2x, e2y, e2z);
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
inline void RandomCosineDirection(Rng& rng, Extended& x, Extended& y, Extended& z) {
  RandomPointInDisc(rng, x, y, 1);
  z = std::sqrt((1 - x * x) - y * y);
}

}  // namespace tessolan
