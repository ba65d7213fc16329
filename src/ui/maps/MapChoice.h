#pragma once

#include "model/RunMap.h"
#include "model/SpectralArrays.h"

namespace tessolan {

// What the user asks the next run to map: bins per side, and a wavelength in micrometres (NaN:
// averaged over the spectrum).
struct MapChoice {
  int grid = 64;
  double wavelength = MapBin::kNaN;
};

inline constexpr int kMinMapGrid = 1;
inline constexpr int kMaxMapGrid = 1024;

// The map a run fills for `choice`: its grid, and the task's wavelength nearest the chosen one.
RunMap MapRequestFor(const MapChoice& choice, const SpectralArrays& spectral);

}  // namespace tessolan
