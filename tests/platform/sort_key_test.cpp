// The platform collator's sort keys must order every pair of the lists' kinds of texts
// as its comparison does (hyphens and apostrophes, a last tie-break natively, included),
// so a batch sorted by keys is the batch sorted by comparing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/sorted_string_list.h"
#include "platform/platform.h"

namespace bnf {
namespace {

// The texts between the bars.
constexpr std::u16string_view kTexts =
    u"|PORTA|PORTa|\u00E9|e|;|_|-|0|A_B|A0B|T1_CON|T10CON|T1CON|a.b|A\\B|a\tb|co-op|coop|cop|"
    u"coo-p|coop-|a'b|a-b|a--b|Co-op|cO-OP|\u00FE|th|\u00FF|y|\u0178|STATUS;3;NOT_PD|"
    u"status;3;not_pd|ADC1BUF0\u00FF0300\u00FF|ADC1\u00FF0300\u00FF|U1\u00FE15\u00FEUART en\u00FE|"
    u"U1\u00FE15\u00FEUART-en\u00FE|C:\\x\\P16F84_A.INC";

struct CompareOnly : Collator {  // the platform's comparison without its keys
  explicit CompareOnly(const Collator& c) : c(c) {}
  int Compare(std::u16string_view a, std::u16string_view b) const override {
    return c.Compare(a, b);
  }
  const Collator& c;
};

TEST(SortKeys, OrderAsTheComparisonAndSortListsAlike) {
  std::unique_ptr<Collator> collator = MakeCollator();
  std::vector<std::u16string> texts, batch;
  for (std::size_t at = 0, bar; at <= kTexts.size(); at = bar + 1) {
    bar = std::min(kTexts.find(u'|', at), kTexts.size());
    texts.emplace_back(kTexts.substr(at, bar - at));
  }
  auto sign = [](int v) { return (v > 0) - (v < 0); };
  for (const std::u16string& a : texts) {
    for (const std::u16string& b : texts) {
      EXPECT_EQ(sign(collator->Compare(a, b)),
                sign(collator->SortKey(a)->compare(*collator->SortKey(b))));
    }
  }
  // Large enough to be sorted by keys; texts equal but for letter case in it.
  for (const char16_t* end : {u"", u"-", u"0", u"A", u"a"}) {
    for (const std::u16string& text : texts) batch.push_back(text + end);
  }
  CompareOnly comparing(*collator);
  auto sort = [&](const Collator& c, bool sortedAtFirst) {
    SortedStringList list(c, sortedAtFirst);
    list.AddAll(batch);
    list.SetSorted(true);
    return list.Items();
  };
  for (bool atFirst : {true, false}) EXPECT_EQ(sort(comparing, atFirst), sort(*collator, atFirst));
}

}  // namespace
}  // namespace bnf
