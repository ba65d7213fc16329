#pragma once

#include <QWidget>

namespace tessolan {

// A dimensioned sketch of the pyramid array: a side view of two truncated pyramids with the
// quantities the user enters and the program derives, and a top view of a 3 x 3 array.
class PyramidArrayIllustration : public QWidget {
  Q_OBJECT

 public:
  explicit PyramidArrayIllustration(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {380, 520}; }
  QSize minimumSizeHint() const override { return {260, 330}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessolan
