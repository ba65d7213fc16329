#pragma once

#include <cstdint>

#include "model/Extended.h"

namespace tessolan {

// The program's uniform generator: a 32-bit linear congruential sequence. Every random quantity
// of a run is drawn from it in a fixed order, so the same seed traces the same rays.
class RandomGenerator {
 public:
  explicit RandomGenerator(std::uint32_t seed = 0) : seed_(seed) {}

  // u with 0 <= u < 1.
  Extended Random() {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<Extended>(seed_) * kTwoToMinus32;
  }

  // Reseeds from the low 32 bits of the monotonic high-resolution clock.
  void Randomize();

  std::uint32_t seed() const { return seed_; }

 private:
  static constexpr Extended kTwoToMinus32 = 2.3283064365386962890625e-10L;
  std::uint32_t seed_;
};

}  // namespace tessolan
