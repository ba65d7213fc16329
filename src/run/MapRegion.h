#pragma once

#include "model/AppState.h"

namespace tessolan {

// The square of array coordinates that a map's unfolded grid covers.
struct MapSquare {
  double centerX = 0, centerY = 0, half = 0;
};

// The viewed region: the bounding square of where the rays of the gathered viewing conditions can
// first meet the array, taken between its base plane and the pyramids' tops (a ray's first hit
// lies between its crossings of the two), with a 1% margin, and kept within the radiating area's
// bounding square [-R, R]². Rays aimed at the whole radiating area (Integrated) and cones too
// wide to bound give that whole square.
MapSquare ViewedSquare(const AppState& state);

}  // namespace tessolan
