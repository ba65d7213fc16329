#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "engine/TargetingFrames.h"
#include "engine/TargetingRay.h"
#include "ui/drawings/TargetingHost.h"

class QComboBox;
class QCPGraph;
class QCPTextElement;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tessolan {

class EqualScaleChart;
class PageControl;
class TargetingSegmentsLayer;

// The "Targeting" group of the viewing conditions page: a preliminary ray tracing that shows
// where the rays of the chosen viewing conditions come from and where they first strike the
// array, over the YZ and XZ profiles of one row of pyramids. The tracing runs on the window's
// thread and lets the window work between rays; Stop ends it and Start waits until it has ended.
class TargetingPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMaxRays = 100000;

  explicit TargetingPanel(TargetingHost& host, QWidget* parent = nullptr);
  ~TargetingPanel() override;

  // The ray count chosen in comboNRT.
  int SelectedRayCount() const;
  // The rays asked for by the latest Start.
  int NRaysTargeting() const { return nRaysTargeting_; }
  // The rays traced by the latest Start, up to the one that stopped it: what the charts draw.
  int TracedRays() const { return tracedRays_; }
  const std::vector<TargetingSegment>& TargetingSegments() const { return segments_; }
  const TargetingFrames& Frames() const { return frames_; }
  bool IsRunning() const { return running_; }

  // Empties every series of both charts and shows the first page ("Clear All"). The rays stay
  // stored but are not drawn until the next Start has drawn the profiles again.
  void ClearCharts();

  QComboBox* comboNRT;
  QPushButton* btnStart;
  QPushButton* btnStop;
  QProgressBar* pbPercentage;
  PageControl* pcTargeting;
  EqualScaleChart* chYZ;
  EqualScaleChart* chXZ;
  QCPTextElement* titleYZ;
  QCPTextElement* titleXZ;
  QCPGraph* seProfileYZ;
  QCPGraph* seFrameYZ;
  QCPGraph* seProfileXZ;
  QCPGraph* seFrameXZ;
  QLabel* urlYZ;
  QLabel* urlXZ;

 public slots:
  void btnStartClick();
  void btnStopClick();
  void urlYZClick();
  void urlXZClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildChartPage(EqualScaleChart*& chart, QCPTextElement*& title, QLabel*& link, const QString& name,
                          const QString& down, const QString& designTitle);
  QWidget* BuildControls();
  bool Prepare();
  void RunTargeting();
  // Traces rays 1..n; true when all of them met the array inside the radiating area.
  bool TraceRays(int n);
  void SetTitles(const QString& yz, const QString& xz);
  void SetRunning(bool running);
  void ShowTracedRays(int count);
  void BuildProfileYZ();
  void BuildProfileXZ();
  void BuildProfile(QCPGraph* profile, QCPGraph* frame, const TargetingFrame& extent, EqualScaleChart* chart);
  void OpenChartEditor(EqualScaleChart* chart);

  TargetingHost& host_;
  // Held apart from the host: the panel outlives the host part of the window being destroyed.
  QWidget& window_;
  std::vector<TargetingSegment> segments_;
  TargetingSegmentsLayer* segmentsYZ_;
  TargetingSegmentsLayer* segmentsXZ_;
  std::unique_ptr<TargetingTracer> tracer_;
  TargetingFrames frames_;
  int nRaysTargeting_ = 0;
  int tracedRays_ = 0;
  bool running_ = false;
  bool stopRequested_ = false;
};

}  // namespace tessolan
