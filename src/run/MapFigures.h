#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/RunMap.h"

namespace tessolan {

// The rule of the bins that count: a bin counts when its value is known and it holds at least
// max(kMinCountedRays, a quarter of the mean rays of the bins that hold any). The quarter keeps
// out the slivers at the radiating area's edge and the corners a round radiator leaves nearly
// empty; the 30 keeps out bins whose value is mostly noise.
inline constexpr std::uint64_t kMinCountedRays = 30;
std::uint64_t CountedBinRays(const MapGrid& grid, MapQuantity quantity);

// Redraws of the bins' values behind the figures' uncertainties, and the seed of their generator.
inline constexpr int kUniformityRedraws = 200;
inline constexpr std::uint64_t kUniformitySeed = 20231;

// Mean, min, max, RMS nonuniformity and the 5-95 percentile spread of one quantity over the bins
// that count (all bins alike, not weighted by their rays: the radiance's uniformity over the
// area). Each figure's Monte Carlo standard uncertainty is the standard deviation of the figure
// over kUniformityRedraws redraws of the map, every counted bin's value drawn anew from a normal
// distribution with its own standard error (fixed seed: the same map gives the same figures).
// The bins' noise is part of the figures: it widens the spread and the RMS nonuniformity, and
// more rays per bin shrink them toward the radiator's own.
Uniformity ComputeUniformity(const MapGrid& grid, MapQuantity quantity);

// The bin's standard error of the quantity.
double MapValueError(const MapBin& bin, MapQuantity quantity);

// What a map is and its uniformity figures for the four quantities, one line each, for the batch
// tool's messages and the "#" lines of its CSV.
std::vector<std::string> UniformityLines(const RunMap& map, bool folded);

}  // namespace tessolan
