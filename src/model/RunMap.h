#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace tessolan {

// What a map shows in each bin.
enum class MapQuantity { EEIso, EENoniso, RTIso, RTNoniso };

// One bin of a map: the rays whose first hit on the array fell in it, and the results of those
// rays alone. NaN where the bin holds too few rays for a value (no rays; fewer than two for a
// standard error).
struct MapBin {
  static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  std::uint64_t rays = 0;
  double weight = 0;  // the sum of the rays' initial weights (rays, unless the launch weighs them)
  double eeIso = kNaN, eeIsoSE = kNaN;
  double eeNoniso = kNaN, eeNonisoSE = kNaN;
  double rtIso = kNaN, rtNoniso = kNaN;
  double rtIsoSE = kNaN, rtNonisoSE = kNaN;  // carried over from the EE's by the slope dT/d(EE)
};

// A square grid of bins over a rectangle of array coordinates (the task's length unit):
// bins[iy * n + ix] covers x in [xMin + ix * dx, xMin + (ix + 1) * dx), likewise y.
struct MapGrid {
  int n = 0;
  bool folded = false;  // folded: all pyramids in one array period, else the viewed region
  double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
  std::vector<MapBin> bins;

  const MapBin& At(int ix, int iy) const { return bins[static_cast<std::size_t>(iy) * n + ix]; }
  double BinWidth() const { return n > 0 ? (xMax - xMin) / n : 0; }
  double BinHeight() const { return n > 0 ? (yMax - yMin) / n : 0; }
};

inline double MapValue(const MapBin& bin, MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::EEIso:
      return bin.eeIso;
    case MapQuantity::EENoniso:
      return bin.eeNoniso;
    case MapQuantity::RTIso:
      return bin.rtIso;
    case MapQuantity::RTNoniso:
      return bin.rtNoniso;
  }
  return MapBin::kNaN;
}

// "EEIso", "EENoniso", "RTIso", "RTNoniso": the quantity's short name, as files write it.
inline const char* QuantityShortName(MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::EEIso:
      return "EEIso";
    case MapQuantity::EENoniso:
      return "EENoniso";
    case MapQuantity::RTIso:
      return "RTIso";
    case MapQuantity::RTNoniso:
      return "RTNoniso";
  }
  return "";
}

// A figure of a map with its Monte Carlo standard uncertainty.
struct UniformityFigure {
  double value = MapBin::kNaN;
  double se = MapBin::kNaN;
};

// Uniformity of one quantity over the bins that hold at least minRays rays.
struct Uniformity {
  int bins = 0;               // bins counted
  std::uint64_t minRays = 0;  // the rule: a bin counts from this many rays
  UniformityFigure mean, min, max;
  UniformityFigure rmsNonuniformity;  // RMS of (value - mean) / mean over the bins counted
  UniformityFigure spread5to95;       // 95th minus 5th percentile
};

// What a run maps: set the request before the run (RunOptions::map), read the grids after it.
// Both grids are collected in one run.
struct RunMap {
  // The request.
  int grid = 64;             // bins per side, 1..1024
  int wavelengthIndex = -1;  // index into the spectral arrays; -1: averaged over the spectrum
  // The result of the last completed run.
  bool valid = false;
  double wavelength = MapBin::kNaN;  // micrometres; NaN when averaged over the spectrum
  // The wavelength of the bins' radiance temperatures: the map's own, or for a map averaged over
  // the spectrum the middle of the table's band. There a bin's RT is that of a gray surface with
  // the bin's band-averaged EE, seen at the band's middle: a figure to compare bins by, not the
  // band radiance temperature a broadband radiometer would read.
  double rtWavelength = MapBin::kNaN;
  // Rays that belong to no bin: those that never met the array. A ray lost at launch, or whose
  // first hit falls outside the radiating area, interrupts the run (the field-of-view message),
  // so a completed run has none of those and these stay 0 in practice. Were there any, they
  // would count in the run's results with their weight and nothing absorbed: the bins' weighted
  // mean times binned / (binned + lost) weight is the run's EE.
  std::uint64_t lostRays = 0;
  double lostWeight = 0;
  // unfolded: the viewed region's bounding square (run/MapRegion.h); folded: one array period,
  // x and y in [-P/2, P/2) about a pyramid's axis. See docs/MAPS.md.
  MapGrid unfolded, folded;
};

}  // namespace tessolan
