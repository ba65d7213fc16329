#include "BudgetOptions.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "data/NumberParsing.h"
#include "data/TextFile.h"
#include "model/Notation.h"

namespace tessolan {
namespace {

std::string InputsText() {
  std::string text;
  for (const auto& name : BudgetInputNames()) text += (text.empty() ? "" : ", ") + name;
  return text;
}

bool IsBudgetInput(const std::string& name) {
  for (const auto& known : BudgetInputNames())
    if (known == name) return true;
  return false;
}

// The fields of a line split at commas, semicolons, tabs and spaces.
std::vector<std::string> Fields(std::string line) {
  for (char& c : line)
    if (c == ',' || c == ';' || c == '\t' || c == '\r') c = ' ';
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

struct WavelengthU {
  long double wavelength, u;
};

bool SameWavelength(long double a, long double b) { return std::fabs(a - b) <= 1e-9L * std::max(1.0L, std::fabs(b)); }

}  // namespace

bool ParseUncertaintyOption(const std::string& text, BudgetOptions& options, std::string& error) {
  const auto equals = text.find('=');
  if (equals == std::string::npos) {
    error = "--uncertainty needs FIELD=U, not '" + text + "'";
    return false;
  }
  InputUncertainty input{text.substr(0, equals), 0, false, {}};
  std::string value = text.substr(equals + 1);
  if (!IsBudgetInput(input.input)) {
    error = "unknown input '" + input.input + "' in --uncertainty; the inputs are " + InputsText();
    return false;
  }
  for (const InputUncertainty& before : options.inputs) {
    if (before.input == input.input) {
      error = "--uncertainty gives " + input.input + " more than once";
      return false;
    }
  }
  if (input.input == "Reflectance" && value.starts_with("@") && value.size() > 1) {
    options.reflectanceFile = value.substr(1);
    options.inputs.push_back(input);
    return true;
  }
  input.relative = value.ends_with("%");
  if (input.relative) value.pop_back();
  const auto u = ParseNumber(value);
  if (!u || *u < 0) {
    error = "the uncertainty of " + input.input + " must be a number of at least 0 or a percentage such as 2%, not '" +
            text.substr(equals + 1) + "'";
    return false;
  }
  input.u = static_cast<double>(*u);
  options.inputs.push_back(input);
  return true;
}

bool ParseCoverageOption(const std::string& text, BudgetOptions& options, std::string& error) {
  const auto k = ParseNumber(text);
  if (!k || *k <= 0) {
    error = "the coverage factor must be a number above 0, not '" + text + "'";
    return false;
  }
  options.coverage = static_cast<double>(*k);
  return true;
}

std::string BudgetOptionsConflict(const BudgetOptions& budget, bool sweep, bool targetError) {
  if (!budget.Requested()) {
    if (budget.csvFile || budget.coverage) return "--budget and --coverage need at least one --uncertainty";
    return "";
  }
  if (sweep) return "--uncertainty cannot be combined with --sweep";
  if (targetError) return "--uncertainty needs a fixed number of rays, not --target-error";
  return "";
}

bool ReadReflectanceUncertainties(const std::string& path, const std::vector<SpectralPoint>& table,
                                  std::vector<double>& u, std::string& message) {
  const TextFileContent file = ReadTextFile(path);
  if (file.status != TextFileStatus::Ok) {
    message = "Cannot read the reflectance uncertainties from " + path;
    return false;
  }
  std::vector<WavelengthU> given;
  std::istringstream lines(file.text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    const std::vector<std::string> fields = Fields(line);
    if (fields.empty() || fields[0].starts_with("#")) continue;
    const auto wl = ParseNumber(fields[0]);
    const auto value = fields.size() == 2 ? ParseNumber(fields[1]) : std::nullopt;
    if (!wl && given.empty()) continue;  // a heading
    if (!wl || !value || *value < 0) {
      message = path + ", line " + std::to_string(number) + ": expected a wavelength and an uncertainty of at least 0";
      return false;
    }
    given.push_back({*wl, *value});
  }
  u.clear();
  for (const SpectralPoint& point : table) {
    const auto found = std::find_if(given.begin(), given.end(),
                                    [&](const WavelengthU& g) { return SameWavelength(g.wavelength, point.WL); });
    if (found == given.end()) {
      message = path + " gives no uncertainty for the wavelength " + FormatGeneral(point.WL) + " um of the table";
      return false;
    }
    u.push_back(static_cast<double>(found->u));
  }
  return true;
}

std::string BudgetFileBesideReport(const std::string& reportFile) {
  const std::filesystem::path report(reportFile);
  return (report.parent_path() / (report.stem().string() + "_budget.txt")).string();
}

}  // namespace tessolan
