#pragma once

#include <QWidget>

namespace tessolan {

// The line of sight in the blackbody's axes: angle b from the axis z, azimuth a from the
// axis x in the base plane.
class LineOfSightIllustration : public QWidget {
  Q_OBJECT

 public:
  explicit LineOfSightIllustration(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {280, 165}; }
  QSize minimumSizeHint() const override { return {220, 110}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tessolan
