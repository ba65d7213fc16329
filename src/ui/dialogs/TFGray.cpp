#include "ui/dialogs/TFGray.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "data/GrayWavelengths.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/main/Hints.h"
#include "ui/tables/DisplayFormats.h"
#include "ui/tables/SpectralDataSet.h"
#include "ui/tables/TableHelpers.h"
#include "ui/widgets/AppIcon.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

namespace {

constexpr int kNumberPage = 0;
constexpr int kStepPage = 1;

QDoubleSpinBox* MakeDecimalBox(const char* name, double minimum, double maximum, double step, double value,
                               QWidget* parent) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(name);
  box->setLocale(NumberLocale());
  box->setDecimals(4);
  box->setRange(minimum, maximum);
  box->setSingleStep(step);
  box->setValue(value);
  box->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  box->setMinimumWidth(110);
  return box;
}

QLineEdit* MakeWavelengthEdit(const char* name, const QString& hint, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit->setMinimumWidth(110);
  SetHint(edit, hint);
  return edit;
}

}  // namespace

TFGray::TFGray(SpectralTableHost& owner) : QDialog(&owner.HostWindow()), owner_(owner) { FormCreate(); }

void TFGray::FormCreate() {
  setObjectName("FGray");
  setWindowTitle("Tessolan: Gray (Uniform) Spectral Reflectance");
  setWindowIcon(TessolanIcon());
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(10);

  auto* top = new QFormLayout;
  top->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  seR = MakeDecimalBox("seR", 0, 1, 0.1, 0.1, this);
  SetHint(seR,
          "Value of spectral reflectance \nwhich doesn't depend on wavelength \n"
          "within a spectral range from Min. to Max.");
  top->addRow("Constant Spectral Reflectance: ", seR);
  layout->addLayout(top);
  layout->addWidget(BuildWavelengthGroup());
  layout->addWidget(BuildSpecifyRow());

  cbClear = new QCheckBox("Clear Existing Spectral Reflectances", this);
  cbClear->setObjectName("cbClear");
  cbClear->setChecked(true);
  SetHint(cbClear, "Uncheck to append to \nexisting spectral points");
  layout->addWidget(cbClear);

  const OkCancelButtons buttons = AddOkCancelRow(this, layout);
  btnOK = buttons.ok;
  btnCancel = buttons.cancel;
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(rgSpecify, &RadioGroup::itemIndexChanged, this, &TFGray::rgSpecifyClick);
  connect(btnOK, &QPushButton::clicked, this, &TFGray::btnOKClick);
  connect(btnCancel, &QPushButton::clicked, this, &TFGray::btnCancelClick);
  rgSpecifyClick();
}

QWidget* TFGray::BuildWavelengthGroup() {
  auto* group = new QGroupBox("Wavelength", this);
  auto* row = new QHBoxLayout(group);
  auto* left = new QFormLayout;
  edLeft = MakeWavelengthEdit("edLeft", "Left bound of spectral range", group);
  left->addRow("Min. (um): ", edLeft);
  auto* right = new QFormLayout;
  edRight = MakeWavelengthEdit("edRight", "Right bound of spectral range", group);
  right->addRow("Max. (um): ", edRight);
  row->addLayout(left);
  row->addSpacing(12);
  row->addLayout(right);
  return group;
}

QWidget* TFGray::BuildSpecifyRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  rgSpecify = new RadioGroup("Specify", {"Number of Wavelengths", "Step in um"}, 1, row);
  rgSpecify->setObjectName("rgSpecify");
  SetHint(rgSpecify, "Select the method for generating \nuniformly distributed wavelengths");
  layout->addWidget(rgSpecify);
  layout->addSpacing(12);

  // The two pages have no tabs: the page shown is the one chosen in "Specify".
  pc = new QStackedWidget(row);
  pc->setObjectName("pc");
  auto* numberPage = new QWidget(pc);
  auto* numberForm = new QFormLayout(numberPage);
  seN = new QSpinBox(numberPage);
  seN->setObjectName("seN");
  seN->setRange(2, kMaxGrayWavelengths);
  seN->setValue(2);
  seN->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  seN->setMinimumWidth(90);
  numberForm->addRow("Number of Wavelengths: ", seN);
  pc->insertWidget(kNumberPage, numberPage);

  auto* stepPage = new QWidget(pc);
  auto* stepForm = new QFormLayout(stepPage);
  seStep = MakeDecimalBox("seStep", 0.001, 1000, 1, 1, stepPage);
  stepForm->addRow("Step (um): ", seStep);
  pc->insertWidget(kStepPage, stepPage);
  layout->addWidget(pc, 0, Qt::AlignVCenter);
  layout->addStretch();
  return row;
}

void TFGray::rgSpecifyClick() { pc->setCurrentIndex(rgSpecify->ItemIndex() == 1 ? kStepPage : kNumberPage); }

void TFGray::btnOKClick() {
  // Whatever is still being typed in a box counts.
  seR->interpretText();
  seN->interpretText();
  seStep->interpretText();

  const double reflectance = seR->value();
  GrayWavelengthRequest request;
  request.min = ParseTypedExtended(edLeft->text(), DecimalSeparator());
  request.max = ParseTypedExtended(edRight->text(), DecimalSeparator());
  request.byStep = rgSpecify->ItemIndex() == 1;
  request.count = seN->value();
  request.step = ParseTypedExtended(seStep->cleanText(), DecimalSeparator()).value_or(seStep->value());

  std::vector<Extended> wavelengths;
  std::string message;
  if (!GenerateGrayWavelengths(request, DecimalSeparator(), wavelengths, message)) {
    owner_.Dialogs().ShowMessage(QString::fromStdString(message));
    return;
  }
  if (!ClearTableIfChosen()) return;

  std::vector<SpectralPoint> points;
  points.reserve(wavelengths.size());
  for (const Extended wavelength : wavelengths) points.push_back({static_cast<double>(wavelength), reflectance});
  const int duplicates = owner_.FillSpectralTable(points);
  if (duplicates > 0) owner_.Dialogs().ShowMessage(QString::fromStdString(DuplicatedWavelengthsMessage(duplicates)));
  accept();
}

bool TFGray::ClearTableIfChosen() {
  SpectralDataSet& table = owner_.cdsR();
  if (!cbClear->isChecked() || table.RecordCount() == 0) return true;
  if (!owner_.Dialogs().Confirm("All existing spectral reflectances will be erasead\nContinue?")) return false;
  EmptyTable(table);
  return true;
}

void TFGray::btnCancelClick() { reject(); }

}  // namespace tessolan
