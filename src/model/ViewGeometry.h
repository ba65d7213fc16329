#pragma once

#include "model/Extended.h"

namespace tessolan {

// Which launch procedure the gathered viewing conditions selected.
enum class LaunchProcedure { None, DirectionalA, DirectionalB, Conical, Integrated };

// What gathering the viewing conditions derives: the line of sight, the point on it where the
// viewer stands, the cone of the conical conditions and the launch procedure.
struct ViewGeometry {
  Extended SinB = 0, CosB = 0, SinA = 0, CosA = 0;
  Extended LX = 0, LY = 0, LZ = 0;  // unit line of sight, from the array toward the viewer
  Extended FX = 0, FY = 0, FZ = 0;  // LoSPoint
  Extended HalfW = 0, TanHalfW = 0;
  // The launch frame (e1, e2) perpendicular to -L, fixed for the whole gathering.
  Extended E1X = 0, E1Y = 0, E1Z = 0;
  Extended E2X = 0, E2Y = 0, E2Z = 0;
  LaunchProcedure LaunchRay = LaunchProcedure::None;
};

}  // namespace tessolan
