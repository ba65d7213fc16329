#pragma once

#include <qcustomplot.h>
#include <QTest>
#include <cmath>

#include "ui/charts/EqualizeAxes.h"

namespace tessolan::testing {

// A geometric chart shows the same units per pixel across and down, the latter scaled by the
// screen's pixel shape.
inline void ExpectEqualScales(QCustomPlot* chart) {
  const QRect plot = chart->axisRect()->rect();
  QVERIFY(plot.width() > 50 && plot.height() > 50);
  const double across = chart->xAxis->range().size() / plot.width();
  const double down = chart->yAxis->range().size() / plot.height() * PixelWidthToHeight(chart->screen());
  QVERIFY2(std::abs(across / down - 1) < 1e-9, qPrintable(QString("%1 vs %2").arg(across).arg(down)));
}

}  // namespace tessolan::testing
