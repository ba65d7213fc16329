#pragma once

#include <qcustomplot.h>

namespace tessolan {

// A legend entry with a check box in front: unticking it hides its series.
class CheckableLegendItem : public QCPPlottableLegendItem {
  Q_OBJECT

 public:
  CheckableLegendItem(QCPLegend* legend, QCPAbstractPlottable* plottable);

  void Toggle();

 protected:
  void draw(QCPPainter* painter) override;
  QSize minimumOuterSizeHint() const override;

 private:
  int BoxSize() const;
};

// Shows the chart's legend with a check box per series.
void UseCheckableLegend(QCustomPlot* chart);

}  // namespace tessolan
