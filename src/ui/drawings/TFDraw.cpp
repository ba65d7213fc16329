#include "ui/drawings/TFDraw.h"

#include <qcustomplot.h>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/ArrayOutline.h"
#include "model/AppState.h"
#include "model/Notation.h"
#include "ui/charts/ChartEditorDialog.h"
#include "ui/charts/ChartHelpers.h"
#include "ui/charts/EqualizeAxes.h"
#include "ui/charts/FrameSeries.h"
#include "ui/drawings/ArrayTopViewLayer.h"
#include "ui/main/Hints.h"
#include "ui/widgets/AppIcon.h"
#include "ui/widgets/Colors.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

namespace {

constexpr QSize kWindowSize{500, 700};

// The application's style with less room beside each tab's caption.
class NarrowTabsStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_TabBarTabHSpace ? std::min(value, 4) : value;
  }
};
constexpr int kBoundaryPoints = 1000;
const QColor kAxisLineColor{128, 64, 64};

EqualScaleChart* MakeChart(const QString& name, const QString& down, UserDialogs& dialogs, const QString& saveFolder,
                           QWidget* parent) {
  auto* chart = new EqualScaleChart(dialogs, saveFolder, parent);
  chart->setObjectName(name);
  chart->xAxis->setLabel("X");
  chart->yAxis->setLabel(down);
  SetAxisLabelPattern(chart->xAxis, 4);
  SetAxisLabelPattern(chart->yAxis, 4);
  return chart;
}

QCPCurve* AddOutline(QCustomPlot* chart, const QString& name, const QColor& color, int width) {
  auto* curve = new QCPCurve(chart->xAxis, chart->yAxis);
  curve->setName(name);
  curve->setPen(QPen(color, width));
  curve->setLineStyle(QCPCurve::lsLine);
  curve->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  return curve;
}

QCPCurve* AddFrame(QCustomPlot* chart) { return StyleAsFrame(new QCPCurve(chart->xAxis, chart->yAxis)); }

QCPGraph* AddLine(QCustomPlot* chart, const QString& name, const QColor& color, int width, bool keyDown = false) {
  QCPGraph* line = keyDown ? chart->addGraph(chart->yAxis, chart->xAxis) : chart->addGraph();
  line->setName(name);
  line->setPen(QPen(color, width));
  line->setLineStyle(QCPGraph::lsLine);
  line->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssNone));
  return line;
}

// A closed square of side 2h about the origin.
void SetSquare(QCPCurve* curve, double h) { curve->setData({-h, -h, h, h, -h}, {-h, h, h, -h, -h}); }

void SetSegment(QCPGraph* line, double x1, double y1, double x2, double y2) {
  line->data()->clear();
  line->addData(x1, y1);
  line->addData(x2, y2);
}

QWidget* ChartPage(QCustomPlot* chart, QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  chart->setParent(page);
  layout->addWidget(chart);
  return page;
}

}  // namespace

TFDraw::TFDraw(const AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state), dialogs_(dialogs) {
  setObjectName("FDraw");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 0);
  layout->setSpacing(4);
  pc = new PageControl(this);
  pc->setObjectName("pc");
  pc->addTab(BuildArrayTopViewPage(), "Array Top View");
  pc->addTab(BuildPyramidTopViewPage(), "Single Pyramid Top View");
  pc->addTab(BuildPyramidSideViewPage(), "Single Pyramid Side View");
  // The three captions fit the window's 500 pixels only with narrower tabs.
  auto* narrowTabs = new NarrowTabsStyle;
  narrowTabs->setParent(pc->tabBar());
  pc->tabBar()->setStyle(narrowTabs);
  layout->addWidget(pc, 1);
  layout->addWidget(BuildBottom());
  resize(kWindowSize);
  setMinimumSize(kWindowSize);
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen) move(screen->availableGeometry().center() - QPoint(kWindowSize.width() / 2, kWindowSize.height() / 2));
  connect(urlEditGraphs, &QLabel::linkActivated, this, &TFDraw::urlEditGraphsClick);
  connect(btnClose, &QPushButton::clicked, this, &TFDraw::btnCloseClick);
  FormCreate();
}

QWidget* TFDraw::BuildArrayTopViewPage() {
  chTopView = MakeChart("chTopView", "Y", dialogs_, QString::fromStdString(state_.folders.ResultsDir), this);
  QFont footerFont = chTopView->font();
  auto* footer = new QCPTextElement(chTopView, "Red line denotes radiator's boundary", footerFont);
  chTopView->plotLayout()->addElement(1, 0, footer);
  seBound = AddOutline(chTopView, "Radiator boundary", kSeriesRed, 3);
  seX = AddLine(chTopView, "X axis", kAxisLineColor, 1);
  seY = AddLine(chTopView, "Y axis", kAxisLineColor, 1, true);
  seFrame = AddFrame(chTopView);
  pyramids = new ArrayTopViewLayer(chTopView, state_.initialData, state_.geometry);
  return ChartPage(chTopView, this);
}

QWidget* TFDraw::BuildPyramidTopViewPage() {
  chTop = MakeChart("chTop", "Y", dialogs_, QString::fromStdString(state_.folders.ResultsDir), this);
  seCell = AddOutline(chTop, "Cell", kSeriesBlue, 2);
  sePyramid = AddOutline(chTop, "Pyramid base", kSeriesBlue, 2);
  seFlatTop = AddOutline(chTop, "Top flat", kSeriesBlue, 2);
  seDiag11 = AddLine(chTop, "Edge 1", kSeriesBlue, 2);
  seDiag21 = AddLine(chTop, "Edge 2", kSeriesBlue, 2);
  seDiag12 = AddLine(chTop, "Edge 3", kSeriesBlue, 2);
  seDiag22 = AddLine(chTop, "Edge 4", kSeriesBlue, 2);
  seFrameTop = AddFrame(chTop);
  return ChartPage(chTop, this);
}

QWidget* TFDraw::BuildPyramidSideViewPage() {
  chSide = MakeChart("chSide", "Z", dialogs_, QString::fromStdString(state_.folders.ResultsDir), this);
  seProfile = AddLine(chSide, "Profile", kSeriesBlue, 3);
  seFrameSide = AddFrame(chSide);
  return ChartPage(chSide, this);
}

QWidget* TFDraw::BuildBottom() {
  auto* bottom = new QWidget(this);
  auto* layout = new QVBoxLayout(bottom);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  urlEditGraphs = MakeEditGraphLink("urlEditGraphs", bottom);
  layout->addWidget(urlEditGraphs);

  memo = new QPlainTextEdit(bottom);
  memo->setObjectName("memo");
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette palette = memo->palette();
  palette.setColor(QPalette::Base, kInfoColor);
  memo->setPalette(palette);
  const int textHeight = 4 * memo->fontMetrics().lineSpacing();
  memo->setFixedHeight(textHeight + 2 * static_cast<int>(memo->document()->documentMargin()) + 2 * memo->frameWidth() +
                       2);
  layout->addWidget(memo);

  auto* panel = new QHBoxLayout;
  panel->addStretch();
  btnClose = new QPushButton("Close", bottom);
  btnClose->setObjectName("btnClose");
  btnClose->setMinimumWidth(90);
  SetHint(btnClose, "Close window");
  panel->addWidget(btnClose);
  layout->addLayout(panel);

  sbStatus = new QStatusBar(bottom);
  sbStatus->setObjectName("sbStatus");
  layout->addWidget(sbStatus);
  return bottom;
}

void TFDraw::FormCreate() {
  setWindowTitle("Tessolan: Drawings of Pyramid Array and Single Pyramid");
  setWindowIcon(TessolanIcon());
  pc->setCurrentIndex(0);
  memo->setPlainText(MemoLines(state_, DecimalSeparator()).join('\n'));
}

QStringList TFDraw::MemoLines(const AppState& state, char decimalSeparator) {
  const InitialData& t = state.initialData;
  const ArrayGeometry& g = state.geometry;
  auto number = [decimalSeparator](Extended value, int precision) {
    return QString::fromStdString(FormatFixed(value, precision, 4, decimalSeparator));
  };
  return {
      "Radiator center coincides with the " +
          QString(t.CenterPosition == kCentralVertex ? "pyramid vertex" : "gap center") +
          ";   Array period = " + number(g.Period, 10),
      "Number of columns and rows = " + QString::number(g.NCR) +
          ";   Pyramid Slant Angle = " + number(t.SlantAngle, 8) + QString::fromUtf8("\u00B0"),
      "Base Side Length = " + number(t.BaseSideLength, 10) + ";   Gap Width = " + number(t.GapWidth, 10),
      "Top Flat Side Length = " + number(t.TopFlatSideLength, 10) + ";   Height = " + number(g.Height, 10),
  };
}

void TFDraw::DrawAll() {
  DrawArrayTopView();
  DrawPyramidTopView();
  DrawPyramidSideView();
}

void TFDraw::DrawArrayTopView() {
  const ArrayGeometry& g = state_.geometry;
  for (int i = 0; i < chTopView->plottableCount(); ++i) {
    if (auto* curve = qobject_cast<QCPCurve*>(chTopView->plottable(i))) curve->data()->clear();
    if (auto* graph = qobject_cast<QCPGraph*>(chTopView->plottable(i))) graph->data()->clear();
  }
  if (g.NCR >= 1 && g.NCR <= kMaxNCR) {
    const ArrayEdge edge = ArrayOuterEdge(g);
    const double edgeLow = WithFrameMargin(static_cast<double>(edge.low));
    const double edgeHigh = WithFrameMargin(static_cast<double>(edge.high));
    seFrame->setData({edgeLow, edgeLow, edgeHigh, edgeHigh, edgeLow}, {edgeLow, edgeHigh, edgeHigh, edgeLow, edgeLow});
    const double r = static_cast<double>(g.RadiatorHalf);
    if (state_.initialData.Shape == kSquare) {
      SetSquare(seBound, r);
    } else {
      QVector<double> x(kBoundaryPoints), y(kBoundaryPoints);
      for (int k = 0; k < kBoundaryPoints; ++k) {
        const double angle = k * 2 * std::numbers::pi / (kBoundaryPoints - 1);
        x[k] = r * std::cos(angle);
        y[k] = r * std::sin(angle);
      }
      seBound->setData(x, y);
    }
    SetSegment(seX, edgeLow, 0, edgeHigh, 0);
    SetSegment(seY, edgeLow, 0, edgeHigh, 0);
  }
  EqualizeAxes(chTopView);
}

void TFDraw::DrawPyramidTopView() {
  const double p = static_cast<double>(state_.geometry.Period) / 2;
  const PyramidTopView view = PyramidTopViewOf(state_.initialData);
  SetSquare(seCell, p);
  SetSquare(sePyramid, view.halfBase);
  SetSquare(seFlatTop, view.halfTopFlat);
  QCPGraph* const edges[] = {seDiag11, seDiag21, seDiag12, seDiag22};
  for (int k = 0; k < 4; ++k) {
    const DrawnSegment& e = view.edges[k];
    SetSegment(edges[k], e.x1, e.y1, e.x2, e.y2);
  }
  SetSquare(seFrameTop, WithFrameMargin(p));
  EqualizeAxes(chTop);
}

void TFDraw::DrawPyramidSideView() {
  QVector<double> across, heights;
  for (const ProfilePoint& point : PyramidProfile(state_.initialData, state_.geometry)) {
    across << static_cast<double>(point.offset);
    heights << static_cast<double>(point.height);
  }
  seProfile->setData(across, heights, true);
  const double w = WithFrameMargin(across.back());
  const double h = static_cast<double>(state_.geometry.Height);
  const double low = FrameMarginBelow(h), high = WithFrameMargin(h);
  seFrameSide->setData({-w, -w, w, w, -w}, {low, high, high, low, low});
  EqualizeAxes(chSide);
}

void TFDraw::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  DrawAll();
}

void TFDraw::urlEditGraphsClick() {
  QCustomPlot* charts[] = {chTopView, chTop, chSide};
  const int page = std::clamp(pc->currentIndex(), 0, 2);
  OpenChartEditor(charts[page], dialogs_, state_.folders.ResultsDir, this);
}

void TFDraw::btnCloseClick() { close(); }

}  // namespace tessolan
