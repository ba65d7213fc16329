#pragma once

#include <qcustomplot.h>

#include "model/ArrayGeometry.h"
#include "model/InitialData.h"

namespace tessolan {

// Draws the pyramids of the whole array seen from above, and the dashed grid of their cells,
// in one pass, under the array top view's grid and series. Only the cells inside the visible
// ranges are drawn; when a cell is narrower than two pixels the lines would cover the array
// anyway, and it is filled instead, so that a 1001 x 1001 array draws as fast as a small one.
class ArrayTopViewLayer : public QCPLayerable {
  Q_OBJECT

 public:
  static constexpr double kMinCellPixels = 2;

  ArrayTopViewLayer(QCustomPlot* chart, const InitialData& task, const ArrayGeometry& geometry);

  // How many pyramids the latest drawing drew one by one (0 when it filled the array).
  long long PyramidsDrawn() const { return pyramidsDrawn_; }

 protected:
  QRect clipRect() const override;
  void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
  void draw(QCPPainter* painter) override;

 private:
  const InitialData& task_;
  const ArrayGeometry& geometry_;
  long long pyramidsDrawn_ = 0;
};

}  // namespace tessolan
