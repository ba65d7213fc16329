#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessolan {

// The lines of a text whose lines end in CR LF, LF or CR. A line end after the last line does
// not start another line, so an empty text has no lines and "a\r\n" has one.
std::vector<std::string> SplitLines(std::string_view text);

// Every line followed by CR LF, as the program writes its files.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace tessolan
