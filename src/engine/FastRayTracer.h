#pragma once

#include <algorithm>
#include <vector>

#include "engine/FastRadiance.h"
#include "engine/RayTracer.h"

namespace tessolan {

// The fast mode's tracer: the same launch, hit search, reflections and random draws as
// RayTracer, whose geometry it uses, with the work over wavelengths at every hit done in double
// precision by the SIMD kernels. Its ray arrays (padded length) hold emissivity and radiance as
// the ratio to the run's hottest radiance (FastRadiance::scale).
template <class Rng, class HitSearch>
class FastRayTracer {
 public:
  FastRayTracer(const TracingInput& in, const HitSearch& search, const RunRadiance& exact, const FastRadiance& fast)
      : geometry_(in, search, exact),
        in_(in),
        fast_(fast),
        kernels_(fast.kernels()),
        padded_(fast.padded()),
        weight_(padded_),
        lastRatio_(padded_) {}

  bool Launch(RayState& ray, Rng& rng) const { return geometry_.Launch(ray, rng); }

  // Traces the ray just launched into rayEmissivity and rayRadiance (padded length each).
  TraceOutcome TraceRay(RayState& ray, Rng& rng, double* rayEmissivity, double* rayRadiance) {
    double* weight = weight_.data();
    const double initial = static_cast<double>(ray.RayWeight);
    std::fill_n(weight, padded_, initial);
    std::fill_n(rayEmissivity, padded_, 0.0);
    std::fill_n(rayRadiance, padded_, 0.0);
    double maxWeight = initial;
    ray.ReflectionCount = 0;
    while (Extended{maxWeight} / ray.RayWeight > in_.threshold) {
      if (!geometry_.FindNextHit(ray, rng)) {
        if (ray.ReflectionCount == 0 && ray.FirstHitOutside) return TraceOutcome::Completed;
        if (const double* background = fast_.background())
          kernels_.addWeighted(background, weight, rayRadiance, padded_);
        return TraceOutcome::Completed;
      }
      if (++ray.ReflectionCount == 1) ray.FirstHitPoint = ray.Point;
      const double* ratio = RatioAt(geometry_.TemperatureAtHeight(ray));
      maxWeight = kernels_.absorbHit(fast_.emis(), fast_.refl(), ratio, weight, rayEmissivity, rayRadiance, padded_);
      const bool reflected =
          in_.task.Diffusity > rng.Random() ? geometry_.DiffuseReflection(ray, rng) : geometry_.SpecularReflection(ray);
      if (!reflected) return TraceOutcome::VectorNormZero;
    }
    return TraceOutcome::Completed;
  }

  // The radiance ratios at temperature t: the run's for the base and top temperatures, the
  // previous ones when t has not changed, fresh ones otherwise.
  const double* RatioAt(Extended t) {
    if (const double* known = fast_.Known(t)) return known;
    if (!(haveLast_ && t == lastTemperature_)) {
      fast_.Evaluate(t, lastRatio_.data());
      lastTemperature_ = t;
      haveLast_ = true;
    }
    return lastRatio_.data();
  }

  std::size_t padded() const { return padded_; }
  const FastRadiance& radiance() const { return fast_; }

 private:
  RayTracer<Rng, HitSearch> geometry_;
  TracingInput in_;
  const FastRadiance& fast_;
  SpectralKernels kernels_;
  std::size_t padded_;
  std::vector<double> weight_;
  std::vector<double> lastRatio_;
  Extended lastTemperature_ = 0;
  bool haveLast_ = false;
};

}  // namespace tessolan
