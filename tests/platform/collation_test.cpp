// The orders every build's locale comparison must give: the Windows orders
// (CompareStringW, en-US, letter case ignored) for the kinds of texts the tool keeps in
// sorted lists, and sort keys that order as the comparison does, so a batch sorted by
// keys is the batch sorted by comparing. Runs against ICU natively and the Win32 calls.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/sorted_string_list.h"
#include "platform/platform.h"

namespace bnf {
namespace {

using namespace std::string_view_literals;

struct Case {
  std::u16string_view a, b;
  int expected;  // sign of Compare(a, b)
};

const Case kCases[] = {
    // Empty texts without data, embedded NULs.
    {std::u16string_view(), u"a", -1},
    {u"a\0b"sv, u"a\0c"sv, -1},
    // Letter case never counts; accents do, after the letter.
    {u"PORTA", u"PORTa", 0},
    {u"\u00E9", u"e", 1},
    {u"\u00E9", u"f", -1},
    // Blanks, then punctuation in nearly code order, then digits, then letters; no
    // punctuation is ignored.
    {u"a b", u"a\tb", -1},
    {u"C:\\Program Files\\x", u"C:\\Program Files (x86)\\x", 1},
    {u"C:\\x\\P16F84.INC\t3/5/2021\t12", u"C:\\x\\P16F84.INC.OLD\t3/5/2021\t12", -1},
    {u"a.b", u"a;b", -1},
    {u"A\\B", u"A.B", 1},
    {u"T1CON;0;TMR1ON", u"T1CON_X;0;A", -1},
    {u"_", u"0", -1},
    {u"0", u"a", -1},
    {u"NOT_PD", u"NOTPD", -1},
    // Hyphen and apostrophe count only when all else is equal: then more marks, an
    // earlier mark, and at the same place the hyphen sort after.
    {u"co-op", u"coop", 1},
    {u"co'op", u"coop", 1},
    {u"a--b", u"a-b", 1},
    {u"co-op", u"coo-p", 1},
    {u"co'op", u"coo'p", 1},
    {u"a'b", u"a-b", -1},
    {u"a-b", u"a_b", 1},
    {u"Co-op", u"cO-OP", 0},
    // Thorn is "th"; y with diaeresis is y with an accent (the lists' separators).
    {u"\u00FE", u"th", 0},
    {u"A\u00FE", u"AZ", -1},
    {u"\u00FF", u"y", 1},
    {u"\u00FF", u"z", -1},
    // Long enough for a sort key beyond the first guess of its size.
    {u"\u00DF\u00DF\u00DF\u00DF\u00DF\u00DF\u00DF\u00DF\u00DF\u00DF\u00DF\u00DF\u00DF\u00DF\u00DF"
     u"\u00DF",
     u"t", -1},
};

int Sign(int v) {
  return (v > 0) - (v < 0);
}

TEST(Collation, OrdersTheToolsTextsAsWindowsDoes) {
  std::unique_ptr<Collator> collator = MakeCollator();
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.a)) + " vs " +
                 testing::PrintToString(std::u16string(c.b)));
    EXPECT_EQ(c.expected, Sign(collator->Compare(c.a, c.b)));
    EXPECT_EQ(-c.expected, Sign(collator->Compare(c.b, c.a)));
  }
}

struct CompareOnly : Collator {  // the platform's comparison without its keys
  explicit CompareOnly(const Collator& c) : c(c) {}
  int Compare(std::u16string_view a, std::u16string_view b) const override {
    return c.Compare(a, b);
  }
  const Collator& c;
};

TEST(Collation, SortKeysOrderAsTheComparisonAndSortListsAlike) {
  std::unique_ptr<Collator> collator = MakeCollator();
  std::vector<std::u16string> texts, batch;
  for (const Case& c : kCases) {
    for (std::u16string_view text : {c.a, c.b}) {
      if (text.find(u'\0') == text.npos) texts.emplace_back(text);  // Windows has no key
    }
  }
  for (const std::u16string& a : texts) {
    for (const std::u16string& b : texts) {
      EXPECT_EQ(Sign(collator->Compare(a, b)),
                Sign(collator->SortKey(a)->compare(*collator->SortKey(b))));
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
