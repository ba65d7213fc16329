#include "ui/maps/MapChoice.h"

#include <algorithm>
#include <cmath>

namespace tessolan {

RunMap MapRequestFor(const MapChoice& choice, const SpectralArrays& spectral) {
  RunMap map;
  map.grid = std::clamp(choice.grid, kMinMapGrid, kMaxMapGrid);
  map.wavelengthIndex = -1;
  if (std::isnan(choice.wavelength)) return map;
  double nearest = INFINITY;
  for (int i = 0; i < spectral.NWL; ++i) {
    const double distance = std::abs(static_cast<double>(spectral.ArrWL[i]) - choice.wavelength);
    if (distance < nearest) {
      nearest = distance;
      map.wavelengthIndex = i;
    }
  }
  return map;
}

}  // namespace tessolan
