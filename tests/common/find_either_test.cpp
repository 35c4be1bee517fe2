// FindEither tests four characters per step: a match at every place within and across
// those steps, and a character that differs from a target in one byte only, must give
// what a plain walk gives.
#include <gtest/gtest.h>

#include <string>

#include "common/text_utils.h"

namespace bnf {
namespace {

TEST(FindEither, FindsTheFirstOfTwoCharactersAsAWalkDoes) {
  struct Case {
    std::u16string text;
    std::size_t from;
    std::size_t expected;
  };
  const std::size_t none = std::u16string::npos;
  const Case cases[] = {
      {u"", 0, none},
      {u"abc", 0, none},
      {u":", 0, 0},
      {u"abc:", 0, 3},
      {u"abcd:", 0, 4},
      {u"abcdefg\n:", 0, 7},
      {u"abcdefgh:", 0, 8},
      {u"a:b:", 2, 3},
      {u"a:", 5, none},
      {u"\u013A\u0A3Ax", 0, none},
      {u"\u003B\u3A00:", 0, 2},
      {u"xyzw\nabc", 1, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, FindEither(c.text, u':', u'\n', c.from))
        << c.text.size() << " " << c.from;
  }
}

}  // namespace
}  // namespace bnf
