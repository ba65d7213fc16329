#include "run/TaskRules.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <locale>
#include <stdexcept>

#include "model/Notation.h"

namespace tessolan {
namespace {

// The code point at `i` of UTF-8 text and its length; an invalid byte stands for itself.
char32_t DecodeAt(std::string_view text, std::size_t i, std::size_t& length) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  const std::size_t needed = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 1;
  if (needed == 1 || i + needed > text.size()) {
    length = 1;
    return lead;
  }
  char32_t code = lead & (0x7F >> needed);
  for (std::size_t k = 1; k < needed; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      length = 1;
      return lead;
    }
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  length = needed;
  return code;
}

bool IsWhiteSpace(char32_t c) {
  static constexpr std::array<char32_t, 9> kOthers{0x20, 0x85, 0xA0, 0x1680, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
  if (c >= 0x09 && c <= 0x0D) return true;
  if (c >= 0x2000 && c <= 0x200A) return true;
  return std::find(kOthers.begin(), kOthers.end(), c) != kOthers.end();
}

}  // namespace

std::string TaskNameFromFile(std::string_view path, double now) {
  if (IsBlankText(path)) return FormatDateTime(now);
  return std::filesystem::path(path).filename().stem().string();
}

bool IsBlankText(std::string_view text) {
  std::size_t length = 1;
  for (std::size_t i = 0; i < text.size(); i += length)
    if (!IsWhiteSpace(DecodeAt(text, i, length))) return false;
  return true;
}

char DecimalSeparatorOfLocale(const std::string& localeName) {
  try {
    const std::locale locale(localeName.c_str());
    const char point = std::use_facet<std::numpunct<char>>(locale).decimal_point();
    return static_cast<unsigned char>(point) < 128 && point != '\0' ? point : '.';
  } catch (const std::runtime_error&) {
    return '.';
  }
}

char UserDecimalSeparator() { return DecimalSeparatorOfLocale(""); }

}  // namespace tessolan
