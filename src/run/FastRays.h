#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/FastRayTracer.h"
#include "run/RunLoops.h"

namespace tessolan {

// How the fast mode traces a run's rays: FastRayTracer in double precision, the rays' sums
// gathered in double for up to kFastFlushRays rays and then added to the run's extended sums.
template <class Rng, class HitSearch>
class FastRays;

// Rays summed in double before their sums go into the extended ones; a parallel run's block
// is one such group.
inline constexpr std::uint32_t kFastFlushRays = kParallelBlockRays;

struct FastMode {
  struct Shared {
    explicit Shared(const AppState& state)
        : radiance(state.spectral, state.initialData), fast(state.spectral, state.initialData, radiance) {}
    // The unit of the rays' radiance arrays, per wavelength.
    const Extended* radianceScale() const { return fast.scale(); }
    RunRadiance radiance;
    FastRadiance fast;
  };
  template <class Rng, class HitSearch>
  using Rays = FastRays<Rng, HitSearch>;
};

template <class Rng, class HitSearch>
class FastRays {
 public:
  FastRays(const TracingInput& in, const HitSearch& search, const FastMode::Shared& shared)
      : tracer_(in, search, shared.radiance, shared.fast),
        fast_(shared.fast),
        n_(shared.fast.padded()),
        emissivity_(n_),
        radiance_(n_),
        sums_(8 * n_),
        shiftX_(n_),
        shiftR_(n_) {}

  // Takes the uncertainty shift from the ray that `rng` would trace next, in the extended
  // sums' terms: radiance times the scale.
  void TakeShift(Rng rng, UncertaintySums& uncertainty) {
    RayState ray;
    const bool traced = tracer_.Launch(ray, rng) &&
                        tracer_.TraceRay(ray, rng, emissivity_.data(), radiance_.data()) == TraceOutcome::Completed;
    if (!traced) {
      uncertainty.SetShift(nullptr, nullptr, 0);
      return;
    }
    const int nwl = fast_.nwl();
    std::vector<Extended> x(nwl), r(nwl);
    for (int k = 0; k < nwl; ++k) {
      x[k] = emissivity_[k];
      r[k] = radiance_[k] * fast_.scale()[k];
    }
    uncertainty.SetShift(x.data(), r.data(), ray.RayWeight);
  }

  // Starts adding to sums taken with the shift of `uncertainty`.
  void Begin(const UncertaintySums& uncertainty) {
    const Extended* scale = fast_.scale();
    for (int k = 0; k < fast_.nwl(); ++k) {
      shiftX_[k] = static_cast<double>(uncertainty.ShiftX(k));
      shiftR_[k] = scale[k] > 0 ? static_cast<double>(uncertainty.ShiftR(k) / scale[k]) : 0.0;
    }
  }

  // Launches and traces one ray and adds it to the double sums; false when the ray met a zero
  // vector, which ends the run.
  bool TraceOne(Rng& rng, RayState& ray, RaySums& sums) {
    const bool launched = tracer_.Launch(ray, rng);
    if (launched) {
      if (tracer_.TraceRay(ray, rng, emissivity_.data(), radiance_.data()) == TraceOutcome::VectorNormZero)
        return false;
      sums.hits += ray.ReflectionCount;
    } else {
      std::fill(emissivity_.begin(), emissivity_.end(), 0.0);
      std::fill(radiance_.begin(), radiance_.end(), 0.0);
    }
    fast_.kernels().addRay(Accumulation(), emissivity_.data(), radiance_.data(), static_cast<double>(ray.RayWeight),
                           n_);
    sumW2_ += ray.RayWeight * ray.RayWeight;
    ++sums.rays;
    sums.sumW += ray.RayWeight;
    sums.firstHitOutside = sums.firstHitOutside || ray.FirstHitOutside;
    if (sums.map) sums.map->AddRay(ray, launched, emissivity_.data(), radiance_.data());
    if (++pending_ == kFastFlushRays) Flush(sums);
    return true;
  }

  // Adds the rays summed in double to the extended sums.
  void Flush(RaySums& sums) {
    if (pending_ == 0) return;
    const Extended* scale = fast_.scale();
    const RayAccumulation a = Accumulation();
    for (int k = 0; k < fast_.nwl(); ++k) {
      sums.emissivity[k] += a.emissivity[k];
      sums.radiance[k] += a.radiance[k] * scale[k];
    }
    sums.uncertainty->AddDeviations({a.dx, a.dx2, a.dxw, a.dr, a.dr2, a.drw, scale, sumW2_, pending_});
    std::fill(sums_.begin(), sums_.end(), 0.0);
    sumW2_ = 0;
    pending_ = 0;
  }

 private:
  RayAccumulation Accumulation() {
    double* s = sums_.data();
    return {s,          s + n_,     s + 2 * n_, s + 3 * n_,     s + 4 * n_,
            s + 5 * n_, s + 6 * n_, s + 7 * n_, shiftX_.data(), shiftR_.data()};
  }

  FastRayTracer<Rng, HitSearch> tracer_;
  const FastRadiance& fast_;
  std::size_t n_;
  std::vector<double> emissivity_, radiance_;
  std::vector<double> sums_;  // the eight arrays of RayAccumulation, one after another
  std::vector<double> shiftX_, shiftR_;
  Extended sumW2_ = 0;
  std::uint64_t pending_ = 0;
};

}  // namespace tessolan
