#include "data/RadioIndices.h"

namespace tessolan {

std::optional<RadioGroup> FindRadioGroupByFieldName(std::string_view fieldName) {
  if (fieldName == "Shape") return RadioGroup::Shape;
  if (fieldName == "CenterPosition") return RadioGroup::CenterPosition;
  if (fieldName == "VCType") return RadioGroup::VCType;
  return std::nullopt;
}

std::string RadioIndexMessage(RadioGroup group, long long index) {
  const std::string value = std::to_string(index);
  switch (group) {
    case RadioGroup::Shape:
      if (index == 0 || index == 1) return "";
      return "Radiator shape index (" + value + ") must be 0 (square) or 1 (circle)";
    case RadioGroup::CenterPosition:
      if (index == 0 || index == 1) return "";
      return "Radiator center position index (" + value + ") must be 0 (Pyramid Center) or 1 (Gap Center)";
    case RadioGroup::VCType:
      if (index >= 0 && index <= 3) return "";
      return "Viewing Conditions Index (" + value +
             ") is out of range.\n"
             "Viewing Conditions Index must be:\n"
             "0 for Directional Viewing Conditions A;\n"
             "1 for Directional Viewing Conditions B;\n"
             "2 for Conical Viewing Conditions;\n"
             "3 for Integrated Viewing Conditions.";
  }
  return "";
}

bool CheckRadioIndices(long long shape, long long centerPosition, long long vcType, std::string& message) {
  message = RadioIndexMessage(RadioGroup::Shape, shape);
  if (message.empty()) message = RadioIndexMessage(RadioGroup::CenterPosition, centerPosition);
  if (message.empty()) message = RadioIndexMessage(RadioGroup::VCType, vcType);
  return message.empty();
}

}  // namespace tessolan
