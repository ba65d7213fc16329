#include "data/TextEncoding.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tessolan {
namespace {

// Code points of the bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the
// C1 control of the same number, as the system's own conversion does, so they survive a round trip.
constexpr std::array<char32_t, 32> kHighControls{0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes the UTF-8 sequence at `pos`, advancing it; nothing for an ill-formed sequence
// (overlong forms, surrogates and code points above U+10FFFF included).
std::optional<char32_t> NextCodePoint(std::string_view s, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  int length;
  char32_t cp;
  char32_t minimum;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  if (pos + length > s.size()) return std::nullopt;
  for (int i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  pos += length;
  return cp;
}

std::optional<char> Windows1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i)
    if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  return std::nullopt;
}

// The reader drops one leading byte order mark, so a text that starts with one gets another.
std::string Utf8FileBytes(std::string_view utf8) {
  return utf8.starts_with(kByteOrderMark) ? std::string(kByteOrderMark) + std::string(utf8) : std::string(utf8);
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();)
    if (!NextCodePoint(bytes, pos)) return false;
  return true;
}

std::string DecodeFileText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    return std::string(bytes);
  }
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b);
  }
  return out;
}

std::string EncodeFileText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto cp = NextCodePoint(utf8, pos);
    const auto b = cp ? Windows1252Byte(*cp) : std::nullopt;
    if (!b) return Utf8FileBytes(utf8);
    out += *b;
  }
  // Code-page bytes that happen to form valid UTF-8 ("Ã©" gives C3 A9) would be read back as
  // other characters.
  if (out != utf8 && IsValidUtf8(out)) return Utf8FileBytes(utf8);
  return out;
}

}  // namespace tessolan
