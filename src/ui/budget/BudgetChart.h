#pragma once

#include <QString>

#include "run/Budget.h"

class QCustomPlot;

namespace tessolan {

// The shares of the combined variance at one wavelength and quantity as horizontal bars, one
// per input and one for the Monte Carlo noise, named on the vertical axis in the budget's order
// from the top. No entry empties the chart. A hidden chart is not drawn: replot it when shown.
void ShowShares(QCustomPlot* chart, const BudgetEntry* entry, const QString& title);

// The rows of an entry drawn as bars: every input and MonteCarlo, not the closing rows.
bool IsShareRow(const BudgetRow& row);

}  // namespace tessolan
