#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "engine/RayTracer.h"
#include "model/AppState.h"
#include "run/MapSums.h"
#include "run/RunObserver.h"
#include "run/RunTracing.h"
#include "run/Uncertainty.h"

namespace tessolan {

// The two ways RunTracing traces a run's rays: each sums the rays' contributions into ArrEEIso
// and ArrEE and ends with ConcludeRun. Instantiated for both hit searches and both precisions
// (Mode: ExactMode or FastMode).
template <class Mode, class HitSearch>
RunOutcome TraceSingleSequence(AppState& state, RunObserver& observer, const HitSearch& search,
                               const RunOptions& options, RunCounters& counters);
template <class Mode, class HitSearch>
RunOutcome TraceInParallel(AppState& state, RunObserver& observer, const HitSearch& search, const RunOptions& options,
                           RunCounters& counters);

// Sets the sums of a run to zero.
void ClearRunSums(SpectralArrays& spectral);

// How a run that traced without an error ended: stopped, interrupted for the field of view, or
// completed and normalised with the total weight sumW, with the standard errors of its results.
RunOutcome ConcludeRun(AppState& state, RunOutcome outcome, bool firstHitOutside, Extended sumW,
                       const UncertaintySums& uncertainty);

// A run's map while it is collected: how rays are binned and the run's sums.
struct MapCollection {
  MapSetup setup;
  MapSums sums;
  explicit MapCollection(MapSetup s) : setup(std::move(s)), sums(setup) {}
};

// The map collection a run needs, or null when it maps nothing (no map asked, or a request it
// cannot take: a grid outside 1..kMaxMapGrid, a wavelength index outside the table). Call once
// the uncertainty shift is taken. The request's result is marked invalid until FinishMap.
std::unique_ptr<MapCollection> StartMap(const AppState& state, RunMap* map, const UncertaintySums& uncertainty,
                                        const Extended* radianceScale);
// Fills the map of a completed run.
void FinishMap(MapCollection* collection, const AppState& state, RunOutcome outcome, RunMap* map);

inline TracingInput MakeTracingInput(const AppState& state) {
  return {state.initialData, state.geometry, state.view, state.spectral, state.accuracy.Threshold};
}

// Where the rays' contributions go: the run's arrays and uncertainty sums (single sequence) or a
// block's.
struct RaySums {
  Extended* emissivity;
  Extended* radiance;
  UncertaintySums* uncertainty;
  Extended sumW = 0;
  std::uint64_t rays = 0;
  std::uint64_t hits = 0;
  // Latched when any ray's very first search ended outside the radiating area.
  bool firstHitOutside = false;
  // The map's block sums when the run maps, else null.
  MapBlockSums* map = nullptr;
};

// Launches and traces one ray and adds what it contributes; rayEmissivity and rayRadiance are
// scratch arrays of NWL values. False when the ray met a zero vector, which ends the run.
template <class Rng, class HitSearch>
bool TraceOneRay(RayTracer<Rng, HitSearch>& tracer, Rng& rng, RayState& ray, Extended* rayEmissivity,
                 Extended* rayRadiance, RaySums& sums) {
  const bool launched = tracer.Launch(ray, rng);
  if (launched) {
    if (tracer.TraceRay(ray, rng, rayEmissivity, rayRadiance) == TraceOutcome::VectorNormZero) return false;
    const int nwl = tracer.nwl();
    for (int k = 0; k < nwl; ++k) {
      sums.emissivity[k] += rayEmissivity[k];
      sums.radiance[k] += rayRadiance[k];
    }
    sums.hits += ray.ReflectionCount;
  }
  sums.uncertainty->AddRay(launched ? rayEmissivity : nullptr, launched ? rayRadiance : nullptr, ray.RayWeight);
  ++sums.rays;
  sums.sumW += ray.RayWeight;
  sums.firstHitOutside = sums.firstHitOutside || ray.FirstHitOutside;
  if (sums.map) sums.map->AddRay(ray, launched, rayEmissivity, rayRadiance);
  return true;
}

// Takes the uncertainty sums' shift from the ray that `rng` would trace next, tracing it with a
// copy of the generator so that the run's own sequence is untouched.
template <class Rng, class HitSearch>
void ShiftFromProbeRay(RayTracer<Rng, HitSearch>& tracer, Rng rng, Extended* rayEmissivity, Extended* rayRadiance,
                       UncertaintySums& uncertainty) {
  RayState ray;
  const bool traced =
      tracer.Launch(ray, rng) && tracer.TraceRay(ray, rng, rayEmissivity, rayRadiance) == TraceOutcome::Completed;
  if (traced)
    uncertainty.SetShift(rayEmissivity, rayRadiance, ray.RayWeight);
  else
    uncertainty.SetShift(nullptr, nullptr, 0);
}

}  // namespace tessolan
