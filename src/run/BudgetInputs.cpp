#include "run/BudgetInputs.h"

#include <algorithm>
#include <cmath>

#include "model/Notation.h"
#include "model/NumericBoxes.h"

namespace tessolan {
namespace {

constexpr const char* kReflectance = "Reflectance";

FlowStep Failed(std::string message) { return {false, std::move(message), {}}; }

std::string NamesText() {
  std::string text;
  for (const auto& name : BudgetInputNames()) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// The viewing conditions a box belongs to, or -1 for a box every task uses.
int BoxViewingConditions(NumericBox box) {
  switch (box) {
    case NumericBox::DA:
      return kDirectionalA;
    case NumericBox::DB:
      return kDirectionalB;
    case NumericBox::HF:
    case NumericBox::AngleW:
      return kConical;
    case NumericBox::DD:
    case NumericBox::HD:
      return kIntegrated;
    default:
      return -1;
  }
}

std::string ViewingConditionsName(int vcType) {
  static const char* const names[] = {"Directional A", "Directional B", "Conical", "Integrated"};
  return vcType >= 0 && vcType < 4 ? names[vcType] : std::to_string(vcType);
}

bool ValidU(double u) { return std::isfinite(u) && u >= 0; }

// u in the input's unit: a relative one is a percentage of |x|.
double AbsoluteU(const InputUncertainty& in, double x) { return in.relative ? std::fabs(x) * in.u / 100 : in.u; }

ResolvedInput ResolveField(const InputUncertainty& in, NumericBox box, double x) {
  const NumericBoxSpec& limits = BoxSpec(box);
  const double u = AbsoluteU(in, x);
  ResolvedInput r{in.input, BudgetInputKind::Field, {u}, {x}, {x}, {x}, {false}};
  if (u == 0) return r;
  // A step below the box's last decimal would vanish in its rounding: one unit of it instead.
  const double h = std::max(u, std::pow(10.0, -limits.decimals));
  r.cut[0] = x - h < limits.minimum || x + h > limits.maximum;
  r.lo[0] = BoxValue(box, std::max(limits.minimum, x - h));
  r.hi[0] = BoxValue(box, std::min(limits.maximum, x + h));
  return r;
}

ResolvedInput ResolveReflectance(const InputUncertainty& in, const std::vector<SpectralPoint>& table) {
  ResolvedInput r{in.input, BudgetInputKind::Reflectance, {}, {}, {}, {}, {}};
  for (std::size_t k = 0; k < table.size(); ++k) {
    const double x = table[k].Reflectance;
    const double u =
        in.perWavelength.empty() ? AbsoluteU(in, x) : AbsoluteU({in.input, in.perWavelength[k], in.relative, {}}, x);
    r.u.push_back(u);
    r.x.push_back(x);
    r.lo.push_back(std::max(0.0, x - u));
    r.hi.push_back(std::min(1.0, x + u));
    r.cut.push_back(u > 0 && (x - u < 0 || x + u > 1));
  }
  return r;
}

FlowStep CheckUncertainty(const InputUncertainty& in, std::size_t wavelengths) {
  if (!ValidU(in.u))
    return Failed("The uncertainty of " + in.input + " must be a number of at least 0, not " + FormatGeneral(in.u));
  if (in.perWavelength.empty()) return {};
  if (in.input != kReflectance)
    return Failed("Only the reflectance takes an uncertainty per wavelength, not " + in.input);
  if (in.perWavelength.size() != wavelengths)
    return Failed("The reflectance has " + std::to_string(in.perWavelength.size()) + " uncertainties for the table's " +
                  std::to_string(wavelengths) + " wavelengths");
  for (const double u : in.perWavelength)
    if (!ValidU(u))
      return Failed("The uncertainty of the reflectance must be a number of at least 0, not " + FormatGeneral(u));
  return {};
}

FlowStep ResolveOne(const LoadedTask& task, const InputUncertainty& in, ResolvedInput& out) {
  if (const FlowStep step = CheckUncertainty(in, task.material.size()); !step) return step;
  if (in.input == kReflectance) {
    out = ResolveReflectance(in, task.material);
    return {};
  }
  const auto box = FindBoxByFieldName(in.input);
  if (!box) return Failed("Unknown input '" + in.input + "' for the budget; the inputs are " + NamesText());
  const int vc = BoxViewingConditions(*box);
  if (vc >= 0 && vc != task.controls.VCType)
    return Failed(in.input + " does not apply to this task's viewing conditions (" +
                  ViewingConditionsName(task.controls.VCType) + ")");
  const double x = task.controls[*box];
  out = ResolveField(in, *box, x);
  if (*box == NumericBox::Tref) out.kind = BudgetInputKind::ReferenceTemperature;
  return {};
}

}  // namespace

bool ResolvedInput::NeedsRuns() const {
  if (kind == BudgetInputKind::ReferenceTemperature) return false;
  for (std::size_t i = 0; i < lo.size(); ++i)
    if (lo[i] != hi[i]) return true;
  return false;
}

std::vector<std::string> BudgetInputNames() {
  std::vector<std::string> names{kReflectance};
  for (const auto& box : kNumericBoxes) names.emplace_back(box.fieldName);
  return names;
}

FlowStep ResolveBudgetInputs(const LoadedTask& task, const std::vector<InputUncertainty>& inputs,
                             std::vector<ResolvedInput>& resolved) {
  resolved.clear();
  for (const InputUncertainty& in : inputs) {
    for (const ResolvedInput& before : resolved)
      if (before.name == in.input) return Failed(in.input + " is given more than once");
    ResolvedInput r;
    if (const FlowStep step = ResolveOne(task, in, r); !step) return step;
    resolved.push_back(std::move(r));
  }
  return {};
}

LoadedTask PerturbedTask(const LoadedTask& task, const ResolvedInput& input, bool high) {
  LoadedTask perturbed = task;
  const std::vector<double>& values = high ? input.hi : input.lo;
  if (input.kind == BudgetInputKind::Reflectance) {
    for (std::size_t k = 0; k < perturbed.material.size(); ++k) perturbed.material[k].Reflectance = values[k];
  } else {
    SetField(perturbed.controls, input.name, values[0]);  // on the box's grid already: taken as it is
  }
  return perturbed;
}

std::string PerturbationText(const ResolvedInput& input, bool high) {
  if (input.kind == BudgetInputKind::Reflectance) return input.name + (high ? " + u" : " - u");
  return input.name + "=" + FormatGeneral((high ? input.hi : input.lo)[0]);
}

}  // namespace tessolan
