#pragma once

namespace tessolan {

// One point of the material's spectral reflectance table, as the table holds it (64-bit
// fields); the emissivity is calculated, never stored.
struct SpectralPoint {
  double WL = 0;  // micrometres
  double Reflectance = 0;
  double Emissivity() const { return 1.0 - Reflectance; }
};

}  // namespace tessolan
