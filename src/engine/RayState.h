#pragma once

#include <cstdint>

#include "model/ArrayGeometry.h"
#include "model/Extended.h"
#include "model/Vec3.h"

namespace tessolan {

// The ray being traced: its point, unit direction and initial weight, the surface it lies on
// and how many hits it has had.
struct RayState {
  Vec3 Point;  // RayX, RayY, RayZ
  Vec3 Dir;    // DirX, DirY, DirZ
  Extended RayWeight = 0;
  std::int32_t HitRow = -1;
  std::int32_t HitColumn = -1;
  std::int32_t HitSurface = kNoSurface;
  std::uint32_t ReflectionCount = 0;
  // Where the ray first met the array (a copy of Point after its first hit); valid once
  // ReflectionCount is at least 1. Only maps read it.
  Vec3 FirstHitPoint;
  // The latest hit search found the ray's very first hit outside the radiating area (or the
  // ray was lost at launch).
  bool FirstHitOutside = false;
};

}  // namespace tessolan
