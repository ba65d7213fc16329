#pragma once

#include <ostream>
#include <string>

#include "BatchOptions.h"
#include "MapPictureWriter.h"
#include "model/AppState.h"
#include "model/RunMap.h"

namespace tessolan {

// The map request of --map's options for the loaded task: --map-wavelength must be one of the
// table's wavelengths (to a relative 1e-9, the table's own rounding); false with the message.
bool MakeMapRequest(const MapOutputs& options, const SpectralArrays& spectral, RunMap& map, std::string& message);

// The map's CSV and picture, and its figures on `err` unless quiet; false (with the message on
// `err`) when a file could not be written.
bool WriteMapOutputs(const MapOutputs& options, const AppState& state, const RunMap& map,
                     const MapPictureWriter& drawMap, bool quiet, std::ostream& err);

}  // namespace tessolan
