#pragma once

#include <cmath>

#include "model/Extended.h"

namespace tessolan {

// Radiation constants: first (for radiance, W m^2 sr^-1) and second (m K).
inline constexpr Extended kC1 = 1.191042759e-16L;
inline constexpr Extended kC2 = 0.014387752L;

// What Planck's law needs of one wavelength, computed once: l in metres, c1 / l^5 and c2 / l,
// with l^5 = (((l l) l) l) l.
struct PlanckWavelength {
  Extended lambda;  // micrometres
  Extended l;
  Extended c1OverL5;
  Extended c2OverL;
};

inline PlanckWavelength MakePlanckWavelength(Extended lambda) {
  const Extended l = lambda * 1e-6L;
  return {lambda, l, kC1 / ((((l * l) * l) * l) * l), kC2 / l};
}

// Spectral radiance of a blackbody (W m^-2 sr^-1 per metre of wavelength) at temperature T.
// Zero when lambda * T is 0. Where the closed form meets a non-finite intermediate (in practice
// the exponential overflowing for a very small l T), the negligible exp(-c2 / (l T)) stands in.
inline Extended Planck(const PlanckWavelength& w, Extended t) {
  if (w.lambda * t == 0) return 0;
  const Extended e = std::exp(w.c2OverL / t);
  const Extended denominator = e - 1;
  const Extended result = w.c1OverL5 / denominator;
  if (!std::isfinite(w.c1OverL5) || !std::isfinite(e) || denominator == 0 || !std::isfinite(result))
    return std::exp(-kC2 / (w.l * t));
  return result;
}

inline Extended Planck(Extended lambda, Extended t) { return Planck(MakePlanckWavelength(lambda), t); }

}  // namespace tessolan
