#pragma once

#include <QDialog>

namespace tessolan {

// The About window: the program's name, version and what it does.
class TFAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TFAbout(QWidget* parent = nullptr);
};

}  // namespace tessolan
