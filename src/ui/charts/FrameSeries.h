#pragma once

#include <qcustomplot.h>
#include <QPen>

namespace tessolan {

// Makes `series` (a graph or a curve) a chart's frame: named "Frame", without line or marks, so
// that its points only widen the axes to the frame.
template <class Series>
Series* StyleAsFrame(Series* series) {
  series->setName("Frame");
  series->setPen(QPen(Qt::black, 1));
  series->setLineStyle(Series::lsNone);
  series->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  return series;
}

}  // namespace tessolan
