#pragma once

#include <QToolButton>

class QAction;
class QMenu;

namespace tessolan {

// A button that drops down a menu of commands when pressed.
class MenuButton : public QToolButton {
  Q_OBJECT

 public:
  explicit MenuButton(const QString& caption, QWidget* parent = nullptr);

  // Adds a command; its action's objectName is `name`.
  QAction* AddItem(const QString& caption, const QString& name);
  QMenu* Menu() const { return menu_; }

 private:
  QMenu* menu_;
};

}  // namespace tessolan
