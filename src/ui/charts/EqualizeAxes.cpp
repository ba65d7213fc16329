#include "ui/charts/EqualizeAxes.h"

#include <QScreen>
#include <cmath>

#include "ui/charts/ChartHelpers.h"

namespace tessolan {

namespace {

struct DataExtent {
  double minX = 1e38, maxX = -1e38;
  double minY = 1e38, maxY = -1e38;
  bool found = false;
};

// The extent of every series of the chart, hidden frames included, in screen directions: a
// series may have its key on the vertical axis.
DataExtent ExtentOfSeries(QCustomPlot* chart) {
  DataExtent e;
  for (int i = 0; i < chart->plottableCount(); ++i) {
    const QCPAbstractPlottable* series = chart->plottable(i);
    bool keysFound = false, valuesFound = false;
    const QCPRange keys = series->getKeyRange(keysFound);
    const QCPRange values = series->getValueRange(valuesFound);
    if (!keysFound || !valuesFound) continue;
    const bool keyAcross = series->keyAxis()->orientation() == Qt::Horizontal;
    const QCPRange& across = keyAcross ? keys : values;
    const QCPRange& down = keyAcross ? values : keys;
    e.minX = std::min(e.minX, across.lower);
    e.maxX = std::max(e.maxX, across.upper);
    e.minY = std::min(e.minY, down.lower);
    e.maxY = std::max(e.maxY, down.upper);
    e.found = true;
  }
  return e;
}

// An axis range for the data's extent; a single value gets a unit's room so that it shows.
QCPRange Automatic(double low, double high) {
  if (high > low) return {low, high};
  return {low - 0.5, high + 0.5};
}

// Lays the chart out at its current size, so that its plot rectangle follows the axes' labels.
QSize LayOut(QCustomPlot* chart) {
  chart->setViewport(chart->rect());
  QCPLayoutGrid* layout = chart->plotLayout();
  layout->update(QCPLayoutElement::upPreparation);
  layout->update(QCPLayoutElement::upMargins);
  layout->update(QCPLayoutElement::upLayout);
  return chart->axisRect()->rect().size();
}

// One equalization for the given plot rectangle.
void Equalize(QCustomPlot* chart, const DataExtent& e, QSize plot, double k) {
  chart->xAxis->setRange(Automatic(e.minX, e.maxX));
  chart->yAxis->setRange(Automatic(e.minY, e.maxY));
  if (plot.width() <= 0 || plot.height() <= 0) return;
  const double dX = e.maxX - e.minX;
  const double dY = e.maxY - e.minY;
  const double sX = dX / plot.width();
  const double sY = dY / plot.height() * k;
  // The widened axis no longer shows the data's own range: it counts as fixed, as the chart
  // editor shows it, until the next equalization.
  if (sY < sX) {
    if (sY == 0) return;
    const double widen = (dY * sX / sY - dY) / 2;
    chart->yAxis->setRange(e.minY - widen, e.maxY + widen);
    SetAxisRangeFixed(chart->yAxis, true);
  } else {
    if (sX == 0) return;
    const double widen = (dX * sY / sX - dX) / 2;
    chart->xAxis->setRange(e.minX - widen, e.maxX + widen);
    SetAxisRangeFixed(chart->xAxis, true);
  }
}

}  // namespace

double PixelWidthToHeight(const QScreen* screen) {
  if (!screen) return 1;
  const QSizeF millimetres = screen->physicalSize();
  const QSize pixels = screen->size();
  if (millimetres.width() <= 0 || millimetres.height() <= 0 || pixels.width() <= 0 || pixels.height() <= 0) return 1;
  const double k = (millimetres.width() / pixels.width()) / (millimetres.height() / pixels.height());
  return std::isfinite(k) && k > 0 ? k : 1;
}

void EqualizeAxes(QCustomPlot* chart) {
  SetAxisRangeFixed(chart->xAxis, false);
  SetAxisRangeFixed(chart->yAxis, false);
  const DataExtent extent = ExtentOfSeries(chart);
  if (extent.found) {
    const double k = PixelWidthToHeight(chart->screen());
    // The axes' labels take room from the plot rectangle, and their width follows the ranges:
    // lay out again until the rectangle stays put.
    QSize plot = LayOut(chart);
    for (int pass = 0; pass < 3; ++pass) {
      SetAxisRangeFixed(chart->xAxis, false);
      SetAxisRangeFixed(chart->yAxis, false);
      Equalize(chart, extent, plot, k);
      const QSize next = LayOut(chart);
      if (next == plot) break;
      plot = next;
    }
  }
  chart->replot(QCustomPlot::rpQueuedReplot);
}

EqualScaleChart::EqualScaleChart(UserDialogs& dialogs, const QString& saveFolder, QWidget* parent)
    : QCustomPlot(parent) {
  SetupChart(this, dialogs, saveFolder);
  // A double click equalizes at once, without first drawing the axes fitted each on its own.
  disconnect(this, &QCustomPlot::mouseDoubleClick, nullptr, nullptr);
  connect(this, &QCustomPlot::mouseDoubleClick, this, [this] { EqualizeAxes(this); });
}

void EqualScaleChart::resizeEvent(QResizeEvent* event) {
  QCustomPlot::resizeEvent(event);
  EqualizeAxes(this);
}

}  // namespace tessolan
