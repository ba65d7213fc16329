#include "model/Notation.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>

namespace tessolan {
namespace {

constexpr int kBufferSize = 6000;  // room for the exact expansion of any finite long double

const char* NonFiniteText(Extended x) {
  if (std::isnan(x)) return "NAN";
  return x < 0 ? "-INF" : "INF";
}

// |x| rounded to `digits` significant digits: the digit string (exactly `digits` long) and the
// decimal exponent of its first digit.
struct Significand {
  std::string digits;
  int exponent = 0;
};

Significand RoundToSignificant(Extended absX, int digits) {
  char buf[kBufferSize];
  auto r = std::to_chars(buf, buf + sizeof buf, absX, std::chars_format::scientific, digits - 1);
  std::string_view text(buf, r.ptr - buf);
  auto e = text.find('e');
  Significand s;
  for (char c : text.substr(0, e))
    if (c != '.') s.digits += c;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), s.exponent);
  return s;
}

std::string FixedDigits(Extended absX, int decimals) {
  char buf[kBufferSize];
  auto r = std::to_chars(buf, buf + sizeof buf, absX, std::chars_format::fixed, decimals);
  return std::string(buf, r.ptr);
}

bool IsAllZeros(std::string_view text) {
  for (char c : text)
    if (c >= '1' && c <= '9') return false;
  return true;
}

std::string WithSeparator(std::string text, char separator) {
  if (separator != '.')
    for (char& c : text)
      if (c == '.') c = separator;
  return text;
}

std::string Signed(bool negative, std::string text) {
  if (negative && !IsAllZeros(text)) text.insert(text.begin(), '-');
  return text;
}

// "d.ddd" from the digit string with trailing zeros removed, then "E", the sign and at least two
// exponent digits.
std::string Scientific(const Significand& s, char separator) {
  std::string mantissa = s.digits;
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
  std::string out(1, mantissa[0]);
  if (mantissa.size() > 1) {
    out += separator;
    out.append(mantissa, 1);
  }
  out += 'E';
  out += s.exponent < 0 ? '-' : '+';
  std::string exp = std::to_string(std::abs(s.exponent));
  if (exp.size() < 2) exp.insert(exp.begin(), '0');
  return out + exp;
}

// Places the significant digits at their exponent and writes them with `decimals` decimals.
std::string PlaceDigits(const Significand& s, int decimals) {
  std::string intPart, fracPart;
  for (int pos = s.exponent; pos >= 0; --pos) {
    int index = s.exponent - pos;
    intPart += index < static_cast<int>(s.digits.size()) ? s.digits[index] : '0';
  }
  if (intPart.empty()) intPart.push_back('0');
  for (int pos = -1; pos >= -decimals; --pos) {
    int index = s.exponent - pos;
    fracPart += index >= 0 && index < static_cast<int>(s.digits.size()) ? s.digits[index] : '0';
  }
  return decimals > 0 ? intPart + "." + fracPart : intPart;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian), and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

constexpr long long kDaysFrom1899To1970 = 25569;

std::string TwoDigits(long long v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

}  // namespace

std::string FormatFixed(Extended x, int precision, int decimals, char decimalSeparator) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  const bool negative = std::signbit(x);
  const Extended absX = std::fabs(x);
  if (absX == 0) return WithSeparator(FixedDigits(0, decimals), decimalSeparator);
  const Significand s = RoundToSignificant(absX, precision);
  if (s.exponent + 1 > precision) return Signed(negative, Scientific(s, decimalSeparator));
  // Rounding to `precision` significant digits is at least as coarse as rounding to `decimals`
  // decimals: the significant digits decide; otherwise the decimals do.
  std::string text = s.exponent + 1 + decimals >= precision ? PlaceDigits(s, decimals) : FixedDigits(absX, decimals);
  return WithSeparator(Signed(negative, text), decimalSeparator);
}

std::string FormatGeneral(Extended x, char decimalSeparator) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  if (x == 0) return "0";
  const bool negative = std::signbit(x);
  const Significand s = RoundToSignificant(std::fabs(x), 15);
  if (s.exponent < -5 || s.exponent >= 15) return Signed(negative, Scientific(s, decimalSeparator));
  std::string text = PlaceDigits(s, std::max(0, 14 - s.exponent));
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return WithSeparator(Signed(negative, text), decimalSeparator);
}

std::string FormatZeroPadded(Extended x, std::string_view pattern, char decimalSeparator) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  const auto point = pattern.find('.');
  const int intDigits = static_cast<int>(point == std::string_view::npos ? pattern.size() : point);
  const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
  std::string text = FixedDigits(std::fabs(x), decimals);
  const auto textPoint = text.find('.');
  const int textIntDigits = static_cast<int>(textPoint == std::string::npos ? text.size() : textPoint);
  if (textIntDigits < intDigits) text.insert(0, intDigits - textIntDigits, '0');
  return WithSeparator(Signed(std::signbit(x), text), decimalSeparator);
}

std::string FormatReportResult(Extended x, std::string_view pattern, char decimalSeparator) {
  std::string text = FormatZeroPadded(x, pattern, decimalSeparator);
  for (std::size_t i = 0; i < text.size() && text[i] == '0'; ++i) {
    if (i + 1 < text.size() && text[i + 1] == decimalSeparator) break;
    text[i] = ' ';
  }
  return text;
}

std::string FormatFileNumber(Extended x, int width, int decimals) {
  std::string text;
  if (!std::isfinite(x))
    text = NonFiniteText(x);
  else
    text = Signed(std::signbit(x), FixedDigits(std::fabs(x), decimals));
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

double MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
  const long long days = DaysFromCivil(year, month, day) + kDaysFrom1899To1970;
  return static_cast<double>(days) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

std::string FormatDateTime(double dateTime) {
  const long long ms = std::llround(dateTime * 86400000.0);
  long long days = ms / 86400000;
  long long msOfDay = ms % 86400000;
  if (msOfDay < 0) {
    msOfDay += 86400000;
    --days;
  }
  long long y;
  unsigned m, d;
  CivilFromDays(days - kDaysFrom1899To1970, y, m, d);
  const long long seconds = msOfDay / 1000;
  std::string year = std::to_string(y);
  while (year.size() < 4) year.insert(year.begin(), '0');
  return year + "/" + TwoDigits(m) + "/" + TwoDigits(d) + " " + TwoDigits(seconds / 3600) + ":" +
         TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
}

double DateTimeNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return MakeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                      local.tm_sec) +
         ms / 86400000.0;
}

}  // namespace tessolan
