#pragma once

#include <array>
#include <cstdint>

#include "model/Extended.h"

namespace tessolan {

// The generator of the parallel runs: the counter-based Philox4x32-10, keyed by the run's seed
// and a stream number (the block of rays). Streams are independent whatever their numbers, so
// blocks traced on different threads never share or overlap their random numbers, and each
// stream is as long as anyone will need (2^66 values). Values are 32-bit integers times 2^-32,
// in [0, 1), like those of the program's own generator.
class PhiloxGenerator {
 public:
  using Counter = std::array<std::uint32_t, 4>;
  using Key = std::array<std::uint32_t, 2>;

  PhiloxGenerator(std::uint32_t seed, std::uint32_t stream) : key_{seed, stream} {}

  Extended Random() {
    if (next_ == 4) Refill();
    return static_cast<Extended>(values_[next_++]) * kTwoToMinus32;
  }

  // Ten rounds of the Philox bijection of `counter` under `key`.
  static Counter Philox4x32(Counter counter, Key key) {
    for (int round = 0; round < 10; ++round) {
      if (round > 0) {
        key[0] += 0x9E3779B9u;
        key[1] += 0xBB67AE85u;
      }
      const std::uint64_t p0 = std::uint64_t{0xD2511F53u} * counter[0];
      const std::uint64_t p1 = std::uint64_t{0xCD9E8D57u} * counter[2];
      counter = {static_cast<std::uint32_t>(p1 >> 32) ^ counter[1] ^ key[0], static_cast<std::uint32_t>(p1),
                 static_cast<std::uint32_t>(p0 >> 32) ^ counter[3] ^ key[1], static_cast<std::uint32_t>(p0)};
    }
    return counter;
  }

 private:
  static constexpr Extended kTwoToMinus32 = 2.3283064365386962890625e-10L;

  void Refill() {
    values_ =
        Philox4x32({static_cast<std::uint32_t>(position_), static_cast<std::uint32_t>(position_ >> 32), 0, 0}, key_);
    ++position_;
    next_ = 0;
  }

  Key key_;
  std::uint64_t position_ = 0;
  Counter values_{};
  int next_ = 4;
};

}  // namespace tessolan
