#include "BatchArgumentsProperties.h"

#include <memory>

#include "BatchOptions.h"
#include "data/RadioIndices.h"
#include "model/AppState.h"
#include "model/NumericBoxes.h"
#include "run/Gathering.h"

namespace tessolan::fuzzing {
namespace {

std::string CheckSetting(const FieldSetting& s) {
  if (const auto group = FindRadioGroupByFieldName(s.field)) {
    RadioIndexMessage(*group, static_cast<long long>(s.value));
    return "";
  }
  const auto box = FindBoxByFieldName(s.field);
  if (!box) return "--set names a task field";
  const NumericBoxSpec& limits = BoxSpec(*box);
  const double value = BoxValue(*box, static_cast<double>(s.value));
  if (!(limits.minimum <= value && value <= limits.maximum)) return "--set keeps a value within its box's range";
  return "";
}

}  // namespace

std::vector<std::string> SplitArguments(std::string_view bytes) {
  std::vector<std::string> args;
  while (!bytes.empty()) {
    const auto end = bytes.find('\0');
    args.emplace_back(bytes.substr(0, end));
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
  }
  return args;
}

std::string CheckBatchArguments(std::string_view bytes) {
  const std::vector<std::string> args = SplitArguments(bytes);
  const ParsedArguments parsed = ParseBatchArguments(args);
  if (!parsed.ok) return parsed.error.empty() ? "bad usage says what is wrong" : "";
  if (parsed.action != BatchAction::Run) return "";
  const BatchOptions& o = parsed.options;
  if (o.rays < 1) return "at least one ray";
  if (!(o.threshold >= 0)) return "a threshold of at least 0";
  for (const FieldSetting& s : o.settings)
    if (std::string broken = CheckSetting(s); !broken.empty()) return broken;

  static const auto state = std::make_unique<AppState>();  // cleared once, not for every input
  std::string message;
  if (!ReadAccuracy(*state, o.rays, o.threshold, message) && message != kTooManyRaysMessage) return "\"Too many rays\"";
  return "";
}

}  // namespace tessolan::fuzzing
