#pragma once

#include <array>

#include "DisplayFormats.h"
#include "KeyedDataSet.h"
#include "KeyedTable.h"
#include "UiLocale.h"

namespace tessolan {

// The fields of the results table, in the table's order: the wavelength (the key) and the
// effective emissivity and radiance temperature of the isothermal and nonisothermal cases.
struct ResultsFields {
  enum : int { WL, EEIso, RTIso, EE, RT };
  static constexpr std::array<FieldDef<ResultsRecord>, 5> kFields{{
      {"WL", &ResultsRecord::WL, nullptr, 0},
      {"EEIso", &ResultsRecord::EEIso, nullptr, 0},
      {"RTIso", &ResultsRecord::RTIso, nullptr, 0},
      {"EE", &ResultsRecord::EE, nullptr, 0},
      {"RT", &ResultsRecord::RT, nullptr, 0},
  }};
  static QString DuplicateKeyMessage(double wl) {
    return "Key violation.\nThe wavelength " + FormatGeneralNumber(wl, DecimalSeparator()) +
           " um is already in the table.";
  }
};

using ResultsDataSet = KeyedDataSet<ResultsRecord, ResultsFields>;

}  // namespace tessolan
