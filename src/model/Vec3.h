#pragma once

#include <cmath>

#include "model/Extended.h"

namespace tessolan {

// A point or direction of the array's space. Every operation works component by component and
// spells out its terms in the order the program has always summed them, so that code written
// with vectors gives the same bits as the scalar code it replaced: a dot product is
// (x x' + y y') + z z', and a sum of several vectors adds from the left.
struct Vec3 {
  Extended x = 0, y = 0, z = 0;

  friend bool operator==(const Vec3&, const Vec3&) = default;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(const Vec3& a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Extended s, const Vec3& a) { return {s * a.x, s * a.y, s * a.z}; }
inline Vec3 operator/(const Vec3& a, Extended s) { return {a.x / s, a.y / s, a.z / s}; }

inline Extended Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Right-handed cross product p x q.
inline Vec3 Cross(const Vec3& p, const Vec3& q) {
  return {p.y * q.z - p.z * q.y, p.z * q.x - p.x * q.z, p.x * q.y - p.y * q.x};
}

// The message of a zero vector met while tracing; the run that meets it ends without results.
inline constexpr const char* kVectorNormZeroMessage = "3D Vector Norm = 0";

// Scales v to unit length; a vector of length exactly 1 is left bit for bit untouched.
// Returns false, changing nothing, for the zero vector.
inline bool NormalizeVector(Vec3& v) {
  const Extended n = std::sqrt(Dot(v, v));
  if (n == 0) return false;
  if (n != 1) v = v / n;
  return true;
}

}  // namespace tessolan
