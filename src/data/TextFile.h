#pragma once

#include <string>
#include <vector>

namespace tessolan {

enum class TextFileStatus { Ok, CannotOpen, ReadFailed };

struct TextFileContent {
  TextFileStatus status = TextFileStatus::Ok;
  std::string text;  // UTF-8
};

// A whole text file, decoded (see TextEncoding.h).
TextFileContent ReadTextFile(const std::string& path);

enum class SaveStatus { Ok, CannotCreate, WriteFailed };

// The bytes of a file of these lines: each followed by CR LF, encoded for the file.
std::string FileBytes(const std::vector<std::string>& lines);

// Writes the lines to a temporary file beside `path` and renames it over `path` only once it
// is complete and closed, so a failed save leaves the file it would have replaced as it was.
SaveStatus SaveTextFile(const std::string& path, const std::vector<std::string>& lines);
// The same for bytes that are already what the file must hold.
SaveStatus SaveFileBytes(const std::string& path, const std::string& bytes);

}  // namespace tessolan
