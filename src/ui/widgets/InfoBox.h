#pragma once

class QLineEdit;
class QString;
class QWidget;

namespace tessolan {

// A read-only box on the pale yellow information background.
QLineEdit* MakeInfoBox(const QString& name, QWidget* parent);

}  // namespace tessolan
