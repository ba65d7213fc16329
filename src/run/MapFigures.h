#pragma once

// Stand-in until the run's own uniformity figures land: the same call, the figures computed
// plainly over the bins with at least one ray, without their uncertainties (NaN).
#include <algorithm>
#include <cmath>
#include <vector>

#include "model/RunMap.h"

namespace tessolan {

inline Uniformity ComputeUniformity(const MapGrid& grid, MapQuantity quantity) {
  Uniformity u;
  u.minRays = 1;
  std::vector<double> values;
  for (const MapBin& bin : grid.bins) {
    const double v = MapValue(bin, quantity);
    if (bin.rays >= u.minRays && !std::isnan(v)) values.push_back(v);
  }
  u.bins = static_cast<int>(values.size());
  if (values.empty()) return u;
  std::sort(values.begin(), values.end());
  double sum = 0;
  for (double v : values) sum += v;
  const double mean = sum / values.size();
  double squares = 0;
  for (double v : values) squares += (v - mean) / mean * ((v - mean) / mean);
  auto percentile = [&values](double p) { return values[static_cast<std::size_t>(p * (values.size() - 1) + 0.5)]; };
  u.mean.value = mean;
  u.min.value = values.front();
  u.max.value = values.back();
  u.rmsNonuniformity.value = std::sqrt(squares / values.size());
  u.spread5to95.value = percentile(0.95) - percentile(0.05);
  return u;
}

}  // namespace tessolan
