#include "ui/widgets/WindowSize.h"

#include <algorithm>

namespace tessolan {

namespace {

// Room the window manager's frame and title bar take, beyond the window's own area.
constexpr int kFrameWidth = 12;
constexpr int kFrameHeight = 40;

}  // namespace

QSize MinimumWindowSize(const QSize& available) {
  return {std::min(kMainWindowSize.width(), available.width() - kFrameWidth),
          std::min(kMainWindowSize.height(), available.height() - kFrameHeight)};
}

}  // namespace tessolan
