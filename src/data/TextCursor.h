#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessolan {

enum class TokenStatus { Ok, EndOfText, NotANumber };

// Reads a file's text the way the program's loaders take it: white-space separated tokens
// (line ends separate too, so a value may stand on a later line) and whole lines. Lines end in
// CR LF, LF or CR.
class TextCursor {
 public:
  explicit TextCursor(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  // True when nothing but white space is left, which no reader takes for one more value.
  bool OnlyWhiteSpaceLeft() const;

  // Moves past the next line end, or to the end of the text.
  void SkipLine();
  // The rest of the current line, then moves past its end.
  std::string ReadLine();

  // The next token, which must be a decimal number (see NumberParsing.h).
  TokenStatus ReadNumber(long double& value);
  // The same for a table's 64-bit field: read as extended, as every value is, then narrowed; a
  // number beyond the field's range is no number it can hold.
  TokenStatus ReadFieldNumber(double& value);
  // The next token, which must be a plain integer within range.
  TokenStatus ReadInteger(std::int32_t& value);

 private:
  std::string_view NextToken();

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace tessolan
