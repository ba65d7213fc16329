#include "ui/widgets/MenuButton.h"

#include <QMenu>

namespace tessolan {

MenuButton::MenuButton(const QString& caption, QWidget* parent) : QToolButton(parent), menu_(new QMenu(this)) {
  setText(caption);
  setMenu(menu_);
  setPopupMode(QToolButton::InstantPopup);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  setMinimumHeight(26);
}

QAction* MenuButton::AddItem(const QString& caption, const QString& name) {
  QAction* action = menu_->addAction(caption);
  action->setObjectName(name);
  return action;
}

}  // namespace tessolan
