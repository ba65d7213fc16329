#pragma once

#include <QFrame>

class QLabel;

namespace tessolan {

// A framed group whose caption is a centred banner across its top. The caller lays out the
// group's controls in Body().
class BannerGroup : public QFrame {
  Q_OBJECT

 public:
  explicit BannerGroup(const QString& caption, QWidget* parent = nullptr);

  QWidget* Body() const { return body_; }
  QString Caption() const;

 private:
  QLabel* banner_;
  QWidget* body_;
};

}  // namespace tessolan
