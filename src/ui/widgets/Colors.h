#pragma once

#include <QColor>

namespace tessolan {

// The pale yellow of read-only information fields.
inline const QColor kInfoColor{255, 255, 225};
inline const QColor kMaroon{128, 0, 0};
inline const QColor kSeriesGreen{0, 128, 0};
inline const QColor kSeriesRed{255, 0, 0};
inline const QColor kSeriesBlue{0, 0, 255};

}  // namespace tessolan
