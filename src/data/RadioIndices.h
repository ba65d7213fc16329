#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessolan {

// The task's three radio-group indices, as an initial data file or the batch tool's --set
// gives them: they are checked before they select anything.
enum class RadioGroup { Shape, CenterPosition, VCType };

// The group whose task value has this name ("Shape", "CenterPosition", "VCType").
std::optional<RadioGroup> FindRadioGroupByFieldName(std::string_view fieldName);

// The message for an index out of its group's range; empty when the index is valid.
std::string RadioIndexMessage(RadioGroup group, long long index);

// Checks the three indices in the loader's order; false with the first failure's message.
bool CheckRadioIndices(long long shape, long long centerPosition, long long vcType, std::string& message);

}  // namespace tessolan
