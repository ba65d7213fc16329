#include "ui/budget/BudgetChart.h"

#include <qcustomplot.h>

#include <algorithm>
#include <cmath>

#include "ui/widgets/Colors.h"

namespace tessolan {
namespace {

QCPTextElement* TitleOf(QCustomPlot* chart) {
  if (chart->plotLayout()->rowCount() > 1) return qobject_cast<QCPTextElement*>(chart->plotLayout()->element(0, 0));
  chart->plotLayout()->insertRow(0);
  auto* title = new QCPTextElement(chart, QString(), QFont(chart->font().family(), 10, QFont::Bold));
  chart->plotLayout()->addElement(0, 0, title);
  return title;
}

}  // namespace

bool IsShareRow(const BudgetRow& row) { return row.input != "Combined" && row.input != "Expanded"; }

void ShowShares(QCustomPlot* chart, const BudgetEntry* entry, const QString& title) {
  chart->clearPlottables();
  TitleOf(chart)->setText(title);
  auto ticker = QSharedPointer<QCPAxisTickerText>::create();
  QCPAxis* inputs = chart->yAxis;
  QCPAxis* shares = chart->xAxis;
  auto* bars = new QCPBars(inputs, shares);
  bars->setName("Share");
  bars->setWidth(0.6);
  bars->setPen(QPen(kMaroon.darker(120)));
  bars->setBrush(kMaroon);
  double largest = 0;
  int key = 0;
  if (entry) {
    for (const BudgetRow& row : entry->rows) {
      if (!IsShareRow(row)) continue;
      ++key;
      const double percent = std::isfinite(row.share) ? 100 * row.share : 0;
      bars->addData(key, percent);
      ticker->addTick(key, QString::fromStdString(row.input));
      largest = std::max(largest, percent);
    }
  }
  inputs->setTicker(ticker);
  inputs->setTickLength(0, 2);
  inputs->setRangeReversed(true);
  inputs->setRange(0.4, std::max(key, 1) + 0.6);
  inputs->setLabel(QString());
  shares->setLabel("Share of u_c\u00B2 (%)");
  shares->setRange(0, largest > 0 ? std::min(100.0, largest * 1.1) : 100);
  // A chart out of sight is drawn when its page is shown.
  if (chart->isVisible()) chart->replot();
}

}  // namespace tessolan
