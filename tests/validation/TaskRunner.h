#pragma once

#include <cstdint>
#include <vector>

#include "model/NumericBoxes.h"
#include "model/SpectralPoint.h"

namespace tessolan::validation {

// What a run of the program's core gives at each wavelength of the material.
struct RunResults {
  std::vector<long double> eeIso, eeIsoError, ee, eeError, rtIso, rt;
  std::uint64_t rays = 0;
};

struct RunSettings {
  std::uint64_t rays = 10000;
  long double threshold = 0;
  std::uint32_t seed = 1;
  // The parallel mode: independent streams per seed (used where many seeds are compared).
  bool parallel = false;
};

// Gathers the task as "Monte Carlo Modeling" does, runs it to completion and returns its results;
// a gathering failure or an incomplete run is a test failure.
RunResults RunTask(const TaskControls& controls, const std::vector<SpectralPoint>& material,
                   const RunSettings& settings);

// The window's design values with a vertical parallel beam of diameter 35 on a radiator of 100,
// full pyramids of base 3 and no gap: the common start of the validation cases.
TaskControls VerticalBeamTask(double slantAngle, double diffusity);

// One spectral point per reflectance, at 1, 2, 3, ... micrometres.
std::vector<SpectralPoint> MaterialOf(const std::vector<double>& reflectances, double firstWavelength = 1);

}  // namespace tessolan::validation
