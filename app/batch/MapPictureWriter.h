#pragma once

#include <functional>
#include <string>

#include "model/AppState.h"
#include "model/RunMap.h"

namespace tessolan {

// Draws one quantity of a map at `wavelength` (micrometres; NaN: the spectrum average) as a PNG
// picture (heat map, colour scale, axes in the task's unit, the radiator's boundary) at `path`; false with a message when it cannot. The batch library
// has no window code: the executable passes the writer when it is built with the window.
using MapPictureWriter = std::function<bool(const AppState& state, const MapGrid& grid, MapQuantity quantity,
                                            double wavelength,
                                            const std::string& path, std::string& message)>;

}  // namespace tessolan
