#include "ui/modeling/StandardErrorText.h"

#include <algorithm>
#include <cmath>

#include "model/Notation.h"

namespace tessolan {

QString FormatStandardError(Extended error, char decimalSeparator) {
  if (!(error > 0) || !std::isfinite(error)) return QString::fromStdString(FormatGeneral(error, decimalSeparator));
  // Decimals that keep two significant digits: 5 for 0.00041, 3 for 0.012, 0 from 10 on.
  const int decimals = std::clamp(1 - static_cast<int>(std::floor(std::log10(error))), 0, 18);
  return QString::fromStdString(FormatFixed(error, 2, decimals, decimalSeparator));
}

QString LargestErrorLine(const SpectralArrays& spectral, char decimalSeparator) {
  bool known = false;
  Extended largest = 0;
  for (int k = 0; k < spectral.NWL; ++k)
    for (const Extended error : {spectral.ArrEEIsoSE[k], spectral.ArrEESE[k]}) {
      if (std::isnan(error)) continue;
      largest = known ? std::max(largest, error) : error;
      known = true;
    }
  if (!known) return QString();
  return "Largest standard error of the effective emissivities: " + FormatStandardError(largest, decimalSeparator);
}

}  // namespace tessolan
