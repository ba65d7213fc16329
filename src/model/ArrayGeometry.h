#pragma once

#include <array>
#include <cstdint>

#include "model/Extended.h"
#include "model/Vec3.h"

namespace tessolan {

// Surface kinds of the pyramid array; -1 marks a ray just launched.
enum SurfaceKind : std::int32_t {
  kNoSurface = -1,
  kBase = 0,
  kFaceMinusX = 1,
  kFacePlusY = 2,
  kFacePlusX = 3,
  kFaceMinusY = 4,
  kTopFlat = 5,
};

inline constexpr int kMaxNCR = 1001;

// What the geometry preprocessing derives from the task. Centre coordinates are indexed
// 1..NCR (index 0 unused) so that row and column numbers read as in the program's texts.
struct ArrayGeometry {
  Extended RadiatorHalf = 0;
  Extended RadiatorHalfSq = 0;
  Extended Period = 0;
  Extended FullHeight = 0;
  Extended Height = 0;
  Extended FaceVertexAngle = 0;  // degrees
  std::uint16_t NCR = 0;
  std::array<Extended, kMaxNCR + 1> CenterX{};
  std::array<Extended, kMaxNCR + 1> CenterY{};
  std::array<Vec3, 6> Normal{};  // unit outward normal of each surface kind
};

}  // namespace tessolan
