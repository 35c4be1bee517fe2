// The platform collator's sort keys must order as its comparison does, for every pair of
// the kinds of texts the sorted lists hold (hyphens and apostrophes, a last tie-break
// natively, included), so a list sorted by keys is the list sorted by comparing.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/sorted_string_list.h"
#include "platform/platform.h"

namespace bnf {
namespace {

const std::vector<std::u16string> kTexts = {u"",
                                            u"PORTA",
                                            u"PORTa",
                                            u"\u00E9",
                                            u"e",
                                            u";",
                                            u"_",
                                            u"-",
                                            u"0",
                                            u"A_B",
                                            u"A0B",
                                            u"T1_CON",
                                            u"T10CON",
                                            u"T1CON",
                                            u"a.b",
                                            u"A\\B",
                                            u"a\tb",
                                            u"co-op",
                                            u"coop",
                                            u"cop",
                                            u"coo-p",
                                            u"coop-",
                                            u"a'b",
                                            u"a-b",
                                            u"a--b",
                                            u"Co-op",
                                            u"cO-OP",
                                            u"\u00FE",
                                            u"th",
                                            u"\u00FF",
                                            u"y",
                                            u"\u0178",
                                            u"STATUS;3;NOT_PD",
                                            u"status;3;not_pd",
                                            u"PIR10;0;A",
                                            u"ADC1BUF0\u00FF0300\u00FF",
                                            u"ADC1\u00FF0300\u00FF",
                                            u"U1MODE\u00FE15\u00FEUARTEN\u00FEUART enable\u00FE",
                                            u"U1MODE\u00FE15\u00FEUARTEN\u00FEUART-enable\u00FE",
                                            u"C:\\x\\P16F84_A.INC"};

int Sign(int v) {
  return (v > 0) - (v < 0);
}

// The platform's comparison without its keys: the lists then sort by comparing.
class CompareOnly : public Collator {
 public:
  explicit CompareOnly(const Collator& c) : c_(c) {}
  int Compare(std::u16string_view a, std::u16string_view b) const override {
    return c_.Compare(a, b);
  }

 private:
  const Collator& c_;
};

TEST(SortKeys, OrderAsTheComparisonAndSortListsAlike) {
  std::unique_ptr<Collator> collator = MakeCollator();
  for (const std::u16string& a : kTexts) {
    for (const std::u16string& b : kTexts) {
      std::optional<std::string> ka = collator->SortKey(a);
      std::optional<std::string> kb = collator->SortKey(b);
      ASSERT_TRUE(ka && kb);
      EXPECT_EQ(Sign(collator->Compare(a, b)), Sign(ka->compare(*kb)))
          << std::string(a.begin(), a.end()) << " vs " << std::string(b.begin(), b.end());
    }
  }
  // A batch large enough for the lists to sort it by keys, texts equal but for case in it.
  std::vector<std::u16string> batch;
  for (const char16_t* suffix : {u"", u"-", u"0", u"A", u"a"}) {
    for (const std::u16string& text : kTexts) batch.push_back(text + suffix);
  }
  CompareOnly comparing(*collator);
  SortedStringList byKeys(*collator), byComparing(comparing);
  byKeys.AddAll(batch);
  byComparing.AddAll(batch);
  EXPECT_EQ(byComparing.Items(), byKeys.Items());
  SortedStringList unsorted(*collator, false), unsortedComparing(comparing, false);
  unsorted.AddAll(batch);
  unsortedComparing.AddAll(batch);
  unsorted.SetSorted(true);
  unsortedComparing.SetSorted(true);
  EXPECT_EQ(unsortedComparing.Items(), unsorted.Items());
}

}  // namespace
}  // namespace bnf
