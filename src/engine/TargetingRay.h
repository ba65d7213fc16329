#pragma once

#include "engine/IndexedHitSearch.h"
#include "engine/Launch.h"
#include "engine/RandomGenerator.h"
#include "engine/RayState.h"
#include "model/ArrayGeometry.h"
#include "model/InitialData.h"
#include "model/ViewGeometry.h"

namespace tessolan {

// One ray of targeting: where the launch placed it and where it first met the array, in single
// precision, which is all the charts need.
struct TargetingSegment {
  float StartX = 0, StartY = 0, StartZ = 0;
  float EndX = 0, EndY = 0, EndZ = 0;
};

// Launches a ray, follows it to its first hit and records the segment between the two points.
// Returns false when the ray meets nothing or meets the array outside the radiating area (or is
// lost at launch); the segment's end then equals its start. The reflection count is left as it
// is, so a first hit outside the radiating area raises FirstHitOutside as in a run.
template <class Rng, class HitSearch>
bool TraceTargetingRay(const LaunchInput& in, const HitSearch& search, RayState& ray, Rng& rng,
                       TargetingSegment& segment) {
  const bool launched = LaunchRay(in, ray, rng);
  segment.StartX = static_cast<float>(ray.Point.x);
  segment.StartY = static_cast<float>(ray.Point.y);
  segment.StartZ = static_cast<float>(ray.Point.z);
  const bool hit = launched && search.FindNextHit(ray, rng);
  segment.EndX = static_cast<float>(ray.Point.x);
  segment.EndY = static_cast<float>(ray.Point.y);
  segment.EndZ = static_cast<float>(ray.Point.z);
  return hit;
}

// Targeting's tracer: its own copy of the gathered task, geometry and viewing conditions with the
// indexed hit search over them. Targeting lets the window work between rays, and a command run
// meanwhile (loading a task, "Calculate") must not change the array under the search.
class TargetingTracer {
 public:
  TargetingTracer(const InitialData& task, const ArrayGeometry& geometry, const ViewGeometry& view);
  TargetingTracer(const TargetingTracer&) = delete;
  TargetingTracer& operator=(const TargetingTracer&) = delete;

  bool TraceTargetingRay(RandomGenerator& rng, TargetingSegment& segment);

  const RayState& Ray() const { return ray_; }
  const InitialData& Task() const { return task_; }
  const ArrayGeometry& Geometry() const { return geometry_; }

 private:
  InitialData task_;
  ArrayGeometry geometry_;
  ViewGeometry view_;
  IndexedHitSearch search_;
  RayState ray_;
};

}  // namespace tessolan
