#pragma once

#include <string>
#include <string_view>

namespace tessolan {

// In memory every text is UTF-8. Files are Windows-1252, as other installations of the program
// read and write them, unless a text holds characters that code page lacks: such a file is
// written as UTF-8 so that nothing the user typed is lost.

bool IsValidUtf8(std::string_view bytes);

// A file's bytes as UTF-8: taken as they are when they are valid UTF-8 (a leading byte order
// mark dropped), otherwise decoded from Windows-1252.
std::string DecodeFileText(std::string_view bytes);

// The bytes to write for a UTF-8 text: Windows-1252 when every character has a place there and
// the bytes cannot be mistaken for UTF-8, otherwise the UTF-8 text (with a byte order mark
// first when the text itself starts with one). DecodeFileText gives the text back unchanged.
std::string EncodeFileText(std::string_view utf8);

}  // namespace tessolan
