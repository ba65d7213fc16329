// The budget on show in the Budget window: the rows and the chart at the chosen wavelength and
// quantity, and the exports.
#include <qcustomplot.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <cmath>

#include "data/CsvExport.h"
#include "model/Folders.h"
#include "model/Notation.h"
#include "ui/budget/BudgetChart.h"
#include "ui/budget/TFBudget.h"
#include "ui/charts/ChartHelpers.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/main/TaskNames.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {
namespace {

// Five significant digits are what a budget is read to; the CSV keeps them all.
QString Short(double value) {
  if (std::isnan(value)) return {};
  return QString::number(value, 'g', 5).replace('.', QChar(DecimalSeparator()));
}

QString Percent(double share) {
  if (std::isnan(share)) return {};
  return QString::number(100 * share, 'f', 1).replace('.', QChar(DecimalSeparator()));
}

QTableWidgetItem* Cell(const QString& text, bool number) {
  auto* item = new QTableWidgetItem(text);
  if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

const BudgetRow* FindRow(const BudgetEntry& entry, const char* input) {
  for (const BudgetRow& row : entry.rows)
    if (row.input == input) return &row;
  return nullptr;
}

}  // namespace

void TFBudget::ShowBudget() {
  const QVariant chosen = comboWavelength->currentData();
  {
    const QSignalBlocker block(comboWavelength);
    comboWavelength->clear();
    for (const BudgetEntry& entry : budget_.entries)
      if (entry.quantity == MapQuantity::EEIso) comboWavelength->addItem(Short(entry.wavelength), entry.wavelength);
    const int kept = comboWavelength->findData(chosen);
    comboWavelength->setCurrentIndex(kept >= 0 ? kept : 0);
  }
  btnExportCsv->setEnabled(HasResult());
  btnExportPng->setEnabled(HasResult());
  ShowChosenEntry();
}

const BudgetEntry* TFBudget::ChosenEntry() const {
  if (comboWavelength->currentIndex() < 0) return nullptr;
  const double wavelength = comboWavelength->currentData().toDouble();
  const auto quantity = static_cast<MapQuantity>(comboQuantity->currentIndex());
  for (const BudgetEntry& entry : budget_.entries)
    if (entry.wavelength == wavelength && entry.quantity == quantity) return &entry;
  return nullptr;
}

void TFBudget::ShowChosenEntry() {
  const BudgetEntry* entry = ChosenEntry();
  const QString quantity = comboQuantity->currentText();
  grBudget->setRowCount(entry ? static_cast<int>(entry->rows.size()) : 0);
  if (!entry) {
    lbResult->setText("No budget yet: enter the standard uncertainties and press Run.");
    ShowShares(chShares, nullptr, QString());
    return;
  }
  const QString wavelength = Short(entry->wavelength);
  int r = 0;
  for (const BudgetRow& row : entry->rows) {
    const QString cells[] = {wavelength,
                             quantity,
                             QString::fromStdString(row.input),
                             Short(row.u),
                             Short(row.sensitivity),
                             Short(row.sensitivitySE),
                             Short(row.contribution),
                             Percent(row.share)};
    for (int column = 0; column < 8; ++column)
      grBudget->setItem(r, column, Cell(cells[column], column != 1 && column != 2));
    ++r;
  }
  const BudgetRow* combined = FindRow(*entry, "Combined");
  const BudgetRow* expanded = FindRow(*entry, "Expanded");
  QString text = quantity + " at " + wavelength + " um: " + Short(entry->value);
  if (combined) text += ";   u_c = " + Short(combined->contribution);
  if (expanded) text += ";   U = " + Short(expanded->contribution) + " (k = " + Short(budget_.coverageFactor) + ")";
  lbResult->setText(text);
  ShowShares(chShares, entry, quantity + " at " + wavelength + " um");
}

void TFBudget::btnExportCsvClick() {
  if (!HasResult()) return;
  const QString proposed = QString::fromStdString(MakeSafeFileName(taskName_.toStdString())) + "_budget";
  const QString path =
      ChosenFileName(dialogs_.GetSaveFileName(CsvFileSaveRequest("Uncertainty Budget", folder_, proposed)));
  if (path.isEmpty()) return;
  std::string message;
  if (!SaveCsvFile(path.toStdString(), BudgetCsv(budget_), message))
    dialogs_.ShowMessage(QString::fromStdString(message));
}

void TFBudget::btnExportPngClick() {
  if (HasResult()) SaveChartImage(chShares, dialogs_, folder_, ChartImageFormat::Png);
}

}  // namespace tessolan
