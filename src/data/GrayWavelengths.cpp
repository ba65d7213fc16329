#include "data/GrayWavelengths.h"

#include "model/Notation.h"

namespace tessolan {

namespace {

// How far past the longest wavelength the running sum may go and still count.
constexpr Extended kStepOvershoot = 1e-6L;

// A step typed equal to a bound is accepted even when the bound, computed in binary from the
// typed wavelengths, comes out a few units in the last place short of it.
constexpr Extended kStepSlack = 1e-12L;

bool CheckBound(Extended wavelength, const char* which, char separator, std::string& message) {
  if (wavelength >= kShortestGrayWavelength && wavelength <= kLongestGrayWavelength) return true;
  message = std::string(which) + " Wavelength must be from " + FormatGeneral(kShortestGrayWavelength, separator) +
            " \u00b5m to " + FormatGeneral(kLongestGrayWavelength, separator) + " \u00b5m";
  return false;
}

// The step must leave room for the whole range and give at most kMaxGrayWavelengths points.
bool CheckStep(Extended min, Extended max, Extended step, char separator, std::string& message) {
  const Extended lowest = (max - kShortestGrayWavelength) / (kMaxGrayWavelengths - 1);
  const Extended highest = max - min;
  if (step >= lowest * (1 - kStepSlack) && step <= highest * (1 + kStepSlack)) return true;
  message = "Step must be from " + FormatGeneral(lowest, separator) + " to " + FormatGeneral(highest, separator);
  return false;
}

}  // namespace

bool GenerateGrayWavelengths(const GrayWavelengthRequest& request, char decimalSeparator,
                             std::vector<Extended>& wavelengths, std::string& message) {
  if (!request.min) {
    message = "Invalid value for Min. Wavelength";
    return false;
  }
  if (!CheckBound(*request.min, "Min.", decimalSeparator, message)) return false;
  if (!request.max) {
    message = "Invalid value for Max.Wavelength";
    return false;
  }
  if (!CheckBound(*request.max, "Max.", decimalSeparator, message)) return false;
  const Extended min = *request.min;
  const Extended max = *request.max;
  if (max <= min) {
    message = "Max. Wavelength must be greater than Min. Wavelength";
    return false;
  }
  if (!request.byStep) {
    wavelengths = WavelengthsByNumber(min, max, request.count);
    return true;
  }
  return CheckStep(min, max, request.step, decimalSeparator, message) &&
         WavelengthsByStep(min, max, request.step, wavelengths, message);
}

std::vector<Extended> WavelengthsByNumber(Extended min, Extended max, int count) {
  std::vector<Extended> wavelengths;
  if (count < 2) return wavelengths;
  const Extended step = (max - min) / (count - 1);
  wavelengths.reserve(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) wavelengths.push_back(min + k * step);
  return wavelengths;
}

bool WavelengthsByStep(Extended min, Extended max, Extended step, std::vector<Extended>& wavelengths,
                       std::string& message) {
  wavelengths.clear();
  // A running sum, so that the points are where repeated steps put them.
  for (Extended w = min; w <= max + kStepOvershoot; w += step) {
    const int count = static_cast<int>(wavelengths.size()) + 1;
    if (count > kMaxGrayWavelengths) {
      message = "Number of Wavelengths (" + std::to_string(count) + ") cannot be greater than " +
                std::to_string(kMaxGrayWavelengths) + "\nPlease increase step";
      wavelengths.clear();
      return false;
    }
    wavelengths.push_back(w);
  }
  return true;
}

std::string DuplicatedWavelengthsMessage(int count) {
  return std::to_string(count) + " duplicated wavelength" + (count > 1 ? "s" : "") + (count > 1 ? " were " : " was ") +
         "skipped";
}

}  // namespace tessolan
