#pragma once

#include <string>
#include <string_view>

#include "model/Extended.h"

namespace tessolan {

// The program's number notations, shared by messages, displays, the report and the files.
// Every rounding is the correctly rounded decimal of the exact binary value (ties to even).
// Non-finite values print as "NAN", "INF" and "-INF".

// x rounded to at most `precision` significant digits and at most `decimals` decimals, printed
// with exactly `decimals` decimals. An integer part longer than `precision` digits switches to
// scientific notation: 1.2345678E+15.
std::string FormatFixed(Extended x, int precision, int decimals, char decimalSeparator = '.');

// Up to 15 significant digits, trailing zeros and a trailing separator removed; fixed when
// 1e-5 <= |x| < 1e15, else scientific.
std::string FormatGeneral(Extended x, char decimalSeparator = '.');

// A zero-padded pattern such as "0000.0000" or "0.00000000": rounded to the pattern's decimals,
// the integer part padded with zeros to the pattern's width (a longer one is written in full).
std::string FormatZeroPadded(Extended x, std::string_view pattern, char decimalSeparator = '.');

// The report's result formatter: FormatZeroPadded, then the leading "0"s become spaces, stopping
// at the first other character or at the "0" directly before the decimal separator.
std::string FormatReportResult(Extended x, std::string_view pattern, char decimalSeparator = '.');

// A number of the fixed-width files: `decimals` decimals, full stop, right-aligned in `width`
// characters; a longer number widens the field.
std::string FormatFileNumber(Extended x, int width, int decimals);

// Date-times are days since 1899-12-30 with the time of day as the fraction.
std::string FormatDateTime(double dateTime);  // "yyyy/mm/dd hh:nn:ss"
double DateTimeNow();                         // local time
double MakeDateTime(int year, int month, int day, int hour, int minute, int second);

}  // namespace tessolan
