// STAND-IN, to be dropped when the budget's computation lands: plausible made-up numbers in the
// shape of a real budget, with the progress calls, Stop and the input checks of the real one, so
// that the window's Budget dialog can be built and tested. None of its numbers mean anything.
#include <chrono>
#include <cmath>
#include <thread>

#include "model/Notation.h"
#include "run/Budget.h"
#include "run/RunObserver.h"

namespace tessolan {
namespace {

constexpr const char* kInputs[] = {"Reflectance", "Diffusity",         "TBase",    "TTop",   "Tbg",   "Tref",
                                   "SlantAngle",  "TopFlatSideLength", "GapWidth", "AngleB", "AngleA"};
constexpr double kNaN = MapBin::kNaN;

bool KnownInput(const std::string& input) {
  for (const char* name : kInputs)
    if (input == name) return true;
  return false;
}

// A made-up sensitivity of `quantity` to `input`, varying a little with the wavelength.
double FakeSensitivity(const std::string& input, MapQuantity quantity, double wavelength) {
  const bool rt = quantity == MapQuantity::RTIso || quantity == MapQuantity::RTNoniso;
  const bool noniso = quantity == MapQuantity::EENoniso || quantity == MapQuantity::RTNoniso;
  double c = 0.001;
  if (input == "Reflectance") c = rt ? -40 : -0.35;
  if (input == "Diffusity") c = rt ? 1.5 : 0.012;
  if (input == "TBase" || input == "TTop") c = noniso ? (rt ? 0.45 : 0.002) : 0;
  if (input == "Tbg") c = noniso ? (rt ? 0.01 : 0.0001) : 0;
  if (input == "Tref") c = rt ? 1 : 0;
  if (input == "SlantAngle") c = rt ? 0.08 : 0.0007;
  return c * (1 + 0.1 * std::sin(wavelength));
}

double UncertaintyAt(const InputUncertainty& in, const LoadedTask& task, std::size_t k) {
  if (!in.perWavelength.empty()) return in.perWavelength[k];
  if (!in.relative) return in.u;
  const double value =
      in.input == "Reflectance" ? task.material[k].Reflectance : FieldValue(task.controls, in.input).value_or(0);
  return std::fabs(value) * in.u / 100;
}

BudgetRow ClosingRow(const char* input, double contribution, double share) {
  return {input, kNaN, kNaN, kNaN, contribution, share};
}

void FillBudget(const LoadedTask& task, const BudgetRequest& request, Budget& budget) {
  budget = {};
  budget.coverageFactor = request.coverageFactor;
  budget.rays = request.rays;
  budget.seed = request.seed;
  const double mcScale = 1 / std::sqrt(static_cast<double>(request.rays > 0 ? request.rays : 1));
  for (std::size_t k = 0; k < task.material.size(); ++k) {
    const double wl = task.material[k].WL;
    for (MapQuantity q : {MapQuantity::EEIso, MapQuantity::EENoniso, MapQuantity::RTIso, MapQuantity::RTNoniso}) {
      const bool rt = q == MapQuantity::RTIso || q == MapQuantity::RTNoniso;
      BudgetEntry entry{wl, q, rt ? 299.5 : 1 - 0.3 * task.material[k].Reflectance, {}};
      double sum = 0;
      for (const InputUncertainty& in : request.inputs) {
        const double u = UncertaintyAt(in, task, k);
        const double c = FakeSensitivity(in.input, q, wl);
        entry.rows.push_back({in.input, u, c, std::fabs(c) * 0.02, std::fabs(c) * u, 0});
        sum += entry.rows.back().contribution * entry.rows.back().contribution;
      }
      const double mc = (rt ? 30 : 0.3) * mcScale;
      entry.rows.push_back(ClosingRow("MonteCarlo", mc, 0));
      sum += mc * mc;
      const double combined = std::sqrt(sum);
      for (BudgetRow& row : entry.rows)
        row.share = combined > 0 ? row.contribution * row.contribution / (combined * combined) : 0;
      entry.rows.push_back(ClosingRow("Combined", combined, 1));
      entry.rows.push_back(ClosingRow("Expanded", request.coverageFactor * combined, kNaN));
      budget.entries.push_back(std::move(entry));
    }
  }
}

const char* QuantityName(MapQuantity q) {
  switch (q) {
    case MapQuantity::EEIso:
      return "EEIso";
    case MapQuantity::EENoniso:
      return "EENoniso";
    case MapQuantity::RTIso:
      return "RTIso";
    case MapQuantity::RTNoniso:
      return "RTNoniso";
  }
  return "";
}

std::string Field(double x) { return std::isnan(x) ? std::string() : FormatGeneral(x); }

}  // namespace

FlowStep RunBudget(const LoadedTask& task, const BudgetRequest& request, Budget& budget,
                   const BudgetProgress& progress) {
  for (const InputUncertainty& in : request.inputs) {
    if (!KnownInput(in.input)) return {false, "Unknown input for the budget: " + in.input, {}};
    if (!(in.u >= 0)) return {false, "The standard uncertainty of " + in.input + " cannot be negative", {}};
    if (!in.perWavelength.empty() && in.perWavelength.size() != task.material.size())
      return {false, "The uncertainties of " + in.input + " do not match the wavelengths of the table", {}};
  }
  const int total = 1 + 2 * static_cast<int>(request.inputs.size());
  for (int run = 0; run < total; ++run) {
    if (progress.stop && progress.stop->load()) return {false, kStoppedByUserMessage, {}};
    if (progress.step) {
      const std::string what =
          run == 0 ? "base run" : request.inputs[(run - 1) / 2].input + (run % 2 ? " + step" : " - step");
      progress.step(run, total, what);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
  }
  if (progress.step) progress.step(total, total, "done");
  FillBudget(task, request, budget);
  return {};
}

std::vector<std::string> BudgetCsv(const Budget& budget) {
  std::vector<std::string> lines{"wavelength,quantity,input,u,sensitivity,sensitivity_se,contribution,share"};
  for (const BudgetEntry& e : budget.entries)
    for (const BudgetRow& r : e.rows)
      lines.push_back(Field(e.wavelength) + "," + QuantityName(e.quantity) + "," + r.input + "," + Field(r.u) + "," +
                      Field(r.sensitivity) + "," + Field(r.sensitivitySE) + "," + Field(r.contribution) + "," +
                      Field(r.share));
  return lines;
}

std::vector<std::string> BudgetLines(const Budget& budget, char decimalSeparator) {
  std::vector<std::string> lines{"Uncertainty budget (k = " + FormatGeneral(budget.coverageFactor, decimalSeparator) +
                                 ")"};
  for (const BudgetEntry& e : budget.entries)
    lines.push_back(FormatGeneral(e.wavelength, decimalSeparator) + " um " + QuantityName(e.quantity) + " " +
                    FormatGeneral(e.value, decimalSeparator));
  return lines;
}

}  // namespace tessolan
