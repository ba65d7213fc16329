#pragma once

#include <string>

namespace tessolan {

// Messages of the file commands. A line break inside a message is "\n".
inline constexpr const char* kErrorReadingFile = "Error reading file";  // a file that cannot be opened
inline constexpr const char* kFileReadingError = "File reading error";  // a file that cannot be taken
inline constexpr const char* kErrorWritingFile = "Error writing file";  // saving a reflectance file
inline constexpr const char* kFileWritingError = "File writing error";  // saving any other file
inline constexpr const char* kTooManySpectralPointsMessage =
    "Too many spectral points\nOnly 10000points will be entered";
inline constexpr const char* kCommentsTooLongMessage = "Comments are too long\nOnly 1001 lines will be entered";

// "1 duplicated spectral point was skipped", "3 duplicated spectral points were skipped".
std::string DuplicatedPointsMessage(int count);

// The modeling run's message when writing its results or report file fails:
// File "name" writing error.
std::string NamedFileWritingErrorMessage(const std::string& fileName);

}  // namespace tessolan
