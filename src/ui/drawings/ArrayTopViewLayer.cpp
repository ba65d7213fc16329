#include "ui/drawings/ArrayTopViewLayer.h"

#include <algorithm>
#include <cmath>

#include "engine/ArrayOutline.h"
#include "ui/drawings/LineRaster.h"
#include "ui/widgets/Colors.h"

namespace tessolan {

namespace {

constexpr const char* kLayerName = "pyramids";

// Under the grid and the series: the radiator boundary, the axis lines and the grid stay in
// view over the pyramids, even when a dense array is filled.
QString LayerUnderGrid(QCustomPlot* chart) {
  if (!chart->layer(kLayerName)) chart->addLayer(kLayerName, chart->layer("grid"), QCustomPlot::limBelow);
  return kLayerName;
}

QPen BluePen(Qt::PenStyle style) {
  QPen pen(kSeriesBlue, 1, style);
  pen.setCosmetic(true);
  return pen;
}

// Coordinates to pixels by the two linear axes, and the visible coordinate ranges.
struct Mapping {
  double x0, xScale, y0, yScale;
  QCPRange xRange, yRange;
  QRectF plot;

  QPointF operator()(double x, double y) const { return {x0 + xScale * x, y0 + yScale * y}; }
};

// The visible cells, as index ranges 1..n of columns and rows.
struct VisibleCells {
  int firstColumn, lastColumn, firstRow, lastRow;

  long long Count() const {
    return std::max(0LL, 1LL + lastColumn - firstColumn) * std::max(0LL, 1LL + lastRow - firstRow);
  }
};

// Cells whose centre c has c + P/2 >= lower and c - P/2 <= upper.
VisibleCells CellsIn(const Mapping& m, double first, double period, int n) {
  auto firstVisible = [&](const QCPRange& r) {
    return std::max(1, static_cast<int>(std::ceil((r.lower - period / 2 - first) / period)) + 1);
  };
  auto lastVisible = [&](const QCPRange& r) {
    return std::min(n, static_cast<int>(std::floor((r.upper + period / 2 - first) / period)) + 1);
  };
  return {firstVisible(m.xRange), lastVisible(m.xRange), firstVisible(m.yRange), lastVisible(m.yRange)};
}

// Each pyramid: its base square, its top-flat square and the four edges between their corners.
void AddPyramids(LineBatch& lines, const Mapping& m, const ArrayGeometry& g, const VisibleCells& cells,
                 const PyramidTopView& view) {
  const double a = view.halfBase, d = view.halfTopFlat;
  for (int i = cells.firstColumn; i <= cells.lastColumn; ++i) {
    const double x = static_cast<double>(g.CenterX[i]);
    for (int j = cells.firstRow; j <= cells.lastRow; ++j) {
      const double y = static_cast<double>(g.CenterY[j]);
      for (double h : {a, d}) {
        if (h == 0) continue;  // a pointed pyramid's top flat is its vertex, where the edges meet
        const QPointF p1 = m(x - h, y - h), p2 = m(x - h, y + h), p3 = m(x + h, y + h), p4 = m(x + h, y - h);
        lines.Add({p1, p2});
        lines.Add({p2, p3});
        lines.Add({p3, p4});
        lines.Add({p4, p1});
      }
      for (const DrawnSegment& e : view.edges) lines.Add({m(x + e.x1, y + e.y1), m(x + e.x2, y + e.y2)});
    }
  }
}

// The cell boundaries: x = xR and y = xR, then x = c - P/2 and y = c - P/2 for every centre c,
// each across the whole array.
void AddCellGrid(LineBatch& lines, const Mapping& m, const ArrayGeometry& g) {
  const double period = static_cast<double>(g.Period);
  const ArrayEdge edge = ArrayOuterEdge(g);
  const double low = static_cast<double>(edge.low), high = static_cast<double>(edge.high);
  auto addGridLines = [&](double at) {
    if (m.xRange.contains(at)) lines.Add({m(at, low), m(at, high)});
    if (m.yRange.contains(at)) lines.Add({m(low, at), m(high, at)});
  };
  addGridLines(high);
  for (int i = 1; i <= g.NCR; ++i) addGridLines(static_cast<double>(g.CenterX[i]) - period / 2);
}

}  // namespace

ArrayTopViewLayer::ArrayTopViewLayer(QCustomPlot* chart, const InitialData& task, const ArrayGeometry& geometry)
    : QCPLayerable(chart, LayerUnderGrid(chart), chart->axisRect()), task_(task), geometry_(geometry) {}

QRect ArrayTopViewLayer::clipRect() const { return mParentPlot->axisRect()->rect(); }

void ArrayTopViewLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const { painter->setAntialiasing(false); }

void ArrayTopViewLayer::draw(QCPPainter* painter) {
  pyramidsDrawn_ = 0;
  const ArrayGeometry& g = geometry_;
  const int n = g.NCR;
  if (n < 1 || n > kMaxNCR) return;
  const QCPAxis* xAxis = mParentPlot->xAxis;
  const QCPAxis* yAxis = mParentPlot->yAxis;
  Mapping m;
  m.x0 = xAxis->coordToPixel(0);
  m.xScale = xAxis->coordToPixel(1) - m.x0;
  m.y0 = yAxis->coordToPixel(0);
  m.yScale = yAxis->coordToPixel(1) - m.y0;
  m.xRange = xAxis->range();
  m.yRange = yAxis->range();
  m.plot = clipRect();

  const double period = static_cast<double>(g.Period);
  const double first = static_cast<double>(g.CenterX[1]);
  const double cellPixels = period * std::min(std::fabs(m.xScale), std::fabs(m.yScale));
  if (!(cellPixels >= kMinCellPixels)) {
    const ArrayEdge edge = ArrayOuterEdge(g);
    const double low = static_cast<double>(edge.low), high = static_cast<double>(edge.high);
    painter->fillRect(QRectF(m(low, low), m(high, high)).normalized().intersected(m.plot), kSeriesBlue);
    return;
  }
  const VisibleCells cells = CellsIn(m, first, period, n);
  // An exported vector drawing gets real lines; the screen gets them as one image.
  const bool vectorized = painter->modes().testFlag(QCPPainter::pmVectorized);
  LineRaster raster(clipRect(), painter->device()->devicePixelRatioF());
  painter->setPen(BluePen(Qt::SolidLine));
  {
    LineBatch lines(painter, m.plot, vectorized ? nullptr : &raster);
    AddPyramids(lines, m, g, cells, PyramidTopViewOf(task_));
  }
  if (!vectorized) raster.Paint(painter, kSeriesBlue);
  pyramidsDrawn_ = cells.Count();
  painter->setPen(BluePen(Qt::DashLine));
  LineBatch grid(painter, m.plot);
  AddCellGrid(grid, m, g);
}

}  // namespace tessolan
