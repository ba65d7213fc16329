#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace tessolan {

enum class DataSetState { Browse, Edit, Insert };

// An in-memory table as the windows work with it: a current record, the editing of one record
// at a time (an edit of the current record or a new record being inserted) that is posted to
// the table or cancelled, and notifications for the controls bound to it. The records
// themselves are kept, in key order, by the derived class.
//
// Bound controls (grids, status lines, charts) follow the table through the signals; while
// the controls are disabled for a bulk change no signal except afterPost and afterDelete is
// emitted, and enabling them again makes every control catch up at once.
class DataSet : public QObject {
  Q_OBJECT

 public:
  explicit DataSet(QObject* parent = nullptr);

  virtual int RecordCount() const = 0;
  virtual int FieldCount() const = 0;
  virtual QString FieldName(int field) const = 0;
  virtual bool IsCalculated(int field) const = 0;

  DataSetState State() const { return state_; }
  bool IsEditing() const { return state_ != DataSetState::Browse; }
  bool Modified() const { return modified_; }
  // 0-based position of the current record in key order; -1 when the table is empty. While a
  // record is inserted, the record that was current before.
  int CurrentIndex() const { return current_; }
  // 1-based number of the current record; 0 for an empty table; -1 while inserting.
  int RecNo() const;
  bool AtFirst() const;
  bool AtLast() const;

  // Display rows are the records in key order with the record being inserted placed among them.
  int DisplayRowCount() const;
  int CurrentDisplayRow() const;
  int InsertRow() const { return insertRow_; }
  // The record shown in a display row; -1 for the record being inserted.
  int RecordIndexOfDisplayRow(int row) const;
  // The value shown in a display row: the edited values for the record being edited.
  std::optional<double> DisplayValue(int row, int field) const;

  // Sets a field of the current record, starting an edit when browsing. A blank (no value)
  // is allowed while editing; Post refuses it.
  bool SetField(int field, std::optional<double> value);

  // Moving to another record first posts a changed record (false when the post is refused,
  // and the record stays in editing) and drops a new record that was never changed.
  bool First();
  bool Prior();
  bool Next();
  bool Last();
  bool MoveTo(int index);
  bool MoveToDisplayRow(int row);

  bool Insert();  // a new record before the current one
  bool Append();  // a new record after the last one
  bool Edit();
  bool Post();
  void Cancel();
  bool Delete();
  // Posts a changed record and drops an untouched new one; false when the post is refused.
  bool CheckBrowseMode();
  // For a bound editor answering updateRecordRequested: what it holds cannot be handed over,
  // so the post (or the command waiting for it) stops.
  void RefuseUpdate() { updateRefused_ = true; }
  // Removes every record; a pending edit is dropped.
  void DeleteAll();
  // Removes `count` records from position `first` on; the record after them becomes current.
  void DeleteRecords(int first, int count);

  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ > 0; }

 signals:
  void recordsChanged();  // records added, removed or reordered
  void currentChanged();  // another current record, or another editing state
  void bufferChanged();   // a field of the record being edited changed
  void dataChanged();     // any of the three above
  void afterPost();
  void afterDelete();
  void controlsEnabled();        // the bound controls catch up after a bulk change
  void updateRecordRequested();  // before a post: bound editors hand over what is typed
  void errorOccurred(const QString& message);

 protected:
  virtual std::optional<double> StoredValue(int index, int field) const = 0;
  virtual std::optional<double> BufferValue(int field) const = 0;
  virtual void SetBufferValue(int field, std::optional<double> value) = 0;
  virtual void LoadBuffer(int index) = 0;
  virtual void ClearBuffer() = 0;
  // The first stored field the edited record has no value for; empty when it is complete.
  virtual QString MissingFieldName() const = 0;
  // Stores the edited record (as a new one when `editedIndex` is -1); its position, or nothing
  // and no change when its key belongs to another record.
  virtual std::optional<int> StoreBuffer(int editedIndex) = 0;
  virtual QString KeyViolationMessage() const = 0;
  virtual void RemoveRecords(int first, int count) = 0;
  virtual double KeyAt(int index) const = 0;
  virtual std::optional<int> FindKey(double key) const = 0;

  // For the derived class's bulk additions: the added record becomes current.
  void RecordAdded(int index);
  // Ends any editing without storing it.
  void DropPendingEdit();

 private:
  void EnterInsert(int row);
  void NotifyRecords();
  void NotifyCurrent();
  // Asks the bound editors for what is typed; false when one of them refuses.
  bool RequestUpdate();

  DataSetState state_ = DataSetState::Browse;
  int current_ = -1;
  int insertRow_ = -1;
  bool modified_ = false;
  bool updateRefused_ = false;
  int disableCount_ = 0;
};

}  // namespace tessolan
