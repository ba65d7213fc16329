#pragma once

#include <vector>

#include "engine/Planck.h"
#include "model/Extended.h"
#include "model/InitialData.h"
#include "model/SpectralArrays.h"

namespace tessolan {

// Blackbody radiance at every wavelength of a task for the temperatures that a run meets over
// and over: the base (every base hit), the top and the background. Built once per run and
// shared, read-only, by its tracers. Each distinct temperature among the three is evaluated
// once per wavelength; an isothermal task without background thus evaluates Planck's law once
// per wavelength for the whole run. The values are those of Planck itself, bit for bit.
class RunRadiance {
 public:
  RunRadiance(const SpectralArrays& spectral, const InitialData& task)
      : wavelengths_(spectral.NWL), tBase_(task.TBase), tTop_(task.TTop) {
    for (int k = 0; k < spectral.NWL; ++k) wavelengths_[k] = MakePlanckWavelength(spectral.ArrWL[k]);
    Fill(base_, tBase_);
    if (tTop_ != tBase_) Fill(top_, tTop_);
    if (task.Tbg > 0) {
      background_ = Known(task.Tbg);
      if (!background_) {
        Fill(ownBackground_, task.Tbg);
        background_ = ownBackground_.data();
      }
    }
  }

  RunRadiance(const RunRadiance&) = delete;
  RunRadiance& operator=(const RunRadiance&) = delete;

  const std::vector<PlanckWavelength>& wavelengths() const { return wavelengths_; }

  // The radiance at t when t is exactly the base or the top temperature; null otherwise.
  const Extended* Known(Extended t) const {
    if (t == tBase_) return base_.data();
    if (t == tTop_) return top_.empty() ? base_.data() : top_.data();
    return nullptr;
  }

  // The background's radiance, or null when the task has no background (Tbg <= 0).
  const Extended* background() const { return background_; }

  // How many temperatures have been evaluated at every wavelength.
  int evaluations() const { return evaluations_; }

  // Planck's law at temperature t for every wavelength, into `radiance` (sized already).
  void Evaluate(Extended t, Extended* radiance) const {
    const int n = static_cast<int>(wavelengths_.size());
    for (int k = 0; k < n; ++k) radiance[k] = Planck(wavelengths_[k], t);
  }

 private:
  void Fill(std::vector<Extended>& radiance, Extended t) {
    radiance.resize(wavelengths_.size());
    Evaluate(t, radiance.data());
    ++evaluations_;
  }

  std::vector<PlanckWavelength> wavelengths_;
  Extended tBase_, tTop_;
  std::vector<Extended> base_, top_, ownBackground_;
  const Extended* background_ = nullptr;
  int evaluations_ = 0;
};

}  // namespace tessolan
