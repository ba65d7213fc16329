#pragma once

#include <array>
#include <cstddef>

#include "data/KeyedTable.h"
#include "ui/tables/DataSet.h"

namespace tessolan {

// One field of a table's records: stored in `member`, or calculated by `calculate` from the
// stored fields named in the bit mask `dependsOn`.
template <class Record>
struct FieldDef {
  const char* name;
  double Record::*member;
  double (*calculate)(const Record&);
  unsigned dependsOn;
};

// A DataSet over a KeyedTable of `Record`s, whose key is the field `WL`. `Fields` names the
// fields (kFields, the key field first) and words the key violation (DuplicateKeyMessage).
template <class Record, class Fields>
class KeyedDataSet : public DataSet {
 public:
  using DataSet::DataSet;

  const KeyedTable<Record>& Table() const { return table_; }
  const std::vector<Record>& Records() const { return table_.Records(); }

  int RecordCount() const override { return table_.RecordCount(); }
  int FieldCount() const override { return static_cast<int>(Fields::kFields.size()); }
  QString FieldName(int field) const override { return QString::fromLatin1(Fields::kFields[field].name); }
  bool IsCalculated(int field) const override { return Fields::kFields[field].member == nullptr; }

  // Adds a record straight to the table, as the bulk fill of a loader does; false, and nothing
  // added, when its key is already there. A pending edit is dropped, so callers post it first.
  bool AppendRecord(const Record& record) {
    if (IsEditing()) Cancel();
    const auto position = table_.Insert(record);
    if (!position) return false;
    RecordAdded(*position);
    return true;
  }

 protected:
  std::optional<double> StoredValue(int index, int field) const override { return ValueOf(table_[index], field); }

  std::optional<double> BufferValue(int field) const override {
    const auto& def = Fields::kFields[field];
    const unsigned needed = def.member ? Bit(field) : def.dependsOn;
    if ((assigned_ & needed) != needed) return std::nullopt;
    return ValueOf(buffer_, field);
  }

  void SetBufferValue(int field, std::optional<double> value) override {
    if (value) {
      buffer_.*(Fields::kFields[field].member) = *value;
      assigned_ |= Bit(field);
    } else {
      assigned_ &= ~Bit(field);
    }
  }

  void LoadBuffer(int index) override {
    buffer_ = table_[index];
    assigned_ = ~0u;
  }

  void ClearBuffer() override {
    buffer_ = Record{};
    assigned_ = 0;
  }

  QString MissingFieldName() const override {
    for (int field = 0; field < FieldCount(); ++field)
      if (!IsCalculated(field) && (assigned_ & Bit(field)) == 0) return FieldName(field);
    return QString();
  }

  std::optional<int> StoreBuffer(int editedIndex) override {
    return editedIndex < 0 ? table_.Insert(buffer_) : table_.Update(editedIndex, buffer_);
  }

  QString KeyViolationMessage() const override { return Fields::DuplicateKeyMessage(buffer_.WL); }
  void RemoveRecords(int first, int count) override { table_.DeleteRange(first, count); }
  double KeyAt(int index) const override { return table_[index].WL; }
  std::optional<int> FindKey(double key) const override { return table_.Find(key); }

 private:
  static unsigned Bit(int field) { return 1u << field; }

  static double ValueOf(const Record& record, int field) {
    const auto& def = Fields::kFields[field];
    return def.member ? record.*(def.member) : def.calculate(record);
  }

  KeyedTable<Record> table_;
  Record buffer_{};
  unsigned assigned_ = 0;
};

}  // namespace tessolan
