// The budget as text: the CSV file and the section the batch tool prints and writes beside the
// report.

#include <charconv>
#include <cmath>
#include <cstdio>

#include "model/Notation.h"
#include "run/Budget.h"

namespace tessolan {
namespace {

// The shortest text that reads back to the same double; empty for a blank (NaN).
std::string CsvField(double value) {
  if (std::isnan(value)) return "";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Four significant digits for the printed section; blank for NaN.
std::string Short(double value, char separator) {
  if (std::isnan(value)) return "";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.4g", value);
  std::string text(buffer);
  for (char& c : text)
    if (c == '.') c = separator;
  return text;
}

std::string Percent(double share, char separator) {
  if (std::isnan(share)) return "";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.1f%%", 100 * share);
  std::string text(buffer);
  for (char& c : text)
    if (c == '.') c = separator;
  return text;
}

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string Cell(const std::string& text, std::size_t width) {
  std::string cell = text;
  if (cell.size() < width) cell.append(width - cell.size(), ' ');
  return cell;
}

std::string RowLine(const BudgetRow& row, char separator, double coverage) {
  std::string name = row.input;
  if (name == "Expanded") name += " (k=" + Short(coverage, separator) + ")";
  if (row.oneSided) name += " *";
  std::string line = "    " + Cell(name, 20) + Padded(Short(row.u, separator), 12) +
                     Padded(Short(row.sensitivity, separator), 13) + Padded(Short(row.sensitivitySE, separator), 12) +
                     Padded(Short(row.contribution, separator), 14) + Padded(Percent(row.share, separator), 9);
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

}  // namespace

std::vector<std::string> BudgetCsv(const Budget& budget) {
  std::vector<std::string> lines{"# Tessolan uncertainty budget (GUM; the inputs taken as uncorrelated)",
                                 "# Rays: " + std::to_string(budget.rays),
                                 "# Random seed: " + std::to_string(budget.seed),
                                 "# Replicates: " + std::to_string(budget.replicates),
                                 "# Coverage factor: " + CsvField(budget.coverageFactor),
                                 "wavelength,quantity,input,u,sensitivity,sensitivity_se,contribution,share"};
  for (const BudgetEntry& entry : budget.entries) {
    for (const BudgetRow& row : entry.rows) {
      lines.push_back(CsvField(entry.wavelength) + "," + QuantityShortName(entry.quantity) + "," + row.input + "," +
                      CsvField(row.u) + "," + CsvField(row.sensitivity) + "," + CsvField(row.sensitivitySE) + "," +
                      CsvField(row.contribution) + "," + CsvField(row.share));
    }
  }
  return lines;
}

std::vector<std::string> BudgetLines(const Budget& budget, char separator) {
  std::vector<std::string> lines{
      "Uncertainty budget (GUM)",
      "  The inputs are taken as uncorrelated: u_c^2 is the sum of (|c| u)^2 over the inputs plus the",
      "  Monte Carlo standard error squared; U = k u_c.",
      "  Sensitivities c by central differences with common random numbers (" + std::to_string(budget.rays) +
          " rays, seed " + std::to_string(budget.seed) + "),",
      "  their standard errors from the spread of " + std::to_string(budget.replicates) +
          " replicates; Tref by its exact derivative.",
      "  * one-sided or shortened difference: the input lies within u of an end of its range."};
  for (const BudgetEntry& entry : budget.entries) {
    lines.emplace_back("");
    lines.push_back("  " + FormatFixed(entry.wavelength, 15, 5, separator) + " um  " +
                    QuantityShortName(entry.quantity) + " = " + FormatGeneral(entry.value, separator));
    lines.push_back("    " + Cell("Input", 20) + Padded("u", 12) + Padded("Sensitivity", 13) + Padded("SE", 12) +
                    Padded("Contribution", 14) + Padded("Share", 9));
    for (const BudgetRow& row : entry.rows) lines.push_back(RowLine(row, separator, budget.coverageFactor));
  }
  return lines;
}

}  // namespace tessolan
