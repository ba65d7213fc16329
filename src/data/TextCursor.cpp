#include "data/TextCursor.h"

#include <cmath>
#include <limits>

#include "data/NumberParsing.h"

namespace tessolan {
namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

bool TextCursor::OnlyWhiteSpaceLeft() const {
  for (std::size_t i = pos_; i < text_.size(); ++i)
    if (!IsWhiteSpace(text_[i])) return false;
  return true;
}

void TextCursor::SkipLine() { ReadLine(); }

std::string TextCursor::ReadLine() {
  const std::size_t start = pos_;
  while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
  std::string line(text_.substr(start, pos_ - start));
  if (text_.substr(pos_).starts_with("\r\n"))
    pos_ += 2;
  else if (pos_ < text_.size())
    ++pos_;
  return line;
}

std::string_view TextCursor::NextToken() {
  while (pos_ < text_.size() && IsWhiteSpace(text_[pos_])) ++pos_;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !IsWhiteSpace(text_[pos_])) ++pos_;
  return text_.substr(start, pos_ - start);
}

TokenStatus TextCursor::ReadNumber(long double& value) {
  const std::string_view token = NextToken();
  if (token.empty()) return TokenStatus::EndOfText;
  const auto number = ParseNumber(token);
  if (!number) return TokenStatus::NotANumber;
  value = *number;
  return TokenStatus::Ok;
}

TokenStatus TextCursor::ReadFieldNumber(double& value) {
  long double x = 0;
  const TokenStatus status = ReadNumber(x);
  if (status != TokenStatus::Ok) return status;
  if (!(std::fabs(x) <= std::numeric_limits<double>::max())) return TokenStatus::NotANumber;
  value = static_cast<double>(x);
  return TokenStatus::Ok;
}

TokenStatus TextCursor::ReadInteger(std::int32_t& value) {
  const std::string_view token = NextToken();
  if (token.empty()) return TokenStatus::EndOfText;
  const auto number = ParseInteger<std::int32_t>(token);
  if (!number) return TokenStatus::NotANumber;
  value = *number;
  return TokenStatus::Ok;
}

}  // namespace tessolan
