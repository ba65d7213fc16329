#include "ui/main/MaterialPage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/charts/ChartHelpers.h"
#include "ui/main/Hints.h"
#include "ui/tables/DataGrid.h"
#include "ui/tables/DataSetModel.h"
#include "ui/tables/NavigatorBar.h"
#include "ui/tables/TableHelpers.h"
#include "ui/widgets/Colors.h"
#include "ui/widgets/MenuButton.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/RadioGroup.h"

namespace tessolan {

namespace {

constexpr double kMinTableShare = 0.32;
constexpr double kMaxTableShare = 0.64;

std::vector<GridColumn> SpectralColumns() {
  return {
      {SpectralFields::WL, "Wavelength (um)", 115, 8},
      {SpectralFields::Reflectance, "Reflectance", 87, 8},
      {SpectralFields::Emissivity, "Emissivity", 87, 8, true, true},
  };
}

}  // namespace

MaterialPage::MaterialPage(SpectralDataSet& cdsR, UserDialogs& dialogs, const QString& chartFolder, QWidget* parent)
    : QWidget(parent), cdsR_(cdsR), dialogs_(dialogs) {
  setObjectName("pageMaterial");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  splMaterial = new QSplitter(Qt::Horizontal, this);
  splMaterial->setObjectName("splMaterial");
  splMaterial->setHandleWidth(7);
  splMaterial->setChildrenCollapsible(false);
  splMaterial->addWidget(BuildTablePane());
  splMaterial->addWidget(BuildChartPane(chartFolder));
  splMaterial->setStretchFactor(0, 32);
  splMaterial->setStretchFactor(1, 68);
  layout->addWidget(splMaterial);
  connect(splMaterial, &QSplitter::splitterMoved, this, &MaterialPage::ClampSplitter);
  connect(&cdsR_, &DataSet::dataChanged, this, &MaterialPage::dsRDataChange);
  connect(&cdsR_, &DataSet::afterPost, this, &MaterialPage::cdsRAfterPost);
  connect(&cdsR_, &DataSet::afterDelete, this, &MaterialPage::cdsRAfterDelete);
  // A bulk fill or emptying is drawn once, when it is complete.
  connect(&cdsR_, &DataSet::controlsEnabled, this, &MaterialPage::RefreshChart);
}

QWidget* MaterialPage::BuildTablePane() {
  auto* pane = new QWidget(this);
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(3);
  auto* model = new DataSetModel(cdsR_, SpectralColumns(), this);
  dbgR = new DataGrid(model, dialogs_, pane);
  dbgR->setObjectName("dbgR");
  layout->addWidget(dbgR, 1);
  DBNavigator2 = new NavigatorBar(cdsR_, dialogs_, NavigatorBar::kAllButtons, pane);
  DBNavigator2->setObjectName("DBNavigator2");
  layout->addWidget(DBNavigator2);
  sbR = new QLabel(pane);
  sbR->setObjectName("sbR");
  sbR->setFrameShape(QFrame::Panel);
  sbR->setFrameShadow(QFrame::Sunken);
  sbR->setAutoFillBackground(true);
  QPalette white = sbR->palette();
  white.setColor(QPalette::Window, Qt::white);
  sbR->setPalette(white);
  sbR->setContentsMargins(4, 1, 4, 1);
  layout->addWidget(sbR);

  btnSpectralReflectance = new MenuButton("Spectral Reflectance", pane);
  btnSpectralReflectance->setObjectName("btnSpectralReflectance");
  SetHint(btnSpectralReflectance, "Operation with entire table\nof spectral reflectance");
  Load1 = btnSpectralReflectance->AddItem("Load", "Load1");
  SaveAs1 = btnSpectralReflectance->AddItem("Save As...", "SaveAs1");
  EraseMultipleRecords1 = btnSpectralReflectance->AddItem("Erase Multiple Records", "EraseMultipleRecords1");
  Gray1 = btnSpectralReflectance->AddItem("Gray", "Gray1");
  btnSpectralReflectance->Menu()->addSeparator();
  ExportCsv1 = btnSpectralReflectance->AddItem("Export CSV...", "ExportCsv1");
  auto* commands = new QHBoxLayout;
  commands->addWidget(btnSpectralReflectance);
  commands->addStretch();
  layout->addLayout(commands);
  pane->setMinimumWidth(dbgR->verticalHeader()->sizeHint().width() + 115 + 87 + 87 + 24);
  return pane;
}

QWidget* MaterialPage::BuildChartPane(const QString& chartFolder) {
  auto* pane = new QWidget(this);
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(3);
  auto* top = new QHBoxLayout;
  auto* form = new QFormLayout;
  edDiffusity = new NumericSpinBox(NumericBox::Diffusity, pane);
  edDiffusity->setMinimumWidth(100);
  SetHint(edDiffusity, "Fraction of diffuse reflection\nin hemispherical reflectance");
  form->addRow("Diffusity: ", edDiffusity);
  top->addLayout(form);
  top->addSpacing(16);
  rgRE = new RadioGroup("Show Spectral", {"Reflectance", "Emissivity"}, 2, pane);
  rgRE->setObjectName("rgRE");
  SetHint(rgRE, "Switch between spectral reflectance \nand spectral emissivity graphs");
  top->addWidget(rgRE);
  top->addStretch();
  layout->addLayout(top);

  dbchRE = new QCustomPlot(pane);
  dbchRE->setObjectName("dbchRE");
  dbchRE->setMinimumSize(300, 240);
  SetupChart(dbchRE, dialogs_, chartFolder);
  dbchRE->xAxis->setLabel("Wavelength (um)");
  SetAxisLabelPattern(dbchRE->xAxis, 4);
  SetAxisLabelPattern(dbchRE->yAxis, 8, 8);
  seRE = AddSeries(dbchRE, "Spectral Reflectance");
  layout->addWidget(dbchRE, 1);
  urlRE = MakeEditGraphLink("urlRE", pane);
  layout->addWidget(urlRE);

  connect(rgRE, &RadioGroup::itemIndexChanged, this, &MaterialPage::rgREClick);
  return pane;
}

void MaterialPage::rgREClick() {
  switch (rgRE->ItemIndex()) {
    case 0:
      plottedField_ = SpectralFields::Reflectance;
      dbchRE->yAxis->setLabel("Spectral Reflectance");
      seRE->setName("Spectral Reflectance");
      StyleSeries(seRE, kSeriesGreen, QCPScatterStyle::ssCircle);
      break;
    case 1:
      plottedField_ = SpectralFields::Emissivity;
      dbchRE->yAxis->setLabel("Spectral Emissivity");
      seRE->setName("Spectral Emissivity");
      StyleSeries(seRE, kSeriesRed, QCPScatterStyle::ssSquare);
      break;
    default:
      return;
  }
  RefreshChart();
}

void MaterialPage::RefreshChart() {
  QVector<double> keys, values;
  keys.reserve(cdsR_.RecordCount());
  values.reserve(cdsR_.RecordCount());
  for (const SpectralPoint& point : cdsR_.Records()) {
    keys << point.WL;
    values << (plottedField_ == SpectralFields::Reflectance ? point.Reflectance : point.Emissivity());
  }
  seRE->setData(keys, values, true);
  RescaleAndReplot(dbchRE);
}

void MaterialPage::dsRDataChange() { ShowRecordStatus(cdsR_, sbR); }

void MaterialPage::cdsRAfterPost() {
  if (!cdsR_.ControlsDisabled()) RefreshChart();
}

void MaterialPage::cdsRAfterDelete() {
  if (!cdsR_.ControlsDisabled()) RefreshChart();
}

void MaterialPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!splitterPlaced_ && splMaterial->width() > 0) {
    const int total = splMaterial->width() - splMaterial->handleWidth();
    splMaterial->setSizes({static_cast<int>(total * kMinTableShare), total - static_cast<int>(total * kMinTableShare)});
    splitterPlaced_ = true;
  }
  ClampSplitter();
}

void MaterialPage::ClampSplitter() {
  const QList<int> sizes = splMaterial->sizes();
  const int total = sizes.value(0) + sizes.value(1);
  if (total <= 0) return;
  const int minimum = std::max(static_cast<int>(total * kMinTableShare), splMaterial->widget(0)->minimumWidth());
  const int maximum = std::max(static_cast<int>(total * kMaxTableShare), minimum);
  const int left = std::clamp(sizes.value(0), minimum, maximum);
  if (left != sizes.value(0)) splMaterial->setSizes({left, total - left});
}

}  // namespace tessolan
