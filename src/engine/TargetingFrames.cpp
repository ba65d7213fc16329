#include "engine/TargetingFrames.h"

#include <algorithm>

#include "engine/ArrayOutline.h"

namespace tessolan {

namespace {

// The viewer's extent about the line of sight: half across and the height above its point.
struct ViewerReach {
  Extended across = 0;
  Extended above = 0;
};

ViewerReach ReachOf(const InitialData& task, const ViewGeometry& view) {
  switch (task.VCType) {
    case kDirectionalA:
      return {task.FootprintRadius, 0};
    case kDirectionalB:
      return {task.BeamRadius, 0};
    case kIntegrated:
      // The detector disc is tilted with the line of sight.
      return {task.DetectorRadius * view.CosB, task.DetectorRadius * view.SinB};
    default:  // Conical: the rays leave from one point
      return {0, 0};
  }
}

TargetingFrame FrameAlong(Extended viewer, const ArrayGeometry& g, const ViewerReach& reach, Extended zMax) {
  const ArrayEdge edge = ArrayOuterEdge(g);
  TargetingFrame f;
  f.ZMin = -g.Height / 10;
  f.ZMax = zMax;
  f.Max = WithFrameMargin(std::max(edge.high, viewer + reach.across));
  f.Min = WithFrameMargin(std::min(edge.low, viewer - reach.across));
  return f;
}

}  // namespace

TargetingFrames ComputeTargetingFrames(const InitialData& task, const ArrayGeometry& geometry,
                                       const ViewGeometry& view) {
  const ViewerReach reach = ReachOf(task, view);
  const Extended zMax = WithFrameMargin(view.F.z + reach.above);
  return {FrameAlong(view.F.y, geometry, reach, zMax), FrameAlong(view.F.x, geometry, reach, zMax)};
}

}  // namespace tessolan
