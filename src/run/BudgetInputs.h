#pragma once

// The inputs of a budget checked against the task, and the tasks of its perturbed runs.

#include <string>
#include <string_view>
#include <vector>

#include "run/Budget.h"

namespace tessolan {

enum class BudgetInputKind {
  Field,                 // a numeric box, perturbed through SetField
  Reflectance,           // every wavelength of the table at once, each by its own u
  ReferenceTemperature,  // Tref: enters the results only by closed forms, no runs
};

// An input resolved against the task: its standard uncertainty in its own unit, its value, and
// the two values its perturbed runs take (the box's range and decimals applied). One element for
// a field, one per wavelength of the table for the reflectance. lo == hi where u is 0; `cut`
// where x -+ h passed an end of the range and the difference is one-sided or shortened there.
struct ResolvedInput {
  std::string name;
  BudgetInputKind kind = BudgetInputKind::Field;
  std::vector<double> u, x, lo, hi;
  std::vector<bool> cut;

  bool NeedsRuns() const;
};

// Checks the request's inputs against the task: known, each once, u a number of at least 0, and
// applying to the task's viewing conditions. Fails with the first fault's message.
FlowStep ResolveBudgetInputs(const LoadedTask& task, const std::vector<InputUncertainty>& inputs,
                             std::vector<ResolvedInput>& resolved);

// The task with the input at its low or high value.
LoadedTask PerturbedTask(const LoadedTask& task, const ResolvedInput& input, bool high);

// "Reflectance=0.51" or "SlantAngle=45.1": the perturbed value, for progress and messages.
std::string PerturbationText(const ResolvedInput& input, bool high);

}  // namespace tessolan
