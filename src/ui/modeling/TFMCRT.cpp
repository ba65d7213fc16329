#include "ui/modeling/TFMCRT.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextCursor>
#include <QVBoxLayout>

#include "engine/RandomGenerator.h"
#include "model/Accuracy.h"
#include "model/AppState.h"
#include "model/Notation.h"
#include "ui/main/Hints.h"
#include "ui/main/TaskNames.h"
#include "ui/widgets/AppIcon.h"
#include "ui/widgets/StatusBarClock.h"

namespace tessolan {

namespace {

QCheckBox* MakeCheckBox(const QString& caption, const QString& name, bool checked, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  box->setChecked(checked);
  return box;
}

QPushButton* MakeButton(const QString& caption, const QString& name, const QString& hint, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setMinimumWidth(90);
  button->setAutoDefault(false);
  SetHint(button, hint);
  return button;
}

QLabel* MakePane(const QString& name, QWidget* parent) {
  auto* pane = new QLabel(parent);
  pane->setObjectName(name);
  pane->setContentsMargins(4, 0, 4, 0);
  return pane;
}

}  // namespace

TFMCRT::TFMCRT(ModelingHost& main)
    : QDialog(&main.HostWindow()), main_(main), state_(main.State()), dialogs_(main.Dialogs()) {
  setObjectName("FMCRT");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 0);
  layout->setSpacing(6);
  layout->addWidget(BuildTaskNameRow());
  auto* middle = new QHBoxLayout;
  middle->setSpacing(8);
  middle->addWidget(BuildProgressMonitor(), 1);
  middle->addWidget(BuildSettingsColumn());
  layout->addLayout(middle, 1);
  layout->addWidget(BuildProgressGroup());
  layout->addWidget(BuildStatusBar());
  ConnectHandlers();
  FormCreate();
  PlaceOnScreen();
}

QWidget* TFMCRT::BuildTaskNameRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel("Task Name: ", row));
  edTaskName = new QLineEdit(row);
  edTaskName->setObjectName("edTaskName");
  SetHint(edTaskName, "The name assigned to your task");
  layout->addWidget(edTaskName, 1);
  return row;
}

QWidget* TFMCRT::BuildProgressMonitor() {
  auto* group = new QGroupBox("Progress Monitor", this);
  auto* layout = new QVBoxLayout(group);
  mProgress = new QPlainTextEdit(group);
  mProgress->setObjectName("mProgress");
  mProgress->setReadOnly(true);
  mProgress->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Long lines wrap, so that following the last line never scrolls the others' starts away.
  mProgress->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  mProgress->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  mProgress->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  mProgress->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(mProgress);
  return group;
}

QWidget* TFMCRT::BuildSettingsColumn() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(BuildAccuracyGroup());

  auto* options = new QGroupBox(column);
  auto* grid = new QGridLayout(options);
  grid->setVerticalSpacing(6);
  cbAutoClose = MakeCheckBox("Close After Completion", "cbAutoClose", true, options);
  cbSaveResults = MakeCheckBox("Save Results in Text File", "cbSaveResults", true, options);
  cbOverwriteResults = MakeCheckBox("Overwrite", "cbOverwriteResults", false, options);
  cbSaveReport = MakeCheckBox("Save Report in Text File", "cbSaveReport", true, options);
  cbOverwriteReport = MakeCheckBox("Overwrite", "cbOverwriteReport", false, options);
  cbAllCores = MakeCheckBox("Use all processor cores", "cbAllCores", false, options);
  SetHint(cbAllCores,
          "Trace on every processor core: the numbers depend \n"
          "on the random seed only, but differ from those \nof a run on one core");
  grid->addWidget(cbAutoClose, 0, 0, 1, 2);
  grid->addWidget(cbSaveResults, 1, 0);
  grid->addWidget(cbOverwriteResults, 1, 1);
  grid->addWidget(cbSaveReport, 2, 0);
  grid->addWidget(cbOverwriteReport, 2, 1);
  cbFastPrecision = MakeCheckBox("Fast (double precision)", "cbFastPrecision", false, options);
  SetHint(cbFastPrecision,
          "Work over the wavelengths in double precision, many at a time: \n"
          "much faster for long spectra; the numbers agree with the exact \n"
          "mode within their standard errors, but not digit for digit");
  grid->addWidget(cbAllCores, 3, 0, 1, 2);
  grid->addWidget(cbFastPrecision, 4, 0, 1, 2);
  grid->setColumnMinimumWidth(1, 100);
  layout->addWidget(options);
  layout->addStretch();

  auto* buttons = new QHBoxLayout;
  btnStart = MakeButton("Start", "btnStart", "Start Monte Carlo modeling", column);
  btnStop = MakeButton("Stop", "btnStop", "Stop Monte Carlo modeling", column);
  btnClose = MakeButton("Close", "btnClose", "Close window", column);
  QFont bold = btnStart->font();
  bold.setBold(true);
  btnStart->setFont(bold);
  buttons->addStretch();
  for (QPushButton* button : {btnStart, btnStop, btnClose}) buttons->addWidget(button);
  layout->addLayout(buttons);
  return column;
}

QWidget* TFMCRT::BuildAccuracyGroup() {
  gbAccuracy = new QGroupBox("Accuracy Parameters", this);
  gbAccuracy->setObjectName("gbAccuracy");
  auto* form = new QFormLayout(gbAccuracy);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  comboNRays = new QComboBox(gbAccuracy);
  comboNRays->setObjectName("comboNRays");
  for (const RayCountChoice& choice : kRayCountChoices)
    comboNRays->addItem(QString::fromUtf8(choice.text.data(), static_cast<qsizetype>(choice.text.size())));
  comboNRays->setCurrentIndex(kDefaultRayCountChoice);
  SetHint(comboNRays, "Select number of rays for \nMonte Carlo ray tracing");
  comboThreshold = new QComboBox(gbAccuracy);
  comboThreshold->setObjectName("comboThreshold");
  for (const ThresholdChoice& choice : kThresholdChoices)
    comboThreshold->addItem(QString::fromUtf8(choice.text.data(), static_cast<qsizetype>(choice.text.size())));
  comboThreshold->setCurrentIndex(kDefaultThresholdChoice);
  SetHint(comboThreshold, "Select allowable error due to \nray trajectories truncation");
  for (QComboBox* combo : {comboNRays, comboThreshold}) combo->setMinimumWidth(90);
  form->addRow("Number of Rays Traced:", comboNRays);
  form->addRow("Radiant Flux Threshold:", comboThreshold);
  return gbAccuracy;
}

QWidget* TFMCRT::BuildProgressGroup() {
  auto* group = new QGroupBox("Ray Tracing Progress", this);
  auto* layout = new QVBoxLayout(group);
  pbPercentage = new QProgressBar(group);
  pbPercentage->setObjectName("pbPercentage");
  pbPercentage->setRange(0, 100);
  pbPercentage->setValue(0);
  layout->addWidget(pbPercentage);
  return group;
}

QWidget* TFMCRT::BuildStatusBar() {
  auto* bar = new QStatusBar(this);
  bar->setSizeGripEnabled(false);
  spRays = MakePane("spRays", bar);
  sp1 = MakePane("sp1", bar);
  spClock = MakePane("spClock", bar);
  spRays->setMinimumWidth(220);
  bar->addWidget(spRays);
  bar->addWidget(sp1, 1);
  bar->addPermanentWidget(spClock);
  RunStatusBarClock(spClock);
  return bar;
}

void TFMCRT::ConnectHandlers() {
  connect(btnStart, &QPushButton::clicked, this, &TFMCRT::btnStartClick);
  connect(btnStop, &QPushButton::clicked, this, &TFMCRT::btnStopClick);
  connect(btnClose, &QPushButton::clicked, this, &TFMCRT::btnCloseClick);
  connect(cbSaveResults, &QCheckBox::toggled, this, &TFMCRT::cbSaveResultsClick);
  connect(cbSaveReport, &QCheckBox::toggled, this, &TFMCRT::cbSaveReportClick);
}

void TFMCRT::FormCreate() {
  setWindowTitle("Tessolan: Monte Carlo Modeling");
  setWindowIcon(TessolanIcon());
  // Seeded once per opening: the runs of one opening continue one sequence.
  RandomGenerator generator;
  generator.Randomize();
  state_.randomSeed = generator.seed();
  ShowHints(this, true);
  const int nwl = state_.spectral.NWL;
  sp1->setText(QString("%1 wavelength%2").arg(nwl).arg(nwl >= 2 ? "s" : ""));
  state_.identity.TaskName = TaskNameFromFileBox(main_.TaskFileBoxText()).toStdString();
  edTaskName->setText(QString::fromStdString(state_.identity.TaskName));
}

void TFMCRT::PlaceOnScreen() {
  setMinimumSize(800, 385);
  resize(sizeHint().expandedTo(QSize(800, 385)));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TFMCRT::btnStopClick() {
  state_.run.StopRequested = true;
  // Start stays disabled until the run has returned, so that no run can begin inside another.
  gbAccuracy->setEnabled(true);
}

void TFMCRT::btnCloseClick() { close(); }

void TFMCRT::done(int result) {
  if (busy_) {
    closePending_ = true;
    return;
  }
  QDialog::done(result);
}

void TFMCRT::cbSaveResultsClick() { cbOverwriteResults->setEnabled(cbSaveResults->isChecked()); }

void TFMCRT::cbSaveReportClick() { cbOverwriteReport->setEnabled(cbSaveReport->isChecked()); }

void TFMCRT::AddProgressLine(const QString& text) {
  QTextCursor cursor(mProgress->document());
  cursor.movePosition(QTextCursor::End);
  if (progressLines_ > 0) cursor.insertBlock();
  cursor.insertText(text);
  ++progressLines_;
  mProgress->moveCursor(QTextCursor::End);
  mProgress->ensureCursorVisible();
}

void TFMCRT::ClearProgress() {
  mProgress->clear();
  progressLines_ = 0;
}

}  // namespace tessolan
