#pragma once

#include <array>
#include <cmath>

#include "data/KeyedTable.h"
#include "ui/tables/DisplayFormats.h"
#include "ui/tables/KeyedDataSet.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

// The fields of the results table, in the table's order: the wavelength (the key), the
// effective emissivity and radiance temperature of the isothermal and nonisothermal cases, and
// the standard errors of those four.
struct ResultsFields {
  enum : int { WL, EEIso, RTIso, EE, RT, EEIsoSE, RTIsoSE, EESE, RTSE };
  static constexpr std::array<FieldDef<ResultsRecord>, 9> kFields{{
      {"WL", &ResultsRecord::WL, nullptr, 0},
      {"EEIso", &ResultsRecord::EEIso, nullptr, 0},
      {"RTIso", &ResultsRecord::RTIso, nullptr, 0},
      {"EE", &ResultsRecord::EE, nullptr, 0},
      {"RT", &ResultsRecord::RT, nullptr, 0},
      {"EEIsoSE", &ResultsRecord::EEIsoSE, nullptr, 0},
      {"RTIsoSE", &ResultsRecord::RTIsoSE, nullptr, 0},
      {"EESE", &ResultsRecord::EESE, nullptr, 0},
      {"RTSE", &ResultsRecord::RTSE, nullptr, 0},
  }};
  static QString DuplicateKeyMessage(double wl) {
    return "Key violation.\nThe wavelength " + FormatGeneralNumber(wl, DecimalSeparator()) +
           " um is already in the table.";
  }
};

// The results table. A standard error that is not known (NaN, as for results read from a
// results file) has no value, so that the grid leaves its cell blank.
class ResultsDataSet : public KeyedDataSet<ResultsRecord, ResultsFields> {
 public:
  explicit ResultsDataSet(QObject* parent = nullptr) : KeyedDataSet(parent) {}

 protected:
  std::optional<double> StoredValue(int index, int field) const override {
    return Known(KeyedDataSet::StoredValue(index, field));
  }
  std::optional<double> BufferValue(int field) const override { return Known(KeyedDataSet::BufferValue(field)); }

 private:
  static std::optional<double> Known(std::optional<double> value) {
    if (value && std::isnan(*value)) return std::nullopt;
    return value;
  }
};

}  // namespace tessolan
