#include "ui/charts/ChartEditorDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/charts/ChartHelpers.h"
#include "ui/charts/EqualizeAxes.h"
#include "ui/dialogs/UserDialogs.h"

namespace tessolan {

void OpenChartEditor(QCustomPlot* chart, UserDialogs& dialogs, const std::string& saveFolder, QWidget* parent) {
  ChartEditorDialog editor(chart, dialogs, QString::fromStdString(saveFolder), parent);
  editor.exec();
}

namespace {

struct MarkerChoice {
  const char* name;
  QCPScatterStyle::ScatterShape shape;
};

constexpr MarkerChoice kMarkers[] = {
    {"None", QCPScatterStyle::ssNone},         {"Circle", QCPScatterStyle::ssCircle},
    {"Square", QCPScatterStyle::ssSquare},     {"Diamond", QCPScatterStyle::ssDiamond},
    {"Triangle", QCPScatterStyle::ssTriangle}, {"Cross", QCPScatterStyle::ssCross},
    {"Plus", QCPScatterStyle::ssPlus},
};

QDoubleSpinBox* RangeBox(QWidget* parent) {
  auto* box = new QDoubleSpinBox(parent);
  box->setRange(-1e12, 1e12);
  box->setDecimals(6);
  box->setMinimumWidth(120);
  return box;
}

// The line and markers of a graph or a curve, the two kinds of series the charts draw.
bool HasLine(const QCPAbstractPlottable* series) {
  if (const auto* graph = qobject_cast<const QCPGraph*>(series)) return graph->lineStyle() != QCPGraph::lsNone;
  if (const auto* curve = qobject_cast<const QCPCurve*>(series)) return curve->lineStyle() != QCPCurve::lsNone;
  return false;
}

void SetHasLine(QCPAbstractPlottable* series, bool line) {
  if (auto* graph = qobject_cast<QCPGraph*>(series)) graph->setLineStyle(line ? QCPGraph::lsLine : QCPGraph::lsNone);
  if (auto* curve = qobject_cast<QCPCurve*>(series)) curve->setLineStyle(line ? QCPCurve::lsLine : QCPCurve::lsNone);
}

QCPScatterStyle MarkersOf(const QCPAbstractPlottable* series) {
  if (const auto* graph = qobject_cast<const QCPGraph*>(series)) return graph->scatterStyle();
  if (const auto* curve = qobject_cast<const QCPCurve*>(series)) return curve->scatterStyle();
  return {};
}

void SetMarkers(QCPAbstractPlottable* series, const QCPScatterStyle& style) {
  if (auto* graph = qobject_cast<QCPGraph*>(series)) graph->setScatterStyle(style);
  if (auto* curve = qobject_cast<QCPCurve*>(series)) curve->setScatterStyle(style);
}

void PaintSwatch(QPushButton* button, const QColor& color) {
  QPixmap swatch(28, 14);
  swatch.fill(color);
  button->setIcon(QIcon(swatch));
  button->setIconSize(swatch.size());
}

}  // namespace

ChartEditorDialog::ChartEditorDialog(QCustomPlot* chart, UserDialogs& dialogs, const QString& saveFolder,
                                     QWidget* parent)
    : QDialog(parent), chart_(chart), dialogs_(dialogs), saveFolder_(saveFolder) {
  setWindowTitle("Edit Graph");
  setObjectName("ce");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildSeriesGroup());
  layout->addWidget(BuildAxesGroup());

  auto* buttons = new QHBoxLayout;
  auto* png = new QPushButton("Save as PNG...", this);
  png->setObjectName("savePng");
  auto* pdf = new QPushButton("Save as PDF...", this);
  pdf->setObjectName("savePdf");
  auto* close = new QPushButton("Close", this);
  connect(png, &QPushButton::clicked, this, [this] { SaveAs("PNG Images (*.png)", "png"); });
  connect(pdf, &QPushButton::clicked, this, [this] { SaveAs("PDF Documents (*.pdf)", "pdf"); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  buttons->addWidget(png);
  buttons->addWidget(pdf);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);
  ShowSeries();
}

QWidget* ChartEditorDialog::BuildSeriesGroup() {
  auto* group = new QGroupBox("Series", this);
  auto* form = new QFormLayout(group);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  series_ = new QComboBox(group);
  series_->setMinimumWidth(220);
  for (int i = 0; i < chart_->plottableCount(); ++i) {
    QCPAbstractPlottable* series = chart_->plottable(i);
    if (qobject_cast<QCPGraph*>(series) || qobject_cast<QCPCurve*>(series))
      series_->addItem(series->name(), QVariant::fromValue(static_cast<void*>(series)));
  }
  color_ = new QPushButton("Colour...", group);
  lineWidth_ = new QSpinBox(group);
  lineWidth_->setRange(0, 10);
  lineWidth_->setSpecialValueText("No line");
  marker_ = new QComboBox(group);
  for (const MarkerChoice& m : kMarkers) marker_->addItem(m.name);
  markerSize_ = new QSpinBox(group);
  markerSize_->setRange(3, 20);
  series_->setObjectName("series");
  color_->setObjectName("colour");
  lineWidth_->setObjectName("lineWidth");
  marker_->setObjectName("markers");
  markerSize_->setObjectName("markerSize");
  form->addRow("Series:", series_);
  form->addRow("Colour:", color_);
  form->addRow("Line width:", lineWidth_);
  form->addRow("Markers:", marker_);
  form->addRow("Marker size:", markerSize_);
  connect(series_, &QComboBox::currentIndexChanged, this, &ChartEditorDialog::ShowSeries);
  connect(color_, &QPushButton::clicked, this, &ChartEditorDialog::ChooseColor);
  connect(lineWidth_, &QSpinBox::valueChanged, this, &ChartEditorDialog::ApplySeriesStyle);
  connect(marker_, &QComboBox::currentIndexChanged, this, &ChartEditorDialog::ApplySeriesStyle);
  connect(markerSize_, &QSpinBox::valueChanged, this, &ChartEditorDialog::ApplySeriesStyle);
  return group;
}

QWidget* ChartEditorDialog::BuildAxesGroup() {
  auto* group = new QGroupBox("Axes", this);
  auto* grid = new QGridLayout(group);
  const char* headers[] = {"", "Title", "", "Minimum", "Maximum"};
  for (int c = 0; c < 5; ++c) grid->addWidget(new QLabel(headers[c], group), 0, c);
  const std::pair<QCPAxis*, const char*> axes[] = {{chart_->xAxis, "Bottom axis:"}, {chart_->yAxis, "Left axis:"}};
  const char* names[] = {"bottom", "left"};
  for (int i = 0; i < 2; ++i) {
    AxisControls& a = axes_[static_cast<std::size_t>(i)];
    a.axis = axes[i].first;
    a.title = new QLineEdit(group);
    a.title->setMinimumWidth(200);
    a.automatic = new QCheckBox("Automatic", group);
    a.minimum = RangeBox(group);
    a.maximum = RangeBox(group);
    const QString name = names[i];
    a.title->setObjectName(name + "Title");
    a.automatic->setObjectName(name + "Automatic");
    a.minimum->setObjectName(name + "Minimum");
    a.maximum->setObjectName(name + "Maximum");
    grid->addWidget(new QLabel(axes[i].second, group), i + 1, 0);
    grid->addWidget(a.title, i + 1, 1);
    grid->addWidget(a.automatic, i + 1, 2);
    grid->addWidget(a.minimum, i + 1, 3);
    grid->addWidget(a.maximum, i + 1, 4);
    ShowAxis(a);
    connect(a.title, &QLineEdit::textEdited, this, [this, &a](const QString& text) {
      a.axis->setLabel(text);
      chart_->replot();
    });
    connect(a.automatic, &QCheckBox::toggled, this, [this, &a](bool automatic) {
      if (showing_) return;
      SetAxisRangeFixed(a.axis, !automatic);
      if (automatic) {
        // A drawing keeps its true proportions: both axes are equalized again.
        if (qobject_cast<EqualScaleChart*>(chart_))
          EqualizeAxes(chart_);
        else
          RescaleAndReplot(chart_);
      }
      for (AxisControls& shown : axes_) ShowAxis(shown);
    });
    for (QDoubleSpinBox* box : {a.minimum, a.maximum})
      connect(box, &QDoubleSpinBox::editingFinished, this, [this, &a] { ApplyAxisRange(a); });
  }
  return group;
}

QCPAbstractPlottable* ChartEditorDialog::CurrentSeries() const {
  if (series_->currentIndex() < 0) return nullptr;
  return static_cast<QCPAbstractPlottable*>(series_->currentData().value<void*>());
}

void ChartEditorDialog::ShowSeries() {
  QCPAbstractPlottable* series = CurrentSeries();
  if (!series) return;
  showing_ = true;
  PaintSwatch(color_, series->pen().color());
  lineWidth_->setValue(HasLine(series) ? std::max(1, series->pen().width()) : 0);
  const QCPScatterStyle markers = MarkersOf(series);
  for (int i = 0; i < static_cast<int>(std::size(kMarkers)); ++i)
    if (kMarkers[i].shape == markers.shape()) marker_->setCurrentIndex(i);
  markerSize_->setValue(static_cast<int>(markers.size()));
  showing_ = false;
}

void ChartEditorDialog::ChooseColor() {
  QCPAbstractPlottable* series = CurrentSeries();
  if (!series) return;
  const auto color = dialogs_.ChooseColor(series->pen().color(), "Series Colour");
  if (!color) return;
  QPen pen = series->pen();
  pen.setColor(*color);
  series->setPen(pen);
  PaintSwatch(color_, *color);
  ApplySeriesStyle();
}

void ChartEditorDialog::ApplySeriesStyle() {
  QCPAbstractPlottable* series = CurrentSeries();
  if (!series || showing_) return;
  const QColor color = series->pen().color();
  const int width = lineWidth_->value();
  SetHasLine(series, width > 0);
  series->setPen(QPen(color, std::max(width, 1)));
  SetMarkers(series, QCPScatterStyle(kMarkers[marker_->currentIndex()].shape, color, Qt::white, markerSize_->value()));
  chart_->replot();
}

void ChartEditorDialog::ShowAxis(AxisControls& a) {
  showing_ = true;
  a.title->setText(a.axis->label());
  const bool fixed = IsAxisRangeFixed(a.axis);
  a.automatic->setChecked(!fixed);
  a.minimum->setValue(a.axis->range().lower);
  a.maximum->setValue(a.axis->range().upper);
  a.minimum->setEnabled(fixed);
  a.maximum->setEnabled(fixed);
  showing_ = false;
}

void ChartEditorDialog::ApplyAxisRange(AxisControls& a) {
  if (showing_ || a.automatic->isChecked()) return;
  if (a.minimum->value() >= a.maximum->value()) {
    dialogs_.ShowMessage("The minimum of an axis must be less than its maximum");
    ShowAxis(a);
    return;
  }
  a.axis->setRange(a.minimum->value(), a.maximum->value());
  chart_->replot();
}

bool ChartEditorDialog::SaveImage(const QString& fileName) {
  const bool pdf = fileName.endsWith(".pdf", Qt::CaseInsensitive);
  const bool saved = pdf ? chart_->savePdf(fileName) : chart_->savePng(fileName);
  if (!saved) dialogs_.ShowMessage("File writing error");
  return saved;
}

void ChartEditorDialog::SaveAs(const QString& filter, const QString& suffix) {
  const FileDialogRequest request{"Tessolan: Save Graph", saveFolder_, "graph." + suffix, {filter}, suffix};
  const QString fileName = dialogs_.GetSaveFileName(request);
  if (!fileName.trimmed().isEmpty()) SaveImage(fileName);
}

}  // namespace tessolan
