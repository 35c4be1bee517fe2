// A list of texts with the classic sorted-list rules: while sorting is on, the list
// is kept in the collator's order on every insert and an added text that compares
// equal to one present is dropped; with sorting off, texts are appended as they come.
// Switching sorting on sorts what the list holds (equal texts already in it stay).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace bnf {

class SortedStringList {
 public:
  explicit SortedStringList(const Collator& collator, bool sorted = true)
      : collator_(&collator), sorted_(sorted) {}

  // Returns false when the text was dropped as equal to one already present.
  bool Add(std::u16string text);
  // The same as adding each text in turn, but sorting a batch for an empty sorted list
  // once instead of inserting each text into the middle (tens of thousands of bits).
  void AddAll(std::vector<std::u16string> texts);
  // What AddAll of `texts` into an empty sorted list would hold, as indices into
  // `texts`, leaving this list as it is.
  std::vector<std::size_t> BatchOrder(const std::vector<std::u16string>& texts) const;
  void Clear() { items_.clear(); }
  // The texts, leaving the list empty.
  std::vector<std::u16string> TakeAll() { return std::exchange(items_, {}); }
  void Delete(std::size_t index) { items_.erase(items_.begin() + static_cast<long>(index)); }
  void SetSorted(bool sorted);
  bool Sorted() const { return sorted_; }

  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  const std::u16string& operator[](std::size_t index) const { return items_[index]; }
  const std::vector<std::u16string>& Items() const { return items_; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  void SortItems();

  const Collator* collator_;
  bool sorted_;
  std::vector<std::u16string> items_;
};

}  // namespace bnf
