#pragma once

#include <array>

#include "model/ArrayGeometry.h"
#include "model/Extended.h"
#include "model/InitialData.h"

namespace tessolan {

// The outline of the array and of its pyramids, as the coverage check and every drawing of
// the array take it.

// The outer edge of the array's cells: along x and along y alike the cells span [low, high].
struct ArrayEdge {
  Extended low = 0, high = 0;
};

inline ArrayEdge ArrayOuterEdge(const ArrayGeometry& g) {
  const Extended halfPeriod = g.Period / 2;
  return {g.CenterX[1] - halfPeriod, g.CenterX[g.NCR] + halfPeriod};
}

// A drawing's frame lies 5 % beyond what it frames.
inline Extended WithFrameMargin(Extended extent) { return 1.05L * extent; }
inline double WithFrameMargin(double extent) { return 1.05 * extent; }
// The frame's lower edge under a drawing that rises from 0 to `height`.
inline double FrameMarginBelow(double height) { return -0.05 * height; }

// One point of a cell's side profile: the offset from the cell's centre and the height there.
struct ProfilePoint {
  Extended offset = 0, height = 0;
};

// The side profile of one cell, left to right: the cell's edge and the base corner on the
// floor, the two top-flat corners at the pyramids' height, the other base corner and edge.
inline std::array<ProfilePoint, 6> PyramidProfile(const InitialData& task, const ArrayGeometry& g) {
  const Extended p = (task.BaseSideLength + task.GapWidth) / 2;
  const Extended a = task.BaseSideLength / 2;
  const Extended d = task.TopFlatSideLength / 2;
  const Extended h = g.Height;
  return {{{-p, 0}, {-a, 0}, {-d, h}, {d, h}, {a, 0}, {p, 0}}};
}

// A line of a drawing, from (x1, y1) to (x2, y2).
struct DrawnSegment {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The top view of one pyramid about its centre: the base square of half side `halfBase`, the
// top flat of half side `halfTopFlat`, and the four lateral edges from base corner to top-flat
// corner.
struct PyramidTopView {
  double halfBase = 0, halfTopFlat = 0;
  std::array<DrawnSegment, 4> edges{};
};

inline PyramidTopView PyramidTopViewOf(const InitialData& task) {
  const double a = static_cast<double>(task.BaseSideLength) / 2;
  const double d = static_cast<double>(task.TopFlatSideLength) / 2;
  return {a, d, {{{-a, -a, -d, -d}, {a, -a, d, -d}, {d, d, a, a}, {-d, d, -a, a}}}};
}

}  // namespace tessolan
