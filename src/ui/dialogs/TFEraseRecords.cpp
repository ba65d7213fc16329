#include "ui/dialogs/TFEraseRecords.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/UserDialogs.h"
#include "ui/tables/DataSet.h"
#include "ui/widgets/AppIcon.h"
#include "ui/widgets/RadioGroup.h"

namespace tessolan {

namespace {

QSpinBox* MakeRecordBox(const char* name, int total, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  // An empty table has no record 1: the boxes then hold 0.
  box->setRange(std::min(1, total), total);
  box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  box->setMinimumWidth(90);
  return box;
}

}  // namespace

TFEraseRecords::TFEraseRecords(DataSet& table, EraseMode mode, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      table_(table),
      dialogs_(dialogs),
      total_(table.RecordCount()),
      current_(std::max(table.RecNo(), 0)) {
  FormCreate(mode);
}

void TFEraseRecords::FormCreate(EraseMode mode) {
  setObjectName("FEraseRecords");
  setWindowTitle(mode == EraseMode::SpectralReflectances ? "Erase Multiple Spectral Reflectances"
                                                         : "Erase Multiple Results");
  setWindowIcon(TessolanIcon());
  auto* layout = new QVBoxLayout(this);

  auto* body = new QHBoxLayout;
  rgRecords =
      new RadioGroup("Records", {"From First to Current", "From Current to Last", "All", "From ... to ..."}, 1, this);
  rgRecords->setObjectName("rgRecords");
  rgRecords->SetItemIndex(All);
  body->addWidget(rgRecords);
  body->addSpacing(12);
  auto* numbers = new QFormLayout;
  seFrom = MakeRecordBox("seFrom", total_, this);
  seTo = MakeRecordBox("seTo", total_, this);
  numbers->addRow("From # ", seFrom);
  numbers->addRow("To # ", seTo);
  auto* column = new QVBoxLayout;
  column->addStretch();
  column->addLayout(numbers);
  column->addStretch();
  body->addLayout(column);
  layout->addLayout(body);

  const OkCancelButtons buttons = AddOkCancelRow(this, layout);
  btnOK = buttons.ok;
  btnCancel = buttons.cancel;

  sp0 = new QLabel(QString("Total: %1 record%2").arg(total_).arg(total_ > 1 ? "s" : ""), this);
  sp0->setObjectName("sp0");
  sp0->setFrameShape(QFrame::Panel);
  sp0->setFrameShadow(QFrame::Sunken);
  sp0->setContentsMargins(4, 1, 4, 1);
  layout->addWidget(sp0);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(rgRecords, &RadioGroup::itemIndexChanged, this, &TFEraseRecords::rgRecordsClick);
  connect(btnOK, &QPushButton::clicked, this, &TFEraseRecords::btnOKClick);
  connect(btnCancel, &QPushButton::clicked, this, &TFEraseRecords::btnCancelClick);
  rgRecordsClick();

  adjustSize();
  if (const QScreen* display = screen()) move(display->availableGeometry().center() - rect().center());
}

std::pair<int, int> TFEraseRecords::Range() const {
  switch (rgRecords->ItemIndex()) {
    case FirstToCurrent:
      return {1, current_};
    case CurrentToLast:
      return {current_, total_};
    case FromTo:
      return {seFrom->value(), seTo->value()};
    default:
      return {1, total_};
  }
}

void TFEraseRecords::rgRecordsClick() {
  const bool custom = rgRecords->ItemIndex() == FromTo;
  const auto [from, to] = custom ? std::pair{1, 1} : Range();
  seFrom->setValue(from);
  seTo->setValue(to);
  seFrom->setEnabled(custom);
  seTo->setEnabled(custom);
}

void TFEraseRecords::btnOKClick() {
  seFrom->interpretText();
  seTo->interpretText();
  const auto [from, to] = Range();
  if (rgRecords->ItemIndex() == FromTo && from > to) {
    dialogs_.ShowMessage(QString("Incorrect records range: from # %1 to # %2").arg(from).arg(to));
    return;
  }
  // An empty table has nothing to lose: no question, and nothing is deleted.
  if (total_ > 0) {
    if (!dialogs_.Confirm(QString("All records from # %1 to # %2 will be erased\nContinue?").arg(from).arg(to))) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    Erase(from, to);
    QApplication::restoreOverrideCursor();
  }
  accept();
}

void TFEraseRecords::Erase(int from, int to) {
  from = std::max(from, 1);
  to = std::min(to, table_.RecordCount());
  if (to < from) return;
  // The grid, status line and chart catch up once, not after every record.
  table_.DisableControls();
  table_.DeleteRecords(from - 1, to - from + 1);
  table_.EnableControls();
}

void TFEraseRecords::btnCancelClick() { reject(); }

}  // namespace tessolan
