#pragma once

#include <QLocale>

namespace tessolan {

// The decimal separator of every number the windows show or put into a message: the user's,
// or a full stop when the user's locale uses more than one character for it.
char DecimalSeparator();

// The locale the numeric boxes and grids read and write numbers with: the user's decimal
// separator and never a thousands separator.
QLocale NumberLocale();

}  // namespace tessolan
