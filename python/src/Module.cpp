#include <charconv>

#include "data/NumberParsing.h"

#include "Bindings.h"

namespace tessolan::python {

void Warn(const std::string& message) {
  const py::object category = py::module_::import("tessolan._core").attr("TaskWarning");
  if (PyErr_WarnEx(category.ptr(), message.c_str(), 1) != 0) throw py::error_already_set();
}

void RaiseOSError(const std::string& message) {
  PyErr_SetString(PyExc_OSError, message.c_str());
  throw py::error_already_set();
}

void Check(const FlowStep& step) {
  for (const std::string& warning : step.warnings) Warn(warning);
  if (!step.ok) throw TaskFailure(step.message);
}

Extended DecimalOf(double value) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return ParseNumber(std::string_view(text, end - text)).value_or(static_cast<Extended>(value));
}

}  // namespace tessolan::python

PYBIND11_MODULE(_core, m) {
  namespace tp = tessolan::python;
  namespace py = pybind11;
  m.doc() = "The compiled core of the tessolan package; use the names that tessolan exports.";
  py::register_exception<tp::TaskFailure>(m, "TaskError", PyExc_ValueError).doc() =
      "A task the program refuses; the message is the program's own.";
  m.attr("TaskWarning") = py::reinterpret_steal<py::object>(
      PyErr_NewExceptionWithDoc("tessolan.TaskWarning", "A value the program changed or skipped while taking a task.",
                                PyExc_UserWarning, nullptr));
  tp::BindTask(m);
  tp::BindResults(m);
  tp::BindRun(m);
  tp::BindBudget(m);
}
