// Maps of a run: mapping leaves the run's numbers alone, the bins add up to the run's results,
// a flat plate is the same everywhere, a diffuse pyramid is blacker in its valleys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "TestTasks.h"
#include "hwy/targets.h"
#include "run/MapSums.h"
#include "run/RunTracing.h"

namespace tessolan {
namespace {

using testing::GatheredTask;

const std::vector<SpectralPoint> kSpectral = {{0.7, 0.3}, {2.0, 0.05}, {5.5, 0.2}, {12.0, 0.6}, {40.0, 0.9}};

struct ViewCase {
  const char* name;
  std::function<void(GatheredTask&)> setUp;
};

// One case per viewing condition, with spectral materials, gaps, truncation, a round radiator,
// background and nonisothermal surfaces spread over them.
const std::vector<ViewCase> kViews = {
    {"directional B, nonisothermal, background",
     [](GatheredTask& t) {
       t.controls[NumericBox::TTop] = 700;
       t.controls[NumericBox::Tbg] = 400;
       t.controls[NumericBox::Diffusity] = 0.6;
       t.material = kSpectral;
     }},
    {"directional A, truncated with gaps, circle",
     [](GatheredTask& t) {
       t.controls.VCType = kDirectionalA;
       t.controls.Shape = 1;
       t.controls[NumericBox::TopFlatSideLength] = 1;
       t.controls[NumericBox::GapWidth] = 0.5;
       t.controls[NumericBox::B] = 20;
       t.material = kSpectral;
     }},
    {"conical, specular and diffuse",
     [](GatheredTask& t) {
       t.controls.VCType = kConical;
       t.controls[NumericBox::Diffusity] = 0.3;
       t.controls[NumericBox::TTop] = 450;
       t.controls[NumericBox::SlantAngle] = 60;
     }},
    {"integrated, weighted rays",
     [](GatheredTask& t) {
       t.controls.VCType = kIntegrated;
       t.controls[NumericBox::B] = 20;
       t.controls[NumericBox::DD] = 10;
       t.controls[NumericBox::Tbg] = 290;
       t.controls[NumericBox::TTop] = 350;
       t.material = kSpectral;
     }},
};

struct Mode {
  const char* name;
  RunOptions options;
};

RunOptions MakeOptions(bool parallel, unsigned threads, Precision precision) {
  RunOptions o;
  o.parallel = parallel;
  o.threads = threads;
  o.precision = precision;
  return o;
}

const std::vector<Mode> kModes = {
    {"single sequence", MakeOptions(false, 0, Precision::Extended)},
    {"parallel, 3 threads", MakeOptions(true, 3, Precision::Extended)},
    {"fast", MakeOptions(false, 0, Precision::Double)},
    {"fast parallel, 2 threads", MakeOptions(true, 2, Precision::Double)},
};

std::unique_ptr<AppState> RunView(const ViewCase& view, RunOptions options, std::uint32_t rays, RunMap* map,
                                  std::uint32_t seed = 5) {
  GatheredTask task;
  view.setUp(task);
  task.Gather(rays, 1e-6L, seed);
  options.map = map;
  RunObserver quiet;
  EXPECT_EQ(RunTracing(*task.state, quiet, options), RunOutcome::Completed) << view.name;
  return std::move(task.state);
}

// Bit for bit, on the value's own bytes (an extended value's padding is not part of it).
bool SameBytes(const std::vector<Extended>& a, const std::vector<Extended>& b, int n) {
  constexpr std::size_t kValueBytes = std::numeric_limits<Extended>::digits == 64 ? 10 : sizeof(Extended);
  for (int k = 0; k < n; ++k)
    if (std::memcmp(&a[k], &b[k], kValueBytes) != 0) return false;
  return true;
}

bool SameResults(const AppState& a, const AppState& b) {
  const SpectralArrays &s = a.spectral, &t = b.spectral;
  const int n = s.NWL;
  return SameBytes(s.ArrEEIso, t.ArrEEIso, n) && SameBytes(s.ArrEE, t.ArrEE, n) &&
         SameBytes(s.ArrRTIso, t.ArrRTIso, n) && SameBytes(s.ArrRT, t.ArrRT, n) &&
         SameBytes(s.ArrEEIsoSE, t.ArrEEIsoSE, n) && SameBytes(s.ArrEESE, t.ArrEESE, n) &&
         SameBytes(s.ArrRTIsoSE, t.ArrRTIsoSE, n) && SameBytes(s.ArrRTSE, t.ArrRTSE, n) && a.randomSeed == b.randomSeed;
}

bool SameGrid(const MapGrid& a, const MapGrid& b) {
  if (a.bins.size() != b.bins.size()) return false;
  return std::memcmp(a.bins.data(), b.bins.data(), sizeof(MapBin) * a.bins.size()) == 0;
}

TEST(MapTest, MappingLeavesTheResultsByteForByteInEveryMode) {
  for (const Mode& mode : kModes)
    for (const ViewCase& view : kViews) {
      SCOPED_TRACE(std::string(mode.name) + ": " + view.name);
      RunMap map;
      map.grid = 16;
      const auto plain = RunView(view, mode.options, 3000, nullptr);
      const auto mapped = RunView(view, mode.options, 3000, &map);
      EXPECT_TRUE(SameResults(*plain, *mapped));
      EXPECT_TRUE(map.valid);
    }
}

// The blocks' maps are added in block order: the map depends on the seed, not on the threads.
// Enough blocks that some bins' double sums go on to the extended ones during the run; and in
// the fast mode, whose spectrum mean is summed by the vector kernels, not on the instruction set.
TEST(MapTest, ParallelMapsAreTheSameBitsForAnyThreadCountAndInstructionSet) {
  constexpr std::uint32_t kRays = (kMapStagedBlocks + 3) * kMapBlockRays - 500;
  for (Precision precision : {Precision::Extended, Precision::Double}) {
    RunMap one;
    one.grid = 24;
    RunView(kViews[0], MakeOptions(true, 1, precision), kRays, &one);
    const bool fast = precision == Precision::Double;
    for (const std::int64_t target : fast ? hwy::SupportedAndGeneratedTargets() : std::vector<std::int64_t>{0}) {
      SCOPED_TRACE(fast ? hwy::TargetName(target) : "extended");
      if (fast) hwy::SetSupportedTargetsForTest(target);
      RunMap three;
      three.grid = 24;
      RunView(kViews[0], MakeOptions(true, 3, precision), kRays, &three);
      EXPECT_TRUE(SameGrid(one.unfolded, three.unfolded));
      EXPECT_TRUE(SameGrid(one.folded, three.folded));
    }
    hwy::SetSupportedTargetsForTest(0);
  }
}

// What the run gives for the map's channel: the result at the wavelength, or its mean over them.
Extended RunValue(const std::vector<Extended>& results, int nwl, int k) {
  if (k >= 0) return results[k];
  Extended sum = 0;
  for (int i = 0; i < nwl; ++i) sum += results[i];
  return sum / nwl;
}

// The ray-weighted mean of the bins against the run's result. The two regroup the same terms:
// the run sums N rays per wavelength in extended precision (in the fast mode, in double over
// groups of rays first); the map sums each bin's deviations in double over groups of at most
// kMapDoubleRays rays, then in extended, and converts each bin's EE and weight to double. So they
// may differ by the double conversions, at most 2 units of 2^-53 of each term plus one of the
// total weight; by the run's summation, at most N units of its sums' precision (N rays times the
// wavelengths averaged); and by the map's groups, at most min(N, kMapDoubleRays) units of double
// precision: all on terms up to the largest EE (plus the shift, as large).
void ExpectBinsAddUp(const RunMap& map, const MapGrid& grid, const AppState& state, Precision precision, bool iso) {
  const SpectralArrays& s = state.spectral;
  long double weighted = 0, weight = 0, largest = 1;
  std::uint64_t rays = 0;
  for (const MapBin& bin : grid.bins) {
    rays += bin.rays;
    if (bin.rays == 0) continue;
    const double ee = iso ? bin.eeIso : bin.eeNoniso;
    weighted += static_cast<long double>(bin.weight) * ee;
    weight += bin.weight;
    largest = std::max<long double>(largest, std::fabs(ee));
  }
  EXPECT_EQ(rays + map.lostRays, state.accuracy.NRays);
  const long double mean = weighted / (weight + map.lostWeight);
  const long double run = RunValue(iso ? s.ArrEEIso : s.ArrEE, s.NWL, map.wavelengthIndex);
  const long double n = static_cast<long double>(state.accuracy.NRays) * (map.wavelengthIndex < 0 ? s.NWL : 1);
  const long double sumEpsilon = precision == Precision::Double ? DBL_EPSILON : LDBL_EPSILON;
  const long double grouped = std::min<std::uint64_t>(state.accuracy.NRays, kMapDoubleRays);
  const long double bound =
      (3 * (DBL_EPSILON / 2) + 2 * n * sumEpsilon + 2 * grouped * static_cast<long double>(DBL_EPSILON)) * largest;
  EXPECT_NEAR(static_cast<double>(mean), static_cast<double>(run), static_cast<double>(bound))
      << (iso ? "iso" : "noniso") << (grid.folded ? ", folded" : ", unfolded");
}

TEST(MapTest, BinsAddUpToTheRunsResultForEveryViewAndChannel) {
  for (const Mode& mode : kModes)
    for (const ViewCase& view : kViews)
      for (int k : {-1, 0, 2}) {
        SCOPED_TRACE(std::string(mode.name) + ": " + view.name + ", wavelength index " + std::to_string(k));
        RunMap map;
        map.grid = 20;
        map.wavelengthIndex = k;
        GatheredTask probe;
        view.setUp(probe);
        if (k >= static_cast<int>(probe.material.size())) continue;
        const auto state = RunView(view, mode.options, 4000, &map);
        ASSERT_TRUE(map.valid);
        EXPECT_EQ(map.lostRays, 0u);
        for (const MapGrid* grid : {&map.unfolded, &map.folded})
          for (bool iso : {true, false}) ExpectBinsAddUp(map, *grid, *state, mode.options.precision, iso);
      }
}

// A flat plate absorbs 1 - rho at its only hit wherever that is: every ray brings the same, the
// deviation sums are exact zeros, and every bin holds the emissivity itself.
TEST(MapTest, FlatPlateIsOneMinusReflectanceInEveryBin) {
  const std::vector<std::function<void(GatheredTask&)>> plates = {
      [](GatheredTask&) {},
      [](GatheredTask& t) {
        t.controls.VCType = kDirectionalA;
        t.controls[NumericBox::B] = 35;
        t.controls[NumericBox::Diffusity] = 0;
      },
      [](GatheredTask& t) {
        t.controls.VCType = kConical;
        t.controls.Shape = 1;
      },
  };
  for (std::size_t p = 0; p < plates.size(); ++p)
    for (int k : {-1, 1}) {
      SCOPED_TRACE("plate " + std::to_string(p) + ", wavelength index " + std::to_string(k));
      GatheredTask task;
      plates[p](task);
      task.controls[NumericBox::SlantAngle] = 0;
      task.material = kSpectral;
      task.Gather(3000, 1e-6L, 9);
      RunMap map;
      map.grid = 32;
      map.wavelengthIndex = k;
      RunOptions options;
      options.map = &map;
      RunObserver quiet;
      ASSERT_EQ(RunTracing(*task.state, quiet, options), RunOutcome::Completed);
      const SpectralArrays& s = task.state->spectral;
      Extended emissivity = 0;
      if (k >= 0) {
        emissivity = s.ArrEmis[k];
      } else {
        for (int i = 0; i < s.NWL; ++i) emissivity += s.ArrEmis[i];
        emissivity /= s.NWL;
      }
      int binsWithRays = 0;
      for (const MapGrid* grid : {&map.unfolded, &map.folded})
        for (const MapBin& bin : grid->bins) {
          if (bin.rays == 0) continue;
          ++binsWithRays;
          ASSERT_EQ(bin.eeIso, static_cast<double>(emissivity));
          if (bin.rays >= 2) {
            ASSERT_EQ(bin.eeIsoSE, 0.0);
          }
        }
      EXPECT_GT(binsWithRays, 100);
    }
}

// A diffuse pyramid's valleys see more of the array than its apex does: a ray that first meets
// the surface deep in a valley is absorbed more, there the radiator is blacker. Folded map of a
// vertical beam, the apex bins against the bins on the valleys' crossing.
TEST(MapTest, DiffusePyramidIsBlackerInTheValleysThanAtTheApex) {
  GatheredTask task;
  task.controls[NumericBox::SlantAngle] = 60;
  task.controls[NumericBox::Diffusity] = 1;
  task.controls[NumericBox::B] = 0;
  task.material = {{5.0, 0.5}};
  task.Gather(40000, 1e-6L, 21);
  RunMap map;
  map.grid = 8;
  RunOptions options;
  options.map = &map;
  RunObserver quiet;
  ASSERT_EQ(RunTracing(*task.state, quiet, options), RunOutcome::Completed);
  const MapGrid& f = map.folded;
  for (const auto& [apexX, apexY] : {std::pair{3, 3}, {3, 4}, {4, 3}, {4, 4}})
    for (const auto& [valleyX, valleyY] : {std::pair{0, 0}, {0, 7}, {7, 0}, {7, 7}}) {
      const MapBin& apex = f.At(apexX, apexY);
      const MapBin& valley = f.At(valleyX, valleyY);
      const double z = (valley.eeIso - apex.eeIso) / std::hypot(valley.eeIsoSE, apex.eeIsoSE);
      EXPECT_GT(z, 4) << "apex " << apex.eeIso << " +/- " << apex.eeIsoSE << ", valley " << valley.eeIso << " +/- "
                      << valley.eeIsoSE;
    }
}

TEST(MapTest, RequestsTheRunCannotTakeLeaveTheMapInvalidAndTheRunWhole) {
  for (const auto& [grid, k] : {std::pair{0, -1}, {kMaxMapGrid + 1, -1}, {16, 1}, {16, -2}}) {
    RunMap map;
    map.grid = grid;
    map.wavelengthIndex = k;
    map.valid = true;
    const auto plain = RunView(kViews[2], {}, 500, nullptr);
    const auto mapped = RunView(kViews[2], {}, 500, &map);
    EXPECT_FALSE(map.valid) << grid << ", " << k;
    EXPECT_TRUE(SameResults(*plain, *mapped));
  }
}

// The unfolded grid covers the viewed region, not the whole radiator: for a beam or a cone every
// first hit lies inside it. The footprint reaches 1/1.01 of the square's half side at the most, so
// on a grid whose bins are half a percent of it wide, a first hit in the outermost ring of bins
// could only be one clamped there from outside.
TEST(MapTest, UnfoldedGridHoldsEveryFirstHitOfTheViewedRegion) {
  constexpr int kGrid = 401;
  for (const ViewCase& view : {kViews[0], kViews[1], kViews[2]}) {
    SCOPED_TRACE(view.name);
    RunMap map;
    map.grid = kGrid;
    const auto state = RunView(view, MakeOptions(true, 2, Precision::Extended), 20000, &map);
    const MapGrid& grid = map.unfolded;
    EXPECT_LT(grid.xMax - grid.xMin, 2 * static_cast<double>(state->geometry.RadiatorHalf));
    EXPECT_DOUBLE_EQ(grid.xMax - grid.xMin, grid.yMax - grid.yMin);
    std::uint64_t rays = 0, onTheRim = 0;
    for (int iy = 0; iy < kGrid; ++iy)
      for (int ix = 0; ix < kGrid; ++ix) {
        rays += grid.At(ix, iy).rays;
        if (ix == 0 || iy == 0 || ix == kGrid - 1 || iy == kGrid - 1) onTheRim += grid.At(ix, iy).rays;
      }
    EXPECT_EQ(rays, 20000u);
    EXPECT_EQ(onTheRim, 0u);
  }
}
TEST(MapTest, LayoutPutsEdgesAndFoldsWhereTheyBelong) {
  const MapLayout layout(4, 50, -6, 3);  // R = 50, a pyramid centre at -6, period 3
  EXPECT_EQ(layout.UnfoldedBin(-50, -50), 0u);
  EXPECT_EQ(layout.UnfoldedBin(50, 50), 15u);                 // the far edge goes to the last bin
  EXPECT_EQ(layout.UnfoldedBin(50.0000001L, -60), 3u);        // a hair beyond, clamped
  EXPECT_EQ(layout.UnfoldedBin(-0.1L, 0.1L), 2u * 4 + 1);     // x in bin 1, y in bin 2
  EXPECT_EQ(layout.FoldedBin(0, 0), 16u + 2 * 4 + 2);         // a pyramid centre: the cell's middle
  EXPECT_EQ(layout.FoldedBin(1.4L, -1.4L), 16u + 0 * 4 + 3);  // near +x, -y edges of its cell
  EXPECT_NEAR(layout.Fold(1.6), -1.4, 1e-15);
}

}  // namespace
}  // namespace tessolan
