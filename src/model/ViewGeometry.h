#pragma once

#include "model/Extended.h"
#include "model/Vec3.h"

namespace tessolan {

// Which launch procedure the gathered viewing conditions selected.
enum class LaunchProcedure { None, DirectionalA, DirectionalB, Conical, Integrated };

// What gathering the viewing conditions derives: the line of sight, the point on it where the
// viewer stands, the cone of the conical conditions and the launch procedure.
struct ViewGeometry {
  Extended SinB = 0, CosB = 0, SinA = 0, CosA = 0;
  Vec3 L;  // unit line of sight, from the array toward the viewer
  Vec3 F;  // LoSPoint
  Extended HalfW = 0, TanHalfW = 0;
  // The launch frame (e1, e2) perpendicular to -L, fixed for the whole gathering.
  Vec3 E1, E2;
  LaunchProcedure LaunchRay = LaunchProcedure::None;
};

}  // namespace tessolan
