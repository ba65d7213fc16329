#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/HitTests.h"
#include "engine/Launch.h"
#include "engine/RayState.h"
#include "engine/RunRadiance.h"
#include "engine/SurfaceFrame.h"
#include "engine/Vectors.h"
#include "model/InitialData.h"
#include "model/SpectralArrays.h"
#include "model/Vec3.h"

namespace tessolan {

// How the tracing of one ray ended.
enum class TraceOutcome { Completed, VectorNormZero };

// Everything a ray's tracing reads: the gathered task, geometry, viewing conditions, spectral
// arrays and the radiant flux threshold.
struct TracingInput {
  const InitialData& task;
  const ArrayGeometry& geometry;
  const ViewGeometry& view;
  const SpectralArrays& spectral;
  Extended threshold;
};

inline HitShape MakeHitShape(const InitialData& task, const ArrayGeometry& geometry) {
  return {geometry, task.Shape == kCircle, task.BaseSideLength / 2, task.TopFlatSideLength / 2};
}

// Follows launched rays through their reflections and books, at every hit inside the radiating
// area and for every wavelength at once, the absorbed fraction plain (isothermal) and weighted by
// Planck's law at the hit's temperature (nonisothermal). The generator and the hit search are
// template parameters so that each combination compiles to straight code; the working arrays
// are allocated once, in the constructor. Planck's law is evaluated for a whole spectrum at a
// time and only for a temperature met for the first time since the previous hit: base, top and
// background come ready from the run's RunRadiance.
template <class Rng, class HitSearch>
class RayTracer {
 public:
  // A tracer with its own radiance tables.
  RayTracer(const TracingInput& in, const HitSearch& search)
      : RayTracer(in, search, std::make_unique<RunRadiance>(in.spectral, in.task)) {}

  // A tracer sharing the run's radiance tables, which must outlive it.
  RayTracer(const TracingInput& in, const HitSearch& search, const RunRadiance& radiance)
      : in_(in), search_(search), radiance_(radiance), nwl_(in.spectral.NWL), weight_(nwl_), lastRadiance_(nwl_) {}

  bool Launch(RayState& ray, Rng& rng) const {
    return LaunchRay(LaunchInput{in_.task, in_.geometry, in_.view}, ray, rng);
  }

  bool FindNextHit(RayState& ray, Rng& rng) const { return search_.FindNextHit(ray, rng); }

  // Traces the ray just launched; rayEmissivity and rayRadiance (NWL values each) receive its
  // contributions.
  TraceOutcome TraceRay(RayState& ray, Rng& rng, Extended* rayEmissivity, Extended* rayRadiance) {
    const Extended* emis = in_.spectral.ArrEmis.data();
    const Extended* refl = in_.spectral.ArrRefl.data();
    Extended* weight = weight_.data();
    const int nwl = nwl_;
    // One array at a time: interleaved, the stores of 80-bit values were reloaded at once,
    // which the processor cannot forward.
    std::fill_n(weight, nwl, ray.RayWeight);
    std::fill_n(rayEmissivity, nwl, Extended{0});
    std::fill_n(rayRadiance, nwl, Extended{0});
    Extended maxWeight = ray.RayWeight;
    ray.ReflectionCount = 0;
    while (maxWeight / ray.RayWeight > in_.threshold) {
      if (!search_.FindNextHit(ray, rng)) {
        if (ray.ReflectionCount == 0 && ray.FirstHitOutside) return TraceOutcome::Completed;
        if (const Extended* background = radiance_.background())
          for (int k = 0; k < nwl; ++k) rayRadiance[k] += background[k] * weight[k];
        return TraceOutcome::Completed;
      }
      if (++ray.ReflectionCount == 1) ray.FirstHitPoint = ray.Point;
      const Extended* planck = RadianceAt(TemperatureAtHeight(ray));
      maxWeight = 0;
      for (int k = 0; k < nwl; ++k) {
        const Extended absorbed = emis[k] * weight[k];
        rayEmissivity[k] += absorbed;
        rayRadiance[k] += planck[k] * absorbed;
        const Extended reflected = weight[k] * refl[k];
        weight[k] = reflected;
        maxWeight = reflected > maxWeight ? reflected : maxWeight;
      }
      const bool reflected = in_.task.Diffusity > rng.Random() ? DiffuseReflection(ray, rng) : SpecularReflection(ray);
      if (!reflected) return TraceOutcome::VectorNormZero;
    }
    return TraceOutcome::Completed;
  }

  // Planck's law at temperature t for every wavelength: the run's tables for the base and top
  // temperatures, the previous spectrum when t has not changed, a fresh one otherwise.
  const Extended* RadianceAt(Extended t) {
    if (const Extended* known = radiance_.Known(t)) return known;
    if (!(haveLast_ && t == lastTemperature_)) {
      radiance_.Evaluate(t, lastRadiance_.data());
      lastTemperature_ = t;
      haveLast_ = true;
      ++evaluations_;
    }
    return lastRadiance_.data();
  }

  // How many temperatures this tracer and its radiance tables evaluated at every wavelength.
  int PlanckEvaluations() const { return radiance_.evaluations() + evaluations_; }

  // The surface temperature at the ray point: linear in height from TBase on the base to TTop on
  // the top flats; TBase everywhere when the pyramids have no height.
  Extended TemperatureAtHeight(const RayState& ray) const {
    const InitialData& task = in_.task;
    if (in_.geometry.Height == 0) return task.TBase;
    return ((task.TTop - task.TBase) * ray.Point.z) / in_.geometry.Height + task.TBase;
  }

  // A cosine-distributed direction about the normal of the surface hit.
  bool DiffuseReflection(RayState& ray, Rng& rng) const {
    ray.Dir = SurfaceFrameToGlobal(ray, RandomCosineDirection(rng));
    return NormalizeVector(ray.Dir);
  }

  bool SpecularReflection(RayState& ray) const {
    const Vec3& n = in_.geometry.Normal[ray.HitSurface];
    const Extended c = Dot(ray.Dir, n);
    ray.Dir = ray.Dir - (c * 2) * n;
    return NormalizeVector(ray.Dir);
  }

  // The local direction, in the frame whose third axis is the normal of the surface hit and
  // whose first axis lies in the plane of incidence, in array coordinates. The base uses the
  // array's own frame.
  Vec3 SurfaceFrameToGlobal(const RayState& ray, const Vec3& local) const {
    if (ray.HitSurface == kBase) return local;
    return SurfaceFrame::AtIncidence(in_.geometry.Normal[ray.HitSurface], ray.Dir).ToGlobal(local);
  }

  int nwl() const { return nwl_; }

 private:
  RayTracer(const TracingInput& in, const HitSearch& search, std::unique_ptr<RunRadiance> own)
      : RayTracer(in, search, *own) {
    ownRadiance_ = std::move(own);
  }

  TracingInput in_;
  const HitSearch& search_;
  std::unique_ptr<RunRadiance> ownRadiance_;
  const RunRadiance& radiance_;
  int nwl_;
  std::vector<Extended> weight_;  // SpectralWeight
  std::vector<Extended> lastRadiance_;
  Extended lastTemperature_ = 0;
  bool haveLast_ = false;
  int evaluations_ = 0;
};

}  // namespace tessolan
