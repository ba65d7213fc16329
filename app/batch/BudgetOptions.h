#pragma once

// The batch tool's uncertainty budget: --uncertainty, --coverage and --budget.

#include <optional>
#include <string>
#include <vector>

#include "run/Budget.h"

namespace tessolan {

struct BudgetOptions {
  std::vector<InputUncertainty> inputs;
  // Reflectance=@FILE: u per wavelength from a two-column file (wavelength, u).
  std::optional<std::string> reflectanceFile;
  std::optional<double> coverage;      // none: 2
  std::optional<std::string> csvFile;  // --budget FILE
  bool Requested() const { return !inputs.empty(); }
};

// One --uncertainty FIELD=U: U a number, a percentage ("2%") or, for the reflectance, @FILE.
// False with the error for an unknown input, a value that is no number or a negative one.
bool ParseUncertaintyOption(const std::string& text, BudgetOptions& options, std::string& error);
bool ParseCoverageOption(const std::string& text, BudgetOptions& options, std::string& error);

// What is wrong with the budget's options beside the others; empty when nothing.
std::string BudgetOptionsConflict(const BudgetOptions& budget, bool sweep, bool targetError);

// The u per wavelength of the table from a two-column file: one line per wavelength (um) and u,
// separated by a comma, semicolon, tab or spaces; blank lines, "#" lines and a heading line are
// skipped. False with a message when the file cannot be read or misses a wavelength of the table.
bool ReadReflectanceUncertainties(const std::string& path, const std::vector<SpectralPoint>& table,
                                  std::vector<double>& u, std::string& message);

// The file the budget section is written to beside a report: "out/run.txt" gives
// "out/run_budget.txt".
std::string BudgetFileBesideReport(const std::string& reportFile);

}  // namespace tessolan
