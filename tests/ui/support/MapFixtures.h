#pragma once

#include <cmath>

#include "model/RunMap.h"

namespace tessolan::testing {

// Hand-built maps with the pattern a pyramid cell gives: dark valleys in the gap, a face
// turned each way with its own level, the top flat brightest. Values depend on the position
// within the cell only, so the whole-radiator map repeats the folded one.
struct PyramidPattern {
  double period = 1.25, halfBase = 0.5, halfTopFlat = 0.125;

  // (x, y) about a pyramid's centre.
  double EEIso(double x, double y) const {
    const double ax = std::abs(x), ay = std::abs(y);
    if (ax > halfBase || ay > halfBase) return 0.955;  // the gap's valleys
    if (ax <= halfTopFlat && ay <= halfTopFlat) return 0.992;
    if (ax >= ay) return x > 0 ? 0.981 : 0.975;
    return y > 0 ? 0.986 : 0.970;
  }
};

inline MapBin PatternBin(const PyramidPattern& pattern, double x, double y, std::uint64_t rays) {
  MapBin bin;
  bin.rays = rays;
  if (rays == 0) return bin;
  bin.eeIso = pattern.EEIso(x, y);
  bin.eeNoniso = bin.eeIso - 0.004;
  bin.eeIsoSE = 0.0012;
  bin.eeNonisoSE = 0.0013;
  bin.rtIso = 600 + 40 * (bin.eeIso - 0.97);
  bin.rtNoniso = 598 + 40 * (bin.eeNoniso - 0.97);
  return bin;
}

// Folded: one cell about its centre.
inline MapGrid FoldedPatternGrid(const PyramidPattern& pattern, int n) {
  MapGrid grid{n, true, -pattern.period / 2, pattern.period / 2, -pattern.period / 2, pattern.period / 2, {}};
  for (int iy = 0; iy < n; ++iy)
    for (int ix = 0; ix < n; ++ix) {
      const double x = grid.xMin + (ix + 0.5) * grid.BinWidth(), y = grid.yMin + (iy + 0.5) * grid.BinHeight();
      grid.bins.push_back(PatternBin(pattern, x, y, 400 + (ix * 7 + iy * 3) % 50));
    }
  return grid;
}

// Whole radiator: a circle of radius `radius` about the origin over pyramids centred on the
// period's multiples; bins outside the circle have no rays.
inline MapGrid UnfoldedPatternGrid(const PyramidPattern& pattern, int n, double radius) {
  MapGrid grid{n, false, -radius, radius, -radius, radius, {}};
  const auto inCell = [&pattern](double v) { return v - pattern.period * std::round(v / pattern.period); };
  for (int iy = 0; iy < n; ++iy)
    for (int ix = 0; ix < n; ++ix) {
      const double x = grid.xMin + (ix + 0.5) * grid.BinWidth(), y = grid.yMin + (iy + 0.5) * grid.BinHeight();
      const bool inside = x * x + y * y <= radius * radius;
      grid.bins.push_back(PatternBin(pattern, inCell(x), inCell(y), inside ? 30 + (ix + iy) % 7 : 0));
    }
  return grid;
}

// A run's map of both grids at a wavelength (NaN: the spectrum average).
inline RunMap PatternRunMap(int n, double wavelength, double radius = 5) {
  const PyramidPattern pattern;
  RunMap map;
  map.grid = n;
  map.valid = true;
  map.wavelength = wavelength;
  map.unfolded = UnfoldedPatternGrid(pattern, n, radius);
  map.folded = FoldedPatternGrid(pattern, n);
  return map;
}

}  // namespace tessolan::testing
