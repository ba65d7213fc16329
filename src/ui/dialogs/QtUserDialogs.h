#pragma once

#include "ui/dialogs/UserDialogs.h"

namespace tessolan {

// The dialogs on screen: message boxes and file dialogs over the active window.
class QtUserDialogs : public UserDialogs {
 public:
  void ShowMessage(const QString& text) override;
  bool Confirm(const QString& text) override;
  QString GetOpenFileName(const FileDialogRequest& request) override;
  QString GetSaveFileName(const FileDialogRequest& request) override;
  std::optional<QColor> ChooseColor(const QColor& initial, const QString& title) override;
};

}  // namespace tessolan
