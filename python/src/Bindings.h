#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <pybind11/pybind11.h>

#include "model/AppState.h"
#include "model/RunMap.h"
#include "run/TaskFlow.h"

namespace tessolan::python {

namespace py = pybind11;

// A task as Python holds it: what the main window holds after a load (or at start without a
// task file), the name the run takes, and what the load left in the program state, so that a
// run starts from exactly where the batch tool's run starts.
struct Task {
  LoadedTask task;
  std::string name;
  InitialData loadedData;
  ArrayGeometry loadedGeometry;
};

// A completed run, its whole state kept: results, report and CSV are all made from it.
struct Results {
  std::shared_ptr<const AppState> state;
  std::shared_ptr<const RunMap> map;  // null when the run made no map
};

// Raised in Python as tessolan.TaskError, with the program's own message.
class TaskFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Fails with the step's message; shows its warnings as tessolan.TaskWarning either way.
void Check(const FlowStep& step);
void Warn(const std::string& message);
[[noreturn]] void RaiseOSError(const std::string& message);

// A Python float taken as the decimal number it prints as (0.1 as 0.1L), as the batch tool
// reads the same number from its command line.
Extended DecimalOf(double value);

// The map of a run as a dict of NumPy arrays and figures (tessolan.Map wraps it), or None.
py::object MapData(const Results& r);

void BindTask(py::module_& m);
void BindResults(py::module_& m);
void BindRun(py::module_& m);
void BindBudget(py::module_& m);

}  // namespace tessolan::python
