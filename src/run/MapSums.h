#pragma once

#include <cstdint>
#include <type_traits>
#include <vector>

#include "engine/RayState.h"
#include "engine/SpectralKernels.h"
#include "model/AppState.h"
#include "model/Extended.h"
#include "model/RunMap.h"
#include "run/Uncertainty.h"

namespace tessolan {

// The largest grid a map takes: bins per side.
inline constexpr int kMaxMapGrid = 1024;

// Where a ray's first hit falls in the two grids of a map. Bins 0..n²-1 are the unfolded grid
// over the square of half side `half` about (centerX, centerY): the viewed region (MapRegion.h); bins n²..2n²-1 the
// folded grid over one array period [-P/2, P/2)² centred on a pyramid's axis. Bin edges are placed in double precision
// (a bin's own definition, nothing the run's numbers depend on): cheap per ray.
class MapLayout {
 public:
  MapLayout(int n, Extended half, Extended origin, Extended period, double centerX = 0, double centerY = 0);

  int n() const { return n_; }
  Extended half() const { return half_; }
  double centerX() const { return cx_; }
  double centerY() const { return cy_; }
  Extended period() const { return period_; }
  std::uint32_t Bins() const { return 2 * nn_; }

  std::uint32_t UnfoldedBin(Extended x, Extended y) const {
    return Cell((static_cast<double>(y) - cy_ + h_) * toUnfolded_) * n_ +
           Cell((static_cast<double>(x) - cx_ + h_) * toUnfolded_);
  }
  std::uint32_t FoldedBin(Extended x, Extended y) const {
    return nn_ + Cell(FoldedFraction(static_cast<double>(y)) * n_) * n_ +
           Cell(FoldedFraction(static_cast<double>(x)) * n_);
  }
  // The coordinate within the period cell, in [-P/2, P/2).
  double Fold(double v) const { return (FoldedFraction(v) - 0.5) * p_; }

 private:
  // The place within the period cell as a fraction of it, in [0, 1).
  double FoldedFraction(double v) const {
    const double t = (v - origin_) * perPeriod_ + 0.5;
    const double whole = static_cast<double>(static_cast<long long>(t));
    return t - (whole > t ? whole - 1 : whole);
  }
  // A place in cells (fraction of the side times n) -> 0..n-1; the far edge, and by rounding a
  // hair beyond either edge, go to the edge cells.
  std::uint32_t Cell(double place) const {
    if (!(place > 0)) return 0;  // also NaN
    return place >= n_ ? n_ - 1 : static_cast<std::uint32_t>(place);
  }
  std::uint32_t n_, nn_;
  Extended half_, period_;
  double h_, origin_, p_;
  double cx_, cy_;
  double toUnfolded_;  // cells per length unit of the unfolded grid
  double perPeriod_;   // 1 / P
};

// What one ray brings to a map: its isothermal and nonisothermal contributions in effective
// emissivity units, at the map's wavelength or as the mean over the spectrum.
class MapChannel {
 public:
  // radianceScale: the unit of the ray's radiance array per wavelength (the fast mode's), or null
  // for plain radiances.
  MapChannel(const SpectralArrays& spectral, Extended tref, int wavelengthIndex, const Extended* radianceScale);

  template <class T>
  void Values(const T* emissivity, const T* radiance, Extended& iso, Extended& noniso) const {
    if (k_ >= 0) {
      iso = emissivity[k_];
      noniso = radiance[k_] * toEmissivity_[k_];
      return;
    }
    // The fast mode's rays are double, padded: summed in double by its vector kernels, as its
    // own sums are, without a conversion to extended per wavelength.
    if constexpr (std::is_same_v<T, double>) {
      double sums[2];
      kernels_.spectrumSums(emissivity, radiance, toEmissivityDouble_.data(), toEmissivityDouble_.size(), sums);
      iso = Extended{sums[0]} / nwl_;
      noniso = Extended{sums[1]} / nwl_;
    } else {
      Extended sumIso = 0, sumNoniso = 0;
      for (int k = 0; k < nwl_; ++k) {
        sumIso += emissivity[k];
        sumNoniso += radiance[k] * toEmissivity_[k];
      }
      iso = sumIso / nwl_;
      noniso = sumNoniso / nwl_;
    }
  }

  // The shift per unit weight (the run's reference ray, as its uncertainty sums took it).
  void SetShift(const UncertaintySums& uncertainty);
  Extended shiftIso() const { return shiftIso_; }
  Extended shiftNoniso() const { return shiftNoniso_; }

 private:
  int k_;
  int nwl_;
  SpectralKernels kernels_;
  std::vector<Extended> toEmissivity_;      // radiance unit / Planck(WL, Tref); 0 where Planck is 0
  std::vector<double> toEmissivityDouble_;  // the same in double and padded, for the fast mode's rays
  std::vector<Extended> referenceInverse_;  // 1 / Planck(WL, Tref), for the shift
  Extended shiftIso_ = 0, shiftNoniso_ = 0;
};

// The rays of a bin in the map's sums: rays, weights, and the deviations d = x - K w of the rays'
// contributions from the channel's shift K, as run/Uncertainty keeps them for the whole run (a
// bin whose rays all bring the same per unit weight sums exact zeros). Extended, as the run's.
struct MapBinSums {
  std::uint64_t rays = 0;
  Extended w = 0, w2 = 0;
  Extended dIso = 0, dIso2 = 0, dIsoW = 0;
  Extended dNoniso = 0, dNoniso2 = 0, dNonisoW = 0;
};

// The same sums in double, as rays are gathered before they go into the extended sums: one
// cache line, so that adding to a bin stays cheap however many bins the map has.
struct MapDoubleSums {
  double w = 0, w2 = 0, dIso = 0, dIso2 = 0, dIsoW = 0, dNoniso = 0, dNoniso2 = 0, dNonisoW = 0;

  void AddRay(double weight, double deviationIso, double deviationNoniso) {
    w += weight;
    w2 += weight * weight;
    dIso += deviationIso;
    dIso2 += deviationIso * deviationIso;
    dIsoW += deviationIso * weight;
    dNoniso += deviationNoniso;
    dNoniso2 += deviationNoniso * deviationNoniso;
    dNonisoW += deviationNoniso * weight;
  }
  void Add(const MapDoubleSums& o) {
    w += o.w;
    w2 += o.w2;
    dIso += o.dIso;
    dIso2 += o.dIso2;
    dIsoW += o.dIsoW;
    dNoniso += o.dNoniso;
    dNoniso2 += o.dNoniso2;
    dNonisoW += o.dNonisoW;
  }
};

// The rays of one bin within a block of at most kMapBlockRays rays.
struct MapRaySums {
  std::uint32_t bin = 0;
  std::uint32_t rays = 0;
  MapDoubleSums sums;
};

// Rays gathered per bin in double before they are added to the map's sums; a parallel run's
// block is one such group.
inline constexpr std::uint32_t kMapBlockRays = 1000;
// Blocks whose sums the map adds up in double before it adds them to its extended sums: the
// extended additions, the dearest part of mapping, then come once per bin per this many blocks.
inline constexpr std::uint32_t kMapStagedBlocks = 64;
// So a bin's rays are summed in double in groups of at most this many.
inline constexpr std::uint32_t kMapDoubleRays = kMapBlockRays * kMapStagedBlocks;

// The sums of a block of rays: only the bins they touched, in the order first touched, and the
// rays that touched none.
struct MapBlock {
  std::vector<MapRaySums> entries;
  std::uint64_t lostRays = 0;
  Extended lostWeight = 0;
};

// How a run bins its rays, fixed before it starts.
struct MapSetup {
  MapLayout layout;
  MapChannel channel;
};

// A map's sums: every bin, and the rays that belong to none (those that never met the array).
// Blocks are added in order, first to double sums; every kMapStagedBlocks blocks, the bins they
// touched go on to the extended sums.
class MapSums {
 public:
  explicit MapSums(const MapSetup& setup);
  void Add(const MapBlock& block);
  // Adds the blocks still held in double to the extended sums: call before reading the bins.
  void Settle();
  const MapBinSums& At(std::uint32_t bin) const { return bins_[bin]; }
  std::uint64_t lostRays() const { return lostRays_; }
  Extended lostWeight() const { return lostWeight_; }

 private:
  struct alignas(64) StagedBin {
    MapDoubleSums sums;
  };
  std::vector<MapBinSums> bins_;
  std::vector<StagedBin> staged_;
  std::vector<std::uint32_t> stagedRays_;
  std::vector<std::uint32_t> touched_;  // the bins with staged rays, in the order first touched
  std::uint32_t stagedBlocks_ = 0;
  std::uint64_t lostRays_ = 0;
  Extended lostWeight_ = 0;
};

// Bins rays into a block's double sums. Sized before the run, so that adding a ray never
// allocates. With a map's sums to spill into (the single sequence), it adds itself there after
// every kMapBlockRays rays; without (a parallel run's worker, whose blocks are no larger), the
// caller takes the block.
class MapBlockSums {
 public:
  MapBlockSums(const MapSetup& setup, MapSums* spillTo);

  template <class T>
  void AddRay(const RayState& ray, bool launched, const T* emissivity, const T* radiance) {
    if (!launched || ray.ReflectionCount == 0) {
      ++block_.lostRays;
      block_.lostWeight += ray.RayWeight;
    } else {
      Extended iso, noniso;
      setup_->channel.Values(emissivity, radiance, iso, noniso);
      const Extended w = ray.RayWeight;
      const double dIso = static_cast<double>(iso - setup_->channel.shiftIso() * w);
      const double dNoniso = static_cast<double>(noniso - setup_->channel.shiftNoniso() * w);
      const double weight = static_cast<double>(w);
      const Vec3& p = ray.FirstHitPoint;
      AddToBin(setup_->layout.UnfoldedBin(p.x, p.y), weight, dIso, dNoniso);
      AddToBin(setup_->layout.FoldedBin(p.x, p.y), weight, dIso, dNoniso);
    }
    if (spillTo_ && ++pending_ == kMapBlockRays) Spill();
  }

  // Adds the rays so far to the map's sums and forgets them.
  void Spill();
  // Forgets every ray (only the bins touched are reset).
  void Clear();
  // Hands the rays so far over to `to` and forgets them, trading arrays instead of copying.
  void HandOver(MapBlock& to);
  const MapBlock& block() const { return block_; }

 private:
  void AddToBin(std::uint32_t bin, double weight, double deviationIso, double deviationNoniso) {
    std::int32_t& at = index_[bin];
    if (at < 0) {
      at = static_cast<std::int32_t>(block_.entries.size());
      block_.entries.push_back({bin, 0, {}});
    }
    MapRaySums& entry = block_.entries[static_cast<std::size_t>(at)];
    ++entry.rays;
    entry.sums.AddRay(weight, deviationIso, deviationNoniso);
  }

  const MapSetup* setup_;
  MapSums* spillTo_;
  std::vector<std::int32_t> index_;  // per bin: its entry, or -1
  MapBlock block_;
  std::uint32_t pending_ = 0;
};

// The setup of a run's map from the request: layout from the geometry, the channel from the
// request's wavelength, the shift from the run's uncertainty sums (taken already).
MapSetup MakeMapSetup(const AppState& state, const RunMap& request, const UncertaintySums& uncertainty,
                      const Extended* radianceScale);

// Writes the map of a completed run: both grids' bins, the wavelength and the lost rays.
void FillRunMap(const MapSums& sums, const MapSetup& setup, const AppState& state, RunMap& map);

// The wavelength (micrometres) at which a spectrum-averaged map gives its radiance
// temperatures: the middle of the table's band.
Extended BandMiddle(const SpectralArrays& spectral);

}  // namespace tessolan
