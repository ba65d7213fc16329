#pragma once

#include <QString>

#include "model/SpectralArrays.h"

namespace tessolan {

// The line the modeling window adds at the end of a completed run: "Largest standard error of
// the effective emissivities: " and the largest standard error of either effective emissivity
// over the run's wavelengths, to two significant digits. Empty when no error is known.
QString LargestErrorLine(const SpectralArrays& spectral, char decimalSeparator);

// A standard error to two significant digits: 0.00041, 0.012; zero as "0".
QString FormatStandardError(Extended error, char decimalSeparator);

}  // namespace tessolan
