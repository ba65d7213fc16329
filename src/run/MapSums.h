#pragma once

#include <cstdint>
#include <vector>

#include "engine/RayState.h"
#include "model/AppState.h"
#include "model/Extended.h"
#include "model/RunMap.h"
#include "run/Uncertainty.h"

namespace tessolan {

// The largest grid a map takes: bins per side.
inline constexpr int kMaxMapGrid = 1024;

// Where a ray's first hit falls in the two grids of a map. Bins 0..n²-1 are the unfolded grid
// over the radiating area's bounding square [-R, R]²; bins n²..2n²-1 the folded grid over one
// array period [-P/2, P/2)² centred on a pyramid's axis.
struct MapLayout {
  int n = 0;
  Extended half = 0;    // R
  Extended origin = 0;  // a pyramid centre's coordinate (rows and columns share them)
  Extended period = 0;  // P = base side + gap

  std::uint32_t Bins() const { return 2u * static_cast<std::uint32_t>(n) * static_cast<std::uint32_t>(n); }
  std::uint32_t UnfoldedBin(Extended x, Extended y) const;
  std::uint32_t FoldedBin(Extended x, Extended y) const;
  // The coordinate within the period cell, in [-P/2, P/2).
  Extended Fold(Extended v) const;

 private:
  std::uint32_t Cell(Extended fraction) const;  // fraction of the side in [0, 1] -> 0..n-1
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
    Extended sumIso = 0, sumNoniso = 0;
    for (int k = 0; k < nwl_; ++k) {
      sumIso += emissivity[k];
      sumNoniso += radiance[k] * toEmissivity_[k];
    }
    iso = sumIso / nwl_;
    noniso = sumNoniso / nwl_;
  }

  // The shift per unit weight (the run's reference ray, as its uncertainty sums took it).
  void SetShift(const UncertaintySums& uncertainty);
  Extended shiftIso() const { return shiftIso_; }
  Extended shiftNoniso() const { return shiftNoniso_; }

 private:
  int k_;
  int nwl_;
  std::vector<Extended> toEmissivity_;      // radiance unit / Planck(WL, Tref); 0 where Planck is 0
  std::vector<Extended> referenceInverse_;  // 1 / Planck(WL, Tref), for the shift
  Extended shiftIso_ = 0, shiftNoniso_ = 0;
};

// A bin's sums: rays, weights, and the deviations d = x - K w of the rays' contributions from the
// channel's shift K, as run/Uncertainty keeps them for the whole run (a bin whose rays all bring
// the same per unit weight sums exact zeros).
struct MapBinSums {
  std::uint64_t rays = 0;
  Extended w = 0, w2 = 0;
  Extended dIso = 0, dIso2 = 0, dIsoW = 0;
  Extended dNoniso = 0, dNoniso2 = 0, dNonisoW = 0;

  void AddRay(Extended weight, Extended deviationIso, Extended deviationNoniso);
  void Add(const MapBinSums& other);
};

struct MapEntry {
  std::uint32_t bin = 0;
  MapBinSums sums;
};

// The sums of some rays (a parallel run's block): only the bins they touched, in the order they
// were first touched, and the rays that touched none.
struct MapBlock {
  std::vector<MapEntry> entries;
  std::uint64_t lostRays = 0;
  Extended lostWeight = 0;
};

// How a run bins its rays, fixed before it starts.
struct MapSetup {
  MapLayout layout;
  MapChannel channel;
};

// A map's sums over some rays. Sized before the run (capacity: how many bins it may touch), so
// that adding a ray never allocates. Rays lost at launch, or that never met the array, belong to
// no bin: they count apart, in lostRays and lostWeight.
class MapSums {
 public:
  MapSums(const MapSetup& setup, std::uint32_t capacity);

  template <class T>
  void AddRay(const RayState& ray, bool launched, const T* emissivity, const T* radiance) {
    if (!launched || ray.ReflectionCount == 0) {
      ++block_.lostRays;
      block_.lostWeight += ray.RayWeight;
      return;
    }
    Extended iso, noniso;
    setup_->channel.Values(emissivity, radiance, iso, noniso);
    const Extended w = ray.RayWeight;
    const Extended dIso = iso - setup_->channel.shiftIso() * w;
    const Extended dNoniso = noniso - setup_->channel.shiftNoniso() * w;
    const Vec3& p = ray.FirstHitPoint;
    Bin(setup_->layout.UnfoldedBin(p.x, p.y)).AddRay(w, dIso, dNoniso);
    Bin(setup_->layout.FoldedBin(p.x, p.y)).AddRay(w, dIso, dNoniso);
  }

  // Adds another block's sums, bin by bin: the parallel run calls it in block order.
  void Add(const MapBlock& other);
  // Forgets every ray (only the bins touched are reset).
  void Clear();

  const MapBlock& block() const { return block_; }
  // The sums of a bin (zero when no ray touched it).
  MapBinSums At(std::uint32_t bin) const;

 private:
  MapBinSums& Bin(std::uint32_t bin) {
    std::int32_t& at = index_[bin];
    if (at < 0) {
      at = static_cast<std::int32_t>(block_.entries.size());
      block_.entries.push_back({bin, {}});
    }
    return block_.entries[static_cast<std::size_t>(at)].sums;
  }

  const MapSetup* setup_;
  std::vector<std::int32_t> index_;  // per bin: its entry, or -1
  MapBlock block_;
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
