#include "ui/budget/BudgetInputs.h"

#include <cmath>

#include "data/NumberParsing.h"
#include "model/Notation.h"

namespace tessolan {

std::string InputExclusion(std::string_view field, const TaskControls& controls) {
  if (field == "AngleA" && controls[NumericBox::B] == 0)
    return "The line of sight is along the blackbody axis (b = 0): its azimuth changes nothing";
  return {};
}

std::optional<double> ParseUncertainty(const std::string& text, char decimalSeparator, std::string_view caption,
                                       UncertaintyForm form, bool reflectance, std::string& message) {
  std::string token;
  for (char c : text)
    if (c != ' ') token += c == decimalSeparator ? '.' : c;
  if (token.empty()) return 0.0;
  const std::string what = "The standard uncertainty of " + std::string(caption);
  const std::optional<long double> value = ParseNumber(token);
  if (!value) {
    message = what + " must be a number: \"" + text + "\"";
    return std::nullopt;
  }
  const double u = static_cast<double>(*value);
  if (u < 0) {
    message = what + " cannot be negative";
  } else if (form == UncertaintyForm::Relative && u > 100) {
    message = what + " cannot be more than 100 %";
  } else if (reflectance && form != UncertaintyForm::Relative && u > 1) {
    message = what + " cannot be more than 1";
  } else {
    return u;
  }
  return std::nullopt;
}

bool RequestedInputs(const BudgetSettings& settings, const TaskControls& controls,
                     const std::vector<SpectralPoint>& material, std::vector<InputUncertainty>& inputs,
                     std::string& message, char decimalSeparator) {
  inputs.clear();
  for (std::size_t i = 0; i < kBudgetInputCount; ++i) {
    const BudgetInputInfo& info = kBudgetInputs[i];
    const BudgetInputSetting& setting = settings.inputs[i];
    if (!InputExclusion(info.field, controls).empty()) continue;
    InputUncertainty input{std::string(info.field), setting.u, setting.form == UncertaintyForm::Relative, {}};
    if (setting.form == UncertaintyForm::PerWavelength) {
      for (const SpectralPoint& point : material) {
        const auto u = settings.reflectanceByWavelength.find(point.WL);
        if (u == settings.reflectanceByWavelength.end()) {
          message = "The standard uncertainty of the reflectance at " + FormatGeneral(point.WL, decimalSeparator) +
                    " um is missing";
          return false;
        }
        input.perWavelength.push_back(u->second);
      }
      bool any = false;
      for (double u : input.perWavelength) any = any || u > 0;
      if (!any) continue;
      input.u = 0;
    } else if (setting.u <= 0) {
      continue;
    }
    inputs.push_back(std::move(input));
  }
  if (inputs.empty()) {
    message = "Enter the standard uncertainty of at least one input";
    return false;
  }
  return true;
}

}  // namespace tessolan
