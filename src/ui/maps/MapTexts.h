#pragma once

#include <QString>

#include "model/RunMap.h"

namespace tessolan {

// The words of a map, on screen and in its pictures.

// "Effective Emissivity, Isothermal", and so on: the results table's words.
QString MapQuantityName(MapQuantity quantity);
// The colour scale's title: "Effective Emissivity" or "Radiance Temperature (K)".
QString MapScaleTitle(MapQuantity quantity);
bool IsTemperature(MapQuantity quantity);

// "Spectrum average", or "5.25 um" for a wavelength in micrometres.
QString MapWavelengthText(double wavelength, char decimalSeparator);
// "Viewed region" or "Folded into one pyramid cell".
QString MapFoldText(bool folded);

// The map's title: quantity, wavelength and fold. A NaN wavelength is the spectrum average.
QString MapTitle(MapQuantity quantity, double wavelength, bool folded, char decimalSeparator);

// A value of the quantity as the map shows it: EE to five decimals, RT in kelvin to two.
QString MapValueText(double value, MapQuantity quantity, char decimalSeparator);

// What the status line says of the bin under the cursor at (x, y).
QString MapBinText(const MapBin& bin, MapQuantity quantity, double x, double y, char decimalSeparator);

}  // namespace tessolan
