#pragma once

#include <string>
#include <vector>

#include "model/AppState.h"

namespace tessolan {

// Said by the report of a run in the fast mode, after the accuracy; the exact mode says nothing.
inline constexpr const char* kFastModeReportLine = "Arithmetic: double precision (fast mode)";

inline constexpr const char* kReportBanner =
    "Tessolan: Monte Carlo Modeling of Pyramid Array Radiation Characteristics";

// The modeling report of a finished run, line by line: the task, its material and comments,
// the accuracy, the two times and the results. Numbers use `decimalSeparator`.
std::vector<std::string> BuildReport(const AppState& state, double startTime, double finishTime,
                                     char decimalSeparator = '.');

}  // namespace tessolan
