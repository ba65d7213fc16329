#include <atomic>
#include <climits>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/stl.h>

#include "Bindings.h"
#include "run/Budget.h"

namespace tessolan::python {
namespace {

// One uncertainty as the Python layer passes it: (input, u, relative, u per wavelength).
using UncertaintyTuple = std::tuple<std::string, double, bool, std::vector<double>>;

// Stops the budget, like the Stop button, on Ctrl-C or an exception from the progress callable;
// polled between runs and, through `stop`, within them.
class PythonBudgetProgress {
 public:
  explicit PythonBudgetProgress(py::object progress) : progress_(std::move(progress)) {}

  BudgetProgress Progress() {
    BudgetProgress p;
    p.stop = &stop_;
    p.step = [this](int done, int total, const std::string& what) { Step(done, total, what); };
    return p;
  }
  // The lock is released during the budget; a watcher thread is not worth it for signals that
  // the steps between runs already see.
  void Finish() {
    if (error_) std::rethrow_exception(error_);
  }

 private:
  void Step(int done, int total, const std::string& what) {
    if (error_) return;
    py::gil_scoped_acquire lock;
    try {
      if (PyErr_CheckSignals() != 0) throw py::error_already_set();
      if (!progress_.is_none()) progress_(done, total, what);
    } catch (...) {
      error_ = std::current_exception();
      stop_ = true;
    }
  }

  py::object progress_;
  std::atomic<bool> stop_{false};
  std::exception_ptr error_;
};

std::uint32_t SeedOf(const std::optional<long long>& seed) {
  if (!seed) return ClockSeed();
  if (*seed < 0 || *seed > 0xFFFFFFFFLL) throw py::value_error("seed must be in 0..4294967295");
  return static_cast<std::uint32_t>(*seed);
}

Budget RunBudgetFromPython(const Task& t, const std::vector<UncertaintyTuple>& uncertainties, long long rays,
                           std::optional<long long> seed, double threshold, double coverage, bool parallel,
                           long long threads, int replicates, const std::string& precision,
                           const py::object& progress) {
  if (rays < 1) throw py::value_error("rays must be at least 1");
  if (!(threshold >= 0)) throw py::value_error("threshold must be a number of at least 0");
  if (threads < 0) throw py::value_error("threads must be at least 0 (0: one per processor core)");
  if (!progress.is_none() && !PyCallable_Check(progress.ptr()))
    throw py::type_error("progress must be callable as progress(runs_done, runs_total, what)");
  if (precision != "extended" && precision != "double")
    throw py::value_error("precision must be 'extended' or 'double', not '" + precision + "'");
  BudgetRequest request;
  for (const auto& [input, u, relative, perWavelength] : uncertainties)
    request.inputs.push_back({input, u, relative, perWavelength});
  request.coverageFactor = coverage;
  request.rays = static_cast<std::uint64_t>(rays);
  request.threshold = DecimalOf(threshold);
  request.seed = SeedOf(seed);
  request.replicates = replicates;
  request.options.parallel = parallel;
  request.options.threads = static_cast<unsigned>(std::min<long long>(threads, UINT_MAX));
  request.options.precision = precision == "double" ? Precision::Double : Precision::Extended;

  PythonBudgetProgress watcher(progress);
  Budget budget;
  FlowStep step;
  {
    py::gil_scoped_release unlocked;
    step = RunBudget(t.task, request, budget, watcher.Progress());
  }
  watcher.Finish();
  Check(step);
  return budget;
}

// The rows as columns of the CSV file, for a DataFrame.
py::dict Columns(const Budget& budget) {
  py::list wavelength, quantity, input, u, sensitivity, se, contribution, share, value, oneSided, independent;
  for (const BudgetEntry& e : budget.entries) {
    for (const BudgetRow& r : e.rows) {
      wavelength.append(e.wavelength);
      quantity.append(QuantityShortName(e.quantity));
      input.append(r.input);
      u.append(r.u);
      sensitivity.append(r.sensitivity);
      se.append(r.sensitivitySE);
      contribution.append(r.contribution);
      share.append(r.share);
      value.append(e.value);
      oneSided.append(r.oneSided);
      independent.append(r.independentSE);
    }
  }
  py::dict columns;
  columns["wavelength"] = wavelength, columns["quantity"] = quantity, columns["input"] = input;
  columns["u"] = u, columns["sensitivity"] = sensitivity, columns["sensitivity_se"] = se;
  columns["contribution"] = contribution, columns["share"] = share;
  columns["value"] = value, columns["one_sided"] = oneSided, columns["independent_se"] = independent;
  return columns;
}

}  // namespace

void BindBudget(py::module_& m) {
  py::class_<Budget>(m, "_Budget")
      .def_readonly("coverage", &Budget::coverageFactor)
      .def_readonly("rays", &Budget::rays)
      .def_readonly("seed", &Budget::seed)
      .def_readonly("replicates", &Budget::replicates)
      .def("columns", &Columns)
      .def("csv_lines", &BudgetCsv)
      .def("lines", [](const Budget& b, char separator) { return BudgetLines(b, separator); });
  m.def("_budget", &RunBudgetFromPython, py::arg("task"), py::arg("uncertainties"), py::arg("rays"), py::arg("seed"),
        py::arg("threshold"), py::arg("coverage"), py::arg("parallel"), py::arg("threads"), py::arg("replicates"),
        py::arg("precision"), py::arg("progress"));
}

}  // namespace tessolan::python
