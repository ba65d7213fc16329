#pragma once

#include <cmath>

#include "engine/Vectors.h"
#include "model/Vec3.h"

namespace tessolan {

// An orthonormal frame (e1, e2, n) at a surface: n its unit normal, e1 in the plane of
// incidence. Local coordinates (u, v, w) go to array coordinates as (u e1 + v e2) + w n.
struct SurfaceFrame {
  Vec3 e1, e2, n;

  // The frame of the surface with unit normal n met by a ray of unit direction d. A ray
  // arriving against the normal leaves the plane of incidence undefined: any perpendicular pair
  // serves. A grazing ray is its own first axis.
  static SurfaceFrame AtIncidence(const Vec3& n, const Vec3& d) {
    SurfaceFrame f{{}, {}, n};
    const Extended c = Dot(n, d);
    if (std::fabs(c + 1) < 1e-9L) {
      PerpendicularFrame(n, f.e1, f.e2);
    } else if (std::fabs(c) < 1e-9L) {
      f.e1 = d;
      f.e2 = Cross(n, d);
    } else {
      const Extended sine = std::sqrt(1 - c * c);
      f.e1 = (d - c * n) / sine;
      f.e2 = Cross(n, d) / sine;
    }
    return f;
  }

  Vec3 ToGlobal(const Vec3& local) const { return (local.x * e1 + local.y * e2) + local.z * n; }
};

}  // namespace tessolan
