#include "ui/maps/MapTexts.h"

#include <cmath>

#include "ui/modeling/StandardErrorText.h"
#include "ui/tables/DisplayFormats.h"

namespace tessolan {

namespace {

double StandardErrorOf(const MapBin& bin, MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::EEIso:
      return bin.eeIsoSE;
    case MapQuantity::EENoniso:
      return bin.eeNonisoSE;
    default:
      return MapBin::kNaN;
  }
}

}  // namespace

QString MapQuantityName(MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::EEIso:
      return "Effective Emissivity, Isothermal";
    case MapQuantity::EENoniso:
      return "Effective Emissivity, Nonisothermal";
    case MapQuantity::RTIso:
      return "Radiance Temperature, Isothermal";
    case MapQuantity::RTNoniso:
      return "Radiance Temperature, Nonisothermal";
  }
  return {};
}

bool IsTemperature(MapQuantity quantity) { return quantity == MapQuantity::RTIso || quantity == MapQuantity::RTNoniso; }

QString MapScaleTitle(MapQuantity quantity) {
  return IsTemperature(quantity) ? "Radiance Temperature (K)" : "Effective Emissivity";
}

QString MapWavelengthText(double wavelength, char decimalSeparator) {
  if (std::isnan(wavelength)) return "Spectrum average";
  return FormatOptionalDecimals(wavelength, 4, decimalSeparator) + " um";
}

QString MapFoldText(bool folded) { return folded ? "Folded into one pyramid cell" : "Viewed region"; }

QString MapTitle(MapQuantity quantity, double wavelength, bool folded, char decimalSeparator) {
  return MapQuantityName(quantity) + "  \u00B7  " + MapWavelengthText(wavelength, decimalSeparator) + "  \u00B7  " +
         MapFoldText(folded);
}

QString MapValueText(double value, MapQuantity quantity, char decimalSeparator) {
  if (std::isnan(value)) return "\u2013";
  QString text = QString::number(value, 'f', IsTemperature(quantity) ? 2 : 5);
  text.replace('.', QChar(decimalSeparator));
  return IsTemperature(quantity) ? text + " K" : text;
}

QString MapBinText(const MapBin& bin, MapQuantity quantity, double x, double y, char decimalSeparator) {
  const QString where = "X = " + FormatOptionalDecimals(x, 4, decimalSeparator) +
                        ",  Y = " + FormatOptionalDecimals(y, 4, decimalSeparator) + ":   ";
  if (bin.rays == 0) return where + "no rays met the array here";
  QString text = where + QString::fromLatin1(QuantityShortName(quantity)) + " " + MapValueText(MapValue(bin, quantity), quantity, decimalSeparator);
  const double error = StandardErrorOf(bin, quantity);
  if (!std::isnan(error)) text += " \u00B1 " + FormatStandardError(error, decimalSeparator);
  return text + "   (" + QString::number(bin.rays) + (bin.rays == 1 ? " ray)" : " rays)");
}

}  // namespace tessolan
