#pragma once

#include <array>

#include "model/SpectralPoint.h"
#include "ui/tables/DisplayFormats.h"
#include "ui/tables/KeyedDataSet.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

// The fields of the spectral reflectance table: wavelength (the key), reflectance, and the
// emissivity calculated as 1 - reflectance.
struct SpectralFields {
  enum : int { WL, Reflectance, Emissivity };
  static constexpr std::array<FieldDef<SpectralPoint>, 3> kFields{{
      {"WL", &SpectralPoint::WL, nullptr, 0},
      {"Reflectance", &SpectralPoint::Reflectance, nullptr, 0},
      {"Emissivity", nullptr, [](const SpectralPoint& p) { return p.Emissivity(); }, 1u << Reflectance},
  }};
  static QString DuplicateKeyMessage(double wl) {
    return "Key violation.\nThe wavelength " + FormatGeneralNumber(wl, DecimalSeparator()) +
           " um is already in the table.";
  }
};

using SpectralDataSet = KeyedDataSet<SpectralPoint, SpectralFields>;

}  // namespace tessolan
