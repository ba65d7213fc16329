#pragma once

#include <atomic>
#include <cstdint>

namespace tessolan {

// The arithmetic of a run's work over wavelengths: the exact 80-bit extended precision, or the
// fast mode's double precision across wavelengths with SIMD (same seed, same numbers, but not
// the same bits as the exact mode).
enum class Precision { Extended, Double };

// The last run's times (days since 1899-12-30, time of day as the fraction) and the run control.
struct RunRecord {
  double StartTime = 0;
  double FinishTime = 0;
  std::uint32_t RayIndex = 0;
  std::uint32_t ProgressStep = 1;
  std::uint32_t StatusStep = 1;
  // Set by the Stop button (possibly from another thread than the one tracing).
  std::atomic<bool> StopRequested{false};
  // Seed the generator held when the last run started, so a user can repeat it.
  std::uint32_t RunSeed = 0;
  // The arithmetic the last run used.
  Precision RunPrecision = Precision::Extended;
};

// NRays div 100 and NRays div 1000, each clamped to 1..1,000,000.
std::uint32_t ProgressStepFor(std::uint32_t nRays);
std::uint32_t StatusStepFor(std::uint32_t nRays);

}  // namespace tessolan
