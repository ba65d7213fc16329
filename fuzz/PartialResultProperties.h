#pragma once

#include <string>
#include <string_view>

namespace tessolan::fuzzing {

// What a partial result promises for any body at all. The bytes are taken as the body of a
// partial result and the checksum line the program writes is put after them, so that the
// reader's checks beyond the checksum, and the merge, are reached. Returns the first promise
// broken, or an empty text when all hold:
// refused with a reason, or read; what reads writes a text that reads back and writes the same
// text again; merged alone, it is refused with a reason or gives finite results.
std::string CheckPartialResult(std::string_view body);

}  // namespace tessolan::fuzzing
