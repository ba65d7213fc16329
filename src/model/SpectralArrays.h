#pragma once

#include <cstdint>
#include <vector>

#include "model/Extended.h"

namespace tessolan {

inline constexpr int kSpectralCapacity = 10000;

// The task's spectral points and the results of the last run, index 0..NWL-1, each array
// allocated once at its full capacity so that nothing is allocated while a run is going.
struct SpectralArrays {
  std::int32_t NWL = 0;
  std::vector<Extended> ArrWL = std::vector<Extended>(kSpectralCapacity);    // micrometres
  std::vector<Extended> ArrRefl = std::vector<Extended>(kSpectralCapacity);  // reflectance
  std::vector<Extended> ArrEmis = std::vector<Extended>(kSpectralCapacity);  // 1 - reflectance
  std::vector<Extended> ArrEEIso = std::vector<Extended>(kSpectralCapacity);
  std::vector<Extended> ArrEE = std::vector<Extended>(kSpectralCapacity);
  std::vector<Extended> ArrRTIso = std::vector<Extended>(kSpectralCapacity);
  std::vector<Extended> ArrRT = std::vector<Extended>(kSpectralCapacity);
  // Standard errors of the four results of the last completed run (NaN where fewer than two
  // rays were traced).
  std::vector<Extended> ArrEEIsoSE = std::vector<Extended>(kSpectralCapacity);
  std::vector<Extended> ArrEESE = std::vector<Extended>(kSpectralCapacity);
  std::vector<Extended> ArrRTIsoSE = std::vector<Extended>(kSpectralCapacity);
  std::vector<Extended> ArrRTSE = std::vector<Extended>(kSpectralCapacity);
};

}  // namespace tessolan
