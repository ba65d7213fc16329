#include "ui/charts/ChartHelpers.h"

#include <QLabel>
#include <QMenu>
#include <algorithm>
#include <cmath>

#include "data/FileMessages.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/tables/DisplayFormats.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

namespace {

constexpr const char* kFixedRange = "fixedRange";

void RescaleAxis(QCPAxis* axis) {
  if (IsAxisRangeFixed(axis)) return;
  bool found = false;
  QCPRange range;
  for (QCPAbstractPlottable* plottable : axis->plottables()) {
    if (!plottable->visible()) continue;
    bool ok = false;
    // A series may have its key on the vertical axis (the targeting profiles do).
    const QCPRange r = plottable->keyAxis() == axis ? plottable->getKeyRange(ok) : plottable->getValueRange(ok);
    if (!ok) continue;
    range = found ? QCPRange(std::min(range.lower, r.lower), std::max(range.upper, r.upper)) : r;
    found = true;
  }
  if (!found) return;
  const double span = range.size();
  const double margin = span > 0 ? span * 0.04 : std::max(std::abs(range.center()) * 0.05, 0.5);
  axis->setRange(range.lower - margin, range.upper + margin);
}

// The right-click menu; it pops up without blocking, so that the chart keeps drawing.
void AddSaveMenu(QCustomPlot* chart, UserDialogs& dialogs, const QString& saveFolder) {
  auto* menu = new QMenu(chart);
  menu->setObjectName("chartMenu");
  QAction* png = menu->addAction("Save as PNG...");
  png->setObjectName("SaveAsPng");
  QAction* pdf = menu->addAction("Save as PDF...");
  pdf->setObjectName("SaveAsPdf");
  QObject::connect(png, &QAction::triggered, chart, [chart, &dialogs, saveFolder] {
    SaveChartImage(chart, dialogs, saveFolder, ChartImageFormat::Png);
  });
  QObject::connect(pdf, &QAction::triggered, chart, [chart, &dialogs, saveFolder] {
    SaveChartImage(chart, dialogs, saveFolder, ChartImageFormat::Pdf);
  });
  chart->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(chart, &QWidget::customContextMenuRequested, menu,
                   [chart, menu](const QPoint& position) { menu->popup(chart->mapToGlobal(position)); });
}

}  // namespace

QString PatternTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
  // Rounding to the pattern's decimals also turns ticks such as 0.30000000000000004 into 0.3.
  return QString(leadingSpaces_, ' ') + FormatOptionalDecimals(tick, maxDecimals_, DecimalSeparator());
}

void SetupChart(QCustomPlot* chart, UserDialogs& dialogs, const QString& saveFolder) {
  chart->setBackground(Qt::white);
  chart->legend->setVisible(false);
  chart->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
  QFont titleFont = chart->font();
  titleFont.setBold(true);
  for (QCPAxis* axis : {chart->xAxis, chart->yAxis}) {
    axis->setLabelFont(titleFont);
    axis->setSelectedLabelFont(titleFont);
  }
  QObject::connect(chart, &QCustomPlot::mouseDoubleClick, chart, [chart] {
    SetAxisRangeFixed(chart->xAxis, false);
    SetAxisRangeFixed(chart->yAxis, false);
    RescaleAndReplot(chart);
  });
  AddSaveMenu(chart, dialogs, saveFolder);
}

bool SaveChartImage(QCustomPlot* chart, UserDialogs& dialogs, const QString& folder, ChartImageFormat format) {
  const bool pdf = format == ChartImageFormat::Pdf;
  const QString suffix = pdf ? "pdf" : "png";
  const FileDialogRequest request{"Tessolan: Save Graph",
                                  folder,
                                  "graph." + suffix,
                                  {pdf ? "PDF Documents (*.pdf)" : "PNG Images (*.png)"},
                                  suffix};
  const QString fileName = dialogs.GetSaveFileName(request);
  if (fileName.trimmed().isEmpty()) return false;
  const bool saved = pdf ? chart->savePdf(fileName) : chart->savePng(fileName);
  if (!saved) dialogs.ShowMessage(kFileWritingError);
  return saved;
}

void SetAxisLabelPattern(QCPAxis* axis, int maxDecimals, int leadingSpaces) {
  axis->setTicker(QSharedPointer<PatternTicker>::create(maxDecimals, leadingSpaces));
}

QCPGraph* AddSeries(QCustomPlot* chart, const QString& name) {
  QCPGraph* series = chart->addGraph();
  series->setName(name);
  series->setLineStyle(QCPGraph::lsLine);
  return series;
}

void StyleSeries(QCPGraph* series, const QColor& color, QCPScatterStyle::ScatterShape marker) {
  series->setPen(QPen(color, 1));
  series->setScatterStyle(QCPScatterStyle(marker, color, Qt::white, 7));
}

void SetAxisRangeFixed(QCPAxis* axis, bool fixed) { axis->setProperty(kFixedRange, fixed); }

bool IsAxisRangeFixed(const QCPAxis* axis) { return axis->property(kFixedRange).toBool(); }

void RescaleAndReplot(QCustomPlot* chart) {
  RescaleAxis(chart->xAxis);
  RescaleAxis(chart->yAxis);
  chart->replot();
}

QLabel* MakeEditGraphLink(const QString& name, QWidget* parent) {
  auto* link = new QLabel("<a href=\"edit\">Edit Graph</a>", parent);
  link->setObjectName(name);
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  return link;
}

}  // namespace tessolan
