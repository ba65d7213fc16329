#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/Extended.h"

namespace tessolan {

// The wavelengths of a gray (wavelength-independent) material, spread uniformly over a range
// in micrometres, either as a number of wavelengths or as a step between them.
inline constexpr Extended kShortestGrayWavelength = 0.001L;
inline constexpr Extended kLongestGrayWavelength = 1000;
inline constexpr int kMaxGrayWavelengths = 10000;

struct GrayWavelengthRequest {
  std::optional<Extended> min;  // nothing when what was typed is not a number
  std::optional<Extended> max;
  bool byStep = false;
  int count = 2;      // by number
  Extended step = 1;  // by step
};

// Checks the range and the step and builds the wavelengths, in ascending order. False with
// the first failure's message; numbers in messages use `decimalSeparator`.
bool GenerateGrayWavelengths(const GrayWavelengthRequest& request, char decimalSeparator,
                             std::vector<Extended>& wavelengths, std::string& message);

// `count` >= 2 wavelengths from min to max: min + (k - 1) * (max - min) / (count - 1).
std::vector<Extended> WavelengthsByNumber(Extended min, Extended max, int count);

// The running sum min, min + step, ... while it stays within max (plus 1e-6 so that rounding
// does not lose the last one). False, with the message, beyond kMaxGrayWavelengths.
bool WavelengthsByStep(Extended min, Extended max, Extended step, std::vector<Extended>& wavelengths,
                       std::string& message);

// "1 duplicated wavelength was skipped", "3 duplicated wavelengths were skipped".
std::string DuplicatedWavelengthsMessage(int count);

}  // namespace tessolan
