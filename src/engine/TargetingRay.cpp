#include "engine/TargetingRay.h"

#include "engine/HitTests.h"
#include "engine/RayTracer.h"

namespace tessolan {

TargetingTracer::TargetingTracer(const InitialData& task, const ArrayGeometry& geometry, const ViewGeometry& view)
    : task_(task), geometry_(geometry), view_(view), search_(MakeHitShape(task_, geometry_)) {}

bool TargetingTracer::TraceTargetingRay(RandomGenerator& rng, TargetingSegment& segment) {
  return tessolan::TraceTargetingRay(LaunchInput{task_, geometry_, view_}, search_, ray_, rng, segment);
}

}  // namespace tessolan
