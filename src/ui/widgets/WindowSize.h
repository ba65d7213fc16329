#pragma once

#include <QSize>

namespace tessolan {

// The size the main window was laid out for; it is never made smaller unless the screen is.
inline constexpr QSize kMainWindowSize{1085, 850};

// The main window's minimum (and starting) size on a screen whose free area is `available`:
// its own size, or what the screen leaves once the window's frame and title bar are added.
QSize MinimumWindowSize(const QSize& available);

}  // namespace tessolan
