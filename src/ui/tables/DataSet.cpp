#include "ui/tables/DataSet.h"

#include <algorithm>
#include <utility>

namespace tessolan {

DataSet::DataSet(QObject* parent) : QObject(parent) {}

int DataSet::RecNo() const {
  if (state_ == DataSetState::Insert) return -1;
  return current_ + 1;
}

bool DataSet::AtFirst() const { return state_ != DataSetState::Insert && current_ <= 0; }

bool DataSet::AtLast() const { return state_ != DataSetState::Insert && current_ >= RecordCount() - 1; }

int DataSet::DisplayRowCount() const { return RecordCount() + (state_ == DataSetState::Insert ? 1 : 0); }

int DataSet::CurrentDisplayRow() const { return state_ == DataSetState::Insert ? insertRow_ : current_; }

int DataSet::RecordIndexOfDisplayRow(int row) const {
  if (state_ != DataSetState::Insert || row < insertRow_) return row;
  return row == insertRow_ ? -1 : row - 1;
}

std::optional<double> DataSet::DisplayValue(int row, int field) const {
  const bool editedRow = state_ != DataSetState::Browse && row == CurrentDisplayRow();
  if (editedRow) return BufferValue(field);
  const int index = RecordIndexOfDisplayRow(row);
  if (index < 0 || index >= RecordCount()) return std::nullopt;
  return StoredValue(index, field);
}

bool DataSet::SetField(int field, std::optional<double> value) {
  if (field < 0 || field >= FieldCount() || IsCalculated(field)) return false;
  if (state_ == DataSetState::Browse && !Edit()) return false;
  SetBufferValue(field, value);
  modified_ = true;
  if (ControlsDisabled()) return true;
  emit bufferChanged();
  emit dataChanged();
  return true;
}

bool DataSet::First() { return CheckBrowseMode() && MoveTo(0); }

bool DataSet::Prior() { return CheckBrowseMode() && MoveTo(std::max(current_ - 1, 0)); }

bool DataSet::Next() { return CheckBrowseMode() && MoveTo(current_ + 1); }

bool DataSet::Last() { return CheckBrowseMode() && MoveTo(RecordCount() - 1); }

bool DataSet::MoveTo(int index) {
  if (!CheckBrowseMode()) return false;
  if (RecordCount() == 0) return true;
  index = std::clamp(index, 0, RecordCount() - 1);
  if (index == current_) return true;
  current_ = index;
  NotifyCurrent();
  return true;
}

bool DataSet::MoveToDisplayRow(int row) {
  if (row == CurrentDisplayRow()) return true;
  const int target = RecordIndexOfDisplayRow(row);
  if (target < 0 || target >= RecordCount()) return false;
  // Posting may move records, so the target is found again by its key afterwards.
  const double key = KeyAt(target);
  if (!CheckBrowseMode()) return false;
  const auto index = FindKey(key);
  return index ? MoveTo(*index) : false;
}

bool DataSet::Insert() {
  if (!CheckBrowseMode()) return false;
  EnterInsert(std::max(current_, 0));
  return true;
}

bool DataSet::Append() {
  if (!CheckBrowseMode()) return false;
  EnterInsert(RecordCount());
  return true;
}

void DataSet::EnterInsert(int row) {
  ClearBuffer();
  state_ = DataSetState::Insert;
  insertRow_ = row;
  modified_ = false;
  NotifyRecords();
}

bool DataSet::Edit() {
  if (state_ != DataSetState::Browse) return true;
  if (current_ < 0) return false;
  LoadBuffer(current_);
  state_ = DataSetState::Edit;
  modified_ = false;
  NotifyCurrent();
  return true;
}

bool DataSet::RequestUpdate() {
  updateRefused_ = false;
  emit updateRecordRequested();
  return !std::exchange(updateRefused_, false);
}

bool DataSet::Post() {
  if (!RequestUpdate()) return false;
  if (state_ == DataSetState::Browse) return true;
  const QString missing = MissingFieldName();
  if (!missing.isEmpty()) {
    emit errorOccurred("Field '" + missing + "' must have a value");
    return false;
  }
  const auto position = StoreBuffer(state_ == DataSetState::Edit ? current_ : -1);
  if (!position) {
    emit errorOccurred(KeyViolationMessage());
    return false;
  }
  state_ = DataSetState::Browse;
  insertRow_ = -1;
  modified_ = false;
  current_ = *position;
  ClearBuffer();
  NotifyRecords();
  emit afterPost();
  return true;
}

void DataSet::Cancel() {
  if (state_ == DataSetState::Browse) return;
  DropPendingEdit();
  NotifyRecords();
}

void DataSet::DropPendingEdit() {
  state_ = DataSetState::Browse;
  insertRow_ = -1;
  modified_ = false;
  ClearBuffer();
}

bool DataSet::Delete() {
  if (state_ == DataSetState::Insert) {
    Cancel();
    return true;
  }
  if (current_ < 0) return false;
  DropPendingEdit();
  RemoveRecords(current_, 1);
  current_ = std::min(current_, RecordCount() - 1);
  NotifyRecords();
  emit afterDelete();
  return true;
}

bool DataSet::CheckBrowseMode() {
  if (!RequestUpdate()) return false;
  if (state_ == DataSetState::Browse) return true;
  if (!modified_) {
    Cancel();
    return true;
  }
  return Post();
}

void DataSet::DeleteAll() {
  DropPendingEdit();
  RemoveRecords(0, RecordCount());
  current_ = -1;
  NotifyRecords();
  emit afterDelete();
}

void DataSet::DeleteRecords(int first, int count) {
  DropPendingEdit();
  first = std::clamp(first, 0, RecordCount());
  count = std::clamp(count, 0, RecordCount() - first);
  RemoveRecords(first, count);
  current_ = std::min(first, RecordCount() - 1);
  NotifyRecords();
  emit afterDelete();
}

void DataSet::RecordAdded(int index) {
  current_ = index;
  NotifyRecords();
}

void DataSet::DisableControls() { ++disableCount_; }

void DataSet::EnableControls() {
  if (disableCount_ == 0 || --disableCount_ > 0) return;
  NotifyRecords();
  emit controlsEnabled();
}

void DataSet::NotifyRecords() {
  if (ControlsDisabled()) return;
  emit recordsChanged();
  emit currentChanged();
  emit dataChanged();
}

void DataSet::NotifyCurrent() {
  if (ControlsDisabled()) return;
  emit currentChanged();
  emit dataChanged();
}

}  // namespace tessolan
