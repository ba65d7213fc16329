#include "ui/drawings/TargetingPanel.h"

#include <qcustomplot.h>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <cmath>

#include "engine/ArrayOutline.h"
#include "model/AppState.h"
#include "ui/charts/ChartEditorDialog.h"
#include "ui/charts/ChartHelpers.h"
#include "ui/charts/EqualizeAxes.h"
#include "ui/charts/FrameSeries.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/drawings/TargetingSegmentsLayer.h"
#include "ui/main/Hints.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

namespace {

constexpr const char* kFovTitle = "FOV EXCEEDS BLACKBODY BOUNDARIES";

// Between rays the window gets its pending events at least this often, and the rays traced so
// far are painted at least this often.
constexpr qint64 kEventsEveryMs = 10;
constexpr qint64 kRepaintEveryMs = 250;

struct TargetingRayChoice {
  const char* text;
  int rays;
};

constexpr TargetingRayChoice kRayCounts[] = {
    {"0", 0}, {"100", 100}, {"1,000", 1000}, {"10,000", 10000}, {"100,000", 100000},
};
constexpr int kDefaultRayCount = 2;

// The busy cursor for as long as targeting works; the window still answers meanwhile.
class BusyCursor {
 public:
  BusyCursor() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

QFont TitleFont(const QFont& base) {
  QFont font = base;
  font.setBold(true);
  font.setPixelSize(13);
  return font;
}

QCPGraph* AddFrameSeries(QCustomPlot* chart) { return StyleAsFrame(chart->addGraph(chart->yAxis, chart->xAxis)); }

// The profile is joined in order of the vertical coordinate, so the series has its keys down
// the chart.
QCPGraph* AddProfileSeries(QCustomPlot* chart) {
  QCPGraph* profile = chart->addGraph(chart->yAxis, chart->xAxis);
  profile->setName("Profile");
  profile->setLineStyle(QCPGraph::lsLine);
  profile->setPen(QPen(Qt::black, 2));
  profile->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  return profile;
}

}  // namespace

TargetingPanel::TargetingPanel(TargetingHost& host, QWidget* parent)
    : QWidget(parent), host_(host), window_(host.HostWindow()), segments_(kMaxRays) {
  setObjectName("pnTargeting");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  pcTargeting = new PageControl(this);
  pcTargeting->setObjectName("pcTargeting");
  pcTargeting->addTab(BuildChartPage(chYZ, titleYZ, urlYZ, "YZ", "Y", "YZ plane"), "YZ Plane");
  pcTargeting->addTab(BuildChartPage(chXZ, titleXZ, urlXZ, "XZ", "X", "XZ plane"), "XZ Plane");
  layout->addWidget(pcTargeting, 1);
  layout->addWidget(BuildControls());

  seProfileYZ = AddProfileSeries(chYZ);
  seFrameYZ = AddFrameSeries(chYZ);
  seProfileXZ = AddProfileSeries(chXZ);
  seFrameXZ = AddFrameSeries(chXZ);
  segmentsYZ_ = new TargetingSegmentsLayer(chYZ, segments_, TargetingSegmentsLayer::Down::Y, seProfileYZ);
  segmentsXZ_ = new TargetingSegmentsLayer(chXZ, segments_, TargetingSegmentsLayer::Down::X, seProfileXZ);
  pcTargeting->setCurrentIndex(0);

  connect(btnStart, &QPushButton::clicked, this, &TargetingPanel::btnStartClick);
  connect(btnStop, &QPushButton::clicked, this, &TargetingPanel::btnStopClick);
  connect(urlYZ, &QLabel::linkActivated, this, &TargetingPanel::urlYZClick);
  connect(urlXZ, &QLabel::linkActivated, this, &TargetingPanel::urlXZClick);
  // Closing the main window ends a targeting run rather than letting it go on unseen.
  window_.installEventFilter(this);
}

TargetingPanel::~TargetingPanel() { window_.removeEventFilter(this); }

bool TargetingPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Close && running_) stopRequested_ = true;
  return QWidget::eventFilter(watched, event);
}

QWidget* TargetingPanel::BuildChartPage(EqualScaleChart*& chart, QCPTextElement*& title, QLabel*& link,
                                        const QString& name, const QString& down, const QString& designTitle) {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  chart = new EqualScaleChart(host_.Dialogs(), QString::fromStdString(host_.State().folders.ResultsDir), page);
  chart->setObjectName("ch" + name);
  chart->setMinimumSize(200, 150);
  chart->xAxis->setLabel("Z");
  chart->yAxis->setLabel(down);
  SetAxisLabelPattern(chart->xAxis, 3);
  SetAxisLabelPattern(chart->yAxis, 3);
  chart->plotLayout()->insertRow(0);
  title = new QCPTextElement(chart, designTitle, TitleFont(chart->font()));
  title->setTextColor(Qt::red);
  chart->plotLayout()->addElement(0, 0, title);
  layout->addWidget(chart, 1);
  link = MakeEditGraphLink("url" + name, page);
  layout->addWidget(link);
  return page;
}

QWidget* TargetingPanel::BuildControls() {
  auto* bar = new QWidget(this);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel("Number of Rays:", bar);
  comboNRT = new QComboBox(bar);
  comboNRT->setObjectName("comboNRT");
  for (const TargetingRayChoice& choice : kRayCounts) comboNRT->addItem(choice.text, choice.rays);
  comboNRT->setCurrentIndex(kDefaultRayCount);
  SetHint(comboNRT, "Select number of \nrays for targeting");
  label->setBuddy(comboNRT);
  btnStart = new QPushButton("Start", bar);
  btnStart->setObjectName("btnStart");
  SetHint(btnStart, "Start targeting\n(preliminary ray tracing)");
  btnStop = new QPushButton("Stop", bar);
  btnStop->setObjectName("btnStop");
  btnStop->setEnabled(false);
  SetHint(btnStop, "Stop targeting");
  pbPercentage = new QProgressBar(bar);
  pbPercentage->setObjectName("pbPercentage");
  pbPercentage->setRange(0, 100);
  pbPercentage->setValue(0);
  layout->addWidget(label);
  layout->addWidget(comboNRT);
  layout->addSpacing(8);
  layout->addWidget(btnStart);
  layout->addWidget(btnStop);
  layout->addSpacing(8);
  layout->addWidget(pbPercentage, 1);
  return bar;
}

int TargetingPanel::SelectedRayCount() const { return std::clamp(comboNRT->currentData().toInt(), 0, kMaxRays); }

void TargetingPanel::btnStartClick() {
  if (running_ || !Prepare()) return;
  nRaysTargeting_ = SelectedRayCount();
  BusyCursor busy;
  ShowTracedRays(0);
  // The profiles first, so that rays painted while the run goes on fall on the array they hit.
  BuildProfileYZ();
  BuildProfileXZ();
  RunTargeting();
  ShowTracedRays(tracedRays_);
  pbPercentage->setValue(0);
}

void TargetingPanel::btnStopClick() {
  if (running_) stopRequested_ = true;
}

bool TargetingPanel::Prepare() {
  QString message;
  if (!host_.GatherGeometry(message) || !host_.GatherViewingConditions(message)) {
    if (!message.isEmpty()) host_.Dialogs().ShowMessage(message);
    return false;
  }
  AppState& state = host_.State();
  // Gathering the geometry has preprocessed it.
  frames_ = ComputeTargetingFrames(state.initialData, state.geometry, state.view);
  tracer_ = std::make_unique<TargetingTracer>(state.initialData, state.geometry, state.view);
  return true;
}

void TargetingPanel::RunTargeting() {
  // Running before the first events are let through, so that a second click on Start waits.
  SetRunning(true);
  SetTitles("YZ Plane", "XZ Plane");
  QCoreApplication::processEvents();
  tracedRays_ = 0;
  if (nRaysTargeting_ > 0) TraceRays(nRaysTargeting_);
  SetRunning(false);
}

bool TargetingPanel::TraceRays(int n) {
  AppState& state = host_.State();
  const int step = std::max(1, n / 100);
  QElapsedTimer sinceEvents, sinceRepaint;
  sinceEvents.start();
  sinceRepaint.start();
  for (int i = 1; i <= n; ++i) {
    if (sinceEvents.elapsed() >= kEventsEveryMs) {
      QCoreApplication::processEvents();
      sinceEvents.restart();
    }
    if (i % step == 0) {
      pbPercentage->setValue(static_cast<int>(std::lround(100.0 * i / n)));
      QCoreApplication::processEvents();
      sinceEvents.restart();
    }
    if (stopRequested_) return false;
    // The program's one random sequence: a modeling window opened meanwhile may have reseeded it.
    RandomGenerator rng(state.randomSeed);
    const bool hit = tracer_->TraceTargetingRay(rng, segments_[static_cast<std::size_t>(i - 1)]);
    state.randomSeed = rng.seed();
    tracedRays_ = i;
    if (!hit) {
      SetTitles(kFovTitle, kFovTitle);
      QCoreApplication::processEvents();
      return false;
    }
    if (sinceRepaint.elapsed() >= kRepaintEveryMs) {
      ShowTracedRays(i);
      sinceRepaint.restart();
    }
  }
  return true;
}

void TargetingPanel::SetTitles(const QString& yz, const QString& xz) {
  titleYZ->setText(yz);
  titleXZ->setText(xz);
  chYZ->replot(QCustomPlot::rpQueuedReplot);
  chXZ->replot(QCustomPlot::rpQueuedReplot);
}

void TargetingPanel::SetRunning(bool running) {
  running_ = running;
  stopRequested_ = false;
  btnStart->setEnabled(!running);
  btnStop->setEnabled(running);
}

void TargetingPanel::ShowTracedRays(int count) {
  segmentsYZ_->SetCount(count);
  segmentsXZ_->SetCount(count);
  segmentsYZ_->Repaint();
  segmentsXZ_->Repaint();
}

void TargetingPanel::BuildProfileYZ() { BuildProfile(seProfileYZ, seFrameYZ, frames_.FrameYZ, chYZ); }

void TargetingPanel::BuildProfileXZ() { BuildProfile(seProfileXZ, seFrameXZ, frames_.FrameXZ, chXZ); }

void TargetingPanel::BuildProfile(QCPGraph* profile, QCPGraph* frame, const TargetingFrame& extent,
                                  EqualScaleChart* chart) {
  const InitialData& task = tracer_->Task();
  const ArrayGeometry& g = tracer_->Geometry();
  const std::array<ProfilePoint, 6> cell = PyramidProfile(task, g);
  QVector<double> down, across;
  down.reserve(6 * g.NCR);
  across.reserve(6 * g.NCR);
  for (int j = 1; j <= g.NCR; ++j) {
    for (const ProfilePoint& point : cell) {
      down << static_cast<double>(g.CenterX[j] + point.offset);
      across << static_cast<double>(point.height);
    }
  }
  profile->setData(down, across, true);
  const double zMin = static_cast<double>(extent.ZMin), zMax = static_cast<double>(extent.ZMax);
  const double low = static_cast<double>(extent.Min), high = static_cast<double>(extent.Max);
  frame->setData({low, high, high, low, low}, {zMin, zMin, zMax, zMax, zMin});
  EqualizeAxes(chart);
}

void TargetingPanel::ClearCharts() {
  // What is cleared is not drawn again: a run going on ends, and its rays go with the profile.
  if (running_) stopRequested_ = true;
  for (QCustomPlot* chart : {static_cast<QCustomPlot*>(chYZ), static_cast<QCustomPlot*>(chXZ)}) {
    for (int i = 0; i < chart->graphCount(); ++i) chart->graph(i)->data()->clear();
    chart->replot(QCustomPlot::rpQueuedReplot);
  }
  pcTargeting->setCurrentIndex(0);
}

void TargetingPanel::urlYZClick() { OpenChartEditor(chYZ); }

void TargetingPanel::urlXZClick() { OpenChartEditor(chXZ); }

void TargetingPanel::OpenChartEditor(EqualScaleChart* chart) {
  tessolan::OpenChartEditor(chart, host_.Dialogs(), host_.State().folders.ResultsDir, this);
}

}  // namespace tessolan
