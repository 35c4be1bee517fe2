#include "common/sorted_string_list.h"

#include <algorithm>

namespace bnf {

bool SortedStringList::Add(std::u16string text) {
  if (!sorted_) {
    items_.push_back(std::move(text));
    return true;
  }
  auto at = std::lower_bound(items_.begin(), items_.end(), text,
                             [this](const std::u16string& item, const std::u16string& t) {
                               return collator_->Compare(item, t) < 0;
                             });
  if (at != items_.end() && collator_->Compare(*at, text) == 0) return false;
  items_.insert(at, std::move(text));
  return true;
}

void SortedStringList::AddAll(std::vector<std::u16string> texts) {
  if (!sorted_ || !items_.empty()) {
    for (std::u16string& text : texts) Add(std::move(text));
    return;
  }
  auto less = [this](const std::u16string& a, const std::u16string& b) {
    return collator_->Compare(a, b) < 0;
  };
  // Stable, so of texts that compare equal the one added first is the one kept.
  std::stable_sort(texts.begin(), texts.end(), less);
  for (std::u16string& text : texts) {
    if (!items_.empty() && collator_->Compare(items_.back(), text) == 0) continue;
    items_.push_back(std::move(text));
  }
}

void SortedStringList::SetSorted(bool sorted) {
  if (sorted && !sorted_) {
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const std::u16string& a, const std::u16string& b) {
                       return collator_->Compare(a, b) < 0;
                     });
  }
  sorted_ = sorted;
}

}  // namespace bnf
