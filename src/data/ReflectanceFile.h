#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Extended.h"
#include "model/SpectralArrays.h"
#include "model/SpectralPoint.h"

namespace tessolan {

// A material's spectral reflectance file: one line per point, wavelength and reflectance.

inline constexpr int kMaxSpectralPoints = 10000;

// "     2.50000   0.50000000": wavelength 12.5, three spaces, reflectance 10.8.
std::string ReflectanceLine(Extended wl, Extended reflectance);

// The file's lines for the NWL gathered points, in array order.
std::vector<std::string> ReflectanceFileLines(const SpectralArrays& spectral);

// Saves the gathered points; false with "Error writing file" when the file cannot be created
// or written (the file it would replace is then left as it was).
bool SaveReflectanceFile(const std::string& path, const SpectralArrays& spectral, std::string& message);

// What a reflectance file holds, as the loader takes it. On failure `message` is the one to
// show and nothing else is meaningful: the caller's tables stay as they were.
struct ReflectanceFileRead {
  bool ok = false;
  std::string message;
  std::vector<SpectralPoint> points;  // in file order, repeated wavelengths included
  // More than 10000 points: only the first 10000 were taken; the caller shows
  // kTooManySpectralPointsMessage before it fills its table.
  bool tooManyPoints = false;
};

ReflectanceFileRead ReadReflectanceFile(const std::string& path);
ReflectanceFileRead ParseReflectanceText(std::string_view text);

}  // namespace tessolan
