#include "model/RunRecord.h"

#include <algorithm>

namespace tessolan {

std::uint32_t ProgressStepFor(std::uint32_t nRays) { return std::clamp<std::uint32_t>(nRays / 100, 1, 1000000); }

std::uint32_t StatusStepFor(std::uint32_t nRays) { return std::clamp<std::uint32_t>(nRays / 1000, 1, 1000000); }

}  // namespace tessolan
