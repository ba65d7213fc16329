#pragma once

#include <QString>

class QWidget;

namespace tessolan {

// Gives a control its hint (a tooltip). The hint is remembered, so that ShowHints can switch
// it off and on again.
void SetHint(QWidget* widget, const QString& hint);

// The hint given to a control, whether it is shown or not.
QString HintOf(const QWidget* widget);

// Shows or silences the hints of every control inside `window`.
void ShowHints(QWidget* window, bool show);

}  // namespace tessolan
