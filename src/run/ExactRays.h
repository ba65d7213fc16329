#pragma once

#include <vector>

#include "run/RunLoops.h"

namespace tessolan {

// How the exact mode traces a run's rays: RayTracer in extended precision, each ray added to
// the sums as it ends.
template <class Rng, class HitSearch>
class ExactRays;

struct ExactMode {
  // What the tracers of one run share.
  struct Shared {
    explicit Shared(const AppState& state) : radiance(state.spectral, state.initialData) {}
    // The unit of the rays' radiance arrays: plain radiances.
    const Extended* radianceScale() const { return nullptr; }
    RunRadiance radiance;
  };
  template <class Rng, class HitSearch>
  using Rays = ExactRays<Rng, HitSearch>;
};

template <class Rng, class HitSearch>
class ExactRays {
 public:
  ExactRays(const TracingInput& in, const HitSearch& search, const ExactMode::Shared& shared)
      : tracer_(in, search, shared.radiance), emissivity_(in.spectral.NWL), radiance_(in.spectral.NWL) {}

  // Takes the uncertainty shift from the ray that `rng` would trace next.
  void TakeShift(Rng rng, UncertaintySums& uncertainty) {
    ShiftFromProbeRay(tracer_, rng, emissivity_.data(), radiance_.data(), uncertainty);
  }
  // Starts adding to sums taken with this shift.
  void Begin(const UncertaintySums&) {}
  bool TraceOne(Rng& rng, RayState& ray, RaySums& sums) {
    return TraceOneRay(tracer_, rng, ray, emissivity_.data(), radiance_.data(), sums);
  }
  // Every ray is in the sums already.
  void Flush(RaySums&) {}

 private:
  RayTracer<Rng, HitSearch> tracer_;
  std::vector<Extended> emissivity_, radiance_;
};

}  // namespace tessolan
