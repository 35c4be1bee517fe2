// The register, bit and not-found tables of the device being processed, and the
// finders over them. Rows are numbered from 1; a table's counter is the next free row
// (1 when empty) and the row at the counter and above read as empty. A filler that
// would pass a table's capacity gets a CapacityError naming the table and its limit.
// The finders answer as a walk in row order would, through an index per table.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/errors.h"

namespace bnf {

struct RegRow {
  std::u16string name;
  std::u16string address;
  std::u16string description;
  std::u16string page;
};

struct BitRow {
  std::u16string owner;
  std::u16string name;
  std::u16string number;
  std::u16string description;
};

struct NotFoundRow {
  std::u16string name;
  std::u16string page;
};

// The field a table's finders compare: a register's name, a bit's owner.
inline const std::u16string& KeyOf(const RegRow& row) {
  return row.name;
}
inline const std::u16string& KeyOf(const BitRow& row) {
  return row.owner;
}
inline const std::u16string& KeyOf(const NotFoundRow& row) {
  return row.name;
}

// A fixed-capacity table numbered from 1. Only rows below the counter are stored; the
// others are the empty row. An index from key to rows keeps the first-match look-ups
// from walking the table; it follows appends, Clear and changes made through At.
template <typename Row>
class Table {
 public:
  Table(int32_t capacity, std::u16string description)
      : capacity_(capacity), description_(std::move(description)) {}

  int32_t Counter() const { return static_cast<int32_t>(rows_.size()) + 1; }
  int32_t Capacity() const { return capacity_; }
  // Row i (1-based); rows from the counter on read as empty.
  const Row& operator[](int32_t i) const {
    return i >= 1 && i < Counter() ? rows_[static_cast<std::size_t>(i - 1)] : empty_;
  }
  // Row i in use (1 to counter - 1), for changing it in place. A changed key reaches the
  // index at the next look-up, so a reference from At must not be kept across one.
  Row& At(int32_t i);
  // Appends at the counter; throws CapacityError when the table is full.
  Row& Append(Row row);
  void Clear();

  // The first row in use whose key equals `key` exactly; -1 when none.
  int32_t FirstWithKey(std::u16string_view key) const;
  // Changes whenever a row's key changes or the table is emptied, not when rows are
  // appended: an index built over the rows so far stays right while this holds.
  uint64_t KeyEpoch() const;

 private:
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view s) const {
      return std::hash<std::u16string_view>{}(s);
    }
  };
  using Index = std::unordered_map<std::u16string, std::vector<int32_t>, KeyHash, std::equal_to<>>;

  void Touch(int32_t i);
  void SyncIndex() const;
  void Reindex(int32_t i) const;

  int32_t capacity_;
  std::u16string description_;
  std::vector<Row> rows_;
  Row empty_{};
  // Key to its rows in ascending order, as of each row's key in indexedKeys_.
  mutable Index index_;
  mutable std::vector<std::u16string> indexedKeys_;
  // Rows handed out for change since the index was last brought up to date; past the
  // table's size every row is checked instead.
  mutable std::vector<int32_t> touched_;
  mutable bool allTouched_ = false;
  mutable uint64_t keyEpoch_ = 0;
};

inline constexpr int32_t kRegCapacity = 4096;
inline constexpr int32_t kBitCapacity = 65536;
inline constexpr int32_t kNotFoundCapacity = 4096;

struct DeviceTables {
  Table<RegRow> RegTable{kRegCapacity, u"register table"};
  Table<BitRow> BitTable{kBitCapacity, u"bit table"};
  Table<NotFoundRow> NotFound{kNotFoundCapacity, u"table of unmatched register headings"};

  int32_t RegCount() const { return RegTable.Counter(); }
  int32_t BitCount() const { return BitTable.Counter(); }
  int32_t NotFoundCount() const { return NotFound.Counter(); }

  // All three tables empty, counters at 1.
  void EmptyAll();
  // RegTable and BitTable empty (what a device-file reader does once it found its file).
  void EmptyRegistersAndBits();

  // First RegTable row (1 to RegCount) whose name equals sFind exactly; -1 when none
  // or when sFind is blank.
  int32_t FindRegister(std::u16string_view sFind) const;
  // First BitTable row (1 to BitCount) whose owner equals sFind exactly; -1 when none.
  // No blank test: the empty text finds the empty row at the counter at the latest.
  int32_t FindFirstBit4Reg(std::u16string_view sFind) const;
  // The row before the first row from iFirst on whose owner differs from sRegName;
  // -1 when iFirst is below 1 or above BitCount, or every row up to BitCount has that
  // owner.
  int32_t FindLastBit4Reg(std::u16string_view sRegName, int32_t iFirst) const;
  // As FindFirstBit4Reg, but -1 for a blank sFind.
  int32_t FindRegisterInBit(std::u16string_view sFind) const;
};

}  // namespace bnf
