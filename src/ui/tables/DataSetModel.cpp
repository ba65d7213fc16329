#include "ui/tables/DataSetModel.h"

#include <QFont>

#include "ui/tables/DataSet.h"
#include "ui/tables/DisplayFormats.h"
#include "ui/widgets/UiLocale.h"

namespace tessolan {

DataSetModel::DataSetModel(DataSet& dataSet, std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), dataSet_(dataSet), columns_(std::move(columns)), rows_(dataSet.DisplayRowCount()) {
  connect(&dataSet_, &DataSet::recordsChanged, this, &DataSetModel::ReloadRows);
  connect(&dataSet_, &DataSet::currentChanged, this, &DataSetModel::RefreshCurrentRow);
  connect(&dataSet_, &DataSet::bufferChanged, this, &DataSetModel::RefreshCurrentRow);
}

int DataSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int DataSetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString DataSetModel::DisplayText(int row, int column) const {
  const GridColumn& c = Column(column);
  const auto value = dataSet_.DisplayValue(row, c.field);
  if (!value) return QString();
  return c.maxDecimals >= 0 ? FormatOptionalDecimals(*value, c.maxDecimals, DecimalSeparator())
                            : FormatGeneralNumber(*value, DecimalSeparator());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return QVariant();
  switch (role) {
    case Qt::DisplayRole:
      return DisplayText(index.row(), index.column());
    case Qt::EditRole: {
      const auto value = dataSet_.DisplayValue(index.row(), Column(index.column()).field);
      return value ? FormatGeneralNumber(*value, DecimalSeparator()) : QString();
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      return Column(index.column()).infoBackground ? QVariant(kInfoColor) : QVariant();
    default:
      return QVariant();
  }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= columnCount()) return QVariant();
    if (role == Qt::DisplayRole) return Column(section).title;
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter | Qt::TextWordWrap);
    if (role == Qt::FontRole) {
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    return QVariant();
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
  if (role != Qt::DisplayRole) return QVariant();
  if (section != dataSet_.CurrentDisplayRow()) return QString();
  switch (dataSet_.State()) {
    case DataSetState::Browse:
      return QString::fromUtf8("\u25B6");
    case DataSetState::Edit:
      return QStringLiteral("I");
    case DataSetState::Insert:
      return QStringLiteral("*");
  }
  return QString();
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  const GridColumn& c = Column(index.column());
  if (!c.readOnly && !dataSet_.IsCalculated(c.field)) f |= Qt::ItemIsEditable;
  return f;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  if (!dataSet_.MoveToDisplayRow(index.row())) return false;
  std::optional<double> number;
  if (value.typeId() == QMetaType::Double) {
    number = value.toDouble();
  } else if (value.isValid() && !value.toString().trimmed().isEmpty()) {
    number = ParseTypedNumber(value.toString(), DecimalSeparator());
    if (!number) return false;
  }
  return dataSet_.SetField(Column(index.column()).field, number);
}

void DataSetModel::ReloadRows() {
  beginResetModel();
  rows_ = dataSet_.DisplayRowCount();
  endResetModel();
}

void DataSetModel::RefreshCurrentRow() {
  const int row = dataSet_.CurrentDisplayRow();
  if (row < 0 || row >= rowCount()) return;
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
  emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

}  // namespace tessolan
