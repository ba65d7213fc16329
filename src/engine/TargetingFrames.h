#pragma once

#include "model/ArrayGeometry.h"
#include "model/Extended.h"
#include "model/InitialData.h"
#include "model/ViewGeometry.h"

namespace tessolan {

// The extent of one targeting chart: z across, and down the chart y (FrameYZ) or x (FrameXZ).
struct TargetingFrame {
  Extended ZMin = 0, ZMax = 0;
  Extended Max = 0, Min = 0;
};

struct TargetingFrames {
  TargetingFrame FrameYZ;
  TargetingFrame FrameXZ;
};

// Frames that hold one row of the array and the viewer's beam, cone vertex or detector, with 5 %
// to spare, computed from the gathered geometry and viewing conditions.
TargetingFrames ComputeTargetingFrames(const InitialData& task, const ArrayGeometry& geometry,
                                       const ViewGeometry& view);

}  // namespace tessolan
