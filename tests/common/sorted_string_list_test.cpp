// The classic sorted-list rules on the platform's comparison: kept in order on every
// insert, a text equal to one present apart from letter case dropped (the first kept),
// appended as it comes while sorting is off, and sorted again when it is switched on.
#include "common/sorted_string_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace bnf {
namespace {

using Texts = std::vector<std::u16string>;

TEST(SortedStringList, KeepsOrderDropsEqualTextsAndSortsWhenSwitchedOn) {
  std::unique_ptr<Collator> collator = MakeCollator();
  SortedStringList list(*collator, false);
  for (const char16_t* text : {u"ZZ", u"aa", u"AA", u"B"}) EXPECT_TRUE(list.Add(text));
  EXPECT_EQ((Texts{u"ZZ", u"aa", u"AA", u"B"}), list.Items());
  list.SetSorted(true);
  EXPECT_EQ((Texts{u"aa", u"AA", u"B", u"ZZ"}), list.Items());
  EXPECT_FALSE(list.Add(u"Aa"));
  EXPECT_TRUE(list.Add(u"AB"));
  EXPECT_TRUE(list.Add(u"a"));
  EXPECT_FALSE(list.Add(u"zz"));
  EXPECT_TRUE(list.Add(u"zzz"));
  EXPECT_EQ((Texts{u"a", u"aa", u"AA", u"AB", u"B", u"ZZ", u"zzz"}), list.Items());
  list.SetSorted(false);
  EXPECT_TRUE(list.Add(u"A"));
  EXPECT_EQ(u"A", list[list.Count() - 1]);
}

TEST(SortedStringList, AddingABatchKeepsWhatAddingEachWouldKeep) {
  std::unique_ptr<Collator> collator = MakeCollator();
  const Texts batch{u"STATUS;3;PD",     u"status;3;pd", u"STATUS;10;X", u"STATUS;2;Y",
                    u"STATUS;3;NOT_PD", u"STATUS;2;y",  u"T1-CON",      u"T1CON"};
  SortedStringList oneByOne(*collator), empty(*collator), holding(*collator),
      unsorted(*collator, false);
  for (const std::u16string& text : batch) oneByOne.Add(text);
  EXPECT_EQ((Texts{u"STATUS;10;X", u"STATUS;2;Y", u"STATUS;3;NOT_PD", u"STATUS;3;PD", u"T1CON",
                   u"T1-CON"}),
            oneByOne.Items());
  empty.AddAll(batch);
  EXPECT_EQ(oneByOne.Items(), empty.Items());
  holding.Add(u"status;2;y");
  holding.AddAll(batch);
  EXPECT_EQ(u"status;2;y", holding[1]);
  EXPECT_EQ(6u, holding.Count());
  unsorted.AddAll(batch);
  EXPECT_EQ(batch, unsorted.Items());
}

}  // namespace
}  // namespace bnf
