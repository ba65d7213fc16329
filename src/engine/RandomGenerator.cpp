#include "engine/RandomGenerator.h"

#include <chrono>

namespace tessolan {

void RandomGenerator::Randomize() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  seed_ = static_cast<std::uint32_t>(ticks);
}

}  // namespace tessolan
