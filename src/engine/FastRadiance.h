#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <vector>

#include "engine/RunRadiance.h"
#include "engine/SpectralKernels.h"
#include "model/Extended.h"
#include "model/InitialData.h"
#include "model/SpectralArrays.h"

namespace tessolan {

// The fast mode's spectral tables for one run, in double precision and padded for the
// kernels: emissivity and reflectance, and blackbody radiance as a ratio to that of the run's
// hottest temperature (base, top or background), which keeps every value within 0..1 however
// short the wavelength or cold the surface. The ratios of the base, top and background come
// from the extended tables of the run's RunRadiance; those of other temperatures are computed
// by the kernels. Built once per run and shared, read-only, by its tracers.
class FastRadiance {
 public:
  FastRadiance(const SpectralArrays& spectral, const InitialData& task, const RunRadiance& exact)
      : kernels_(ChooseSpectralKernels()),
        nwl_(spectral.NWL),
        padded_(PaddedSpectralCount(static_cast<std::size_t>(spectral.NWL))),
        tBase_(task.TBase),
        tTop_(task.TTop),
        emis_(padded_),
        refl_(padded_),
        scale_(padded_),
        c2OverL_(padded_),
        xMax_(padded_),
        oneMinusB_(padded_),
        b_(padded_) {
    Extended tMax = task.TBase > task.TTop ? task.TBase : task.TTop;
    const Extended* hottest = exact.Known(tMax);
    if (exact.background() && task.Tbg > tMax) {
      tMax = task.Tbg;
      hottest = exact.background();
    }
    for (int k = 0; k < nwl_; ++k) {
      emis_[k] = static_cast<double>(spectral.ArrEmis[k]);
      refl_[k] = static_cast<double>(spectral.ArrRefl[k]);
      const Extended scale = hottest[k];
      if (!(scale > 0) || !std::isfinite(scale) || !(tMax > 0)) continue;  // no radiance to speak of
      scale_[k] = scale;
      const PlanckWavelength& w = exact.wavelengths()[k];
      const Extended xMax = w.c2OverL / tMax;
      const Extended b = std::exp(-xMax);
      c2OverL_[k] = static_cast<double>(w.c2OverL);
      xMax_[k] = static_cast<double>(xMax);
      b_[k] = b < DBL_MIN ? 0.0 : static_cast<double>(b);
      oneMinusB_[k] = static_cast<double>(1 - b);
    }
    base_ = Ratios(exact.Known(tBase_));
    top_ = Ratios(exact.Known(tTop_));
    if (exact.background()) background_ = Ratios(exact.background());
  }

  FastRadiance(const FastRadiance&) = delete;
  FastRadiance& operator=(const FastRadiance&) = delete;

  const SpectralKernels& kernels() const { return kernels_; }
  int nwl() const { return nwl_; }
  std::size_t padded() const { return padded_; }
  const double* emis() const { return emis_.data(); }
  const double* refl() const { return refl_.data(); }
  // The radiance of the hottest temperature per wavelength: a ratio times this is a radiance.
  const Extended* scale() const { return scale_.data(); }

  // The ratios at t when t is exactly the base or the top temperature; null otherwise.
  const double* Known(Extended t) const {
    if (t == tBase_) return base_.data();
    if (t == tTop_) return top_.data();
    return nullptr;
  }
  // The background's ratios, or null when the task has no background.
  const double* background() const { return background_.empty() ? nullptr : background_.data(); }

  // The ratios at temperature t for every wavelength, into `ratio` (padded length).
  void Evaluate(Extended t, double* ratio) const {
    const PlanckRatioTable table{c2OverL_.data(), xMax_.data(), oneMinusB_.data(), b_.data()};
    kernels_.planckRatio(table, static_cast<double>(t), ratio, padded_);
  }

 private:
  std::vector<double> Ratios(const Extended* radiance) const {
    std::vector<double> ratio(padded_);
    for (int k = 0; k < nwl_; ++k)
      if (scale_[k] > 0) {
        const Extended r = radiance[k] / scale_[k];
        ratio[k] = r < DBL_MIN ? 0.0 : static_cast<double>(r);  // never a slow subnormal
      }
    return ratio;
  }

  SpectralKernels kernels_;
  int nwl_;
  std::size_t padded_;
  Extended tBase_, tTop_;
  std::vector<double> emis_, refl_;
  std::vector<Extended> scale_;
  std::vector<double> c2OverL_, xMax_, oneMinusB_, b_;
  std::vector<double> base_, top_, background_;
};

}  // namespace tessolan
