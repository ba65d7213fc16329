#pragma once

#include <qcustomplot.h>

class QLabel;

namespace tessolan {

class UserDialogs;

// Tick labels in a pattern such as "####0.####": at least one integer digit, at most
// `maxDecimals` decimals with trailing zeros dropped, the user's decimal separator, and
// `leadingSpaces` spaces in front.
class PatternTicker : public QCPAxisTicker {
 public:
  PatternTicker(int maxDecimals, int leadingSpaces) : maxDecimals_(maxDecimals), leadingSpaces_(leadingSpaces) {}

 protected:
  QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;

 private:
  int maxDecimals_;
  int leadingSpaces_;
};

// A chart as the windows show them: white, bold axis titles, no legend; the mouse wheel zooms,
// dragging pans, a double click brings back the automatic ranges, and a right click offers
// "Save as PNG..." and "Save as PDF..." with a file dialog that opens in `saveFolder`.
void SetupChart(QCustomPlot* chart, UserDialogs& dialogs, const QString& saveFolder);

enum class ChartImageFormat { Png, Pdf };

// Asks for a file name and saves the chart as drawn on screen; false when the user cancels or
// the file cannot be written (then after "File writing error").
bool SaveChartImage(QCustomPlot* chart, UserDialogs& dialogs, const QString& folder, ChartImageFormat format);

void SetAxisLabelPattern(QCPAxis* axis, int maxDecimals, int leadingSpaces = 0);

// A line series whose points are marked in its colour with a white fill.
QCPGraph* AddSeries(QCustomPlot* chart, const QString& name);
void StyleSeries(QCPGraph* series, const QColor& color, QCPScatterStyle::ScatterShape marker);

// An axis the user fixed in the chart editor keeps its range when the data change.
void SetAxisRangeFixed(QCPAxis* axis, bool fixed);
bool IsAxisRangeFixed(const QCPAxis* axis);

// Fits the axes that are not fixed to the visible data, with a small margin, and redraws.
void RescaleAndReplot(QCustomPlot* chart);

// The "Edit Graph" link under a chart.
QLabel* MakeEditGraphLink(const QString& name, QWidget* parent);

}  // namespace tessolan
