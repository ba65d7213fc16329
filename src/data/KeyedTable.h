#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "model/SpectralPoint.h"

namespace tessolan {

// An in-memory table of records kept in ascending order of their wavelength `WL`, which is
// unique: an insert or update that would repeat a wavelength is refused and changes nothing.
// Positions are 0-based in that order.
template <class Record>
class KeyedTable {
 public:
  int RecordCount() const { return static_cast<int>(records_.size()); }
  bool Empty() const { return records_.empty(); }
  const Record& operator[](int index) const { return records_[index]; }
  const std::vector<Record>& Records() const { return records_; }

  // Position of the record with this wavelength, if any.
  std::optional<int> Find(double wl) const {
    const auto it = LowerBound(wl);
    if (it == records_.end() || it->WL != wl) return std::nullopt;
    return static_cast<int>(it - records_.begin());
  }

  // Inserts in key order; returns its position, or nothing when the wavelength is taken.
  std::optional<int> Insert(const Record& record) {
    if (record.WL != record.WL) return std::nullopt;  // NaN has no place in the order
    const auto it = LowerBound(record.WL);
    if (it != records_.end() && it->WL == record.WL) return std::nullopt;
    // The insertion may reallocate, so begin() is taken only after it.
    const auto inserted = records_.insert(it, record);
    return static_cast<int>(inserted - records_.begin());
  }

  // Replaces the record at `index`; returns its new position, or nothing (and no change) when
  // the new wavelength belongs to another record.
  std::optional<int> Update(int index, const Record& record) {
    const auto other = Find(record.WL);
    if (other && *other != index) return std::nullopt;
    records_.erase(records_.begin() + index);
    return Insert(record);
  }

  void Delete(int index) { records_.erase(records_.begin() + index); }

  // Deletes `count` records starting at `first` (clipped to the table).
  void DeleteRange(int first, int count) {
    first = std::clamp(first, 0, RecordCount());
    const int last = std::clamp(first + count, first, RecordCount());
    records_.erase(records_.begin() + first, records_.begin() + last);
  }

  void Clear() { records_.clear(); }

 private:
  typename std::vector<Record>::const_iterator LowerBound(double wl) const {
    return std::lower_bound(records_.begin(), records_.end(), wl,
                            [](const Record& r, double key) { return r.WL < key; });
  }

  std::vector<Record> records_;
};

// A row of the results table.
struct ResultsRecord {
  double WL = 0;
  double EEIso = 0;
  double RTIso = 0;
  double EE = 0;
  double RT = 0;
  // Standard errors of the four results; NaN where unknown (results loaded from a file).
  double EEIsoSE = std::numeric_limits<double>::quiet_NaN();
  double RTIsoSE = std::numeric_limits<double>::quiet_NaN();
  double EESE = std::numeric_limits<double>::quiet_NaN();
  double RTSE = std::numeric_limits<double>::quiet_NaN();
};

// Inserts the records in the order given, as a loader fills a table: a record whose wavelength
// is already there is skipped, so the first one wins. Returns the number skipped.
template <class Record>
int InsertAll(KeyedTable<Record>& table, std::span<const Record> records) {
  int skipped = 0;
  for (const Record& record : records)
    if (!table.Insert(record)) ++skipped;
  return skipped;
}

using SpectralTable = KeyedTable<SpectralPoint>;
using ResultsTable = KeyedTable<ResultsRecord>;

}  // namespace tessolan
