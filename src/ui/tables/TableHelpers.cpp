#include "ui/tables/TableHelpers.h"

#include <QLabel>

#include "ui/tables/DataSet.h"

namespace tessolan {

void ShowRecordStatus(const DataSet& table, QLabel* status) {
  if (table.ControlsDisabled()) return;
  if (table.RecNo() < 0) {
    status->clear();
  } else if (table.RecordCount() == 0) {
    status->setText("Table is empty");
  } else {
    status->setText(QString("Record %1 of %2").arg(table.RecNo()).arg(table.RecordCount()));
  }
}

void EmptyTable(DataSet& table) {
  table.DisableControls();
  table.DeleteAll();
  table.EnableControls();
}

}  // namespace tessolan
