#pragma once

#include <charconv>
#include <concepts>
#include <optional>
#include <string_view>

namespace tessolan {

// Numbers in the program's files and on the batch tool's command line: an optional sign,
// digits, optionally a full stop and digits, optionally "e" or "E", a sign and digits. No
// "inf", "nan", hexadecimal or decimal comma; the same in every locale.
bool IsDecimalNumber(std::string_view token);

// The value of a decimal number; nothing for any other token or a value out of range.
std::optional<long double> ParseNumber(std::string_view token);

// A plain integer: an optional sign and digits ("1.0" is not one); nothing when out of range.
template <std::integral Int>
std::optional<Int> ParseInteger(std::string_view token) {
  const std::string_view digits = token.substr(!token.empty() && (token[0] == '+' || token[0] == '-'));
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  // from_chars takes a minus sign but no plus sign; an unsigned type takes neither, so "-0"
  // is its only negative spelling in range.
  const bool negative = token[0] == '-';
  if (negative && std::unsigned_integral<Int>) {
    if (digits.find_first_not_of('0') != std::string_view::npos) return std::nullopt;
    return Int{0};
  }
  const char* first = negative ? token.data() : digits.data();
  Int value{};
  const auto r = std::from_chars(first, token.data() + token.size(), value);
  if (r.ec != std::errc{} || r.ptr != token.data() + token.size()) return std::nullopt;
  return value;
}

}  // namespace tessolan
