#pragma once

#include <cstdint>

#include "model/ArrayGeometry.h"
#include "model/Extended.h"

namespace tessolan {

// The ray being traced: its point, unit direction and initial weight, the surface it lies on
// and how many hits it has had.
struct RayState {
  Extended RayX = 0, RayY = 0, RayZ = 0;
  Extended DirX = 0, DirY = 0, DirZ = 0;
  Extended RayWeight = 0;
  std::int32_t HitRow = -1;
  std::int32_t HitColumn = -1;
  std::int32_t HitSurface = kNoSurface;
  std::uint32_t ReflectionCount = 0;
  // The latest hit search found the ray's very first hit outside the radiating area (or the
  // ray was lost at launch).
  bool FirstHitOutside = false;
};

}  // namespace tessolan
