#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "data/FileMessages.h"
#include "data/InitialDataFile.h"
#include "data/KeyedTable.h"
#include "model/Notation.h"
#include "run/TaskRules.h"

#include "Bindings.h"

namespace tessolan::python {
namespace {

using Array = py::array_t<double, py::array::c_style | py::array::forcecast>;

// The main window at start without a task file: every control at its design value, and a gray
// material (reflectance 0.1 at 1, 2, ..., 20 um) so that the task runs as it is.
Task DesignTask() {
  Task t;
  t.task.controls = DesignControls();
  for (int wl = 1; wl <= 20; ++wl) t.task.material.push_back({static_cast<double>(wl), 0.1});
  t.name = "Tessolan";
  return t;
}

Task LoadTaskFile(const std::string& path) {
  AppState state;
  Task t;
  Check(LoadTask(path, state, t.task));
  t.loadedData = state.initialData;
  t.loadedGeometry = state.geometry;
  t.name = TaskNameFromFile(path, DateTimeNow());
  return t;
}

void SaveTaskFile(const Task& t, const std::string& path) {
  auto state = std::make_unique<AppState>();
  state->initialData = t.loadedData;
  state->geometry = t.loadedGeometry;
  Check(GatherTask(t.task, *state));
  std::string message;
  if (!SaveInitialDataFile(path, state->initialData, state->spectral, t.task.comments, DateTimeNow(), message))
    RaiseOSError(NamedFileWritingErrorMessage(path));
}

py::object GetField(const Task& t, const std::string& field) {
  const double value = *FieldValue(t.task.controls, field);
  if (FindBoxByFieldName(field)) return py::float_(value);
  return py::int_(static_cast<long long>(value));
}

void SetFieldValue(Task& t, const std::string& field, const py::object& value) {
  if (py::isinstance<py::bool_>(value) || !(py::isinstance<py::int_>(value) || py::isinstance<py::float_>(value)))
    throw py::type_error(field + " takes a number, not " + std::string(py::str(py::type::of(value).attr("__name__"))));
  Check(SetField(t.task.controls, FieldSetting{field, DecimalOf(value.cast<double>()), py::str(value)}));
}

py::tuple GetReflectance(const Task& t) {
  const auto n = static_cast<py::ssize_t>(t.task.material.size());
  Array wavelengths(n), reflectances(n);
  for (py::ssize_t i = 0; i < n; ++i) {
    wavelengths.mutable_at(i) = t.task.material[i].WL;
    reflectances.mutable_at(i) = t.task.material[i].Reflectance;
  }
  return py::make_tuple(wavelengths, reflectances);
}

// Takes the pair as the table takes points: in order of wavelength, a repeated one skipped.
void SetReflectance(Task& t, const py::object& pair) {
  if (!py::isinstance<py::sequence>(pair) || py::len(pair) != 2)
    throw py::type_error("reflectance takes a pair (wavelengths in um, reflectances)");
  const auto wavelengths = pair[py::int_(0)].cast<Array>();
  const auto reflectances = pair[py::int_(1)].cast<Array>();
  if (wavelengths.ndim() != 1 || reflectances.ndim() != 1 || wavelengths.size() != reflectances.size())
    throw py::value_error("reflectance takes two one-dimensional arrays of the same length");
  std::vector<SpectralPoint> points;
  for (py::ssize_t i = 0; i < wavelengths.size(); ++i) {
    const SpectralPoint p{wavelengths.at(i), reflectances.at(i)};
    if (!std::isfinite(p.WL) || !std::isfinite(p.Reflectance))
      throw py::value_error("reflectance takes finite numbers only");
    points.push_back(p);
  }
  SpectralTable table;
  const int skipped = InsertAll<SpectralPoint>(table, points);
  t.task.material = table.Records();
  if (skipped) Warn(DuplicatedPointsMessage(skipped));
}

void SetName(Task& t, const std::string& name) {
  if (IsBlankText(name)) throw TaskFailure(kBlankTaskNameMessage);
  t.name = name;
}

std::string FieldDoc(const std::string& field) {
  if (const auto box = FindBoxByFieldName(field)) {
    const NumericBoxSpec& s = BoxSpec(*box);
    return "float: the box " + std::string(s.control) + ", " + FormatGeneral(s.minimum) + " to " +
           FormatGeneral(s.maximum) + ", " + std::to_string(s.decimals) + " decimals (design value " +
           FormatGeneral(s.designValue) + "). A value outside the range is clamped, then rounded to the " +
           "decimals, with a TaskWarning.";
  }
  return "int: the radio index " + field + "; an index out of its group's range raises TaskError.";
}

}  // namespace

void BindTask(py::module_& m) {
  py::class_<Task> task(m, "Task", R"(A task: geometry, temperatures, viewing conditions, material and comments.

Task() holds the main window's design values with a gray material (reflectance 0.1 at 1 to 20 um);
Task.load(path) reads a task file. Every field the batch tool's --set knows is an attribute of the
same name (task.SlantAngle = 60), taken through its box's range and decimals.)");
  task.def(py::init(&DesignTask), "The main window's design values and a gray material.")
      .def_static("load", &LoadTaskFile, py::arg("path"),
                  "Reads a task file; raises TaskError with the program's message when it is invalid.\n"
                  "The task is named after the file, without its extension.")
      .def("save", &SaveTaskFile, py::arg("path"),
           "Writes the task file, after the checks a run makes (TaskError when they fail).")
      .def(
          "copy", [](const Task& t) { return t; }, "An independent copy.")
      .def("__copy__", [](const Task& t) { return t; })
      .def(
          "__deepcopy__", [](const Task& t, const py::object&) { return t; }, py::arg("memo"))
      .def_static("fields", &SettableFieldNames, "The names of the fields that can be set, in the window's order.")
      .def_property(
          "name", [](const Task& t) { return t.name; }, &SetName,
          "str: the task name that the report and CSV show; never blank.")
      .def_property(
          "comments", [](const Task& t) { return t.task.comments; },
          [](Task& t, std::vector<std::string> lines) { t.task.comments = std::move(lines); },
          "list[str]: the comment lines.")
      .def_property("reflectance", &GetReflectance, &SetReflectance,
                    "(numpy.ndarray, numpy.ndarray): wavelengths in um and reflectances, in order of wavelength.\n"
                    "Assigning a pair replaces the table; a repeated wavelength is skipped with a TaskWarning.")
      .def("__repr__", [](const Task& t) { return "<tessolan.Task '" + t.name + "'>"; });
  for (const std::string& field : SettableFieldNames()) {
    task.def_property(
        field.c_str(), [field](const Task& t) { return GetField(t, field); },
        [field](Task& t, const py::object& value) { SetFieldValue(t, field, value); }, FieldDoc(field).c_str());
  }
}

}  // namespace tessolan::python
