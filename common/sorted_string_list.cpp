#include "common/sorted_string_list.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace bnf {

namespace {

struct Keyed {
  std::string key;
  std::size_t index;
};

// Below this many texts comparing is cheaper: a comparison mostly ends at the first
// characters, a key is made from the whole text.
constexpr std::size_t kKeyedBatch = 128;

// The texts in the collator's order as a stable sort gives it, each with its key;
// nothing for a small batch or when the collator has no key for one of the texts.
std::optional<std::vector<Keyed>> KeyedOrder(const std::vector<std::u16string>& texts,
                                             const Collator& collator) {
  if (texts.size() < kKeyedBatch) return std::nullopt;
  std::vector<Keyed> keyed;
  keyed.reserve(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::optional<std::string> key = collator.SortKey(texts[i]);
    if (!key) return std::nullopt;
    keyed.push_back({std::move(*key), i});
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
  return keyed;
}

}  // namespace

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
  std::vector<std::size_t> order = BatchOrder(texts);
  items_.reserve(order.size());
  for (std::size_t index : order) items_.push_back(std::move(texts[index]));
}

std::vector<std::size_t> SortedStringList::BatchOrder(
    const std::vector<std::u16string>& texts) const {
  std::vector<std::size_t> order;
  order.reserve(texts.size());
  // Stable, so of texts that compare equal the one added first is the one kept.
  if (std::optional<std::vector<Keyed>> keyed = KeyedOrder(texts, *collator_)) {
    for (std::size_t i = 0; i < keyed->size(); ++i) {
      if (i > 0 && (*keyed)[i].key == (*keyed)[i - 1].key) continue;
      order.push_back((*keyed)[i].index);
    }
    return order;
  }
  std::vector<std::size_t> all(texts.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
  std::stable_sort(all.begin(), all.end(), [&](std::size_t a, std::size_t b) {
    return collator_->Compare(texts[a], texts[b]) < 0;
  });
  for (std::size_t index : all) {
    if (!order.empty() && collator_->Compare(texts[order.back()], texts[index]) == 0) continue;
    order.push_back(index);
  }
  return order;
}

void SortedStringList::SetSorted(bool sorted) {
  if (sorted && !sorted_) SortItems();
  sorted_ = sorted;
}

void SortedStringList::SortItems() {
  if (std::optional<std::vector<Keyed>> keyed = KeyedOrder(items_, *collator_)) {
    std::vector<std::u16string> ordered;
    ordered.reserve(items_.size());
    for (const Keyed& k : *keyed) ordered.push_back(std::move(items_[k.index]));
    items_ = std::move(ordered);
    return;
  }
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const std::u16string& a, const std::u16string& b) {
                     return collator_->Compare(a, b) < 0;
                   });
}

}  // namespace bnf
