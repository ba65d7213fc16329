#include "ui/main/TFMain.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "model/AppState.h"
#include "ui/charts/ChartEditorDialog.h"
#include "ui/dialogs/TFAbout.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/main/GeometryPage.h"
#include "ui/main/Hints.h"
#include "ui/main/MaterialPage.h"
#include "ui/main/ReportPage.h"
#include "ui/main/ResultsPage.h"
#include "ui/main/ViewingConditionsPage.h"
#include "ui/maps/MapPage.h"
#include "ui/widgets/AppIcon.h"
#include "ui/widgets/BannerGroup.h"
#include "ui/widgets/Colors.h"
#include "ui/widgets/InfoBox.h"
#include "ui/widgets/MenuButton.h"
#include "ui/widgets/NumericSpinBox.h"
#include "ui/widgets/PageControl.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/StatusBarClock.h"
#include "ui/widgets/WindowSize.h"

namespace tessolan {

TFMain::TFMain(AppState& state, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      dialogs_(dialogs),
      cdsR_(new SpectralDataSet(this)),
      cdsEERT_(new ResultsDataSet(this)) {
  setObjectName("FMain");
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(4, 4, 4, 0);
  layout->setSpacing(4);
  layout->addWidget(BuildTopBar());

  pc = new PageControl(central);
  pc->setObjectName("pc");
  pageGeometry = new GeometryPage;
  const QString chartFolder = QString::fromStdString(state_.folders.ResultsDir);
  pageMaterial = new MaterialPage(*cdsR_, dialogs_, chartFolder);
  pageViewingConditions = new ViewingConditionsPage;
  pageResults = new ResultsPage(*cdsEERT_, dialogs_, chartFolder);
  pageReport = new ReportPage;
  AddPage(pageGeometry, "Blackbody Geometry and Temperatures");
  AddPage(pageMaterial, "     Material     ");
  AddPage(pageViewingConditions, "Viewing Conditions");
  AddPage(pageResults, "Results");
  AddPage(pageReport, "Report");
  BuildTargeting();
  layout->addWidget(pc, 1);
  layout->addWidget(BuildCommentsStrip());
  layout->addWidget(BuildCommandBar());
  setCentralWidget(central);
  BuildStatusBar();

  CollectBoxes();
  ConnectCommands();
  AddShortcuts();
  FormCreate();
  PlaceOnScreen();
}

void TFMain::FormCreate() {
  setWindowTitle("Tessolan: Monte Carlo Modeling of Pyramid Array Radiation Characteristics");
  setWindowIcon(TessolanIcon());
  pc->setCurrentIndex(0);
  pageResults->pcResults->setCurrentIndex(0);
  // The tables exist from the start, empty; their grids, charts and status lines follow them.
  pageMaterial->dsRDataChange();
  pageResults->dsEERTDataChange();
  WriteControls(DesignControls());
  // Everything that depends on a radio group or on the top flat follows the design values.
  pageViewingConditions->rgVCClick();
  pageMaterial->rgREClick();
  pageGeometry->rgShapeClick();
  pageResults->rgEERTClick();
  pageGeometry->edTopFlatSideLengthChange();
  LoadInitialDataAtStart();
  ShowHints(this, true);
}

QWidget* TFMain::BuildTopBar() {
  auto* bar = new QWidget(this);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(2, 0, 2, 0);
  layout->addWidget(new QLabel("Initial Data File Name: ", bar));
  edFileName = MakeInfoBox("edFileName", bar);
  SetHint(edFileName, "The name of the text file \nfrom which your task was loaded");
  layout->addWidget(edFileName, 1);
  return bar;
}

QWidget* TFMain::BuildCommentsStrip() {
  auto* strip = new QWidget(this);
  strip->setFixedHeight(100);
  auto* layout = new QHBoxLayout(strip);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* group = new BannerGroup("Comments", strip);
  auto* groupLayout = new QVBoxLayout(group->Body());
  groupLayout->setContentsMargins(0, 0, 0, 0);
  mComments = new QPlainTextEdit(group->Body());
  mComments->setObjectName("mComments");
  mComments->setLineWrapMode(QPlainTextEdit::NoWrap);
  mComments->setFrameShape(QFrame::NoFrame);
  SetHint(mComments, "Arbitrary text comments serving \nto best identification of your task");
  groupLayout->addWidget(mComments);
  layout->addWidget(group, 1);

  auto* panel = new QFrame(strip);
  panel->setFrameShape(QFrame::StyledPanel);
  auto* panelLayout = new QVBoxLayout(panel);
  cbShowHints = new QCheckBox("Show Hints", panel);
  cbShowHints->setObjectName("cbShowHints");
  cbShowHints->setChecked(true);
  panelLayout->addStretch();
  panelLayout->addWidget(cbShowHints);
  panelLayout->addStretch();
  layout->addWidget(panel);
  return strip;
}

QWidget* TFMain::BuildCommandBar() {
  auto* bar = new QFrame(this);
  bar->setFixedHeight(41);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(2, 4, 2, 4);
  btnInitialData = new MenuButton("Initial Data", bar);
  btnInitialData->setObjectName("btnInitialData");
  btnInitialData->setMinimumWidth(120);
  SetHint(btnInitialData, "Operations with entire \ninitial datasets");
  Load4 = btnInitialData->AddItem("Load", "Load4");
  SaveAs4 = btnInitialData->AddItem("Save As...", "SaveAs4");
  Clear4 = btnInitialData->AddItem("Clear All", "Clear4");
  layout->addWidget(btnInitialData);

  btnCompute = new QPushButton("Monte Carlo Modeling", bar);
  btnCompute->setObjectName("btnCompute");
  QFont bold = btnCompute->font();
  bold.setBold(true);
  btnCompute->setFont(bold);
  QPalette maroon = btnCompute->palette();
  maroon.setColor(QPalette::ButtonText, kMaroon);
  btnCompute->setPalette(maroon);
  btnCompute->setMinimumWidth(200);
  SetHint(btnCompute, "Open Monte Carlo modeling window (Ctrl+M)");
  layout->addWidget(btnCompute);
  btnBudget = new QPushButton("Budget", bar);
  btnBudget->setObjectName("btnBudget");
  btnBudget->setMinimumWidth(120);
  SetHint(btnBudget,
          "Open the uncertainty budget window:\nhow the uncertainty of each input reaches the results (Ctrl+B)");
  layout->addWidget(btnBudget);
  layout->addStretch();

  btnAbout = new QPushButton("About", bar);
  btnAbout->setObjectName("btnAbout");
  SetHint(btnAbout, "About Tessolan (F1)");
  btnExit = new QPushButton("Exit", bar);
  btnExit->setObjectName("btnExit");
  SetHint(btnExit, "Exit Tessolan (Ctrl+Q)");
  for (QPushButton* button : {btnAbout, btnExit}) {
    button->setMinimumWidth(90);
    layout->addWidget(button);
  }
  return bar;
}

void TFMain::BuildStatusBar() {
  spBanner = new QLabel(
      QStringLiteral("Tessolan " TESSOLAN_VERSION " - Monte Carlo modeling of pyramid array blackbody radiators"),
      this);
  spBanner->setObjectName("spBanner");
  spClock = new QLabel(this);
  spClock->setObjectName("spClock");
  statusBar()->addWidget(spBanner, 1);
  statusBar()->addPermanentWidget(spClock);
  RunStatusBarClock(spClock);
}

void TFMain::AddPage(QWidget* page, const QString& caption) {
  // On a small screen a page scrolls rather than squeezing its controls.
  auto* scroll = new QScrollArea(pc);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(page);
  pc->addTab(scroll, caption);
}

void TFMain::CollectBoxes() {
  for (NumericSpinBox* box : findChildren<NumericSpinBox*>()) boxes_[static_cast<std::size_t>(box->Box())] = box;
}

void TFMain::AddShortcuts() {
  Load4->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  SaveAs4->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  // The menu's items work from anywhere in the window, not only while the menu is open.
  for (QAction* action : {Load4, SaveAs4}) {
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
  }
  btnCompute->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  btnBudget->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  btnExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  btnAbout->setShortcut(QKeySequence(Qt::Key_F1));
}

void TFMain::ConnectCommands() {
  connect(btnExit, &QPushButton::clicked, this, &TFMain::btnExitClick);
  connect(btnAbout, &QPushButton::clicked, this, &TFMain::btnAboutClick);
  connect(cbShowHints, &QCheckBox::toggled, this, &TFMain::cbShowHintsClick);
  connect(pageGeometry->btnCalculate, &QPushButton::clicked, this, &TFMain::btnCalculateClick);
  connect(pageGeometry->btnDraw, &QPushButton::clicked, this, &TFMain::btnDrawClick);
  connect(btnCompute, &QPushButton::clicked, this, &TFMain::btnComputeClick);
  connect(btnBudget, &QPushButton::clicked, this, &TFMain::btnBudgetClick);
  connect(pageMaterial->urlRE, &QLabel::linkActivated, this, &TFMain::urlREClick);
  connect(pageResults->urlEERT, &QLabel::linkActivated, this, &TFMain::urlEERTClick);
  connect(Load4, &QAction::triggered, this, &TFMain::Load4Click);
  connect(SaveAs4, &QAction::triggered, this, &TFMain::SaveAs4Click);
  connect(Clear4, &QAction::triggered, this, &TFMain::Clear4Click);
  connect(pageMaterial->Load1, &QAction::triggered, this, &TFMain::Load1Click);
  connect(pageMaterial->SaveAs1, &QAction::triggered, this, &TFMain::SaveAs1Click);
  connect(pageMaterial->EraseMultipleRecords1, &QAction::triggered, this, &TFMain::EraseMultipleRecords1Click);
  connect(pageMaterial->Gray1, &QAction::triggered, this, &TFMain::Gray1Click);
  connect(pageMaterial->ExportCsv1, &QAction::triggered, this, &TFMain::ExportCsv1Click);
  connect(pageResults->LoadResults, &QAction::triggered, this, &TFMain::LoadResultsClick);
  connect(pageResults->SaveAs3, &QAction::triggered, this, &TFMain::SaveAs3Click);
  connect(pageResults->EraseMultipleRecords3, &QAction::triggered, this, &TFMain::EraseMultipleRecords3Click);
  connect(pageResults->ExportCsv3, &QAction::triggered, this, &TFMain::ExportCsv3Click);
  connect(pageReport->LoadReport, &QAction::triggered, this, &TFMain::LoadReportClick);
  connect(pageReport->SaveAs6, &QAction::triggered, this, &TFMain::SaveAs6Click);
  connect(pageReport->Erase1, &QAction::triggered, this, &TFMain::Erase1Click);
  // A refused post (a repeated wavelength, a field left blank) is told to the user here,
  // whichever control asked for it.
  connect(cdsR_, &DataSet::errorOccurred, this, [this](const QString& message) { dialogs_.ShowMessage(message); });
  connect(cdsEERT_, &DataSet::errorOccurred, this, [this](const QString& message) { dialogs_.ShowMessage(message); });
  // The map page offers the wavelengths of the material table, which the next run traces.
  const auto offerWavelengths = [this] {
    if (cdsR_->ControlsDisabled()) return;
    std::vector<double> wavelengths;
    for (const SpectralPoint& point : cdsR_->Records()) wavelengths.push_back(point.WL);
    pageResults->mapPage->SetWavelengths(wavelengths);
  };
  for (auto signal : {&DataSet::controlsEnabled, &DataSet::afterPost, &DataSet::afterDelete})
    connect(cdsR_, signal, this, offerWavelengths);
}

void TFMain::PlaceOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), kMainWindowSize);
  const QSize size = MinimumWindowSize(available.size());
  setMinimumSize(size);
  resize(size);
  move(available.center() - QPoint(size.width() / 2, size.height() / 2));
}

TaskControls TFMain::ReadControls() const {
  TaskControls controls;
  controls.Shape = pageGeometry->rgShape->ItemIndex();
  controls.CenterPosition = pageGeometry->rgCenter->ItemIndex();
  controls.VCType = pageViewingConditions->rgVC->ItemIndex();
  for (const NumericSpinBox* box : boxes_) controls[box->Box()] = box->Read();
  return controls;
}

void TFMain::WriteControls(const TaskControls& controls) {
  pageGeometry->rgShape->SetItemIndex(controls.Shape);
  pageGeometry->rgCenter->SetItemIndex(controls.CenterPosition);
  pageViewingConditions->rgVC->SetItemIndex(controls.VCType);
  for (NumericSpinBox* box : boxes_) box->Write(controls[box->Box()]);
}

void TFMain::btnExitClick() { close(); }

void TFMain::btnAboutClick() {
  TFAbout about(this);
  about.exec();
}

void TFMain::cbShowHintsClick() { ShowHints(this, cbShowHints->isChecked()); }

void TFMain::urlREClick() { OpenChartEditor(pageMaterial->dbchRE); }

void TFMain::urlEERTClick() { OpenChartEditor(pageResults->dbchEERT); }

void TFMain::OpenChartEditor(QCustomPlot* chart) {
  tessolan::OpenChartEditor(chart, dialogs_, state_.folders.ResultsDir, this);
}

}  // namespace tessolan
