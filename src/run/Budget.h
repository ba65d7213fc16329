#pragma once

// The uncertainty budget of a task (GUM): how the standard uncertainty of each input reaches the
// effective emissivities and radiance temperatures, per wavelength.

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "model/RunMap.h"  // MapQuantity names the four results
#include "run/RunTracing.h"
#include "run/TaskFlow.h"

namespace tessolan {

// A standard uncertainty given for one input: a field SetField takes ("SlantAngle", "TBase",
// ...) or "Reflectance". Relative: in percent of the input's value. For the reflectance,
// `perWavelength`, when not empty, gives u at every wavelength of the table (same order).
struct InputUncertainty {
  std::string input;
  double u = 0;
  bool relative = false;
  std::vector<double> perWavelength;
};

// One row of the budget: an input's standard uncertainty u, the sensitivity c = dy/dx with its
// Monte Carlo standard error, the contribution |c| u and its share of u_c squared. The rows
// "MonteCarlo", "Combined" and "Expanded" close each wavelength and quantity (u and c blank
// there, NaN). An input with u = 0 has no runs: its sensitivity is blank and it contributes 0.
struct BudgetRow {
  std::string input;
  double u = 0;
  double sensitivity = 0;
  double sensitivitySE = 0;
  double contribution = 0;
  double share = 0;
  // The difference was one-sided or shortened: the input lies within u of an end of its range.
  bool oneSided = false;
  // The standard error the same coefficient would have from two independent runs instead of
  // common random numbers: sqrt(SE(y+)^2 + SE(y-)^2) / (x+ - x-), from the runs' own errors.
  double independentSE = std::numeric_limits<double>::quiet_NaN();
};

struct BudgetEntry {
  double wavelength = 0;  // micrometres
  MapQuantity quantity = MapQuantity::EEIso;
  double value = 0;  // the base run's result
  std::vector<BudgetRow> rows;
};

struct Budget {
  double coverageFactor = 2;
  std::uint64_t rays = 0;
  std::uint32_t seed = 0;
  std::vector<BudgetEntry> entries;  // by wavelength, then EEIso, EENoniso, RTIso, RTNoniso
  int replicates = 0;                // the sensitivities' standard errors come from this many replicates
};

struct BudgetRequest {
  std::vector<InputUncertainty> inputs;
  double coverageFactor = 2;
  std::uint64_t rays = 0;
  Extended threshold = 0;
  std::uint32_t seed = 0;
  RunOptions options;  // search, parallel, threads, precision of every run
  // The perturbed runs of every input are repeated this many times, each on its share of the
  // rays from its own seed (the same for every input): the coefficient is the replicates' mean,
  // its standard error their spread over the square root of their number.
  int replicates = 8;
};

// Progress of a budget: runs done of runs in all, called from the calling thread. `stop`, when
// set, ends the budget after the run going (the budget then fails with the stop message).
struct BudgetProgress {
  std::function<void(int done, int total, const std::string& what)> step;
  const std::atomic<bool>* stop = nullptr;
};

// Runs the base task and the perturbed ones and computes the budget (GUM, the inputs taken as
// uncorrelated). Fails with a message for an unknown input, a negative uncertainty, an input of
// other viewing conditions, a perturbation the task refuses, or a stopped run; `budget` is then
// left as it was.
FlowStep RunBudget(const LoadedTask& task, const BudgetRequest& request, Budget& budget,
                   const BudgetProgress& progress = {});

// Every input a budget takes: "Reflectance", then the numeric boxes' fields in the window's order
// (a viewing-condition box applies only to a task of its viewing conditions).
std::vector<std::string> BudgetInputNames();

// The CSV file: wavelength,quantity,input,u,sensitivity,sensitivity_se,contribution,share
std::vector<std::string> BudgetCsv(const Budget& budget);
// The budget section printed by the batch tool and written beside the report.
std::vector<std::string> BudgetLines(const Budget& budget, char decimalSeparator);

}  // namespace tessolan
