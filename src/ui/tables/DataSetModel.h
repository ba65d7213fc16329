#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "ui/widgets/Colors.h"

namespace tessolan {

class DataSet;

// One column of a grid over a DataSet.
struct GridColumn {
  int field;
  QString title;
  int width;             // pixels; widened when the bold title needs more
  int maxDecimals = -1;  // "###0.####"-like display with this many decimals; -1: up to 15 digits
  bool readOnly = false;
  bool infoBackground = false;
};

// The rows of a DataSet for a grid: the records in key order, with the record being edited or
// inserted showing its edited values. The vertical header marks the current record: a
// triangle while browsing, "I" while editing it and "*" for a new record.
class DataSetModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  DataSetModel(DataSet& dataSet, std::vector<GridColumn> columns, QObject* parent = nullptr);

  DataSet& Data() const { return dataSet_; }
  const GridColumn& Column(int column) const { return columns_[static_cast<std::size_t>(column)]; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Takes a double, a blank (an invalid QVariant or empty text) or typed text.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  QString DisplayText(int row, int column) const;
  void ReloadRows();
  void RefreshCurrentRow();

  DataSet& dataSet_;
  std::vector<GridColumn> columns_;
  // The row count the views were last told; a bulk change with the controls disabled does not
  // reach them until the controls are enabled again.
  int rows_;
};

}  // namespace tessolan
