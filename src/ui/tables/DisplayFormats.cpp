#include "ui/tables/DisplayFormats.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <string>

#include "model/Notation.h"

namespace tessolan {

QString FormatOptionalDecimals(double value, int maxDecimals, char separator) {
  if (!std::isfinite(value)) return QString::fromStdString(FormatGeneral(value, separator));
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, maxDecimals);
  std::string text(buffer, result.ptr);
  const auto point = text.find('.');
  if (point != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.')
      text.pop_back();
    else
      text[point] = separator;
  }
  if (text == "-0") text = "0";
  return QString::fromStdString(text);
}

QString FormatGeneralNumber(double value, char separator) {
  return QString::fromStdString(FormatGeneral(value, separator));
}

namespace {

// The digits of a number typed in the user's notation as from_chars reads them (full stop, no
// leading '+'); nothing when the text is no such number.
std::optional<std::string> PlainNumberText(const QString& text, char separator) {
  const QString sep = QRegularExpression::escape(QString(QChar(separator)));
  const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+(%1\d*)?|%1\d+)([eE][+-]?\d+)?$)").arg(sep));
  QString trimmed = text.trimmed();
  if (!number.match(trimmed).hasMatch()) return std::nullopt;
  trimmed.replace(QChar(separator), QChar('.'));
  if (trimmed.startsWith('+')) trimmed.remove(0, 1);
  return trimmed.toStdString();
}

// The value of the text in type T, when it is within the double range.
template <class T>
std::optional<T> ParseTyped(const QString& text, char separator) {
  const auto plain = PlainNumberText(text, separator);
  if (!plain) return std::nullopt;
  T value = 0;
  const auto result = std::from_chars(plain->data(), plain->data() + plain->size(), value);
  if (result.ec != std::errc() || result.ptr != plain->data() + plain->size() ||
      !std::isfinite(static_cast<double>(value)))
    return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> ParseTypedNumber(const QString& text, char separator) {
  return ParseTyped<double>(text, separator);
}

std::optional<long double> ParseTypedExtended(const QString& text, char separator) {
  return ParseTyped<long double>(text, separator);
}

}  // namespace tessolan
