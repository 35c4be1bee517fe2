// Pos and HoldsUpperCased look for a word's first character eight characters at a
// time: matches before, across and behind those steps, and near misses.
#include <gtest/gtest.h>

#include <string>

#include "common/text_utils.h"

namespace bnf {
namespace {

TEST(WordSearch, FindsTheFirstWholeWordInAnyStep) {
  struct Case {
    std::u16string text;
    std::u16string word;
    int32_t pos;
    bool upperCased;
  };
  const Case cases[] = {
      {u"bit 3 UNIMPL", u"UNIMPL", 7, true},
      {u"0123456Unimplemented", u"UNIMPL", 0, true},
      {u"0123456789abcdefunimp", u"UNIMP", 0, true},
      {u"MICROCHIP", u"MICROCHIPS", 0, false},
      {u"0123456789abcdefMICRO", u"MICROCHIP", 0, false},
      {u"0123456789MMICROCHIP", u"MICROCHIP", 12, true},
      {u"note .....x ......", u"......", 13, true},
      {u"", u"NOTE", 0, false},
      {u"{igure FIGURE", u"FIGURE", 8, true},
      {u"NOTE", u"", 0, false},
      {u"x address", u"ADDRESS", 0, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.pos, Pos(c.word, c.text)) << c.word.size() << " " << c.text.size();
    EXPECT_EQ(c.upperCased, HoldsUpperCased(c.text, c.word))
        << c.word.size() << " " << c.text.size();
  }
}

}  // namespace
}  // namespace bnf
