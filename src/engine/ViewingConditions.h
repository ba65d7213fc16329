#pragma once

#include <string>

#include "model/ArrayGeometry.h"
#include "model/InitialData.h"
#include "model/ViewGeometry.h"

namespace tessolan {

// Derives the line of sight, the viewer's point and the launch procedure from the task. The
// caller has put VCType, AngleA, AngleB and the values of the current type into the task:
// FootprintRadius (DA/2), BeamRadius (DB/2), ViewerDistance and AngleW (Conical), or
// DetectorRadius and ViewerDistance (Integrated). Sets RadiatorHalf, and ViewerDistance for the
// directional types; clamps AngleW to 0..179.9. On a range failure returns false with the
// message; the launch procedure and the viewer's point keep their previous values.
bool DeriveViewingConditions(InitialData& task, ArrayGeometry& geometry, ViewGeometry& view, std::string& message,
                             char decimalSeparator = '.');

// The viewer must stand above the pyramid tops: checked when a modeling run is opened, after
// the viewing conditions were gathered.
bool CheckViewerDistance(const InitialData& task, const ArrayGeometry& geometry, const ViewGeometry& view,
                         std::string& message, char decimalSeparator = '.');

}  // namespace tessolan
