#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/InitialData.h"
#include "model/NumericBoxes.h"
#include "model/SpectralArrays.h"
#include "model/SpectralPoint.h"

namespace tessolan {

// An initial data file: one whole task in labelled lines, its spectral table and comments.

// The file's lines for a gathered task: the values of the current viewing conditions only,
// the NWL gathered points and the comment lines as given. `savedAt` stamps the first line.
std::vector<std::string> InitialDataFileLines(const InitialData& task, const SpectralArrays& spectral,
                                              const std::vector<std::string>& comments, double savedAt);

// Saves it; false with "File writing error" when the file cannot be created or written (the
// file it would replace is then left as it was).
bool SaveInitialDataFile(const std::string& path, const InitialData& task, const SpectralArrays& spectral,
                         const std::vector<std::string>& comments, double savedAt, std::string& message);

// What a file holds, as read, before anything is checked or shown.
struct LoadedInitialData {
  // The values read, unrounded: DA, DB and DD halved into the radii, HF or HD in ViewerDistance.
  // The geometry is preprocessed on these. Shape, CenterPosition and VCType hold the indices
  // only once CheckRadioIndices has passed them; the indices as read are below.
  InitialData task;
  std::int32_t Shape = 0;
  std::int32_t CenterPosition = 0;
  std::int32_t VCType = 0;
  std::vector<SpectralPoint> points;  // table order, repeated wavelengths included
  std::vector<std::string> comments;
  // More than 1001 comment lines: the first 1001 were kept; the caller shows
  // kCommentsTooLongMessage and goes on.
  bool commentsTooLong = false;
};

struct InitialDataFileRead {
  bool ok = false;
  std::string message;  // on failure, the one to show; the caller's state stays as it was
  LoadedInitialData data;
};

InitialDataFileRead ReadInitialDataFile(const std::string& path);
InitialDataFileRead ParseInitialDataText(std::string_view text);

// The boxes a load sets, each to its box value (clamped to its range, rounded to its decimals).
// The window sets the geometry boxes before it preprocesses the geometry and the rest only
// after that succeeded; the viewing-condition boxes of the other types keep their values.
void SetGeometryBoxes(const LoadedInitialData& loaded, TaskControls& controls);
void SetRemainingBoxes(const LoadedInitialData& loaded, TaskControls& controls);

// The controls after a successful load over `base`: the three radio indices and every box the
// file sets. The indices must have passed CheckRadioIndices.
TaskControls LoadedControls(const LoadedInitialData& loaded, TaskControls base);

}  // namespace tessolan
