#pragma once

#include <cstdint>
#include <vector>

#include "model/Extended.h"
#include "model/InitialData.h"
#include "model/SpectralArrays.h"

namespace tessolan {

// What a run keeps, per wavelength, for the statistical uncertainty of its results. Every ray
// is one sample: it contributes x (isothermal) and r (radiance) at each wavelength with its
// initial weight w, and a result is the ratio of the sums, sum(x) / sum(w). The sums are of the
// deviations d = x - K w from a shift K, the contributions per unit weight of a reference ray:
// rays that all contribute alike then give exactly zero, and no digits are lost to large sums.
// Deviation sums gathered over some rays in double precision with the same shift; the radiance
// ones are in units of radianceScale[k].
struct DoubleDeviations {
  const double *dx, *dx2, *dxw, *dr, *dr2, *drw;
  const Extended* radianceScale;
  Extended sumW2;
  std::uint64_t samples;
};

// Every number of a set of uncertainty sums, for keeping them in a file between processes.
struct UncertaintyParts {
  std::vector<Extended> shiftX, shiftR, dx, dx2, dxw, dr, dr2, drw;
  Extended sumW2 = 0;
  std::uint64_t samples = 0;
};

class UncertaintySums {
 public:
  // Sizes the sums for nwl wavelengths and sets them to zero; the shift is kept.
  void Reset(int nwl);
  // The reference ray's contributions and weight (x or r null: a ray that added nothing).
  void SetShift(const Extended* x, const Extended* r, Extended w);
  void AddRay(const Extended* x, const Extended* r, Extended w);
  // Adds another set of sums taken with the same shift (a parallel run's block).
  void Add(const UncertaintySums& other);
  void AddDeviations(const DoubleDeviations& d);

  // The shift per unit weight at wavelength k.
  Extended ShiftX(int k) const { return shiftX_[k]; }
  Extended ShiftR(int k) const { return shiftR_[k]; }

  // Standard error of sum(x) / sumW and of sum(r) / sumW at wavelength k; NaN for fewer than two
  // samples.
  Extended EmissivityError(int k, Extended sumW) const { return RatioError(dx_, dx2_, dxw_, k, sumW); }
  Extended RadianceError(int k, Extended sumW) const { return RatioError(dr_, dr2_, drw_, k, sumW); }

  std::uint64_t samples() const { return samples_; }

  UncertaintyParts Parts() const;
  // The sums of `parts`; its arrays must all have the same size.
  static UncertaintySums FromParts(const UncertaintyParts& parts);

 private:
  Extended RatioError(const std::vector<Extended>& d, const std::vector<Extended>& d2, const std::vector<Extended>& dw,
                      int k, Extended sumW) const;

  int nwl_ = 0;
  std::vector<Extended> shiftX_, shiftR_;
  std::vector<Extended> dx_, dx2_, dxw_, dr_, dr2_, drw_;
  Extended sumW2_ = 0;
  std::uint64_t samples_ = 0;
};

// The slope dT/d(epsilon) of RadianceTemperature, for carrying an emissivity's standard error
// over to its radiance temperature; 0 where the temperature is 0 by definition.
Extended RadianceTemperatureSlope(Extended lambda, Extended epsilon, Extended t0);

// Fills the four standard-error arrays of a completed run from its sums; the effective
// emissivities must already be normalised.
void ComputeStandardErrors(SpectralArrays& spectral, const UncertaintySums& sums, Extended sumW, Extended tref);

// The largest standard error of the two effective emissivities over all wavelengths, for the
// sums of a run in progress (ArrEEIso and ArrEE still hold sums); NaN while undefined.
// `referenceRadiance`: Planck at the reference temperature, per wavelength.
Extended LargestEmissivityError(const SpectralArrays& spectral, const UncertaintySums& sums, Extended sumW,
                                const std::vector<Extended>& referenceRadiance);

// A run to precision looks at its errors only once it has this many rays.
inline constexpr std::uint64_t kMinTargetRays = 100;

// Watches a run that aims at a standard error of its effective emissivities (no aim when the
// target is not positive).
class TargetError {
 public:
  TargetError(const SpectralArrays& spectral, const InitialData& task, Extended target);
  // Whether the sums so far reach the target.
  bool Reached(const UncertaintySums& uncertainty, Extended sumW) const;

 private:
  const SpectralArrays& spectral_;
  Extended target_;
  std::vector<Extended> referenceRadiance_;
};

}  // namespace tessolan
