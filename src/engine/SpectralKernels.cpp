// The fast mode's spectral loops, compiled once per instruction set by Highway and chosen at
// run time.
#include "engine/SpectralKernels.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/SpectralKernels.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace tessolan {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<double>;
using V = hn::Vec<D>;

double AbsorbHit(const double* emis, const double* refl, const double* radiance, double* weight, double* rayEmissivity,
                 double* rayRadiance, std::size_t n) {
  const D d;
  V largest = hn::Zero(d);
  for (std::size_t i = 0; i < n; i += hn::Lanes(d)) {
    const V w = hn::LoadU(d, weight + i);
    const V absorbed = hn::Mul(hn::LoadU(d, emis + i), w);
    hn::StoreU(hn::Add(hn::LoadU(d, rayEmissivity + i), absorbed), d, rayEmissivity + i);
    const V radiant = hn::Mul(hn::LoadU(d, radiance + i), absorbed);
    hn::StoreU(hn::Add(hn::LoadU(d, rayRadiance + i), radiant), d, rayRadiance + i);
    const V reflected = hn::Mul(w, hn::LoadU(d, refl + i));
    hn::StoreU(reflected, d, weight + i);
    largest = hn::Max(largest, reflected);
  }
  return hn::GetLane(hn::MaxOfLanes(d, largest));
}

void AddWeighted(const double* radiance, const double* weight, double* out, std::size_t n) {
  const D d;
  for (std::size_t i = 0; i < n; i += hn::Lanes(d)) {
    const V term = hn::Mul(hn::LoadU(d, radiance + i), hn::LoadU(d, weight + i));
    hn::StoreU(hn::Add(hn::LoadU(d, out + i), term), d, out + i);
  }
}

// exp(a) for a <= 0, zero below -708 (where the result would be subnormal): 2^k p(r) with
// r = a - k ln 2 in two parts and p the Taylor polynomial of degree 13, evaluated with separate
// multiplications and additions so that every width gives the same bits.
V ExpNonPositive(const D d, V a) {
  const hn::RebindToSigned<D> di;
  const V shifter = hn::Set(d, 0x1.8p52);
  const V small = hn::Set(d, -708.0);
  const auto tooSmall = hn::Lt(a, small);
  a = hn::Max(a, small);
  const V kd = hn::Add(hn::Mul(a, hn::Set(d, 0x1.71547652b82fep0)), shifter);
  const V k = hn::Sub(kd, shifter);
  const V r =
      hn::Sub(hn::Sub(a, hn::Mul(k, hn::Set(d, 0x1.62e42fefa3800p-1))), hn::Mul(k, hn::Set(d, 0x1.ef35793c76730p-45)));
  constexpr double kInverseFactorials[] = {1.0 / 6227020800.0,
                                           1.0 / 479001600.0,
                                           1.0 / 39916800.0,
                                           1.0 / 3628800.0,
                                           1.0 / 362880.0,
                                           1.0 / 40320.0,
                                           1.0 / 5040.0,
                                           1.0 / 720.0,
                                           1.0 / 120.0,
                                           1.0 / 24.0,
                                           1.0 / 6.0,
                                           0.5,
                                           1.0,
                                           1.0};
  V p = hn::Set(d, kInverseFactorials[0]);
  for (std::size_t j = 1; j < sizeof kInverseFactorials / sizeof kInverseFactorials[0]; ++j)
    p = hn::Add(hn::Mul(p, r), hn::Set(d, kInverseFactorials[j]));
  const auto exponent = hn::Add(hn::Sub(hn::BitCast(di, kd), hn::BitCast(di, shifter)), hn::Set(di, 1023));
  const V scale = hn::BitCast(d, hn::ShiftLeft<52>(exponent));
  return hn::IfThenZeroElse(tooSmall, hn::Mul(p, scale));
}

void PlanckRatio(const PlanckRatioTable& table, double t, double* out, std::size_t n) {
  const D d;
  const V temperature = hn::Set(d, t);
  const V one = hn::Set(d, 1.0);
  for (std::size_t i = 0; i < n; i += hn::Lanes(d)) {
    const V x = hn::Div(hn::LoadU(d, table.c2OverL + i), temperature);
    const V e = ExpNonPositive(d, hn::Sub(hn::LoadU(d, table.xMax + i), x));
    const V numerator = hn::Mul(e, hn::LoadU(d, table.oneMinusExpMinusXMax + i));
    const V denominator = hn::Sub(one, hn::Mul(e, hn::LoadU(d, table.expMinusXMax + i)));
    hn::StoreU(hn::Div(numerator, denominator), d, out + i);
  }
}

void AddRay(const RayAccumulation& s, const double* e, const double* r, double weight, std::size_t n) {
  const D d;
  const V w = hn::Set(d, weight);
  for (std::size_t i = 0; i < n; i += hn::Lanes(d)) {
    const V x = hn::LoadU(d, e + i);
    const V y = hn::LoadU(d, r + i);
    hn::StoreU(hn::Add(hn::LoadU(d, s.emissivity + i), x), d, s.emissivity + i);
    hn::StoreU(hn::Add(hn::LoadU(d, s.radiance + i), y), d, s.radiance + i);
    const V dx = hn::Sub(x, hn::Mul(hn::LoadU(d, s.shiftX + i), w));
    const V dr = hn::Sub(y, hn::Mul(hn::LoadU(d, s.shiftR + i), w));
    hn::StoreU(hn::Add(hn::LoadU(d, s.dx + i), dx), d, s.dx + i);
    hn::StoreU(hn::Add(hn::LoadU(d, s.dx2 + i), hn::Mul(dx, dx)), d, s.dx2 + i);
    hn::StoreU(hn::Add(hn::LoadU(d, s.dxw + i), hn::Mul(dx, w)), d, s.dxw + i);
    hn::StoreU(hn::Add(hn::LoadU(d, s.dr + i), dr), d, s.dr + i);
    hn::StoreU(hn::Add(hn::LoadU(d, s.dr2 + i), hn::Mul(dr, dr)), d, s.dr2 + i);
    hn::StoreU(hn::Add(hn::LoadU(d, s.drw + i), hn::Mul(dr, w)), d, s.drw + i);
  }
}

void SpectrumSums(const double* e, const double* r, const double* t, std::size_t n, double* sums) {
  const hn::CappedTag<double, kSpectralPadding> d;
  HWY_ALIGN double partialE[kSpectralPadding] = {};
  HWY_ALIGN double partialR[kSpectralPadding] = {};
  for (std::size_t i = 0; i < n; i += kSpectralPadding)
    for (std::size_t j = 0; j < kSpectralPadding; j += hn::Lanes(d)) {
      hn::Store(hn::Add(hn::Load(d, partialE + j), hn::LoadU(d, e + i + j)), d, partialE + j);
      const auto radiant = hn::Mul(hn::LoadU(d, r + i + j), hn::LoadU(d, t + i + j));
      hn::Store(hn::Add(hn::Load(d, partialR + j), radiant), d, partialR + j);
    }
  double sumE = 0, sumR = 0;
  for (std::size_t j = 0; j < kSpectralPadding; ++j) {
    sumE += partialE[j];
    sumR += partialR[j];
  }
  sums[0] = sumE;
  sums[1] = sumR;
}

SpectralKernels Kernels() {
  return {&AbsorbHit, &AddWeighted, &PlanckRatio, &AddRay, &SpectrumSums, hwy::TargetName(HWY_TARGET)};
}

}  // namespace HWY_NAMESPACE
}  // namespace tessolan
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace tessolan {

HWY_EXPORT(Kernels);

SpectralKernels ChooseSpectralKernels() { return HWY_DYNAMIC_DISPATCH(Kernels)(); }

}  // namespace tessolan
#endif
