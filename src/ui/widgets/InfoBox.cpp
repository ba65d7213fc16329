#include "ui/widgets/InfoBox.h"

#include <QLineEdit>

#include "ui/widgets/Colors.h"

namespace tessolan {

QLineEdit* MakeInfoBox(const QString& name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::ClickFocus);
  QPalette palette = box->palette();
  palette.setColor(QPalette::Base, kInfoColor);
  box->setPalette(palette);
  return box;
}

}  // namespace tessolan
