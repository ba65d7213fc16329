#include "ui/budget/TFBudget.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "run/TaskFlow.h"
#include "ui/charts/ChartHelpers.h"
#include "ui/main/Hints.h"
#include "ui/widgets/AppIcon.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {
namespace {

QPushButton* MakeButton(const QString& caption, const QString& name, const QString& hint, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setMinimumWidth(90);
  button->setAutoDefault(false);
  SetHint(button, hint);
  return button;
}

QTableWidget* MakeTable(const QString& name, const QStringList& headers, QWidget* parent) {
  auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
  table->setObjectName(name);
  table->setHorizontalHeaderLabels(headers);
  table->verticalHeader()->setVisible(false);
  table->verticalHeader()->setDefaultSectionSize(24);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setAlternatingRowColors(true);
  return table;
}

}  // namespace

TFBudget::TFBudget(QWidget* parent, UserDialogs& dialogs, LoadedTask task, BudgetSettings& settings, QString folder,
                   QString taskName)
    : QDialog(parent),
      dialogs_(dialogs),
      task_(std::move(task)),
      settings_(settings),
      folder_(std::move(folder)),
      taskName_(std::move(taskName)) {
  setObjectName("FBudget");
  setWindowTitle("Tessolan: Uncertainty Budget");
  setWindowIcon(TessolanIcon());
  if (!settings_.seed) settings_.seed = ClockSeed();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  pcBudget = new QTabWidget(this);
  pcBudget->setObjectName("pcBudget");
  pcBudget->addTab(BuildInputsPage(), "Standard Uncertainties");
  pcBudget->addTab(BuildBudgetPage(), "Budget");
  layout->addWidget(pcBudget, 1);
  layout->addWidget(BuildRunBar());
  FillInputs();
  FillReflectanceTable();
  ConnectHandlers();
  ShowBudget();
  ShowHints(this, true);
  PlaceOnScreen();
}

TFBudget::~TFBudget() = default;

QWidget* TFBudget::BuildInputsPage() {
  auto* page = new QWidget(this);
  auto* layout = new QGridLayout(page);
  layout->addWidget(BuildInputsTable(page), 0, 0);
  layout->addWidget(BuildReflectanceGroup(page), 0, 1);
  layout->addWidget(BuildRunSettings(page), 1, 0, 1, 2);
  layout->setColumnStretch(0, 3);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(0, 1);
  return page;
}

QWidget* TFBudget::BuildInputsTable(QWidget* parent) {
  auto* group = new QGroupBox("Inputs", parent);
  auto* layout = new QVBoxLayout(group);
  grInputs = MakeTable("grInputs", {"Input", "Value", "Unit", "Standard Uncertainty u", "Given As"}, group);
  grInputs->setSelectionMode(QAbstractItemView::NoSelection);
  SetHint(grInputs,
          "Type the standard uncertainty of each input you know it for;\n"
          "an input left blank or at 0 is not in the budget.\n"
          "The inputs are taken as uncorrelated");
  QHeaderView* header = grInputs->horizontalHeader();
  // The names are read in full; the uncertainty column takes what room is left.
  for (int column : {kInputName, kInputValue, kInputUnit, kInputForm})
    header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(kInputU, QHeaderView::Stretch);
  layout->addWidget(grInputs);
  auto* note = new QLabel(
      "Inputs are taken as uncorrelated. Relative uncertainties are in percent of the input's value.", group);
  note->setWordWrap(true);
  layout->addWidget(note);
  return group;
}

QWidget* TFBudget::BuildReflectanceGroup(QWidget* parent) {
  gbReflectanceU = new QGroupBox("Reflectance u per Wavelength", parent);
  gbReflectanceU->setObjectName("gbReflectanceU");
  auto* layout = new QVBoxLayout(gbReflectanceU);
  grReflectanceU = MakeTable("grReflectanceU", {"WL (um)", "Reflectance", "u"}, gbReflectanceU);
  grReflectanceU->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  SetHint(grReflectanceU, "The standard uncertainty of the reflectance at each wavelength,\nin reflectance");
  layout->addWidget(grReflectanceU, 1);
  auto* row = new QHBoxLayout;
  edAllReflectanceU = new QLineEdit(gbReflectanceU);
  edAllReflectanceU->setObjectName("edAllReflectanceU");
  btnAllReflectanceU =
      MakeButton("Set for All", "btnAllReflectanceU", "Give every wavelength this uncertainty", gbReflectanceU);
  row->addWidget(new QLabel("u:", gbReflectanceU));
  row->addWidget(edAllReflectanceU, 1);
  row->addWidget(btnAllReflectanceU);
  layout->addLayout(row);
  gbReflectanceU->setMinimumWidth(260);
  return gbReflectanceU;
}

QWidget* TFBudget::BuildRunSettings(QWidget* parent) {
  auto* group = new QGroupBox("Run Settings", parent);
  auto* grid = new QGridLayout(group);
  edCoverageFactor = new QDoubleSpinBox(group);
  edCoverageFactor->setObjectName("edCoverageFactor");
  edCoverageFactor->setLocale(NumberLocale());
  edCoverageFactor->setRange(1, 10);
  edCoverageFactor->setDecimals(2);
  edCoverageFactor->setSingleStep(0.5);
  SetHint(edCoverageFactor, "The expanded uncertainty is U = k u_c");
  comboNRays = new QComboBox(group);
  comboNRays->setObjectName("comboNRays");
  for (const RayCountChoice& choice : kRayCountChoices)
    comboNRays->addItem(QString::fromUtf8(choice.text.data(), static_cast<qsizetype>(choice.text.size())));
  SetHint(comboNRays, "Rays of every run: the base run and two per input");
  comboThreshold = new QComboBox(group);
  comboThreshold->setObjectName("comboThreshold");
  for (const ThresholdChoice& choice : kThresholdChoices)
    comboThreshold->addItem(QString::fromUtf8(choice.text.data(), static_cast<qsizetype>(choice.text.size())));
  edSeed = new QLineEdit(group);
  edSeed->setObjectName("edSeed");
  edSeed->setMaximumWidth(120);
  SetHint(edSeed, "Every run of the budget starts from this seed,\nso that most of the Monte Carlo noise cancels");
  cbAllCores = new QCheckBox("Use all processor cores", group);
  cbAllCores->setObjectName("cbAllCores");
  grid->addWidget(new QLabel("Coverage Factor k:", group), 0, 0, Qt::AlignRight);
  grid->addWidget(edCoverageFactor, 0, 1);
  grid->addWidget(new QLabel("Number of Rays:", group), 0, 2, Qt::AlignRight);
  grid->addWidget(comboNRays, 0, 3);
  grid->addWidget(new QLabel("Radiant Flux Threshold:", group), 0, 4, Qt::AlignRight);
  grid->addWidget(comboThreshold, 0, 5);
  grid->addWidget(new QLabel("Random Seed:", group), 1, 0, Qt::AlignRight);
  grid->addWidget(edSeed, 1, 1);
  grid->addWidget(cbAllCores, 1, 2, 1, 2);
  grid->setColumnStretch(6, 1);
  return group;
}

QWidget* TFBudget::BuildBudgetPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  auto* choice = new QHBoxLayout;
  comboWavelength = new QComboBox(page);
  comboWavelength->setObjectName("comboWavelength");
  comboWavelength->setMinimumWidth(110);
  comboQuantity = new QComboBox(page);
  comboQuantity->setObjectName("comboQuantity");
  comboQuantity->addItems({"EE isothermal", "EE nonisothermal", "RT isothermal", "RT nonisothermal"});
  comboQuantity->setCurrentIndex(1);
  btnExportCsv = MakeButton("Export CSV...", "btnExportCsv", "Save the whole budget for spreadsheets", page);
  btnExportPng = MakeButton("Export PNG...", "btnExportPng", "Save the chart as a picture", page);
  choice->addWidget(new QLabel("Wavelength (um):", page));
  choice->addWidget(comboWavelength);
  choice->addSpacing(12);
  choice->addWidget(new QLabel("Quantity:", page));
  choice->addWidget(comboQuantity);
  choice->addStretch();
  choice->addWidget(btnExportCsv);
  choice->addWidget(btnExportPng);
  layout->addLayout(choice);
  lbResult = new QLabel(page);
  lbResult->setObjectName("lbResult");
  lbResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(lbResult);

  auto* splitter = new QSplitter(Qt::Horizontal, page);
  grBudget =
      MakeTable("grBudget", {"WL (um)", "Quantity", "Input", "u", "c", "u(c)", "Contribution", "Share (%)"}, splitter);
  grBudget->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grBudget->setSelectionBehavior(QAbstractItemView::SelectRows);
  grBudget->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  grBudget->horizontalHeader()->setStretchLastSection(true);
  SetHint(grBudget,
          "c: sensitivity coefficient dy/dx; u(c): its Monte Carlo standard uncertainty;\n"
          "contribution: |c| u; share: its part of the combined variance u_c\u00B2");
  chShares = new QCustomPlot(splitter);
  chShares->setObjectName("chShares");
  chShares->setMinimumWidth(300);
  SetupChart(chShares, dialogs_, folder_);
  splitter->addWidget(grBudget);
  splitter->addWidget(chShares);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  layout->addWidget(splitter, 1);
  return page;
}

QWidget* TFBudget::BuildRunBar() {
  auto* bar = new QWidget(this);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* progress = new QVBoxLayout;
  pbBudget = new QProgressBar(bar);
  pbBudget->setObjectName("pbBudget");
  pbBudget->setRange(0, 1);
  pbBudget->setValue(0);
  lbStep = new QLabel(bar);
  lbStep->setObjectName("lbStep");
  progress->addWidget(pbBudget);
  progress->addWidget(lbStep);
  layout->addLayout(progress, 1);
  btnRun = MakeButton("Run", "btnRun", "Compute the budget: the base run and two runs per input", bar);
  QFont bold = btnRun->font();
  bold.setBold(true);
  btnRun->setFont(bold);
  btnStop = MakeButton("Stop", "btnStop", "Stop the budget", bar);
  btnStop->setEnabled(false);
  btnClose = MakeButton("Close", "btnClose", "Close the window; the uncertainties are kept", bar);
  for (QPushButton* button : {btnRun, btnStop, btnClose}) layout->addWidget(button, 0, Qt::AlignTop);
  return bar;
}

void TFBudget::ConnectHandlers() {
  connect(btnRun, &QPushButton::clicked, this, &TFBudget::btnRunClick);
  connect(btnStop, &QPushButton::clicked, this, &TFBudget::btnStopClick);
  connect(btnClose, &QPushButton::clicked, this, &TFBudget::close);
  connect(btnExportCsv, &QPushButton::clicked, this, &TFBudget::btnExportCsvClick);
  connect(btnExportPng, &QPushButton::clicked, this, &TFBudget::btnExportPngClick);
  connect(btnAllReflectanceU, &QPushButton::clicked, this, &TFBudget::btnAllReflectanceUClick);
  connect(grInputs, &QTableWidget::itemChanged, this, &TFBudget::InputEdited);
  connect(grReflectanceU, &QTableWidget::itemChanged, this, &TFBudget::ReflectanceEdited);
  connect(edSeed, &QLineEdit::editingFinished, this, &TFBudget::SeedEdited);
  connect(comboWavelength, &QComboBox::currentIndexChanged, this, &TFBudget::ShowChosenEntry);
  connect(comboQuantity, &QComboBox::currentIndexChanged, this, &TFBudget::ShowChosenEntry);
  connect(pcBudget, &QTabWidget::currentChanged, this, [this](int page) {
    if (page == 1) chShares->replot();
  });
  connect(edCoverageFactor, &QDoubleSpinBox::valueChanged, this, &TFBudget::TakeRunSettings);
  connect(comboNRays, &QComboBox::currentIndexChanged, this, &TFBudget::TakeRunSettings);
  connect(comboThreshold, &QComboBox::currentIndexChanged, this, &TFBudget::TakeRunSettings);
  connect(cbAllCores, &QCheckBox::toggled, this, &TFBudget::TakeRunSettings);
}

QSize BudgetWindowSize(const QSize& available) {
  // Room the window manager's frame and title bar take, beyond the window's own area.
  const QSize frame(12, 40);
  return kBudgetWindowSize.boundedTo(available - frame).expandedTo(kBudgetWindowMinimum);
}

void TFBudget::PlaceOnScreen() {
  setMinimumSize(kBudgetWindowMinimum);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), kBudgetWindowSize);
  resize(BudgetWindowSize(available.size()));
  move(available.center() - rect().center());
}

void TFBudget::done(int result) {
  if (busy_) {
    closePending_ = true;
    stop_ = true;
    return;
  }
  QDialog::done(result);
}

}  // namespace tessolan
