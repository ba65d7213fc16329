#include "run/Uncertainty.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/Planck.h"

namespace tessolan {
namespace {

constexpr Extended kUndefined = std::numeric_limits<Extended>::quiet_NaN();

void Zero(std::vector<Extended>& v, int n) { v.assign(static_cast<std::size_t>(n), Extended{0}); }

// The standard error of the nonisothermal effective emissivity: that of its radiance sum over
// the reference radiance.
Extended NonisothermalError(const UncertaintySums& sums, int k, Extended sumW, Extended referenceRadiance) {
  return referenceRadiance == 0 ? 0 : sums.RadianceError(k, sumW) / referenceRadiance;
}

}  // namespace

void UncertaintySums::Reset(int nwl) {
  nwl_ = nwl;
  for (auto* v : {&dx_, &dx2_, &dxw_, &dr_, &dr2_, &drw_}) Zero(*v, nwl);
  if (static_cast<int>(shiftX_.size()) != nwl) {
    Zero(shiftX_, nwl);
    Zero(shiftR_, nwl);
  }
  sumW2_ = 0;
  samples_ = 0;
}

void UncertaintySums::SetShift(const Extended* x, const Extended* r, Extended w) {
  Zero(shiftX_, nwl_);
  Zero(shiftR_, nwl_);
  if (!x || w == 0) return;
  for (int k = 0; k < nwl_; ++k) {
    shiftX_[k] = x[k] / w;
    shiftR_[k] = r[k] / w;
  }
}

void UncertaintySums::AddRay(const Extended* x, const Extended* r, Extended w) {
  for (int k = 0; k < nwl_; ++k) {
    const Extended dx = (x ? x[k] : 0) - shiftX_[k] * w;
    const Extended dr = (r ? r[k] : 0) - shiftR_[k] * w;
    dx_[k] += dx;
    dx2_[k] += dx * dx;
    dxw_[k] += dx * w;
    dr_[k] += dr;
    dr2_[k] += dr * dr;
    drw_[k] += dr * w;
  }
  sumW2_ += w * w;
  ++samples_;
}

void UncertaintySums::AddDeviations(const DoubleDeviations& d) {
  for (int k = 0; k < nwl_; ++k) {
    const Extended s = d.radianceScale[k];
    dx_[k] += d.dx[k];
    dx2_[k] += d.dx2[k];
    dxw_[k] += d.dxw[k];
    dr_[k] += d.dr[k] * s;
    dr2_[k] += (d.dr2[k] * s) * s;
    drw_[k] += d.drw[k] * s;
  }
  sumW2_ += d.sumW2;
  samples_ += d.samples;
}

void UncertaintySums::Add(const UncertaintySums& other) {
  for (int k = 0; k < nwl_; ++k) {
    dx_[k] += other.dx_[k];
    dx2_[k] += other.dx2_[k];
    dxw_[k] += other.dxw_[k];
    dr_[k] += other.dr_[k];
    dr2_[k] += other.dr2_[k];
    drw_[k] += other.drw_[k];
  }
  sumW2_ += other.sumW2_;
  samples_ += other.samples_;
}

UncertaintyParts UncertaintySums::Parts() const {
  return {shiftX_, shiftR_, dx_, dx2_, dxw_, dr_, dr2_, drw_, sumW2_, samples_};
}

UncertaintySums UncertaintySums::FromParts(const UncertaintyParts& p) {
  UncertaintySums sums;
  sums.nwl_ = static_cast<int>(p.dx.size());
  sums.shiftX_ = p.shiftX, sums.shiftR_ = p.shiftR;
  sums.dx_ = p.dx, sums.dx2_ = p.dx2, sums.dxw_ = p.dxw;
  sums.dr_ = p.dr, sums.dr2_ = p.dr2, sums.drw_ = p.drw;
  sums.sumW2_ = p.sumW2;
  sums.samples_ = p.samples;
  return sums;
}

// The ratio estimator's variance: with R - K = D = sum(d) / sumW, the residuals x - R w are
// d - D w, whose squares sum to sum(d^2) - 2 D sum(d w) + D^2 sum(w^2); divided by
// (N - 1) / N times the squared total weight.
Extended UncertaintySums::RatioError(const std::vector<Extended>& d, const std::vector<Extended>& d2,
                                     const std::vector<Extended>& dw, int k, Extended sumW) const {
  if (samples_ < 2 || sumW == 0) return kUndefined;
  const Extended n = static_cast<Extended>(samples_);
  const Extended shiftError = d[k] / sumW;
  const Extended residuals = d2[k] - 2 * shiftError * dw[k] + shiftError * shiftError * sumW2_;
  const Extended variance = n * std::max<Extended>(residuals, 0) / ((n - 1) * sumW * sumW);
  return std::sqrt(variance);
}

Extended RadianceTemperatureSlope(Extended lambda, Extended epsilon, Extended t0) {
  if (epsilon == 0 || t0 < 1e-6L) return 0;
  const Extended l = lambda * 1e-6L;
  const Extended e0 = std::exp(kC2 / (l * t0));
  const Extended a = (e0 - 1) / epsilon;
  const Extended logarithm = std::log(a + 1);
  const Extended slope = kC2 * (e0 - 1) / (l * logarithm * logarithm * (a + 1) * epsilon * epsilon);
  if (std::isfinite(slope) && logarithm != 0) return slope;
  // Where the exponential overflows the temperature follows Wien's limit, 1 / (1/T0 - l ln(eps) / c2).
  const Extended wien = 1 / (1 / t0 - l * std::log(epsilon) / kC2);
  return wien * wien * l / (kC2 * epsilon);
}

void ComputeStandardErrors(SpectralArrays& s, const UncertaintySums& sums, Extended sumW, Extended tref) {
  for (int k = 0; k < s.NWL; ++k) {
    const Extended reference = Planck(s.ArrWL[k], tref);
    s.ArrEEIsoSE[k] = sums.EmissivityError(k, sumW);
    s.ArrEESE[k] = NonisothermalError(sums, k, sumW, reference);
    s.ArrRTIsoSE[k] = std::fabs(RadianceTemperatureSlope(s.ArrWL[k], s.ArrEEIso[k], tref)) * s.ArrEEIsoSE[k];
    s.ArrRTSE[k] = std::fabs(RadianceTemperatureSlope(s.ArrWL[k], s.ArrEE[k], tref)) * s.ArrEESE[k];
  }
}

Extended LargestEmissivityError(const SpectralArrays& s, const UncertaintySums& sums, Extended sumW,
                                const std::vector<Extended>& referenceRadiance) {
  Extended largest = 0;
  for (int k = 0; k < s.NWL; ++k) {
    const Extended iso = sums.EmissivityError(k, sumW);
    const Extended noniso = NonisothermalError(sums, k, sumW, referenceRadiance[k]);
    if (std::isnan(iso) || std::isnan(noniso)) return kUndefined;
    largest = std::max({largest, iso, noniso});
  }
  return largest;
}

TargetError::TargetError(const SpectralArrays& spectral, const InitialData& task, Extended target)
    : spectral_(spectral), target_(target) {
  if (target_ <= 0) return;
  referenceRadiance_.resize(spectral.NWL);
  for (int k = 0; k < spectral.NWL; ++k) referenceRadiance_[k] = Planck(spectral.ArrWL[k], task.Tref);
}

bool TargetError::Reached(const UncertaintySums& uncertainty, Extended sumW) const {
  if (target_ <= 0 || uncertainty.samples() < kMinTargetRays) return false;
  const Extended largest = LargestEmissivityError(spectral_, uncertainty, sumW, referenceRadiance_);
  return !std::isnan(largest) && largest <= target_;
}

}  // namespace tessolan
