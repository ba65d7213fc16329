#include "ui/charts/CheckableLegendItem.h"

#include "ui/charts/ChartHelpers.h"

namespace tessolan {

CheckableLegendItem::CheckableLegendItem(QCPLegend* legend, QCPAbstractPlottable* plottable)
    : QCPPlottableLegendItem(legend, plottable) {}

void CheckableLegendItem::Toggle() {
  QCPAbstractPlottable* series = plottable();
  series->setVisible(!series->visible());
  setTextColor(series->visible() ? Qt::black : Qt::gray);
}

int CheckableLegendItem::BoxSize() const { return QFontMetrics(font()).height() - 3; }

QSize CheckableLegendItem::minimumOuterSizeHint() const {
  return QCPPlottableLegendItem::minimumOuterSizeHint() + QSize(BoxSize() + 6, 0);
}

void CheckableLegendItem::draw(QCPPainter* painter) {
  const int box = BoxSize();
  const int top = mRect.top() + (mParentLegend->iconSize().height() - box) / 2;
  const QRect boxRect(mRect.left(), std::max(top, mRect.top()), box, box);
  painter->setPen(QPen(Qt::darkGray, 1));
  painter->setBrush(Qt::white);
  painter->drawRect(boxRect);
  if (plottable()->visible()) {
    painter->setPen(QPen(Qt::black, 1.6));
    painter->drawPolyline(QPolygonF{QPointF(boxRect.left() + box * 0.2, boxRect.top() + box * 0.5),
                                    QPointF(boxRect.left() + box * 0.42, boxRect.top() + box * 0.75),
                                    QPointF(boxRect.left() + box * 0.82, boxRect.top() + box * 0.22)});
  }
  // The base class draws the icon and the name at the left of mRect; shift it past the box.
  const QRect full = mRect;
  mRect.adjust(box + 6, 0, 0, 0);
  QCPPlottableLegendItem::draw(painter);
  mRect = full;
}

void UseCheckableLegend(QCustomPlot* chart) {
  QCPLegend* legend = chart->legend;
  legend->clearItems();
  for (int i = 0; i < chart->plottableCount(); ++i)
    legend->addItem(new CheckableLegendItem(legend, chart->plottable(i)));
  legend->setVisible(true);
  legend->setBrush(QColor(255, 255, 255, 230));
  QObject::connect(chart, &QCustomPlot::legendClick, chart,
                   [chart](QCPLegend*, QCPAbstractLegendItem* item, QMouseEvent*) {
                     if (auto* checkable = qobject_cast<CheckableLegendItem*>(item)) {
                       checkable->Toggle();
                       RescaleAndReplot(chart);
                     }
                   });
}

}  // namespace tessolan
