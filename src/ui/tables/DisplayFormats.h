#pragma once

#include <QString>
#include <optional>

namespace tessolan {

// A number in a display pattern such as "###0.########": at least one integer digit, at most
// `maxDecimals` decimals with trailing zeros dropped, no thousands separator.
QString FormatOptionalDecimals(double value, int maxDecimals, char separator);

// A number as a table field without a display format shows it: up to 15 significant digits.
QString FormatGeneralNumber(double value, char separator);

// Reads a number typed by the user: optional sign, digits, the separator, an optional
// exponent. Blank text, any other text and values beyond the double range give nothing.
std::optional<double> ParseTypedNumber(const QString& text, char separator);
// The same read in full extended precision, so that typed decimals such as 0.1 add up as they
// would on paper.
std::optional<long double> ParseTypedExtended(const QString& text, char separator);

}  // namespace tessolan
