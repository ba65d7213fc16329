#include "ResultsPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ChartHelpers.h"
#include "CheckableLegendItem.h"
#include "Colors.h"
#include "DataGrid.h"
#include "DataSetModel.h"
#include "Hints.h"
#include "InfoBox.h"
#include "MenuButton.h"
#include "NavigatorBar.h"
#include "PageControl.h"
#include "RadioGroup.h"
#include "TableHelpers.h"

namespace tessolan {

namespace {

std::vector<GridColumn> ResultsColumns() {
  return {
      {ResultsFields::WL, "Wavelength (um)", 120, -1, true, true},
      {ResultsFields::EEIso, "Effective Emissivity, Isothermal", 209, -1, true, true},
      {ResultsFields::EE, "Effective Emissivity, Nonisothermal", 210, -1, true, true},
      {ResultsFields::RTIso, "Radiance Temperature (K), Isothermal", 235, -1, true, true},
      {ResultsFields::RT, "Radiance Temperature (K), Nonisothermal", 255, -1, true, true},
  };
}

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

ResultsPage::ResultsPage(ResultsDataSet& cdsEERT, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), cdsEERT_(cdsEERT), dialogs_(dialogs) {
  setObjectName("pageResults");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  pcResults = new PageControl(this);
  pcResults->setObjectName("pcResults");
  pcResults->addTab(BuildGraphsTab(), "Graphs");
  pcResults->addTab(BuildTableTab(), "Table");
  layout->addWidget(pcResults, 1);
  layout->addWidget(BuildCommandBar());

  connect(&cdsEERT_, &DataSet::dataChanged, this, &ResultsPage::dsEERTDataChange);
  connect(&cdsEERT_, &DataSet::afterPost, this, &ResultsPage::cdsEERTAfterPost);
  connect(&cdsEERT_, &DataSet::afterDelete, this, &ResultsPage::cdsEERTAfterDelete);
  // A bulk change (a run's results, a loaded file) is drawn once, when it is complete.
  connect(&cdsEERT_, &DataSet::controlsEnabled, this, &ResultsPage::RefreshChart);
}

QWidget* ResultsPage::BuildGraphsTab() {
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  rgEERT = new RadioGroup("Show Spectral", {"Effective Emissivity", "Radiance Temperature"}, 2, tab);
  rgEERT->setObjectName("rgEERT");
  SetHint(rgEERT, "Switch between effective emissivity \nand radiance temperature graphs");
  auto* top = new QHBoxLayout;
  top->addWidget(rgEERT);
  top->addStretch();
  layout->addLayout(top);

  dbchEERT = new QCustomPlot(tab);
  dbchEERT->setObjectName("dbchEERT");
  dbchEERT->setMinimumSize(300, 220);
  SetupChart(dbchEERT);
  dbchEERT->xAxis->setLabel("Wavelength (um)");
  SetAxisLabelPattern(dbchEERT->xAxis, 3);
  SetAxisLabelPattern(dbchEERT->yAxis, 8, 7);
  seIso = AddSeries(dbchEERT, "Isothermal");
  StyleSeries(seIso, kSeriesBlue, QCPScatterStyle::ssCircle);
  seNoniso = AddSeries(dbchEERT, "Nonisothermal");
  StyleSeries(seNoniso, kSeriesRed, QCPScatterStyle::ssSquare);
  UseCheckableLegend(dbchEERT);
  PlaceLegendAbovePlot(dbchEERT);
  layout->addWidget(dbchEERT, 1);
  urlEERT = MakeEditGraphLink("urlEERT", tab);
  layout->addWidget(urlEERT);
  connect(rgEERT, &RadioGroup::itemIndexChanged, this, &ResultsPage::rgEERTClick);
  return tab;
}

QWidget* ResultsPage::BuildTableTab() {
  auto* tab = new QWidget(this);
  auto* layout = new QVBoxLayout(tab);
  layout->setSpacing(3);
  auto* model = new DataSetModel(cdsEERT_, ResultsColumns(), this);
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
  QVector<double> keys, iso, noniso;
  for (const ResultsRecord& r : cdsEERT_.Records()) {
    keys << r.WL;
    iso << (plotsTemperatures_ ? r.RTIso : r.EEIso);
    noniso << (plotsTemperatures_ ? r.RT : r.EE);
  }
  seIso->setData(keys, iso, true);
  seNoniso->setData(keys, noniso, true);
  RescaleAndReplot(dbchEERT);
}

void ResultsPage::dsEERTDataChange() { ShowRecordStatus(cdsEERT_, sbEERT); }

void ResultsPage::cdsEERTAfterPost() {
  if (!cdsEERT_.ControlsDisabled()) RefreshChart();
}

void ResultsPage::cdsEERTAfterDelete() {
  if (!cdsEERT_.ControlsDisabled()) RefreshChart();
}

}  // namespace tessolan
