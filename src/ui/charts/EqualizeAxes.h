#pragma once

#include <qcustomplot.h>

class QScreen;

namespace tessolan {

class UserDialogs;

// The screen's millimetres per pixel across divided by its millimetres per pixel down: 1 on a
// screen with square pixels, and 1 when the screen does not say its physical size.
double PixelWidthToHeight(const QScreen* screen);

// Gives a chart the same screen length per unit on its bottom and left axes, so that a drawing
// keeps its true proportions: both axes take the range of all the chart's series, then the one
// with fewer units per pixel is widened about the data's centre and counts as fixed (the chart
// editor shows it so). Replots the chart.
void EqualizeAxes(QCustomPlot* chart);

// A chart whose axes are made equal again whenever its size changes or the user double-clicks
// it to bring back the whole drawing. Its pictures are saved from `saveFolder` on (SetupChart).
class EqualScaleChart : public QCustomPlot {
  Q_OBJECT

 public:
  EqualScaleChart(UserDialogs& dialogs, const QString& saveFolder, QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace tessolan
