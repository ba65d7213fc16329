#include "data/NumberParsing.h"

namespace tessolan {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Advances past a run of digits; false when there is none.
bool SkipDigits(std::string_view s, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < s.size() && IsDigit(s[pos])) ++pos;
  return pos > start;
}

bool SkipSign(std::string_view s, std::size_t& pos) {
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) ++pos;
  return true;
}

}  // namespace

bool IsDecimalNumber(std::string_view s) {
  std::size_t pos = 0;
  SkipSign(s, pos);
  if (!SkipDigits(s, pos)) return false;
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    if (!SkipDigits(s, pos)) return false;
  }
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    ++pos;
    SkipSign(s, pos);
    if (!SkipDigits(s, pos)) return false;
  }
  return pos == s.size();
}

std::optional<long double> ParseNumber(std::string_view token) {
  if (!IsDecimalNumber(token)) return std::nullopt;
  if (token.front() == '+') token.remove_prefix(1);  // from_chars takes no plus sign
  long double value = 0;
  const auto r = std::from_chars(token.data(), token.data() + token.size(), value);
  if (r.ec != std::errc{} || r.ptr != token.data() + token.size()) return std::nullopt;
  return value;
}

}  // namespace tessolan
