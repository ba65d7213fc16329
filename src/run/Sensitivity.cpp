#include "run/Sensitivity.h"

#include <cmath>
#include <limits>

#include "engine/Planck.h"
#include "run/Radiometry.h"

namespace tessolan {
namespace {

constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();

std::uint64_t SplitMix64(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// d ln Planck / dT at lambda (micrometres) and T: (x / T) / (1 - exp(-x)), x = c2 / (l T).
Extended LogPlanckSlope(Extended lambda, Extended t) {
  if (lambda <= 0 || t <= 0) return 0;
  const Extended x = kC2 / (lambda * 1e-6L * t);
  return (x / t) / -std::expm1(-x);
}

}  // namespace

std::uint32_t ReplicateSeed(std::uint32_t seed, int replicate) {
  const std::uint64_t mixed =
      SplitMix64((static_cast<std::uint64_t>(seed) << 32) | static_cast<std::uint32_t>(replicate));
  return static_cast<std::uint32_t>(mixed >> 32);
}

std::uint64_t ReplicateRays(std::uint64_t rays, int replicates, int replicate) {
  const auto r = static_cast<std::uint64_t>(replicates);
  return rays / r + (static_cast<std::uint64_t>(replicate) < rays % r ? 1 : 0);
}

ReplicateMean MeanOfReplicates(const std::vector<Extended>& values) {
  if (values.empty()) return {kNaN, kNaN};
  // Deviations from the first value: replicates that agree give it back exactly.
  const Extended first = values.front();
  Extended sum = 0;
  for (const Extended v : values) sum += v - first;
  const auto n = static_cast<Extended>(values.size());
  const Extended meanDeviation = sum / n;
  Extended squares = 0;
  for (const Extended v : values) squares += ((v - first) - meanDeviation) * ((v - first) - meanDeviation);
  const Extended se = values.size() < 2 ? kNaN : std::sqrt(squares / (n - 1) / n);
  return {first + meanDeviation, se};
}

Extended NonisothermalEmissivityTrefSlope(Extended lambda, Extended emissivity, Extended tref) {
  return -emissivity * LogPlanckSlope(lambda, tref);
}

Extended IsothermalTemperatureTrefSlope(Extended lambda, Extended emissivity, Extended tref) {
  const Extended t = RadianceTemperature(lambda, emissivity, tref);
  if (emissivity == 0 || t <= 0) return 0;
  // Planck(T) = epsilon Planck(Tref): dT / dTref = epsilon Planck'(Tref) / Planck'(T), and since
  // epsilon Planck(Tref) = Planck(T), the ratio of the two logarithmic slopes.
  return LogPlanckSlope(lambda, tref) / LogPlanckSlope(lambda, t);
}

}  // namespace tessolan
