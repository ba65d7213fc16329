#pragma once

// The arithmetic of a budget's sensitivity coefficients: the replicates that give their Monte
// Carlo uncertainty, and the closed-form derivatives with respect to the reference temperature.

#include <cstdint>
#include <vector>

#include "model/Extended.h"

namespace tessolan {

// The seed of replicate r of a budget whose base run has `seed`: the two mixed by SplitMix64,
// so that the replicates' streams are unrelated to each other and to the base run's.
std::uint32_t ReplicateSeed(std::uint32_t seed, int replicate);

// The rays of replicate r when `rays` are shared among `replicates` as evenly as they go (the
// first rays % replicates replicates take one more).
std::uint64_t ReplicateRays(std::uint64_t rays, int replicates, int replicate);

// The mean of a coefficient's replicate estimates and the standard error of that mean, from
// their spread (s / sqrt(R)). Replicates that agree to the last bit give that value and 0.
struct ReplicateMean {
  Extended mean = 0;
  Extended se = 0;
};
ReplicateMean MeanOfReplicates(const std::vector<Extended>& values);

// Derivatives with respect to the reference temperature Tref of the results it enters only by
// their closed forms, at wavelength lambda (micrometres): the nonisothermal effective emissivity
// (radiance / Planck(Tref)) and the isothermal radiance temperature (Planck(T) = epsilon
// Planck(Tref)). The nonisothermal radiance temperature does not depend on Tref at all.
Extended NonisothermalEmissivityTrefSlope(Extended lambda, Extended emissivity, Extended tref);
Extended IsothermalTemperatureTrefSlope(Extended lambda, Extended emissivity, Extended tref);

}  // namespace tessolan
