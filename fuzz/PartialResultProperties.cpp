#include "PartialResultProperties.h"

#include <cmath>
#include <memory>

#include "data/PartialResultFile.h"
#include "model/AppState.h"
#include "run/MergeShards.h"

namespace tessolan::fuzzing {
namespace {

bool FiniteResults(const SpectralArrays& s) {
  for (std::int32_t k = 0; k < s.NWL; ++k)
    for (const Extended x : {s.ArrEEIso[k], s.ArrEE[k], s.ArrRTIso[k], s.ArrRT[k]})
      if (!std::isfinite(x)) return false;
  return true;
}

}  // namespace

std::string CheckPartialResult(std::string_view body) {
  const PartialResultRead read = ParsePartialResult(ChecksummedPartialText(body));
  if (!read.ok) return read.message.empty() ? "a refused partial result says why" : "";
  const std::string written = PartialResultText(read.partial);
  const PartialResultRead again = ParsePartialResult(written);
  if (!again.ok) return "what reads writes a partial result that reads";
  if (PartialResultText(again.partial) != written) return "what reads writes back the same text";

  // One state for every input: making one costs more than all the rest.
  static const auto state = std::make_unique<AppState>();
  const FlowStep merged = MergePartials({{"fuzzed", read.partial}}, read.partial.version, *state);
  if (!merged) return merged.message.empty() ? "a refused merge says why" : "";
  if (!FiniteResults(state->spectral)) return "a merged run's results are finite";
  return "";
}

}  // namespace tessolan::fuzzing
