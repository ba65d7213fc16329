#include "ui/main/Hints.h"

#include <QVariant>
#include <QWidget>

namespace tessolan {

namespace {

constexpr const char* kHintProperty = "tessolanHint";

void ApplyHint(QWidget* widget, bool show) {
  const QVariant hint = widget->property(kHintProperty);
  if (hint.isValid()) widget->setToolTip(show ? hint.toString() : QString());
}

}  // namespace

void SetHint(QWidget* widget, const QString& hint) {
  widget->setProperty(kHintProperty, hint);
  widget->setToolTip(hint);
}

QString HintOf(const QWidget* widget) { return widget->property(kHintProperty).toString(); }

void ShowHints(QWidget* window, bool show) {
  ApplyHint(window, show);
  for (QWidget* child : window->findChildren<QWidget*>()) ApplyHint(child, show);
}

}  // namespace tessolan
