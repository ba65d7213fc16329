#include "ui/main/ResultsPage.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>
#include <cmath>

#include "ui/charts/ChartHelpers.h"
#include "ui/charts/CheckableLegendItem.h"
#include "ui/main/Hints.h"
#include "ui/maps/MapPage.h"
#include "ui/modeling/StandardErrorText.h"
#include "ui/tables/DataGrid.h"
#include "ui/tables/DataSetModel.h"
#include "ui/tables/NavigatorBar.h"
#include "ui/tables/TableHelpers.h"
#include "ui/widgets/Colors.h"
#include "ui/widgets/InfoBox.h"
#include "ui/widgets/MenuButton.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

namespace {

std::vector<GridColumn> ResultsColumns() {
  return {
      {ResultsFields::WL, "Wavelength (um)", 120, -1, true, true},
      {ResultsFields::EEIso, "Effective Emissivity, Isothermal", 209, -1, true, true},
      {ResultsFields::EE, "Effective Emissivity, Nonisothermal", 210, -1, true, true},
      {ResultsFields::RTIso, "Radiance Temperature (K), Isothermal", 235, -1, true, true},
      {ResultsFields::RT, "Radiance Temperature (K), Nonisothermal", 255, -1, true, true},
      {ResultsFields::EEIsoSE, "\u00B1 EEIso", 100, -1, true, true},
      {ResultsFields::EESE, "\u00B1 EENoniso", 110, -1, true, true},
      {ResultsFields::RTIsoSE, "\u00B1 RTIso (K)", 110, -1, true, true},
      {ResultsFields::RTSE, "\u00B1 RTNoniso (K)", 130, -1, true, true},
  };
}

// The results grid shows a standard error to two significant digits, the ones that mean
// something; the table, the graphs and the CSV export keep it whole.
class ResultsGridModel : public DataSetModel {
 public:
  using DataSetModel::DataSetModel;

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
      return DataSetModel::data(index, role);
    const int field = Column(index.column()).field;
    if (field < ResultsFields::EEIsoSE) return DataSetModel::data(index, role);
    const auto error = Data().DisplayValue(index.row(), field);
    return error ? FormatStandardError(*error, DecimalSeparator()) : QString();
  }
};

// Error bars of a curve, drawn under its point markers in the curve's colour.
QCPErrorBars* MakeErrorBars(QCPGraph* series, const QString& layer) {
  auto* bars = new QCPErrorBars(series->keyAxis(), series->valueAxis());
  bars->removeFromLegend();
  bars->setLayer(layer);
  bars->setDataPlottable(series);
  bars->setErrorType(QCPErrorBars::etValueError);
  bars->setWhiskerWidth(7);
  bars->setVisible(false);
  return bars;
}

// An unknown standard error draws no bar.
double KnownOrZero(double error) { return std::isnan(error) ? 0 : error; }

// The legend sits above the plot at its right, so that no curve runs under it whatever the
// results look like.
void PlaceLegendAbovePlot(QCustomPlot* chart) {
  auto* row = new QCPLayoutGrid;
  chart->plotLayout()->insertRow(0);
  chart->plotLayout()->addElement(0, 0, row);
  chart->plotLayout()->setRowStretchFactor(0, 0.001);
  row->addElement(0, 0, new QCPLayoutElement(chart));
  row->addElement(0, 1, chart->legend);
  row->setColumnStretchFactor(1, 0.001);
  row->setMargins(QMargins(0, 6, 10, 0));
  chart->legend->setFillOrder(QCPLegend::foColumnsFirst);
  chart->legend->setColumnSpacing(18);
}

}  // namespace

ResultsPage::ResultsPage(ResultsDataSet& cdsEERT, UserDialogs& dialogs, const QString& chartFolder, QWidget* parent)
    : QWidget(parent), cdsEERT_(cdsEERT), dialogs_(dialogs) {
  setObjectName("pageResults");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  pcResults = new PageControl(this);
  pcResults->setObjectName("pcResults");
  pcResults->addTab(BuildGraphsTab(chartFolder), "Graphs");
  pcResults->addTab(BuildTableTab(), "Table");
  mapPage = new MapPage(dialogs_, chartFolder, this);
  pcResults->addTab(mapPage, "Map");
  layout->addWidget(pcResults, 1);
  layout->addWidget(BuildCommandBar());

  connect(&cdsEERT_, &DataSet::dataChanged, this, &ResultsPage::dsEERTDataChange);
  connect(&cdsEERT_, &DataSet::afterPost, this, &ResultsPage::cdsEERTAfterPost);
  connect(&cdsEERT_, &DataSet::afterDelete, this, &ResultsPage::cdsEERTAfterDelete);
  // A bulk change (a run's results, a loaded file) is drawn once, when it is complete.
  connect(&cdsEERT_, &DataSet::controlsEnabled, this, &ResultsPage::RefreshChart);
  // Whatever fills an emptied table is no longer the run's.
  connect(&cdsEERT_, &DataSet::afterDelete, this, [this] {
    if (cdsEERT_.RecordCount() > 0) return;
    runHeading_.reset();
    mapPage->ClearMap();
  });
}

QWidget* ResultsPage::BuildGraphsTab(const QString& chartFolder) {
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  rgEERT = new RadioGroup("Show Spectral", {"Effective Emissivity", "Radiance Temperature"}, 2, tab);
  rgEERT->setObjectName("rgEERT");
  SetHint(rgEERT, "Switch between effective emissivity \nand radiance temperature graphs");
  cbErrorBars = new QCheckBox("Error Bars", tab);
  cbErrorBars->setObjectName("cbErrorBars");
  SetHint(cbErrorBars, "Show the standard errors \nof the results as error bars");
  // On the line of the switch's items: at the bottom, as far up as the switch's items are.
  auto* beside = new QVBoxLayout;
  beside->addStretch();
  beside->addWidget(cbErrorBars);
  beside->addSpacing(rgEERT->layout()->contentsMargins().bottom() + 1);
  auto* top = new QHBoxLayout;
  top->addWidget(rgEERT);
  top->addSpacing(16);
  top->addLayout(beside);
  top->addStretch();
  layout->addLayout(top);

  dbchEERT = new QCustomPlot(tab);
  dbchEERT->setObjectName("dbchEERT");
  dbchEERT->setMinimumSize(300, 220);
  SetupChart(dbchEERT, dialogs_, chartFolder);
  dbchEERT->xAxis->setLabel("Wavelength (um)");
  SetAxisLabelPattern(dbchEERT->xAxis, 3);
  SetAxisLabelPattern(dbchEERT->yAxis, 8, 7);
  seIso = AddSeries(dbchEERT, "Isothermal");
  StyleSeries(seIso, kSeriesBlue, QCPScatterStyle::ssCircle);
  seNoniso = AddSeries(dbchEERT, "Nonisothermal");
  StyleSeries(seNoniso, kSeriesRed, QCPScatterStyle::ssSquare);
  UseCheckableLegend(dbchEERT);
  PlaceLegendAbovePlot(dbchEERT);
  AddErrorBars();
  layout->addWidget(dbchEERT, 1);
  urlEERT = MakeEditGraphLink("urlEERT", tab);
  layout->addWidget(urlEERT);
  connect(rgEERT, &RadioGroup::itemIndexChanged, this, &ResultsPage::rgEERTClick);
  connect(cbErrorBars, &QCheckBox::toggled, this, &ResultsPage::cbErrorBarsClick);
  return tab;
}

// Made after the legend, which lists the two curves only.
void ResultsPage::AddErrorBars() {
  const QString layer = "errorBars";
  dbchEERT->addLayer(layer, dbchEERT->layer("main"), QCustomPlot::limBelow);
  ebIso = MakeErrorBars(seIso, layer);
  ebIso->setObjectName("ebIso");
  ebNoniso = MakeErrorBars(seNoniso, layer);
  ebNoniso->setObjectName("ebNoniso");
  // A curve hidden from its legend check box hides its bars too; this runs after the legend's
  // own handler has hidden it.
  connect(dbchEERT, &QCustomPlot::legendClick, this, [this] {
    ShowErrorBars();
    RescaleAndReplot(dbchEERT);
  });
}

QWidget* ResultsPage::BuildTableTab() {
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  layout->setSpacing(3);
  auto* model = new ResultsGridModel(cdsEERT_, ResultsColumns(), this);
  dbgResults = new DataGrid(model, dialogs_, tab);
  dbgResults->setObjectName("dbgResults");
  layout->addWidget(dbgResults, 1);
  navResults = new NavigatorBar(cdsEERT_, dialogs_, NavigatorBar::kBrowseButtons, tab);
  navResults->setObjectName("navResults");
  navResults->setMaximumWidth(5 * 40);
  layout->addWidget(navResults);
  sbEERT = new QLabel(tab);
  sbEERT->setObjectName("sbEERT");
  sbEERT->setFrameShape(QFrame::Panel);
  sbEERT->setFrameShadow(QFrame::Sunken);
  sbEERT->setContentsMargins(4, 1, 4, 1);
  layout->addWidget(sbEERT);
  return tab;
}

QWidget* ResultsPage::BuildCommandBar() {
  auto* bar = new QWidget(this);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 2, 0, 0);
  btnResults = new MenuButton("Results", bar);
  btnResults->setObjectName("btnResults");
  SetHint(btnResults, "Operation with numerical results");
  LoadResults = btnResults->AddItem("Load", "LoadResults");
  SaveAs3 = btnResults->AddItem("Save As...", "SaveAs3");
  EraseMultipleRecords3 = btnResults->AddItem("Erase Multiple Records", "EraseMultipleRecords3");
  btnResults->Menu()->addSeparator();
  ExportCsv3 = btnResults->AddItem("Export CSV...", "ExportCsv3");
  layout->addWidget(btnResults);
  layout->addSpacing(12);
  layout->addWidget(new QLabel("Results File Name: ", bar));
  edResultsFileName = MakeInfoBox("edResultsFileName", bar);
  SetHint(edResultsFileName, "The name of the text file \nfrom which your task was loaded");
  layout->addWidget(edResultsFileName, 1);
  return bar;
}

void ResultsPage::rgEERTClick() {
  switch (rgEERT->ItemIndex()) {
    case 0:
      plotsTemperatures_ = false;
      dbchEERT->yAxis->setLabel("Spectral Effective Emissivity");
      break;
    case 1:
      plotsTemperatures_ = true;
      dbchEERT->yAxis->setLabel("Radiance Temperature (K)");
      break;
    default:
      break;
  }
  RefreshChart();
}

void ResultsPage::RefreshChart() {
  QVector<double> keys, iso, noniso, isoErrors, nonisoErrors;
  errorsKnown_ = false;
  for (const ResultsRecord& r : cdsEERT_.Records()) {
    keys << r.WL;
    iso << (plotsTemperatures_ ? r.RTIso : r.EEIso);
    noniso << (plotsTemperatures_ ? r.RT : r.EE);
    const double isoError = plotsTemperatures_ ? r.RTIsoSE : r.EEIsoSE;
    const double nonisoError = plotsTemperatures_ ? r.RTSE : r.EESE;
    errorsKnown_ = errorsKnown_ || !std::isnan(isoError) || !std::isnan(nonisoError);
    isoErrors << KnownOrZero(isoError);
    nonisoErrors << KnownOrZero(nonisoError);
  }
  seIso->setData(keys, iso, true);
  seNoniso->setData(keys, noniso, true);
  ebIso->setData(isoErrors);
  ebNoniso->setData(nonisoErrors);
  ShowErrorBars();
  RescaleAndReplot(dbchEERT);
}

void ResultsPage::cbErrorBarsClick() {
  ShowErrorBars();
  RescaleAndReplot(dbchEERT);
}

void ResultsPage::ShowErrorBars() {
  const bool wanted = cbErrorBars->isChecked() && errorsKnown_;
  for (QCPErrorBars* bars : {ebIso, ebNoniso}) {
    const QCPAbstractPlottable* series = bars->dataPlottable();
    // The curve's colour, also after the chart editor has changed it.
    bars->setPen(QPen(series->pen().color(), 1));
    bars->setVisible(wanted && series->visible());
  }
}

void ResultsPage::dsEERTDataChange() { ShowRecordStatus(cdsEERT_, sbEERT); }

void ResultsPage::cdsEERTAfterPost() {
  if (!cdsEERT_.ControlsDisabled()) RefreshChart();
}

void ResultsPage::cdsEERTAfterDelete() {
  if (!cdsEERT_.ControlsDisabled()) RefreshChart();
}

}  // namespace tessolan
