#pragma once

#include <QLineF>
#include <QRectF>

namespace tessolan {

// Cuts a line down to the part inside `rect` (Liang-Barsky); false when none of it is inside.
// The charts clip before painting, so that a line far outside a zoomed-in plot never reaches
// the painter with coordinates it cannot handle.
bool ClipLine(QLineF& line, const QRectF& rect);

}  // namespace tessolan
