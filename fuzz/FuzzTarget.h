#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tessolan::fuzzing {

// One fuzz input through a property check: a broken property stops the fuzzer, which keeps the
// input that broke it.
template <class Check>
int RunTarget(Check check, const std::uint8_t* data, std::size_t size) {
  const std::string broken = check(std::string_view(reinterpret_cast<const char*>(data), size));
  if (broken.empty()) return 0;
  std::fprintf(stderr, "Property broken: %s\n", broken.c_str());
  std::abort();
}

}  // namespace tessolan::fuzzing
