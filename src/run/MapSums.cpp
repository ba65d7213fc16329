#include "run/MapSums.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "engine/Planck.h"
#include "run/MapRegion.h"
#include "run/Radiometry.h"

namespace tessolan {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The ratio estimator's standard error of K + sum(d) / sum(w), as run/Uncertainty has it.
Extended RatioError(std::uint64_t rays, Extended d, Extended d2, Extended dw, Extended w, Extended w2) {
  if (rays < 2 || w == 0) return kNaN;
  const Extended n = static_cast<Extended>(rays);
  const Extended shiftError = d / w;
  const Extended residuals = d2 - 2 * shiftError * dw + shiftError * shiftError * w2;
  return std::sqrt(n * std::max<Extended>(residuals, 0) / ((n - 1) * w * w));
}

MapBin MakeBin(const MapBinSums& s, const MapChannel& channel, Extended lambda, Extended tref) {
  MapBin bin;
  bin.rays = s.rays;
  bin.weight = static_cast<double>(s.w);
  if (s.rays == 0 || s.w == 0) return bin;
  const Extended iso = channel.shiftIso() + s.dIso / s.w;
  const Extended noniso = channel.shiftNoniso() + s.dNoniso / s.w;
  const Extended isoSE = RatioError(s.rays, s.dIso, s.dIso2, s.dIsoW, s.w, s.w2);
  const Extended nonisoSE = RatioError(s.rays, s.dNoniso, s.dNoniso2, s.dNonisoW, s.w, s.w2);
  bin.eeIso = static_cast<double>(iso);
  bin.eeNoniso = static_cast<double>(noniso);
  bin.eeIsoSE = static_cast<double>(isoSE);
  bin.eeNonisoSE = static_cast<double>(nonisoSE);
  bin.rtIso = static_cast<double>(RadianceTemperature(lambda, iso, tref));
  bin.rtNoniso = static_cast<double>(RadianceTemperature(lambda, noniso, tref));
  bin.rtIsoSE = static_cast<double>(std::fabs(RadianceTemperatureSlope(lambda, iso, tref)) * isoSE);
  bin.rtNonisoSE = static_cast<double>(std::fabs(RadianceTemperatureSlope(lambda, noniso, tref)) * nonisoSE);
  return bin;
}

void FillGrid(const MapSums& sums, const MapSetup& setup, std::uint32_t firstBin, Extended lambda, Extended tref,
              MapGrid& grid) {
  const int n = setup.layout.n();
  grid.n = n;
  grid.bins.assign(static_cast<std::size_t>(n) * n, MapBin{});
  for (std::uint32_t b = 0; b < grid.bins.size(); ++b)
    grid.bins[b] = MakeBin(sums.At(firstBin + b), setup.channel, lambda, tref);
}

}  // namespace

MapLayout::MapLayout(int n, Extended half, Extended origin, Extended period, double centerX, double centerY)
    : n_(static_cast<std::uint32_t>(n)),
      nn_(n_ * n_),
      half_(half),
      period_(period),
      h_(static_cast<double>(half)),
      origin_(static_cast<double>(origin)),
      p_(static_cast<double>(period)),
      cx_(centerX),
      cy_(centerY),
      toUnfolded_(n / (2 * h_)),
      perPeriod_(1 / p_) {}

MapChannel::MapChannel(const SpectralArrays& spectral, Extended tref, int wavelengthIndex,
                       const Extended* radianceScale)
    : k_(wavelengthIndex < 0 && spectral.NWL == 1 ? 0 : wavelengthIndex),  // one wavelength is its own mean
      nwl_(spectral.NWL),
      kernels_(ChooseSpectralKernels()),
      toEmissivity_(nwl_),
      toEmissivityDouble_(PaddedSpectralCount(static_cast<std::size_t>(nwl_)), 0.0),
      referenceInverse_(nwl_) {
  for (int k = 0; k < nwl_; ++k) {
    const Extended reference = Planck(spectral.ArrWL[k], tref);
    referenceInverse_[k] = reference == 0 ? 0 : 1 / reference;
    toEmissivity_[k] = radianceScale ? radianceScale[k] * referenceInverse_[k] : referenceInverse_[k];
    toEmissivityDouble_[k] = static_cast<double>(toEmissivity_[k]);
  }
}

void MapChannel::SetShift(const UncertaintySums& uncertainty) {
  const auto iso = [&](int k) { return uncertainty.ShiftX(k); };
  const auto noniso = [&](int k) { return uncertainty.ShiftR(k) * referenceInverse_[k]; };
  if (k_ >= 0) {
    shiftIso_ = iso(k_);
    shiftNoniso_ = noniso(k_);
    return;
  }
  Extended sumIso = 0, sumNoniso = 0;
  for (int k = 0; k < nwl_; ++k) {
    sumIso += iso(k);
    sumNoniso += noniso(k);
  }
  shiftIso_ = sumIso / nwl_;
  shiftNoniso_ = sumNoniso / nwl_;
}

MapSums::MapSums(const MapSetup& setup)
    : bins_(setup.layout.Bins()), staged_(setup.layout.Bins()), stagedRays_(setup.layout.Bins(), 0) {
  touched_.reserve(setup.layout.Bins());
}

void MapSums::Add(const MapBlock& block) {
  for (const MapRaySums& e : block.entries) {
    if (stagedRays_[e.bin] == 0) touched_.push_back(e.bin);
    stagedRays_[e.bin] += e.rays;
    staged_[e.bin].sums.Add(e.sums);
  }
  lostRays_ += block.lostRays;
  lostWeight_ += block.lostWeight;
  if (++stagedBlocks_ == kMapStagedBlocks) Settle();
}

void MapSums::Settle() {
  for (std::uint32_t bin : touched_) {
    const MapDoubleSums& e = staged_[bin].sums;
    MapBinSums& b = bins_[bin];
    b.rays += stagedRays_[bin];
    b.w += e.w;
    b.w2 += e.w2;
    b.dIso += e.dIso;
    b.dIso2 += e.dIso2;
    b.dIsoW += e.dIsoW;
    b.dNoniso += e.dNoniso;
    b.dNoniso2 += e.dNoniso2;
    b.dNonisoW += e.dNonisoW;
    staged_[bin].sums = {};
    stagedRays_[bin] = 0;
  }
  touched_.clear();
  stagedBlocks_ = 0;
}

MapBlockSums::MapBlockSums(const MapSetup& setup, MapSums* spillTo)
    : setup_(&setup), spillTo_(spillTo), index_(setup.layout.Bins(), -1) {
  block_.entries.reserve(std::min(2 * kMapBlockRays, setup.layout.Bins()));
}

void MapBlockSums::Spill() {
  if (spillTo_) spillTo_->Add(block_);
  Clear();
}

void MapBlockSums::HandOver(MapBlock& to) {
  for (const MapRaySums& e : block_.entries) index_[e.bin] = -1;
  std::swap(block_, to);
  block_.entries.clear();
  block_.lostRays = 0;
  block_.lostWeight = 0;
  pending_ = 0;
}

void MapBlockSums::Clear() {
  for (const MapRaySums& e : block_.entries) index_[e.bin] = -1;
  block_.entries.clear();
  block_.lostRays = 0;
  block_.lostWeight = 0;
  pending_ = 0;
}

MapSetup MakeMapSetup(const AppState& state, const RunMap& request, const UncertaintySums& uncertainty,
                      const Extended* radianceScale) {
  const ArrayGeometry& g = state.geometry;
  const MapSquare viewed = ViewedSquare(state);
  MapSetup setup{MapLayout(request.grid, viewed.half, g.CenterX[1], g.Period, viewed.centerX, viewed.centerY),
                 MapChannel(state.spectral, state.initialData.Tref, request.wavelengthIndex, radianceScale)};
  setup.channel.SetShift(uncertainty);
  return setup;
}

Extended BandMiddle(const SpectralArrays& s) {
  if (s.NWL <= 0) return kNaN;
  const auto [low, high] = std::minmax_element(s.ArrWL.begin(), s.ArrWL.begin() + s.NWL);
  return (*low + *high) / 2;
}

void FillRunMap(const MapSums& sums, const MapSetup& setup, const AppState& state, RunMap& map) {
  const SpectralArrays& s = state.spectral;
  const bool averaged = map.wavelengthIndex < 0;
  const Extended lambda = averaged ? BandMiddle(s) : s.ArrWL[map.wavelengthIndex];
  const Extended tref = state.initialData.Tref;
  map.wavelength = averaged ? kNaN : static_cast<double>(lambda);
  map.rtWavelength = static_cast<double>(lambda);
  map.lostRays = sums.lostRays();
  map.lostWeight = static_cast<double>(sums.lostWeight());

  const double r = static_cast<double>(setup.layout.half()), p = static_cast<double>(setup.layout.period());
  FillGrid(sums, setup, 0, lambda, tref, map.unfolded);
  map.unfolded.folded = false;
  const double cx = setup.layout.centerX(), cy = setup.layout.centerY();
  map.unfolded.xMin = cx - r, map.unfolded.xMax = cx + r;
  map.unfolded.yMin = cy - r, map.unfolded.yMax = cy + r;
  FillGrid(sums, setup, setup.layout.Bins() / 2, lambda, tref, map.folded);
  map.folded.folded = true;
  map.folded.xMin = map.folded.yMin = -p / 2;
  map.folded.xMax = map.folded.yMax = p / 2;
  map.valid = true;
}

}  // namespace tessolan
