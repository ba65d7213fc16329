#include "ui/maps/MapChart.h"

#include "ui/drawings/LineClipping.h"

#include <algorithm>
#include <cmath>

#include "ui/charts/ChartHelpers.h"
#include "ui/charts/FrameSeries.h"
#include "ui/drawings/LineClipping.h"
#include "ui/maps/MapTexts.h"
#include "ui/widgets/Colors.h"

namespace tessolan {

namespace {

// Bins without rays: a gray that no colour of the gradient comes near.
const QColor kNoRaysColor{200, 200, 200};
// The room around the grid, a share of its side, so that a boundary on its edge shows.
constexpr double kFrameMargin = 0.03;

// A perceptually uniform gradient from dark blue through green to yellow, readable in gray and
// by most colour-blind readers.
QCPColorGradient PerceptualGradient() {
  QCPColorGradient gradient;
  gradient.clearColorStops();
  const QColor stops[] = {{68, 1, 84},    {72, 40, 120},  {62, 74, 137},  {49, 104, 142}, {38, 130, 142},
                          {31, 158, 137}, {53, 183, 121}, {110, 206, 88}, {181, 222, 43}, {253, 231, 37}};
  const int count = static_cast<int>(std::size(stops));
  for (int i = 0; i < count; ++i) gradient.setColorStopAt(static_cast<double>(i) / (count - 1), stops[i]);
  gradient.setColorInterpolation(QCPColorGradient::ciRGB);
  gradient.setNanHandling(QCPColorGradient::nhNanColor);
  gradient.setNanColor(kNoRaysColor);
  return gradient;
}

// The range of the finite values; a single value gets room so that the scale still reads.
QCPRange ValueRange(const MapGrid& grid, MapQuantity quantity) {
  double low = INFINITY, high = -INFINITY;
  for (const MapBin& bin : grid.bins) {
    const double v = MapValue(bin, quantity);
    if (!std::isfinite(v)) continue;
    low = std::min(low, v);
    high = std::max(high, v);
  }
  if (low > high) return {0, 1};
  if (high > low) return {low, high};
  const double room = std::max(std::abs(low) * 1e-4, 1e-9);
  return {low - room, high + room};
}

}  // namespace

std::optional<std::pair<int, int>> BinIndexAt(const MapGrid& grid, double x, double y) {
  if (grid.n <= 0 || !(x >= grid.xMin && x < grid.xMax && y >= grid.yMin && y < grid.yMax)) return std::nullopt;
  const int ix = std::clamp(static_cast<int>((x - grid.xMin) / grid.BinWidth()), 0, grid.n - 1);
  const int iy = std::clamp(static_cast<int>((y - grid.yMin) / grid.BinHeight()), 0, grid.n - 1);
  return std::make_pair(ix, iy);
}

MapChart::MapChart(UserDialogs& dialogs, const QString& saveFolder, QWidget* parent)
    : EqualScaleChart(dialogs, saveFolder, parent) {
  setMouseTracking(true);
  xAxis->setLabel("X");
  yAxis->setLabel("Y");
  SetAxisLabelPattern(xAxis, 4);
  SetAxisLabelPattern(yAxis, 4);

  QFont titleFont = font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.1);
  title = new QCPTextElement(this, QString(), titleFont);
  plotLayout()->insertRow(0);
  plotLayout()->addElement(0, 0, title);

  colorMap = new QCPColorMap(xAxis, yAxis);
  colorMap->setName("Map");
  colorMap->setInterpolate(false);
  colorScale = new QCPColorScale(this);
  colorScale->setType(QCPAxis::atRight);
  colorScale->setBarWidth(16);
  colorScale->axis()->setLabelFont(titleFont);
  SetAxisLabelPattern(colorScale->axis(), 5);
  plotLayout()->addElement(1, 1, colorScale);
  // The map takes the scale's gradient from here on.
  colorMap->setColorScale(colorScale);
  colorScale->setGradient(PerceptualGradient());
  // The colour bar runs exactly as high as the plot.
  auto* margins = new QCPMarginGroup(this);
  axisRect()->setMarginGroup(QCP::msTop | QCP::msBottom, margins);
  colorScale->setMarginGroup(QCP::msTop | QCP::msBottom, margins);

  footnote = new QCPTextElement(this, QString(), font());
  footnote->setTextColor(QColor(80, 80, 80));
  plotLayout()->addElement(2, 0, footnote);

  frame_ = StyleAsFrame(new QCPCurve(xAxis, yAxis));
}

void MapChart::ShowMap(const MapGrid& grid, MapQuantity quantity, const std::vector<MapPolyline>& lines,
                       const QString& text) {
  if (grid.n <= 0 || grid.bins.size() != static_cast<std::size_t>(grid.n) * grid.n) {
    ShowNothing("The map holds no bins");
    return;
  }
  title->setText(text);
  colorScale->axis()->setLabel(MapScaleTitle(quantity));
  SetAxisLabelPattern(colorScale->axis(), IsTemperature(quantity) ? 2 : 5);
  // A single bin is drawn as two by two: the map needs two cells a side to know their width.
  const int n = std::max(grid.n, 2);
  const double dx = (grid.xMax - grid.xMin) / n, dy = (grid.yMax - grid.yMin) / n;
  QCPColorMapData* data = colorMap->data();
  data->setSize(n, n);
  data->setRange(QCPRange(grid.xMin + dx / 2, grid.xMax - dx / 2), QCPRange(grid.yMin + dy / 2, grid.yMax - dy / 2));
  for (int iy = 0; iy < n; ++iy)
    for (int ix = 0; ix < n; ++ix) data->setCell(ix, iy, MapValue(grid.At(ix * grid.n / n, iy * grid.n / n), quantity));
  colorMap->setDataRange(ValueRange(grid, quantity));
  colorMap->setVisible(true);
  colorScale->setVisible(true);

  ClearLines();
  const double cx = grid.folded ? (grid.xMin + grid.xMax) / 2 : 0;
  const double cy = grid.folded ? (grid.yMin + grid.yMax) / 2 : 0;
  const double mx = kFrameMargin * (grid.xMax - grid.xMin), my = kFrameMargin * (grid.yMax - grid.yMin);
  const QRectF frame(QPointF(grid.xMin - mx, grid.yMin - my), QPointF(grid.xMax + mx, grid.yMax + my));
  for (const MapPolyline& line : lines) AddLine(line, cx, cy, frame);
  frame_->setData({frame.left(), frame.right()}, {frame.top(), frame.bottom()});
  footnote->setText(grid.folded ? "Red: the pyramid cell, base, top flat and edges.   Gray: no rays."
                                : "Red: the radiator's boundary, where it is in view.   Gray: no rays.");
  EqualizeAxes(this);
}

void MapChart::ShowNothing(const QString& message) {
  title->setText(message);
  footnote->setText(QString());
  colorMap->data()->clear();
  colorMap->setVisible(false);
  colorScale->setVisible(false);
  ClearLines();
  frame_->data()->clear();
  replot(QCustomPlot::rpQueuedReplot);
}

std::optional<QPointF> MapChart::CoordinatesAt(const QPoint& position) const {
  if (!colorMap->visible() || !axisRect()->rect().contains(position)) return std::nullopt;
  return QPointF(xAxis->pixelToCoord(position.x()), yAxis->pixelToCoord(position.y()));
}

void MapChart::ClearLines() {
  for (QCPCurve* line : lines_) removePlottable(line);
  lines_.clear();
}

void MapChart::AddLine(const MapPolyline& line, double dx, double dy, const QRectF& frame) {
  // The part of the line within the map's frame, in pieces where it leaves and comes back: the
  // viewed region may be a small part of the radiator.
  QVector<double> keys, values;
  const auto endPiece = [&] {
    if (keys.size() > 1) AddCurve(keys, values, line.bold);
    keys.clear(), values.clear();
  };
  for (std::size_t i = 1; i < line.x.size(); ++i) {
    QLineF segment(line.x[i - 1] + dx, line.y[i - 1] + dy, line.x[i] + dx, line.y[i] + dy);
    const QPointF start = segment.p1();
    if (!ClipLine(segment, frame)) {
      endPiece();
      continue;
    }
    if (keys.isEmpty() || segment.p1() != start) {
      endPiece();
      keys << segment.x1();
      values << segment.y1();
    }
    keys << segment.x2();
    values << segment.y2();
    if (segment.p2() != QPointF(line.x[i] + dx, line.y[i] + dy)) endPiece();
  }
  endPiece();
}

void MapChart::AddCurve(const QVector<double>& keys, const QVector<double>& values, bool bold) {
  auto* curve = new QCPCurve(xAxis, yAxis);
  curve->setName("Outline");
  curve->setPen(QPen(kSeriesRed, bold ? 2 : 1));
  curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  curve->setData(keys, values);
  lines_.push_back(curve);
}

}  // namespace tessolan
