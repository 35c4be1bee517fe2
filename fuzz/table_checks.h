// Invariants of the device tables that a fuzz target checks after each input: the
// capacities hold, and the indexed finders give the answers of a plain walk over the
// rows (for the names of the first and the last rows, where blocks begin and end).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "common/text_utils.h"
#include "creator/device_tables.h"
#include "fuzz/fuzz_support.h"

namespace bnf::fuzz {

// The first row up to and including the counter whose key is `key`, as the finders were
// first written: a walk in row order.
template <typename Row>
int32_t WalkFirst(const Table<Row>& table, std::u16string_view key) {
  for (int32_t i = 1; i <= table.Counter(); ++i) {
    if (KeyOf(table[i]) == key) return i;
  }
  return -1;
}

template <typename Visit>
void SampleRows(int32_t counter, Visit visit) {
  constexpr int32_t kEdge = 32;
  for (int32_t i = 1; i <= std::min(counter, kEdge); ++i) visit(i);
  for (int32_t i = std::max(kEdge + 1, counter - kEdge); i <= counter; ++i) visit(i);
}

inline void CheckTables(const DeviceTables& t) {
  Check(t.RegCount() - 1 <= kRegCapacity, "RegTable within its capacity");
  Check(t.BitCount() - 1 <= kBitCapacity, "BitTable within its capacity");
  Check(t.NotFoundCount() - 1 <= kNotFoundCapacity, "NotFound within its capacity");
  SampleRows(t.RegCount(), [&](int32_t i) {
    const std::u16string& name = t.RegTable[i].name;
    int32_t walked = IsBlank(name) ? -1 : WalkFirst(t.RegTable, name);
    Check(t.FindRegister(name) == walked, "FindRegister answers as a walk");
  });
  SampleRows(t.BitCount(), [&](int32_t i) {
    const std::u16string& owner = t.BitTable[i].owner;
    int32_t walked = WalkFirst(t.BitTable, owner);
    Check(t.FindFirstBit4Reg(owner) == walked, "FindFirstBit4Reg answers as a walk");
    Check(t.FindRegisterInBit(owner) == (IsBlank(owner) ? -1 : walked),
          "FindRegisterInBit answers as a walk");
  });
}

}  // namespace bnf::fuzz
