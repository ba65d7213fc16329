#pragma once

#include <cstddef>

namespace tessolan {

// The double-precision spectral arrays of the fast mode hold a multiple of this many values,
// the tail filled with zeros, so that every vector width steps through them without a
// remainder loop and the padding adds nothing.
inline constexpr std::size_t kSpectralPadding = 16;

inline std::size_t PaddedSpectralCount(std::size_t n) {
  return (n + kSpectralPadding - 1) / kSpectralPadding * kSpectralPadding;
}

// What Planck's law needs of one wavelength in the fast mode, where radiance is held relative
// to that of the hottest temperature of the run, tMax: x = c2 / (l T), xMax = c2 / (l tMax),
//   ratio(T) = exp(xMax - x) (1 - exp(-xMax)) / (1 - exp(xMax - x) exp(-xMax)),
// which never exceeds 1 and so neither overflows nor loses its digits at short wavelengths and
// low temperatures. Arrays of the padded length; all four zero where the ratio is to be zero.
struct PlanckRatioTable {
  const double* c2OverL;
  const double* xMax;
  const double* oneMinusExpMinusXMax;
  const double* expMinusXMax;
};

// Per-wavelength sums over rays in double precision, the deviations taken from the shift as
// UncertaintySums does.
struct RayAccumulation {
  double* emissivity;
  double* radiance;
  double* dx;
  double* dx2;
  double* dxw;
  double* dr;
  double* dr2;
  double* drw;
  const double* shiftX;
  const double* shiftR;
};

// The fast mode's loops over wavelengths, for the instruction set chosen at run time. Every
// width runs the same operations in the same order on each wavelength (multiplications and
// additions never fused) and the only reduction is a maximum, so the results are the same
// bits whatever the processor. n is a multiple of kSpectralPadding.
struct SpectralKernels {
  // One hit: absorbed = emis w; rayEmissivity += absorbed; rayRadiance += radiance absorbed;
  // w = w refl. Returns the largest new w.
  double (*absorbHit)(const double* emis, const double* refl, const double* radiance, double* weight,
                      double* rayEmissivity, double* rayRadiance, std::size_t n);
  // out += radiance w (the background seen by an escaping ray).
  void (*addWeighted)(const double* radiance, const double* weight, double* out, std::size_t n);
  // The radiance ratio at temperature t for every wavelength.
  void (*planckRatio)(const PlanckRatioTable& table, double t, double* out, std::size_t n);
  // Adds one ray's contributions e and r, of initial weight w, to the sums.
  void (*addRay)(const RayAccumulation& sums, const double* e, const double* r, double w, std::size_t n);
  // sums[0] = the sum of e, sums[1] = the sum of r t. The one reduction that adds: wavelength k
  // goes to partial sum k mod kSpectralPadding, and the partial sums are added in order at the
  // end, so the bits too are the same whatever the processor.
  void (*spectrumSums)(const double* e, const double* r, const double* t, std::size_t n, double* sums);
  const char* target;
};

// The kernels of the best instruction set that the processor has (and that is not disabled).
SpectralKernels ChooseSpectralKernels();

}  // namespace tessolan
