#pragma once

#include <QString>
#include <vector>

#include "model/NumericBoxes.h"

namespace tessolan {

class NumericSpinBox;

// The boxes each gathering step reads, in the order the window shows them.
std::vector<NumericBox> GeometryBoxes();
std::vector<NumericBox> ViewingConditionBoxes(int vcType);
std::vector<NumericBox> TemperatureBoxes();

// The message for a typed value outside its box's range: the radiator size has the array
// count message of the geometry, every other box "<label> must be from MIN to MAX".
QString TypedRangeMessage(const NumericSpinBox& box);

}  // namespace tessolan
