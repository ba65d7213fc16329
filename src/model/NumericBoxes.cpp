#include "model/NumericBoxes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace tessolan {

std::optional<NumericBox> FindBoxByFieldName(std::string_view fieldName) {
  for (const auto& entry : kNumericBoxes)
    if (entry.fieldName == fieldName) return entry.box;
  return std::nullopt;
}

double RoundHalfAwayFromZero(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  // The exact decimal expansion of a double has at most 1074 decimals.
  char buf[1500];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, 1100);
  std::string digits(buf, r.ptr);
  const auto point = digits.find('.');
  const std::string kept = digits.substr(0, point + 1 + decimals);
  const char next = digits[point + 1 + decimals];
  double rounded = 0;
  std::from_chars(kept.data(), kept.data() + kept.size(), rounded);
  if (next >= '5') {
    // Re-read the carried decimal so that the result is the double nearest to it.
    std::string carried = kept;
    int i = static_cast<int>(carried.size()) - 1;
    for (; i >= 0; --i) {
      if (carried[i] == '.') continue;
      if (carried[i] == '9') {
        carried[i] = '0';
      } else {
        ++carried[i];
        break;
      }
    }
    if (i < 0) carried.insert(carried.begin(), '1');
    std::from_chars(carried.data(), carried.data() + carried.size(), rounded);
  }
  return std::signbit(value) ? -rounded : rounded;
}

double BoxValue(NumericBox box, double value) {
  const NumericBoxSpec& entry = BoxSpec(box);
  if (std::isnan(value)) value = entry.minimum;
  return RoundHalfAwayFromZero(std::clamp(value, entry.minimum, entry.maximum), entry.decimals);
}

TaskControls DesignControls() {
  TaskControls c;
  for (const auto& entry : kNumericBoxes) c[entry.box] = entry.designValue;
  return c;
}

TaskControls ClearedControls() {
  TaskControls c;
  c.VCType = kDirectionalA;
  for (const auto& entry : kNumericBoxes) c[entry.box] = entry.minimum;
  return c;
}

}  // namespace tessolan
