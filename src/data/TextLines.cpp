#include "data/TextLines.h"

#include "data/TextCursor.h"

namespace tessolan {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  TextCursor cursor(text);
  while (!cursor.AtEnd()) lines.push_back(cursor.ReadLine());
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  text.reserve(size);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace tessolan
