#include <string>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "run/MapFigures.h"

#include "Bindings.h"

namespace tessolan::python {
namespace {

// One value of every bin as an n x n array indexed [iy, ix].
template <class T, class Value>
py::array_t<T> BinArray(const MapGrid& grid, Value value) {
  py::array_t<T> array({grid.n, grid.n});
  auto a = array.template mutable_unchecked<2>();
  for (int iy = 0; iy < grid.n; ++iy)
    for (int ix = 0; ix < grid.n; ++ix) a(iy, ix) = static_cast<T>(value(grid.At(ix, iy)));
  return array;
}

py::array_t<double> Centres(double low, double width, int n) {
  py::array_t<double> array(n);
  for (int i = 0; i < n; ++i) array.mutable_at(i) = low + (i + 0.5) * width;
  return array;
}

py::dict FigureDict(const Uniformity& u) {
  py::dict d;
  d["bins"] = u.bins;
  d["min_rays"] = u.minRays;
  const std::pair<const char*, const UniformityFigure*> figures[] = {{"mean", &u.mean},
                                                                     {"min", &u.min},
                                                                     {"max", &u.max},
                                                                     {"rms_nonuniformity", &u.rmsNonuniformity},
                                                                     {"spread_5_95", &u.spread5to95}};
  for (const auto& [name, figure] : figures) {
    d[name] = figure->value;
    d[(std::string(name) + "_se").c_str()] = figure->se;
  }
  return d;
}

py::dict GridDict(const MapGrid& g) {
  py::dict d;
  d["n"] = g.n;
  d["folded"] = g.folded;
  d["extent"] = py::make_tuple(g.xMin, g.xMax, g.yMin, g.yMax);
  d["x"] = Centres(g.xMin, g.BinWidth(), g.n);
  d["y"] = Centres(g.yMin, g.BinHeight(), g.n);
  d["rays"] = BinArray<std::int64_t>(g, [](const MapBin& b) { return b.rays; });
  d["weight"] = BinArray<double>(g, [](const MapBin& b) { return b.weight; });
  d["ee_iso"] = BinArray<double>(g, [](const MapBin& b) { return b.eeIso; });
  d["ee_iso_se"] = BinArray<double>(g, [](const MapBin& b) { return b.eeIsoSE; });
  d["ee_noniso"] = BinArray<double>(g, [](const MapBin& b) { return b.eeNoniso; });
  d["ee_noniso_se"] = BinArray<double>(g, [](const MapBin& b) { return b.eeNonisoSE; });
  d["rt_iso"] = BinArray<double>(g, [](const MapBin& b) { return b.rtIso; });
  d["rt_iso_se"] = BinArray<double>(g, [](const MapBin& b) { return b.rtIsoSE; });
  d["rt_noniso"] = BinArray<double>(g, [](const MapBin& b) { return b.rtNoniso; });
  d["rt_noniso_se"] = BinArray<double>(g, [](const MapBin& b) { return b.rtNonisoSE; });
  py::dict uniformity;
  const std::pair<const char*, MapQuantity> quantities[] = {{"ee_iso", MapQuantity::EEIso},
                                                            {"ee_noniso", MapQuantity::EENoniso},
                                                            {"rt_iso", MapQuantity::RTIso},
                                                            {"rt_noniso", MapQuantity::RTNoniso}};
  for (const auto& [name, quantity] : quantities) uniformity[name] = FigureDict(ComputeUniformity(g, quantity));
  d["uniformity"] = uniformity;
  return d;
}

}  // namespace

py::object MapData(const Results& r) {
  if (!r.map || !r.map->valid) return py::none();
  const RunMap& m = *r.map;
  py::dict d;
  d["wavelength"] = std::isnan(m.wavelength) ? py::object(py::none()) : py::object(py::float_(m.wavelength));
  d["rt_wavelength"] = m.rtWavelength;
  d["lost_rays"] = m.lostRays;
  d["unfolded"] = GridDict(m.unfolded);
  d["folded"] = GridDict(m.folded);
  return d;
}

}  // namespace tessolan::python
