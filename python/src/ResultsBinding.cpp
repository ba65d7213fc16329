#include <optional>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "data/CsvExport.h"
#include "data/FileMessages.h"
#include "data/ResultsFile.h"
#include "run/TaskRules.h"

#include "Bindings.h"

namespace tessolan::python {
namespace {

using Column = std::vector<Extended> SpectralArrays::*;

py::array_t<double> ColumnArray(const Results& r, Column column) {
  const SpectralArrays& s = r.state->spectral;
  py::array_t<double> array(s.NWL);
  for (int i = 0; i < s.NWL; ++i) array.mutable_at(i) = static_cast<double>((s.*column)[i]);
  return array;
}

char SeparatorOf(const std::optional<std::string>& separator) {
  if (!separator) return UserDecimalSeparator();
  if (separator->size() != 1) throw py::value_error("decimal_separator takes one character");
  return (*separator)[0];
}

void Write(const Results& r, const OutputFiles& files, char separator = '.') {
  const FlowStep step = WriteOutputs(*r.state, files, separator);
  if (!step.ok) RaiseOSError(step.message);
}

OutputFiles ResultsFileAt(const std::string& path) { return {path, std::nullopt, std::nullopt}; }
OutputFiles ReportFileAt(const std::string& path) { return {std::nullopt, path, std::nullopt}; }
OutputFiles CsvFileAt(const std::string& path) { return {std::nullopt, std::nullopt, path}; }

// A sweep's runs in the batch tool's sweep table: the swept field's value first in every row.
std::string SweepCsv(const std::string& field, const std::vector<double>& values, const std::vector<Results>& runs,
                     const std::optional<std::string>& path) {
  if (runs.empty() || values.size() != runs.size()) throw py::value_error("a sweep needs one value per run");
  std::vector<SweepRun> rows;
  for (std::size_t i = 0; i < runs.size(); ++i) rows.push_back({values[i], ResultsRows(runs[i].state->spectral)});
  const auto lines = SweepCsvLines(CsvHeading(*runs.back().state), field, rows);
  if (!path) return CsvText(lines);
  std::string message;
  if (!SaveCsvFile(*path, lines, message)) RaiseOSError(NamedFileWritingErrorMessage(*path));
  return {};
}

}  // namespace

void BindResults(py::module_& m) {
  py::class_<Results> results(m, "Results", R"(The results of a completed run, one entry per wavelength of the material.

The arrays are float64 copies of the run's extended-precision numbers; the files are written from
the numbers themselves, byte for byte as the batch tool writes them.)");
  const struct {
    const char* name;
    Column column;
    const char* doc;
  } columns[] = {
      {"wavelength", &SpectralArrays::ArrWL, "numpy.ndarray: wavelengths in um"},
      {"ee_iso", &SpectralArrays::ArrEEIso, "numpy.ndarray: isothermal effective emissivity"},
      {"ee_noniso", &SpectralArrays::ArrEE, "numpy.ndarray: nonisothermal effective emissivity"},
      {"rt_iso", &SpectralArrays::ArrRTIso, "numpy.ndarray: isothermal radiance temperature in K"},
      {"rt_noniso", &SpectralArrays::ArrRT, "numpy.ndarray: nonisothermal radiance temperature in K"},
      {"ee_iso_se", &SpectralArrays::ArrEEIsoSE, "numpy.ndarray: standard error of ee_iso"},
      {"ee_noniso_se", &SpectralArrays::ArrEESE, "numpy.ndarray: standard error of ee_noniso"},
      {"rt_iso_se", &SpectralArrays::ArrRTIsoSE, "numpy.ndarray: standard error of rt_iso in K"},
      {"rt_noniso_se", &SpectralArrays::ArrRTSE, "numpy.ndarray: standard error of rt_noniso in K"},
  };
  for (const auto& c : columns) {
    const Column column = c.column;
    results.def_property_readonly(
        c.name, [column](const Results& r) { return ColumnArray(r, column); }, c.doc);
  }
  results
      .def_property_readonly(
          "rays", [](const Results& r) { return r.state->accuracy.NRays; },
          "int: rays of the run (those it took, for a run to a target error)")
      .def_property_readonly(
          "seed", [](const Results& r) { return r.state->run.RunSeed; },
          "int: the seed the run started from; the same seed gives the same numbers")
      .def_property_readonly(
          "threshold", [](const Results& r) { return static_cast<double>(r.state->accuracy.Threshold); },
          "float: the radiant flux threshold of the run")
      .def_property_readonly(
          "task_name", [](const Results& r) { return r.state->identity.TaskName; }, "str: the task's name")
      .def(
          "save", [](const Results& r, const std::string& path) { Write(r, ResultsFileAt(path)); }, py::arg("path"),
          "Writes the results file (what tessolan-batch -o writes).")
      .def(
          "report",
          [](const Results& r, const std::optional<std::string>& separator) {
            std::string text;
            for (const std::string& line : ReportLines(*r.state, SeparatorOf(separator))) text += line + '\n';
            return text;
          },
          py::arg("decimal_separator") = py::none(),
          "The report's text, one line per line. Numbers use the decimal separator given, by default the\n"
          "user's (from the locale of the environment), as the batch tool's report does.")
      .def(
          "save_report",
          [](const Results& r, const std::string& path, const std::optional<std::string>& separator) {
            Write(r, ReportFileAt(path), SeparatorOf(separator));
          },
          py::arg("path"), py::arg("decimal_separator") = py::none(),
          "Writes the report file (what tessolan-batch -r writes).")
      .def(
          "to_csv",
          [](const Results& r, const std::optional<std::string>& path) -> py::object {
            if (!path) return py::str(CsvText(ResultsCsv(*r.state)));
            Write(r, CsvFileAt(*path));
            return py::none();
          },
          py::arg("path") = py::none(),
          "Writes the CSV table of the batch tool's --csv to `path`; without a path, returns its text.")
      .def("_map_data", &MapData)
      .def("__len__", [](const Results& r) { return r.state->spectral.NWL; })
      .def("__repr__", [](const Results& r) {
        return "<tessolan.Results '" + r.state->identity.TaskName + "': " + std::to_string(r.state->spectral.NWL) +
               " wavelengths, " + std::to_string(r.state->accuracy.NRays) + " rays, seed " +
               std::to_string(r.state->run.RunSeed) + ">";
      });
  m.def("_sweep_csv", &SweepCsv, py::arg("field"), py::arg("values"), py::arg("runs"), py::arg("path") = py::none());
}

}  // namespace tessolan::python
