#include "FuzzTarget.h"
#include "PartialResultProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return tessolan::fuzzing::RunTarget(tessolan::fuzzing::CheckPartialResult, data, size);
}
