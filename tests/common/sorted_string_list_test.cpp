// The classic sorted-list rules on the platform's comparison: kept in order on every
// insert, a text equal to one present apart from letter case dropped, appended as it
// comes while sorting is off, and sorted again when it is switched back on.
#include "common/sorted_string_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace bnf {
namespace {

using Texts = std::vector<std::u16string>;

class SortedStringListTest : public ::testing::Test {
 protected:
  std::unique_ptr<Collator> collator = MakeCollator();
};

TEST_F(SortedStringListTest, KeepsOrderAndDropsEqualTexts) {
  SortedStringList list(*collator);
  EXPECT_TRUE(list.Add(u"T2CON"));
  EXPECT_TRUE(list.Add(u"t1con"));
  EXPECT_TRUE(list.Add(u"T10CON"));
  EXPECT_TRUE(list.Add(u"T1_CON"));
  EXPECT_FALSE(list.Add(u"T1CON"));
  EXPECT_TRUE(list.Add(u"T1-CON"));
  EXPECT_EQ((Texts{u"T1_CON", u"T10CON", u"t1con", u"T1-CON", u"T2CON"}), list.Items());
}

TEST_F(SortedStringListTest, AppendsWhileUnsortedAndSortsWhenSwitchedOn) {
  SortedStringList list(*collator, false);
  for (const char16_t* text : {u"ZZ", u"aa", u"AA", u"B"}) EXPECT_TRUE(list.Add(text));
  EXPECT_EQ((Texts{u"ZZ", u"aa", u"AA", u"B"}), list.Items());

  list.SetSorted(true);
  EXPECT_EQ((Texts{u"aa", u"AA", u"B", u"ZZ"}), list.Items());
  EXPECT_FALSE(list.Add(u"Aa"));
  EXPECT_TRUE(list.Add(u"AB"));
  EXPECT_EQ((Texts{u"aa", u"AA", u"AB", u"B", u"ZZ"}), list.Items());

  list.SetSorted(false);
  EXPECT_TRUE(list.Add(u"A"));
  EXPECT_EQ(u"A", list[list.Count() - 1]);
}

TEST_F(SortedStringListTest, AddingABatchKeepsWhatAddingEachWouldKeep) {
  const Texts batch{u"STATUS;3;PD", u"status;3;pd", u"STATUS;10;X", u"STATUS;2;Y",
                    u"STATUS;3;NOT_PD", u"STATUS;2;y"};
  SortedStringList oneByOne(*collator);
  for (const std::u16string& text : batch) oneByOne.Add(text);
  ASSERT_EQ((Texts{u"STATUS;10;X", u"STATUS;2;Y", u"STATUS;3;NOT_PD", u"STATUS;3;PD"}),
            oneByOne.Items());

  SortedStringList empty(*collator);
  empty.AddAll(batch);
  EXPECT_EQ(oneByOne.Items(), empty.Items());

  SortedStringList holding(*collator);
  holding.Add(u"status;2;y");
  holding.AddAll(batch);
  EXPECT_EQ((Texts{u"STATUS;10;X", u"status;2;y", u"STATUS;3;NOT_PD", u"STATUS;3;PD"}),
            holding.Items());

  SortedStringList unsorted(*collator, false);
  unsorted.AddAll(batch);
  EXPECT_EQ(batch, unsorted.Items());
}

}  // namespace
}  // namespace bnf
