#pragma once

// What the Budget dialog asks of the user, kept by the main window with its task: a standard
// uncertainty per input and the settings of the run. Plain C++, so that the rules are tested
// without a window.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Accuracy.h"
#include "model/NumericBoxes.h"
#include "model/SpectralPoint.h"
#include "run/Budget.h"

namespace tessolan {

// An input the budget can perturb: its field name (SetField's, or "Reflectance"), the name the
// dialog shows and its unit ("" for a pure number).
struct BudgetInputInfo {
  std::string_view field;
  std::string_view caption;
  std::string_view unit;
};

inline constexpr std::array<BudgetInputInfo, 11> kBudgetInputs{{
    {"Reflectance", "Reflectance", ""},
    {"Diffusity", "Diffusity", ""},
    {"TBase", "Pyramid base temperature", "K"},
    {"TTop", "Pyramid top temperature", "K"},
    {"Tbg", "Background temperature", "K"},
    {"Tref", "Reference temperature", "K"},
    {"SlantAngle", "Slant angle", "\u00B0"},
    {"TopFlatSideLength", "Top flat side length", "length"},
    {"GapWidth", "Gap width", "length"},
    {"AngleB", "Angle b", "\u00B0"},
    {"AngleA", "Azimuthal angle a", "\u00B0"},
}};
inline constexpr std::size_t kBudgetInputCount = kBudgetInputs.size();

// How a standard uncertainty is given: in the input's unit, in percent of its value, or (the
// reflectance only) one value per wavelength of the table, in reflectance.
enum class UncertaintyForm { Absolute, Relative, PerWavelength };

struct BudgetInputSetting {
  double u = 0;  // 0: the input is left out of the budget
  UncertaintyForm form = UncertaintyForm::Absolute;
};

// Everything the dialog holds between its openings. The per-wavelength reflectance
// uncertainties are kept by wavelength, so that they survive changes of the table elsewhere.
struct BudgetSettings {
  std::array<BudgetInputSetting, kBudgetInputCount> inputs{};
  std::map<double, double> reflectanceByWavelength;
  double coverageFactor = 2;
  int rayChoice = kDefaultRayCountChoice;
  int thresholdChoice = kDefaultThresholdChoice;
  std::optional<std::uint32_t> seed;  // chosen from the clock at the first opening
  bool parallel = false;
};

// Why an input does not take part for this task, or "" when it does: the azimuth of a line of
// sight along the blackbody's axis (b = 0) changes nothing.
std::string InputExclusion(std::string_view field, const TaskControls& controls);

// A standard uncertainty as the user typed it, with the user's decimal separator: a number from
// 0 on, at most 100 for a percentage and at most 1 for a reflectance. Nothing, with the message,
// when it is refused.
std::optional<double> ParseUncertainty(const std::string& text, char decimalSeparator, std::string_view caption,
                                       UncertaintyForm form, bool reflectance, std::string& message);

// The inputs of the request: those that take part and have an uncertainty. Fails with a message
// when a per-wavelength reflectance uncertainty is missing for a wavelength of `material`.
bool RequestedInputs(const BudgetSettings& settings, const TaskControls& controls,
                     const std::vector<SpectralPoint>& material, std::vector<InputUncertainty>& inputs,
                     std::string& message, char decimalSeparator = '.');

}  // namespace tessolan
