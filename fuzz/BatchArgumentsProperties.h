#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessolan::fuzzing {

// A command line as the system hands it over: arguments separated by NUL bytes.
std::vector<std::string> SplitArguments(std::string_view bytes);

// What tessolan-batch's parser promises for any command line: it says what is wrong, or gives
// options the run can take (at least one ray, a threshold of at least 0, every --set value kept
// within its box's range, a ray count the run takes or refuses with "Too many rays"). Returns
// the first promise broken, or an empty text.
std::string CheckBatchArguments(std::string_view bytes);

}  // namespace tessolan::fuzzing
