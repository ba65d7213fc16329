#pragma once

#include <vector>

#include "model/ArrayGeometry.h"
#include "model/InitialData.h"

namespace tessolan {

// A line drawn over a map, in array coordinates; `bold` for an outer edge.
struct MapPolyline {
  std::vector<double> x, y;
  bool bold = false;
};

// The lines drawn over the two maps of a run, taken from the task the run traced so that a later
// change of the task does not move them: over the whole radiator its boundary (square or circle
// about the radiator's centre); over the folded map one pyramid cell about its centre (cell
// edge, base square, top flat and the four lateral edges).
struct MapOutlines {
  std::vector<MapPolyline> unfolded, folded;
};

MapOutlines MapOutlinesOf(const InitialData& task, const ArrayGeometry& geometry);

}  // namespace tessolan
