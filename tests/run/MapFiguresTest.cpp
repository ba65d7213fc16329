#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "run/MapFigures.h"

namespace tessolan {
namespace {

// A grid whose bins hold these EE iso values (NaN: an empty bin) with these rays and errors.
MapGrid GridOf(const std::vector<double>& values, const std::vector<std::uint64_t>& rays, double se = 0) {
  MapGrid grid;
  grid.n = static_cast<int>(std::lround(std::sqrt(values.size())));
  for (std::size_t i = 0; i < values.size(); ++i) {
    MapBin bin;
    bin.rays = rays[i];
    if (!std::isnan(values[i])) {
      bin.eeIso = values[i];
      bin.eeIsoSE = se;
    }
    grid.bins.push_back(bin);
  }
  return grid;
}

TEST(MapFiguresTest, FiguresOfTheCountedBinsExactlyWhenTheyCarryNoError) {
  // Nine bins of 100 rays; the tenth-ray bin falls under a quarter of the mean and the empty one
  // holds nothing. Mean 0.9 over 0.8, 0.85, ..., 1.0 (five values, each once, plus four at 0.9).
  const double nan = MapBin::kNaN;
  const std::vector<double> values{0.8, 0.85, 0.9, 0.95, 1.0, 0.9, 0.9, 0.9, 0.9, 0.1, nan, 0.9, 0.9, 0.9, 0.9, 0.9};
  std::vector<std::uint64_t> rays(16, 100);
  rays[9] = 10;
  rays[10] = 0;
  const Uniformity u = ComputeUniformity(GridOf(values, rays), MapQuantity::EEIso);
  EXPECT_EQ(u.minRays, 30u);  // 1410 rays in 15 bins with rays: a quarter of the mean is 24, under 30
  ASSERT_EQ(u.bins, 14);
  EXPECT_NEAR(u.mean.value, 0.9, 1e-15);
  EXPECT_EQ(u.min.value, 0.8);
  EXPECT_EQ(u.max.value, 1.0);
  // Squared deviations 0.01 + 0.0025 + 0.0025 + 0.01 over 14 bins.
  EXPECT_NEAR(u.rmsNonuniformity.value, std::sqrt(0.025 / 14) / 0.9, 1e-14);
  // Sorted: 0.8, 0.85, 0.9 x 10, 0.95, 1.0; the 5th percentile at 0.65 of the way from 0.8 to
  // 0.85, the 95th at 0.35 of the way from 0.95 to 1.0.
  EXPECT_NEAR(u.spread5to95.value, (0.95 + 0.35 * 0.05) - (0.8 + 0.65 * 0.05), 1e-14);
  for (const UniformityFigure& f : {u.mean, u.min, u.max, u.rmsNonuniformity, u.spread5to95}) EXPECT_EQ(f.se, 0);
}

// The order statistics come from selection, not a sort: on shuffled values of every size they
// must be those of the sorted values.
TEST(MapFiguresTest, MinMaxAndSpreadAreThoseOfTheSortedValuesForAnyCount) {
  for (std::size_t count : {1u, 2u, 3u, 20u, 21u, 101u}) {
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i) values[i] = 0.5 + 0.001 * static_cast<double>((i * 37) % count);
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const auto percentile = [&](double p) {
      const double at = p * static_cast<double>(count - 1);
      const std::size_t low = static_cast<std::size_t>(at), high = std::min(low + 1, count - 1);
      return sorted[low] + (at - static_cast<double>(low)) * (sorted[high] - sorted[low]);
    };
    const std::size_t side = static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(count))));
    values.resize(side * side, MapBin::kNaN);
    const Uniformity u =
        ComputeUniformity(GridOf(values, std::vector<std::uint64_t>(values.size(), 100)), MapQuantity::EEIso);
    SCOPED_TRACE(count);
    ASSERT_EQ(u.bins, static_cast<int>(count));
    EXPECT_EQ(u.min.value, sorted.front());
    EXPECT_EQ(u.max.value, sorted.back());
    EXPECT_EQ(u.spread5to95.value, percentile(0.95) - percentile(0.05));
  }
}

TEST(MapFiguresTest, AQuarterOfTheMeanRaysDecidesWhenBinsAreFull) {
  const std::vector<double> values(4, 0.5);
  const Uniformity u = ComputeUniformity(GridOf(values, {1000, 1000, 1000, 150}), MapQuantity::EEIso);
  EXPECT_EQ(u.minRays, 197u);  // ceil(3150 / 4 / 4)
  EXPECT_EQ(u.bins, 3);
  const Uniformity none = ComputeUniformity(GridOf(values, {0, 0, 0, 0}), MapQuantity::EEIso);
  EXPECT_EQ(none.bins, 0);
  EXPECT_TRUE(std::isnan(none.mean.value));
}

// The redraws give the mean the error of a mean of independent bins, se / sqrt(m). The standard
// deviation over 200 redraws has a relative standard error of 1 / sqrt(2 199) = 5 %: four of them.
// Also for errors a billionth of the values, where sums of squared figures would lose them.
TEST(MapFiguresTest, MeansErrorFromTheRedrawsIsTheBinsErrorOverTheRootOfTheirCount) {
  for (double se : {0.01, 1e-9}) {
    SCOPED_TRACE(se);
    const std::vector<double> values(64 * 64, 0.95);
    const std::vector<std::uint64_t> rays(values.size(), 100);
    const Uniformity u = ComputeUniformity(GridOf(values, rays, se), MapQuantity::EEIso);
    const double expected = se / 64;
    EXPECT_NEAR(u.mean.se, expected, 4 * expected / std::sqrt(2.0 * 199));
    EXPECT_GT(u.spread5to95.se, 0);
    // Same map, same figures: the redraws' generator has a fixed seed.
    const Uniformity again = ComputeUniformity(GridOf(values, rays, se), MapQuantity::EEIso);
    EXPECT_EQ(u.spread5to95.se, again.spread5to95.se);
  }
}

TEST(MapFiguresTest, LinesNameTheGridTheChannelAndEveryQuantity) {
  RunMap map;
  map.wavelength = 3.5;
  map.rtWavelength = 3.5;
  map.folded = GridOf(std::vector<double>(4, 0.9), {50, 50, 50, 50});
  map.folded.folded = true;
  map.folded.xMin = map.folded.yMin = -1.5;
  map.folded.xMax = map.folded.yMax = 1.5;
  const std::vector<std::string> lines = UniformityLines(map, true);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "Map: folded into one array period, 2 x 2 bins, x and y from -1.5 to 1.5");
  EXPECT_EQ(lines[1], "Map channel: wavelength 3.5 um");
  EXPECT_EQ(lines[2], "Map bins counted: 4 of 4 with rays (at least 30 rays each); rays in no bin: 0");
  EXPECT_EQ(lines[3].rfind("EE iso: mean 0.9 +/- 0, min 0.9", 0), 0u) << lines[3];
  EXPECT_EQ(lines[6].rfind("RT noniso (K): mean - +/- -", 0), 0u) << lines[6];
}

}  // namespace
}  // namespace tessolan
