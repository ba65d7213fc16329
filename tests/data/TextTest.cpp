#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/NumberParsing.h"
#include "data/TextCursor.h"
#include "data/TextEncoding.h"
#include "data/TextLines.h"

namespace tessolan {
namespace {

TEST(TextEncodingTest, WritesWindows1252UnlessACharacterHasNoPlaceThere) {
  EXPECT_EQ(EncodeFileText("Angle (°): 5"), "Angle (\xB0): 5");
  EXPECT_EQ(EncodeFileText("Ré €5 – ok"),
            "R\xE9 \x80"
            "5 \x96 ok");
  // One character outside the code page keeps the whole text in UTF-8.
  EXPECT_EQ(EncodeFileText("° → °"), "° → °");
  EXPECT_EQ(EncodeFileText("日本"), "日本");
}

TEST(TextEncodingTest, ReadsUtf8WhenValidOtherwiseWindows1252) {
  const struct {
    std::string bytes, text;
  } cases[] = {
      {"plain", "plain"},
      {"\xB0", "°"},  // a lone degree byte is not UTF-8
      {"°C", "°C"},   // valid UTF-8 stays as it is
      {"\xEF\xBB\xBF"
       "a",
       "a"},                                // byte order mark dropped
      {"\x80\x81\x9F", "€\xC2\x81Ÿ"},       // an undefined byte becomes the C1 control
      {"\xC0\xAF", "À¯"},                   // overlong form: not UTF-8
      {"\xED\xA0\x80", "í\xC2\xA0€"},       // surrogate: not UTF-8
      {"\xF4\x90\x80\x80", "ô\xC2\x90€€"},  // above U+10FFFF: not UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeFileText(c.bytes), c.text) << c.bytes;
}

TEST(TextEncodingTest, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  all += "\xB0";  // makes sure the bytes are not valid UTF-8
  EXPECT_EQ(EncodeFileText(DecodeFileText(all)), all);
}

TEST(TextLinesTest, LinesEndInCrLfLfOrCr) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitLines("a\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(JoinLines({}), "");
}

TEST(NumberParsingTest, OnlySignedDecimalsWithOptionalExponent) {
  const struct {
    const char* token;
    bool valid;
    long double value;
  } cases[] = {
      {"1", true, 1},      {"+1.5", true, 1.5L}, {"-2.5e-3", true, -2.5e-3L},
      {"1E5", true, 1e5L}, {"0.1", true, 0.1L},  {"1e+2", true, 100},
      {".5", false, 0},    {"5.", false, 0},     {"1,5", false, 0},
      {"inf", false, 0},   {"nan", false, 0},    {"0x10", false, 0},
      {"1e", false, 0},    {"--1", false, 0},    {"1e5000", false, 0},
      {"", false, 0},      {"1.5abc", false, 0}, {"+", false, 0},
  };
  for (const auto& c : cases) {
    const auto value = ParseNumber(c.token);
    ASSERT_EQ(value.has_value(), c.valid) << c.token;
    if (c.valid) {
      EXPECT_EQ(*value, c.value) << c.token;
    }
  }
}

TEST(NumberParsingTest, IntegersArePlainAndInRange) {
  EXPECT_EQ(ParseInteger<int>("+7"), 7);
  EXPECT_EQ(ParseInteger<int>("-2147483648"), -2147483648LL);
  EXPECT_FALSE(ParseInteger<int>("2147483648"));
  EXPECT_FALSE(ParseInteger<int>("1.0"));
  EXPECT_FALSE(ParseInteger<int>("1e2"));
  EXPECT_FALSE(ParseInteger<int>("-"));
  EXPECT_EQ(ParseInteger<unsigned>("4294967295"), 4294967295u);
  EXPECT_FALSE(ParseInteger<unsigned>("4294967296"));
  EXPECT_FALSE(ParseInteger<unsigned>("-1"));
}

TEST(TextCursorTest, TokensCrossLineEndsAndLinesAreSkippedWhole) {
  TextCursor cursor("  1.5 trailing words\r\n\r\n\t-2 x\rnext line\nlast");
  long double x = 0;
  std::int32_t n = 0;
  EXPECT_EQ(cursor.ReadNumber(x), TokenStatus::Ok);
  EXPECT_EQ(x, 1.5L);
  cursor.SkipLine();
  EXPECT_EQ(cursor.ReadInteger(n), TokenStatus::Ok);  // found on a later line
  EXPECT_EQ(n, -2);
  cursor.SkipLine();
  EXPECT_EQ(cursor.ReadLine(), "next line");
  EXPECT_EQ(cursor.ReadNumber(x), TokenStatus::NotANumber);
  EXPECT_EQ(cursor.ReadNumber(x), TokenStatus::EndOfText);
  EXPECT_TRUE(cursor.AtEnd());
}

}  // namespace
}  // namespace tessolan
