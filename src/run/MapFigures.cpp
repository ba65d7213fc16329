#include "run/MapFigures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace tessolan {
namespace {

constexpr double kNaN = MapBin::kNaN;

struct Figures {
  double mean, min, max, rms, spread;
};

// The value at fraction p of the values in order, interpolated linearly between neighbours.
// Rearranges `values`, keeping everything below the neighbours before them and above after.
double Percentile(std::vector<double>& values, double p) {
  const double at = p * static_cast<double>(values.size() - 1);
  const auto low = values.begin() + static_cast<std::ptrdiff_t>(std::floor(at));
  std::nth_element(values.begin(), low, values.end());
  const auto high = low + 1 == values.end() ? low : std::min_element(low + 1, values.end());
  return *low + (at - static_cast<double>(low - values.begin())) * (*high - *low);
}

// The figures of a non-empty set of values, which are rearranged. Order statistics by selection,
// not a sort: a map's figures are redrawn many times.
Figures FiguresOf(std::vector<double>& values) {
  long double sum = 0;
  for (double v : values) sum += v;
  const double mean = static_cast<double>(sum / values.size());
  long double squares = 0;
  for (double v : values) squares += (v - mean) * (v - mean);
  const double rms = std::sqrt(static_cast<double>(squares / values.size()));
  const auto [min, max] = std::minmax_element(values.begin(), values.end());
  const double lowest = *min, highest = *max;
  const double p95 = Percentile(values, 0.95);
  const double p5 = Percentile(values, 0.05);
  return {mean, lowest, highest, mean != 0 ? rms / mean : kNaN, p95 - p5};
}

// Standard normal deviates by the Box-Muller transform, both of each pair used: the same on
// every library.
class NormalDeviates {
 public:
  double Next() {
    if (haveSecond_) {
      haveSecond_ = false;
      return second_;
    }
    constexpr double kScale = 1.0 / 9007199254740992.0;  // 2^-53
    const double u1 = (static_cast<double>(rng_() >> 11) + 1) * kScale;
    const double u2 = static_cast<double>(rng_() >> 11) * kScale;
    const double radius = std::sqrt(-2 * std::log(u1));
    const double angle = 2 * std::numbers::pi * u2;
    second_ = radius * std::sin(angle);
    haveSecond_ = true;
    return radius * std::cos(angle);
  }

 private:
  std::mt19937_64 rng_{kUniformitySeed};
  double second_ = 0;
  bool haveSecond_ = false;
};

// Standard deviations of the figures over redraws of the values with their errors.
// Summed as deviations from the figures of the values themselves, `base`: a figure's spread over
// the redraws may be a billionth of its value, which sums of squares of the figures would lose.
Figures RedrawDeviations(const std::vector<double>& values, const std::vector<double>& errors, const Figures& base) {
  NormalDeviates normal;
  std::vector<double> redrawn(values.size());
  const double origin[5] = {base.mean, base.min, base.max, base.rms, base.spread};
  long double sum[5] = {}, sum2[5] = {};
  for (int r = 0; r < kUniformityRedraws; ++r) {
    for (std::size_t i = 0; i < values.size(); ++i) redrawn[i] = values[i] + errors[i] * normal.Next();
    const Figures f = FiguresOf(redrawn);
    const double each[5] = {f.mean, f.min, f.max, f.rms, f.spread};
    for (int k = 0; k < 5; ++k) {
      const long double d = static_cast<long double>(each[k]) - origin[k];
      sum[k] += d;
      sum2[k] += d * d;
    }
  }
  double sd[5];
  for (int k = 0; k < 5; ++k) {
    const long double mean = sum[k] / kUniformityRedraws;
    const long double variance = (sum2[k] - kUniformityRedraws * mean * mean) / (kUniformityRedraws - 1);
    sd[k] = static_cast<double>(std::sqrt(std::max<long double>(variance, 0)));
  }
  return {sd[0], sd[1], sd[2], sd[3], sd[4]};
}

std::string Number(double v) {
  if (std::isnan(v)) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", v);
  return text;
}

std::string WithError(const UniformityFigure& f, double scale = 1, const char* unit = "") {
  return Number(f.value * scale) + unit + " +/- " + Number(f.se * scale) + unit;
}

std::string FigureLine(const char* name, const Uniformity& u) {
  return std::string(name) + ": mean " + WithError(u.mean) + ", min " + WithError(u.min) + ", max " + WithError(u.max) +
         ", RMS nonuniformity " + WithError(u.rmsNonuniformity, 100, " %") + ", 5-95% spread " +
         WithError(u.spread5to95);
}

}  // namespace

double MapValueError(const MapBin& bin, MapQuantity quantity) {
  switch (quantity) {
    case MapQuantity::EEIso:
      return bin.eeIsoSE;
    case MapQuantity::EENoniso:
      return bin.eeNonisoSE;
    case MapQuantity::RTIso:
      return bin.rtIsoSE;
    case MapQuantity::RTNoniso:
      return bin.rtNonisoSE;
  }
  return kNaN;
}

std::uint64_t CountedBinRays(const MapGrid& grid, MapQuantity quantity) {
  std::uint64_t rays = 0, occupied = 0;
  for (const MapBin& bin : grid.bins)
    if (bin.rays > 0 && !std::isnan(MapValue(bin, quantity))) {
      rays += bin.rays;
      ++occupied;
    }
  const std::uint64_t quarterOfMean = occupied ? (rays + 4 * occupied - 1) / (4 * occupied) : 0;
  return std::max(kMinCountedRays, quarterOfMean);
}

Uniformity ComputeUniformity(const MapGrid& grid, MapQuantity quantity) {
  Uniformity u;
  u.minRays = CountedBinRays(grid, quantity);
  std::vector<double> values, errors;
  for (const MapBin& bin : grid.bins) {
    const double v = MapValue(bin, quantity);
    if (bin.rays < u.minRays || std::isnan(v)) continue;
    const double se = MapValueError(bin, quantity);
    values.push_back(v);
    errors.push_back(std::isnan(se) ? 0 : se);
  }
  u.bins = static_cast<int>(values.size());
  if (values.empty()) return u;
  std::vector<double> arranged = values;  // FiguresOf reorders; the redraws need values beside their errors
  const Figures f = FiguresOf(arranged);
  const Figures sd = RedrawDeviations(values, errors, f);
  u.mean = {f.mean, sd.mean};
  u.min = {f.min, sd.min};
  u.max = {f.max, sd.max};
  u.rmsNonuniformity = {f.rms, sd.rms};
  u.spread5to95 = {f.spread, sd.spread};
  return u;
}

std::vector<std::string> UniformityLines(const RunMap& map, bool folded) {
  const MapGrid& grid = folded ? map.folded : map.unfolded;
  const std::string n = std::to_string(grid.n);
  std::vector<std::string> lines;
  lines.push_back(std::string("Map: ") + (folded ? "folded into one array period, " : "unfolded, ") + n + " x " + n +
                  " bins, x and y from " + Number(grid.xMin) + " to " + Number(grid.xMax));
  if (std::isnan(map.wavelength))
    lines.push_back("Map channel: mean over the spectrum (radiance temperatures at " + Number(map.rtWavelength) +
                    " um, the band's middle)");
  else
    lines.push_back("Map channel: wavelength " + Number(map.wavelength) + " um");
  const Uniformity iso = ComputeUniformity(grid, MapQuantity::EEIso);
  std::uint64_t occupied = 0;
  for (const MapBin& bin : grid.bins) occupied += bin.rays > 0;
  lines.push_back("Map bins counted: " + std::to_string(iso.bins) + " of " + std::to_string(occupied) +
                  " with rays (at least " + std::to_string(iso.minRays) +
                  " rays each); rays in no bin: " + std::to_string(map.lostRays));
  lines.push_back(FigureLine("EE iso", iso));
  lines.push_back(FigureLine("EE noniso", ComputeUniformity(grid, MapQuantity::EENoniso)));
  lines.push_back(FigureLine("RT iso (K)", ComputeUniformity(grid, MapQuantity::RTIso)));
  lines.push_back(FigureLine("RT noniso (K)", ComputeUniformity(grid, MapQuantity::RTNoniso)));
  return lines;
}

}  // namespace tessolan
