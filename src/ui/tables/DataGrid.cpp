#include "ui/tables/DataGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

#include "ui/dialogs/UserDialogs.h"
#include "ui/tables/DataSet.h"
#include "ui/tables/DataSetModel.h"
#include "ui/tables/NumberDelegate.h"

namespace tessolan {

DataGrid::DataGrid(DataSetModel* model, UserDialogs& dialogs, QWidget* parent)
    : QTableView(parent),
      model_(model),
      dataSet_(model->Data()),
      dialogs_(dialogs),
      delegate_(new NumberDelegate(this)) {
  setModel(model_);
  setItemDelegate(delegate_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(IsEditable() ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
  setEditTriggers(IsEditable() ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                     QAbstractItemView::AnyKeyPressed
                               : QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(true);
  setWordWrap(false);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumWidth(18);
  verticalHeader()->setHighlightSections(false);
  SetColumnWidths();

  connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::SyncCurrentRow);
  connect(&dataSet_, &DataSet::currentChanged, this, &DataGrid::SyncCurrentRow);
  connect(&dataSet_, &DataSet::updateRecordRequested, this, &DataGrid::CommitOpenEditor);
  connect(delegate_, &NumberDelegate::editingStarted, this, [this] {
    if (dataSet_.State() == DataSetState::Browse) dataSet_.Edit();
  });
  connect(delegate_, &NumberDelegate::invalidNumber, this,
          [this](const QString& text) { dialogs_.ShowMessage("'" + text + "' is not a valid floating point value"); });
  SyncCurrentRow();
}

void DataGrid::Relayout() {
  updateGeometries();
  viewport()->update();
}

void DataGrid::CommitOpenEditor() {
  QLineEdit* editor = delegate_->OpenEditor();
  if (!editor || state() != QAbstractItemView::EditingState) return;
  if (NumberDelegate::HoldsInvalidNumber(*editor)) {
    // The record is not handed over: whatever waits for it stops, the cell stays in edit.
    dataSet_.RefuseUpdate();
    emit delegate_->invalidNumber(editor->text().trimmed());
    editor->setFocus();
    return;
  }
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool DataGrid::IsEditable() const { return FirstEditableColumn() >= 0; }

int DataGrid::FirstEditableColumn() const {
  for (int c = 0; c < model_->columnCount(); ++c) {
    const GridColumn& column = model_->Column(c);
    if (!column.readOnly && !dataSet_.IsCalculated(column.field)) return c;
  }
  return -1;
}

void DataGrid::SetColumnWidths() {
  QFont bold = horizontalHeader()->font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  int total = 0;
  for (int c = 0; c < model_->columnCount(); ++c) total += model_->Column(c).width;
  const int room = viewport()->width();
  const double shrink = !IsEditable() && room > 0 && total > room ? static_cast<double>(room) / total : 1.0;
  bool wraps = false;
  for (int c = 0; c < model_->columnCount(); ++c) {
    const GridColumn& column = model_->Column(c);
    // An editable grid keeps its titles on one line; a read-only one lets them wrap.
    const int title = metrics.horizontalAdvance(column.title) + 16;
    const int width = std::max(static_cast<int>(column.width * shrink), IsEditable() ? title : 0);
    wraps = wraps || title > width;
    setColumnWidth(c, width);
  }
  horizontalHeader()->setFixedHeight((wraps ? 2 : 1) * metrics.height() + 10);
}

void DataGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  if (!IsEditable()) SetColumnWidths();
}

void DataGrid::SyncCurrentRow() {
  syncing_ = true;
  const int row = dataSet_.CurrentDisplayRow();
  if (row >= 0 && row < model_->rowCount()) {
    const int column = currentIndex().isValid() ? currentIndex().column() : std::max(FirstEditableColumn(), 0);
    const QModelIndex index = model_->index(row, column);
    if (index != currentIndex()) setCurrentIndex(index);
    scrollTo(index);
  } else {
    setCurrentIndex(QModelIndex());
  }
  syncing_ = false;
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (syncing_ || !current.isValid() || current.row() == dataSet_.CurrentDisplayRow()) return;
  syncing_ = true;
  const bool moved = dataSet_.MoveToDisplayRow(current.row());
  syncing_ = false;
  // A refused post keeps the edited record current; the grid goes back to it once this
  // change of the current cell has finished.
  if (!moved || current.row() != dataSet_.CurrentDisplayRow()) QTimer::singleShot(0, this, &DataGrid::SyncCurrentRow);
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
  const bool editable = IsEditable();
  const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_Insert && modifiers == Qt::NoModifier && editable) {
    dataSet_.Insert();
  } else if (event->key() == Qt::Key_Delete && modifiers == Qt::ControlModifier) {
    ConfirmDelete();
  } else if (event->key() == Qt::Key_Escape && dataSet_.IsEditing()) {
    dataSet_.Cancel();
  } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && dataSet_.IsEditing()) {
    dataSet_.Post();
  } else if (event->key() == Qt::Key_Down && modifiers == Qt::NoModifier && editable &&
             dataSet_.CurrentDisplayRow() == model_->rowCount() - 1 && model_->rowCount() > 0) {
    AppendAfterLastRow();
  } else if (editable && model_->rowCount() == 0 && !event->text().trimmed().isEmpty()) {
    StartFirstRecord(event);
  } else {
    QTableView::keyPressEvent(event);
  }
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  if (IsEditable() && model_->rowCount() == 0) {
    StartFirstRecord(nullptr);
    return;
  }
  QTableView::mouseDoubleClickEvent(event);
}

void DataGrid::StartFirstRecord(QKeyEvent* event) {
  if (!dataSet_.Append()) return;
  const QModelIndex index = model_->index(0, FirstEditableColumn());
  setCurrentIndex(index);
  if (event) {
    QTableView::keyPressEvent(event);
  } else {
    edit(index);
  }
}

void DataGrid::ConfirmDelete() {
  if (dataSet_.RecordCount() == 0 && !dataSet_.IsEditing()) return;
  if (dialogs_.Confirm("Delete record?")) dataSet_.Delete();
}

void DataGrid::AppendAfterLastRow() {
  // An untouched new record is dropped by moving off it, not followed by another one.
  const bool untouchedNew = dataSet_.State() == DataSetState::Insert && !dataSet_.Modified();
  if (!dataSet_.CheckBrowseMode() || untouchedNew) return;
  if (dataSet_.AtLast()) dataSet_.Append();
}

}  // namespace tessolan
