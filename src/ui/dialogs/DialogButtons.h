#pragma once

class QBoxLayout;
class QPushButton;
class QWidget;

namespace tessolan {

// "OK" (the default button, "btnOK") and "Cancel" ("btnCancel") at the right of a row added to
// the bottom of a dialog's `layout`.
struct OkCancelButtons {
  QPushButton* ok;
  QPushButton* cancel;
};
OkCancelButtons AddOkCancelRow(QWidget* dialog, QBoxLayout* layout);

}  // namespace tessolan
