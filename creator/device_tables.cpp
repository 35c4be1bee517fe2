// The device tables' capacity check, their key index and the finders. The finders
// answer as a walk up to and including the row at the counter would: that row reads as
// empty, so an empty owner ends the last bit block and the empty text finds it at the
// latest. The index holds every row's key with its rows in ascending order, so the first
// row is the front of its list whatever was appended or changed since.
#include "creator/device_tables.h"

#include <algorithm>

#include "common/text_utils.h"

namespace bnf {

template <typename Row>
Row& Table<Row>::At(int32_t i) {
  Row& row = rows_.at(static_cast<std::size_t>(i - 1));
  Touch(i);
  return row;
}

template <typename Row>
Row& Table<Row>::Append(Row row) {
  if (Counter() > capacity_) {
    throw CapacityError(u"The " + description_ + u" is full: it holds at most " +
                        IntToText(capacity_) + u" rows. Nothing was written for this device.");
  }
  const int32_t i = Counter();
  indexedKeys_.push_back(KeyOf(row));
  index_[KeyOf(row)].push_back(i);
  rows_.push_back(std::move(row));
  // The caller may change the key through the reference it gets back.
  Touch(i);
  return rows_.back();
}

template <typename Row>
void Table<Row>::Clear() {
  rows_.clear();
  index_.clear();
  indexedKeys_.clear();
  touched_.clear();
  allTouched_ = false;
  ++keyEpoch_;
}

template <typename Row>
int32_t Table<Row>::FirstWithKey(std::u16string_view key) const {
  SyncIndex();
  auto found = index_.find(key);
  return found == index_.end() ? -1 : found->second.front();
}

template <typename Row>
uint64_t Table<Row>::KeyEpoch() const {
  SyncIndex();
  return keyEpoch_;
}

template <typename Row>
void Table<Row>::Touch(int32_t i) {
  if (allTouched_) return;
  // A pass over every row costs no more than a list this long: stop growing it.
  if (touched_.size() >= rows_.size()) {
    allTouched_ = true;
    touched_.clear();
    return;
  }
  touched_.push_back(i);
}

template <typename Row>
void Table<Row>::SyncIndex() const {
  if (allTouched_) {
    for (int32_t i = 1; i < Counter(); ++i) Reindex(i);
  } else {
    for (int32_t i : touched_) Reindex(i);
  }
  touched_.clear();
  allTouched_ = false;
}

template <typename Row>
void Table<Row>::Reindex(int32_t i) const {
  const std::u16string& now = KeyOf(rows_[static_cast<std::size_t>(i - 1)]);
  std::u16string& was = indexedKeys_[static_cast<std::size_t>(i - 1)];
  if (now == was) return;
  auto old = index_.find(std::u16string_view(was));
  std::vector<int32_t>& oldRows = old->second;
  oldRows.erase(std::lower_bound(oldRows.begin(), oldRows.end(), i));
  if (oldRows.empty()) index_.erase(old);
  std::vector<int32_t>& newRows = index_[now];
  newRows.insert(std::lower_bound(newRows.begin(), newRows.end(), i), i);
  was = now;
  ++keyEpoch_;
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
  // A blank name would otherwise meet the empty row at the counter.
  if (IsBlank(sFind)) return -1;
  return RegTable.FirstWithKey(sFind);
}

int32_t DeviceTables::FindFirstBit4Reg(std::u16string_view sFind) const {
  int32_t row = BitTable.FirstWithKey(sFind);
  if (row > 0) return row;
  return sFind.empty() ? BitCount() : -1;
}

int32_t DeviceTables::FindLastBit4Reg(std::u16string_view sRegName, int32_t iFirst) const {
  // iFirst below 1 is FindFirstBit4Reg's "no block" answer passed on; answering -1
  // keeps the caller's loop from first to last empty instead of reaching below row 1.
  // The walk is as long as the block, which the caller walks anyway.
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
