#pragma once

#include <QTableView>

namespace tessolan {

class DataSet;
class DataSetModel;
class NumberDelegate;
class UserDialogs;

// A grid bound to a DataSet: its current row is the table's current record, and moving to
// another row posts a changed record first (a refused post keeps the row). Numbers are edited
// in place. Keys: Insert inserts a record, Ctrl+Delete deletes one, Escape cancels an edit,
// Enter posts it, and Down on the last row appends a new record. A read-only grid narrows its
// columns in proportion when they do not fit, and its titles wrap.
class DataGrid : public QTableView {
  Q_OBJECT

 public:
  DataGrid(DataSetModel* model, UserDialogs& dialogs, QWidget* parent = nullptr);

  DataSetModel* Model() const { return model_; }
  // Lays the rows and columns out again after a bulk change.
  void Relayout();
  // Hands what is typed in an open cell editor to the table.
  void CommitOpenEditor();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  bool IsEditable() const;
  int FirstEditableColumn() const;
  void SetColumnWidths();
  void SyncCurrentRow();
  void StartFirstRecord(QKeyEvent* event);
  void ConfirmDelete();
  void AppendAfterLastRow();

  DataSetModel* model_;
  DataSet& dataSet_;
  UserDialogs& dialogs_;
  NumberDelegate* delegate_;
  bool syncing_ = false;
};

}  // namespace tessolan
