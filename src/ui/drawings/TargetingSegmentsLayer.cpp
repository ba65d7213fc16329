#include "ui/drawings/TargetingSegmentsLayer.h"

#include <algorithm>

#include "ui/drawings/LineRaster.h"

namespace tessolan {

namespace {

constexpr const char* kLayerName = "segments";

QString LayerAboveSeries(QCustomPlot* chart) {
  if (!chart->layer(kLayerName)) {
    chart->addLayer(kLayerName, chart->layer("main"), QCustomPlot::limAbove);
    chart->layer(kLayerName)->setMode(QCPLayer::lmBuffered);
  }
  return kLayerName;
}

}  // namespace

TargetingSegmentsLayer::TargetingSegmentsLayer(QCustomPlot* chart, const std::vector<TargetingSegment>& store,
                                               Down down, const QCPGraph* profile)
    : QCPLayerable(chart, LayerAboveSeries(chart), chart->axisRect()), store_(store), down_(down), profile_(profile) {}

void TargetingSegmentsLayer::SetCount(int count) { count_ = std::clamp(count, 0, static_cast<int>(store_.size())); }

void TargetingSegmentsLayer::Repaint() {
  if (layer()) layer()->replot();
}

QRect TargetingSegmentsLayer::clipRect() const { return mParentPlot->axisRect()->rect(); }

void TargetingSegmentsLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const {
  painter->setAntialiasing(false);
}

void TargetingSegmentsLayer::draw(QCPPainter* painter) {
  if (count_ == 0 || profile_->data()->isEmpty()) return;
  const QCPAxis* across = mParentPlot->xAxis;
  const QCPAxis* downAxis = mParentPlot->yAxis;
  const QRect plot = clipRect();
  // An exported vector drawing gets real lines; the screen gets them as one image.
  const bool vectorized = painter->modes().testFlag(QCPPainter::pmVectorized);
  LineRaster raster(plot, painter->device()->devicePixelRatioF());
  QPen pen(Qt::red, 1);
  pen.setCosmetic(true);
  painter->setPen(pen);
  const bool downIsY = down_ == Down::Y;
  {
    LineBatch lines(painter, plot, vectorized ? nullptr : &raster);
    for (int i = 0; i < count_; ++i) {
      const TargetingSegment& s = store_[static_cast<std::size_t>(i)];
      lines.Add({across->coordToPixel(s.EndZ), downAxis->coordToPixel(downIsY ? s.EndY : s.EndX),
                 across->coordToPixel(s.StartZ), downAxis->coordToPixel(downIsY ? s.StartY : s.StartX)});
    }
  }
  if (!vectorized) raster.Paint(painter, Qt::red);
}

}  // namespace tessolan
