#include "run/Radiometry.h"

#include <cmath>

#include "engine/Planck.h"

namespace tessolan {

Extended RadianceTemperature(Extended lambda, Extended epsilon, Extended t0) {
  if (epsilon == 0 || t0 < 1e-6L) return 0;
  const Extended l = lambda * 1e-6L;
  const Extended e = std::exp(kC2 / (l * t0));
  const Extended quotient = (e - 1) / epsilon;
  const Extended logArgument = quotient + 1;
  const Extended logarithm = std::log(logArgument);
  const Extended result = kC2 / (l * logarithm);
  const bool exceptional = !std::isfinite(e) || !std::isfinite(quotient) || !(logArgument > 0) ||
                           !std::isfinite(logarithm) || l * logarithm == 0 || !std::isfinite(result);
  if (exceptional) return 1 / (1 / t0 - l * std::log(epsilon) / kC2);
  return result;
}

void NormaliseRun(SpectralArrays& s, Extended sumW, Extended tref) {
  for (int k = 0; k < s.NWL; ++k) {
    s.ArrEEIso[k] = s.ArrEEIso[k] / sumW;
    const Extended d = Planck(s.ArrWL[k], tref) * sumW;
    s.ArrEE[k] = d == 0 ? 0 : s.ArrEE[k] / d;
    s.ArrRTIso[k] = RadianceTemperature(s.ArrWL[k], s.ArrEEIso[k], tref);
    s.ArrRT[k] = RadianceTemperature(s.ArrWL[k], s.ArrEE[k], tref);
  }
}

}  // namespace tessolan
