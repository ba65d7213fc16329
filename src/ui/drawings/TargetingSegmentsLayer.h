#pragma once

#include <qcustomplot.h>
#include <vector>

#include "engine/TargetingRay.h"

namespace tessolan {

// Draws the stored targeting segments of one chart in a single pass, each as a red line from
// the ray's first hit back to its launch point, on a buffered layer of its own above the
// series: repainting the rays during a run does not redraw the profile, and a hundred thousand
// rays are one painter call rather than as many plottables.
class TargetingSegmentsLayer : public QCPLayerable {
  Q_OBJECT

 public:
  // Which coordinate of a segment runs down the chart; z always runs across.
  enum class Down { Y, X };

  // `profile` is the chart's profile series: until it holds the array's profile nothing is drawn.
  TargetingSegmentsLayer(QCustomPlot* chart, const std::vector<TargetingSegment>& store, Down down,
                         const QCPGraph* profile);

  // How many segments, from the first, are drawn.
  void SetCount(int count);
  int Count() const { return count_; }

  // Redraws only this layer; the rest of the chart stays as it was.
  void Repaint();

 protected:
  QRect clipRect() const override;
  void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
  void draw(QCPPainter* painter) override;

 private:
  const std::vector<TargetingSegment>& store_;
  Down down_;
  const QCPGraph* profile_;
  int count_ = 0;
};

}  // namespace tessolan
