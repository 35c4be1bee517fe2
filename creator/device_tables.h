// The register, bit and not-found tables of the device being processed, and the
// finders over them. Rows are numbered from 1; a table's counter is the next free row
// (1 when empty) and the row at the counter and above read as empty. A filler that
// would pass a table's capacity gets a CapacityError naming the table and its limit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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

// A fixed-capacity table numbered from 1. Only rows below the counter are stored; the
// others are the empty row.
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
  // Row i in use (1 to counter - 1), for changing it in place.
  Row& At(int32_t i) { return rows_.at(static_cast<std::size_t>(i - 1)); }
  // Appends at the counter; throws CapacityError when the table is full.
  Row& Append(Row row);
  void Clear() { rows_.clear(); }

 private:
  int32_t capacity_;
  std::u16string description_;
  std::vector<Row> rows_;
  Row empty_{};
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
