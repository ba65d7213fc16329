#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/Extended.h"

namespace tessolan {

inline constexpr std::uint64_t kMaxRays = 100000000;

struct Accuracy {
  std::uint32_t NRays = 0;
  Extended Threshold = 0;
};

// The choices of the modeling window: the shown text and the value used.
struct RayCountChoice {
  std::string_view text;
  std::uint64_t value;
};
struct ThresholdChoice {
  std::string_view text;
  Extended value;
};

inline constexpr std::array<RayCountChoice, 8> kRayCountChoices{{
    {"1e2", 100},
    {"1e3", 1000},
    {"1e4", 10000},
    {"1e5", 100000},
    {"1e6", 1000000},
    {"1e7", 10000000},
    {"1e8", 100000000},
    {"1e9", 1000000000},
}};
inline constexpr int kDefaultRayCountChoice = 2;

inline constexpr std::array<ThresholdChoice, 8> kThresholdChoices{{
    {"1e-2", 1e-2L},
    {"1e-3", 1e-3L},
    {"1e-4", 1e-4L},
    {"1e-5", 1e-5L},
    {"1e-6", 1e-6L},
    {"1e-7", 1e-7L},
    {"1e-8", 1e-8L},
    {"0", 0.0L},
}};
inline constexpr int kDefaultThresholdChoice = 4;

}  // namespace tessolan
