// The device tables' capacity check and the finders. The finders walk up to and
// including the row at the counter, which reads as empty: an empty owner ends the last
// bit block, so FindLastBit4Reg needs no end-of-table case of its own.
#include "creator/device_tables.h"

#include "common/text_utils.h"

namespace bnf {

template <typename Row>
Row& Table<Row>::Append(Row row) {
  if (Counter() > capacity_) {
    throw CapacityError(u"The " + description_ + u" is full: it holds at most " +
                        IntToText(capacity_) + u" rows. Nothing was written for this device.");
  }
  rows_.push_back(std::move(row));
  return rows_.back();
}

template class Table<RegRow>;
template class Table<BitRow>;
template class Table<NotFoundRow>;

void DeviceTables::EmptyAll() {
  EmptyRegistersAndBits();
  NotFound.Clear();
}

void DeviceTables::EmptyRegistersAndBits() {
  RegTable.Clear();
  BitTable.Clear();
}

int32_t DeviceTables::FindRegister(std::u16string_view sFind) const {
  if (IsBlank(sFind)) return -1;
  for (int32_t i = 1; i <= RegCount(); ++i) {
    if (RegTable[i].name == sFind) return i;
  }
  return -1;
}

int32_t DeviceTables::FindFirstBit4Reg(std::u16string_view sFind) const {
  for (int32_t i = 1; i <= BitCount(); ++i) {
    if (BitTable[i].owner == sFind) return i;
  }
  return -1;
}

int32_t DeviceTables::FindLastBit4Reg(std::u16string_view sRegName, int32_t iFirst) const {
  // iFirst below 1 is FindFirstBit4Reg's "no block" answer passed on; answering -1
  // keeps the caller's loop from first to last empty instead of reaching below row 1.
  if (iFirst < 1 || iFirst > BitCount()) return -1;
  for (int32_t i = iFirst; i <= BitCount(); ++i) {
    if (BitTable[i].owner != sRegName) return i - 1;
  }
  return -1;
}

int32_t DeviceTables::FindRegisterInBit(std::u16string_view sFind) const {
  if (IsBlank(sFind)) return -1;
  return FindFirstBit4Reg(sFind);
}

}  // namespace bnf
