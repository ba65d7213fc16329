#pragma once

class QLabel;

namespace tessolan {

class DataSet;

// Writes a table's position into its status line: "Record 2 of 3", "Table is empty", or
// nothing while a new record has no position yet. Does nothing while the table's controls are
// disabled.
void ShowRecordStatus(const DataSet& table, QLabel* status);

// Deletes every record with the table's controls disabled, so that they catch up once.
void EmptyTable(DataSet& table);

}  // namespace tessolan
