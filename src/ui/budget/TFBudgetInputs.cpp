// The Budget window's inputs: the table of standard uncertainties, the reflectance's per
// wavelength, the run settings, each taken into the kept settings as soon as it is accepted.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTableWidget>
#include <algorithm>

#include "data/NumberParsing.h"
#include "model/Notation.h"
#include "ui/budget/TFBudget.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {
namespace {

constexpr int kReflectanceRow = 0;
constexpr const char* kPerWavelengthText = "per wavelength";
constexpr const char* kSeedMessage = "The random seed must be a whole number from 0 to 4294967295";

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString Number(double value) { return QString::fromStdString(FormatGeneral(value, DecimalSeparator())); }

QTableWidgetItem* FixedItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

QString ReflectanceValueText(const std::vector<SpectralPoint>& material) {
  if (material.empty()) return {};
  const auto [low, high] = std::minmax_element(
      material.begin(), material.end(), [](const auto& a, const auto& b) { return a.Reflectance < b.Reflectance; });
  if (low->Reflectance == high->Reflectance) return Number(low->Reflectance);
  return Number(low->Reflectance) + " to " + Number(high->Reflectance);
}

QString UText(const BudgetInputSetting& setting) {
  if (setting.form == UncertaintyForm::PerWavelength) return kPerWavelengthText;
  return setting.u > 0 ? Number(setting.u) : QString();
}

}  // namespace

void TFBudget::FillInputs() {
  filling_ = true;
  grInputs->setRowCount(static_cast<int>(kBudgetInputCount));
  for (int row = 0; row < static_cast<int>(kBudgetInputCount); ++row) {
    const BudgetInputInfo& info = kBudgetInputs[static_cast<std::size_t>(row)];
    const BudgetInputSetting& setting = settings_.inputs[static_cast<std::size_t>(row)];
    const bool reflectance = row == kReflectanceRow;
    const auto value = FieldValue(task_.controls, info.field);
    grInputs->setItem(row, kInputName, FixedItem(Text(info.caption)));
    grInputs->setItem(row, kInputValue,
                      FixedItem(reflectance ? ReflectanceValueText(task_.material)
                                : value     ? Number(*value)
                                            : ""));
    grInputs->setItem(row, kInputUnit, FixedItem(Text(info.unit)));
    auto* u = new QTableWidgetItem(UText(setting));
    if (setting.form == UncertaintyForm::PerWavelength) u->setFlags(u->flags() & ~Qt::ItemIsEditable);
    grInputs->setItem(row, kInputU, u);
    auto* form = new QComboBox(grInputs);
    form->setObjectName(QString("comboForm%1").arg(Text(info.field)));
    form->addItems({"absolute", "relative (%)"});
    if (reflectance) form->addItem(kPerWavelengthText);
    form->setCurrentIndex(static_cast<int>(setting.form));
    connect(form, &QComboBox::currentIndexChanged, this, [this, row](int index) { FormChosen(row, index); });
    grInputs->setCellWidget(row, kInputForm, form);

    const QString exclusion = QString::fromStdString(InputExclusion(info.field, task_.controls));
    if (!exclusion.isEmpty()) {
      for (int column = 0; column < kInputForm; ++column) {
        QTableWidgetItem* item = grInputs->item(row, column);
        item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsEditable));
        item->setToolTip(exclusion);
      }
      form->setEnabled(false);
    }
  }
  edCoverageFactor->setValue(settings_.coverageFactor);
  comboNRays->setCurrentIndex(settings_.rayChoice);
  comboThreshold->setCurrentIndex(settings_.thresholdChoice);
  edSeed->setText(QString::number(*settings_.seed));
  cbAllCores->setChecked(settings_.parallel);
  filling_ = false;
  ShowReflectanceForm();
}

void TFBudget::FillReflectanceTable() {
  filling_ = true;
  grReflectanceU->setRowCount(static_cast<int>(task_.material.size()));
  for (int row = 0; row < grReflectanceU->rowCount(); ++row) {
    const SpectralPoint& point = task_.material[static_cast<std::size_t>(row)];
    grReflectanceU->setItem(row, 0, FixedItem(Number(point.WL)));
    grReflectanceU->setItem(row, 1, FixedItem(Number(point.Reflectance)));
    const auto u = settings_.reflectanceByWavelength.find(point.WL);
    grReflectanceU->setItem(
        row, 2, new QTableWidgetItem(u == settings_.reflectanceByWavelength.end() ? "" : Number(u->second)));
  }
  filling_ = false;
}

void TFBudget::InputEdited(QTableWidgetItem* item) {
  if (filling_ || item->column() != kInputU) return;
  const auto index = static_cast<std::size_t>(item->row());
  BudgetInputSetting& setting = settings_.inputs[index];
  std::string message;
  const auto u = ParseUncertainty(item->text().toStdString(), DecimalSeparator(), kBudgetInputs[index].caption,
                                  setting.form, index == kReflectanceRow, message);
  if (u) setting.u = *u;
  filling_ = true;
  item->setText(UText(setting));
  filling_ = false;
  if (!u) dialogs_.ShowMessage(QString::fromStdString(message));
}

void TFBudget::FormChosen(int row, int form) {
  if (filling_) return;
  const auto index = static_cast<std::size_t>(row);
  BudgetInputSetting& setting = settings_.inputs[index];
  const auto chosen = static_cast<UncertaintyForm>(form);
  // A value given in one form must make sense in the other: 150 K is no 150 %.
  std::string message;
  if (chosen != UncertaintyForm::PerWavelength &&
      !ParseUncertainty(FormatGeneral(setting.u), '.', kBudgetInputs[index].caption, chosen, index == kReflectanceRow,
                        message)) {
    dialogs_.ShowMessage(QString::fromStdString(message));
    auto* combo = qobject_cast<QComboBox*>(grInputs->cellWidget(row, kInputForm));
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(static_cast<int>(setting.form));
    return;
  }
  setting.form = chosen;
  QTableWidgetItem* u = grInputs->item(row, kInputU);
  filling_ = true;
  u->setText(UText(setting));
  const bool editable = chosen != UncertaintyForm::PerWavelength;
  u->setFlags(editable ? u->flags() | Qt::ItemIsEditable : u->flags() & ~Qt::ItemIsEditable);
  filling_ = false;
  ShowReflectanceForm();
}

void TFBudget::ShowReflectanceForm() {
  const bool perWavelength = settings_.inputs[kReflectanceRow].form == UncertaintyForm::PerWavelength;
  gbReflectanceU->setEnabled(perWavelength);
}

void TFBudget::ReflectanceEdited(QTableWidgetItem* item) {
  if (filling_ || item->column() != 2) return;
  const double wl = task_.material[static_cast<std::size_t>(item->row())].WL;
  const QString text = item->text().trimmed();
  std::string message;
  const auto u = text.isEmpty() ? std::optional<double>()
                                : ParseUncertainty(text.toStdString(), DecimalSeparator(), "the reflectance",
                                                   UncertaintyForm::Absolute, true, message);
  if (text.isEmpty())
    settings_.reflectanceByWavelength.erase(wl);
  else if (u)
    settings_.reflectanceByWavelength[wl] = *u;
  const auto kept = settings_.reflectanceByWavelength.find(wl);
  filling_ = true;
  item->setText(kept == settings_.reflectanceByWavelength.end() ? "" : Number(kept->second));
  filling_ = false;
  if (!message.empty()) dialogs_.ShowMessage(QString::fromStdString(message));
}

void TFBudget::btnAllReflectanceUClick() {
  std::string message;
  const auto u = ParseUncertainty(edAllReflectanceU->text().toStdString(), DecimalSeparator(), "the reflectance",
                                  UncertaintyForm::Absolute, true, message);
  if (!u) {
    dialogs_.ShowMessage(QString::fromStdString(message));
    return;
  }
  for (const SpectralPoint& point : task_.material) settings_.reflectanceByWavelength[point.WL] = *u;
  FillReflectanceTable();
}

void TFBudget::SeedEdited() {
  const auto seed = ParseInteger<std::uint32_t>(edSeed->text().trimmed().toStdString());
  if (seed) settings_.seed = *seed;
  const QSignalBlocker block(edSeed);
  edSeed->setText(QString::number(*settings_.seed));
  if (!seed) dialogs_.ShowMessage(kSeedMessage);
}

void TFBudget::TakeRunSettings() {
  if (filling_) return;
  settings_.coverageFactor = edCoverageFactor->value();
  settings_.rayChoice = comboNRays->currentIndex();
  settings_.thresholdChoice = comboThreshold->currentIndex();
  settings_.parallel = cbAllCores->isChecked();
}

bool TFBudget::ReadRequest(BudgetRequest& request) {
  // A seed still being typed counts, or is refused, before the run.
  const auto seed = ParseInteger<std::uint32_t>(edSeed->text().trimmed().toStdString());
  if (!seed) {
    SeedEdited();
    return false;
  }
  settings_.seed = *seed;
  std::string message;
  if (!RequestedInputs(settings_, task_.controls, task_.material, request.inputs, message, DecimalSeparator())) {
    dialogs_.ShowMessage(QString::fromStdString(message));
    return false;
  }
  request.coverageFactor = settings_.coverageFactor;
  request.rays = kRayCountChoices[static_cast<std::size_t>(settings_.rayChoice)].value;
  request.threshold = kThresholdChoices[static_cast<std::size_t>(settings_.thresholdChoice)].value;
  request.seed = *settings_.seed;
  request.options.parallel = settings_.parallel;
  return true;
}

}  // namespace tessolan
