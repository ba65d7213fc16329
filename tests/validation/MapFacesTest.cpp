// The folded map of specular pyramids whose reflection count depends on where a vertical ray
// first meets a face: every bin that lies wholly where the groove fixes the count holds that
// count's exact effective emissivity, 1 - rho^n.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>
#include <set>

#include "HeightFieldWalk.h"
#include "TaskRunner.h"
#include "ValidationLedger.h"
#include "model/AppState.h"
#include "run/Gathering.h"
#include "run/MapSums.h"
#include "run/RunTracing.h"

namespace tessolan::validation {
namespace {

constexpr int kSamplesPerSide = 9;

// The count the groove fixes over the whole bin (checked on a 9 x 9 lattice of its points, edges
// included), or 0 when the bin straddles a change of count.
int BinReflections(const PyramidField& f, double slant, const MapGrid& grid, int ix, int iy) {
  std::set<int> counts;
  for (int a = 0; a < kSamplesPerSide; ++a)
    for (int b = 0; b < kSamplesPerSide; ++b) {
      const long double x = grid.xMin + (ix + a / (kSamplesPerSide - 1.0L)) * grid.BinWidth();
      const long double y = grid.yMin + (iy + b / (kSamplesPerSide - 1.0L)) * grid.BinHeight();
      counts.insert(VerticalRayReflections(f, slant, x, y));
    }
  return counts.size() == 1 ? *counts.begin() : 0;
}

TEST(MapFacesTest, SpecularFacesHoldTheirCountsExactValues) {
  const std::vector<double> rho{0.3, 0.7};
  const auto material = MaterialOf(rho, 8);
  for (double slant : {38.0, 57.0}) {
    for (int k = 0; k < static_cast<int>(rho.size()); ++k) {
      auto state = std::make_unique<AppState>();
      std::string message;
      ASSERT_TRUE(GatherForModeling(VerticalBeamTask(slant, 0), material, {}, *state, message)) << message;
      ASSERT_TRUE(PrepareRun(*state, 40000, 0, message)) << message;
      state->randomSeed = 31;
      RunMap map;
      map.grid = 16;
      map.wavelengthIndex = k;
      RunOptions options;
      options.map = &map;
      RunObserver quiet;
      ASSERT_EQ(RunTracing(*state, quiet, options), RunOutcome::Completed);
      const PyramidField f = MakeField(slant, 3, 0, 0, 100);
      std::set<int> countsSeen;
      for (int iy = 0; iy < map.folded.n; ++iy)
        for (int ix = 0; ix < map.folded.n; ++ix) {
          const MapBin& bin = map.folded.At(ix, iy);
          const int n = BinReflections(f, slant, map.folded, ix, iy);
          if (n == 0 || bin.rays == 0) continue;
          countsSeen.insert(n);
          const long double expected = 1 - std::pow(static_cast<long double>(rho[k]), n);
          // The bin's sums in double over groups of at most kMapDoubleRays rays, then extended,
          // the mean rounded to double.
          const long double bound =
              MeanRoundingBound(static_cast<double>(bin.rays), 1) +
              (std::min<double>(bin.rays, kMapDoubleRays) + 1) * static_cast<long double>(DBL_EPSILON);
          EXPECT_NEAR(bin.eeIso, static_cast<double>(expected), static_cast<double>(bound))
              << "slant " << slant << ", rho " << rho[k] << ", bin (" << ix << ", " << iy << "), n = " << n;
        }
      EXPECT_EQ(countsSeen.size(), 2u) << "slant " << slant << ": both counts fill whole bins";
    }
  }
}

}  // namespace
}  // namespace tessolan::validation
