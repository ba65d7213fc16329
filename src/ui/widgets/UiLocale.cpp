#include "ui/widgets/UiLocale.h"

namespace tessolan {

namespace {

bool HasSingleCharSeparator(const QLocale& locale) {
  const QString point = locale.decimalPoint();
  return point.size() == 1 && point.at(0).unicode() < 128;
}

}  // namespace

char DecimalSeparator() {
  const QLocale system = QLocale::system();
  return HasSingleCharSeparator(system) ? static_cast<char>(system.decimalPoint().at(0).unicode()) : '.';
}

QLocale NumberLocale() {
  QLocale locale = QLocale::system();
  if (!HasSingleCharSeparator(locale) || locale.decimalPoint() == locale.groupSeparator()) locale = QLocale::c();
  locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
  return locale;
}

}  // namespace tessolan
