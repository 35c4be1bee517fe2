// The text procedures on the inputs their callers rely on: cursor rules of NextToken,
// the rightmost match of LastPos, what HexToInt accepts and rejects, word edges of
// GetWordAt, and the blank handling of CompressSpaces and QuotesToSpaces.
#include "common/text_utils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bnf {
namespace {

std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

TEST(AddBackslash, EndsInExactlyOneAddedBackslash) {
  struct Case {
    std::u16string path, expected;
  };
  const std::vector<Case> cases = {
      {u"", u"\\"},
      {u"   ", u"\\"},
      {u" C:\\Data ", u"C:\\Data\\"},
      {u"C:\\Data\\", u"C:\\Data\\"},
      {u"C:\\Data\\\\", u"C:\\Data\\\\"},
      {u"C:/Data/", u"C:/Data/\\"},
      {u"\tC:\\Data\r\n", u"C:\\Data\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.path));
    EXPECT_EQ(c.expected, AddBackslash(c.path));
  }
}

struct Cut {
  std::u16string token;
  int32_t cursor;
};

std::vector<Cut> CutAll(std::u16string_view s, std::u16string_view delimiter, int32_t cursor,
                        int calls) {
  std::vector<Cut> cuts;
  for (int i = 0; i < calls; ++i) {
    std::u16string token = NextToken(s, cursor, delimiter);
    cuts.push_back({token, cursor});
  }
  return cuts;
}

void ExpectCuts(const std::vector<Cut>& expected, const std::vector<Cut>& actual) {
  ASSERT_EQ(expected.size(), actual.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(expected[i].token, actual[i].token);
    EXPECT_EQ(expected[i].cursor, actual[i].cursor);
  }
}

TEST(NextToken, CutsAndMovesTheCursorBehindTheDelimiter) {
  ExpectCuts({{u"REG", 5}, {u"3", 7}, {u"NAME", -1}, {u"", -1}}, CutAll(u"REG;3;NAME", u";", 1, 4));
}

TEST(NextToken, TrailingDelimiterNeedsOneMoreCall) {
  ExpectCuts({{u"A", 3}, {u"B", 5}, {u"", -1}}, CutAll(u"A;B;", u";", 1, 3));
}

TEST(NextToken, DelimiterAtTheCursorGivesAnEmptyToken) {
  ExpectCuts({{u"", 2}, {u"", 3}, {u"X", -1}}, CutAll(u";;X", u";", 1, 3));
}

TEST(NextToken, LongerDelimiterLeavesTheCursorOnItsSecondCharacter) {
  ExpectCuts({{u"A", 3}, {u"-B", -1}}, CutAll(u"A--B", u"--", 1, 2));
}

TEST(NextToken, OutOfRangeCursorOrEmptyInputGivesEmptyAndMinusOne) {
  struct Case {
    std::u16string text, delimiter;
    int32_t cursor;
  };
  const std::vector<Case> cases = {
      {u"ABC", u";", 0}, {u"ABC", u";", -1}, {u"ABC", u";", -7},
      {u"ABC", u";", 4}, {u"", u";", 1},     {u"", u"", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text) + " @" + std::to_string(c.cursor));
    int32_t cursor = c.cursor;
    EXPECT_EQ(u"", NextToken(c.text, cursor, c.delimiter));
    EXPECT_EQ(-1, cursor);
  }
}

TEST(NextToken, MissingOrEmptyDelimiterGivesTheWholeRest) {
  int32_t cursor = 2;
  EXPECT_EQ(u"BC", NextToken(u"ABC", cursor, u";"));
  EXPECT_EQ(-1, cursor);
  cursor = 1;
  EXPECT_EQ(u"A;B", NextToken(u"A;B", cursor, u""));
  EXPECT_EQ(-1, cursor);
}

TEST(LastPos, StartOfTheRightmostOccurrence) {
  struct Case {
    std::u16string find, in;
    int32_t expected;
  };
  const std::vector<Case> cases = {
      {u"\\", u"C:\\a\\b\\p*.inc", 7},
      {u"aa", u"aaa", 2},
      {u"ab", u"abab", 3},
      {u"x", u"x", 1},
      {u"A", u"abc", 0},
      {u"", u"abc", 0},
      {u"a", u"", 0},
      {u"abcd", u"abc", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.find) + " in " + Narrow(c.in));
    EXPECT_EQ(c.expected, LastPos(c.find, c.in));
  }
}

TEST(HexToInt, AcceptsOnlyPrefixedHexDigits) {
  struct Case {
    std::u16string text;
    int32_t expected;
  };
  const std::vector<Case> cases = {
      {u"$1F", 31},
      {u"$1f", 31},
      {u"0x1F", 31},
      {u"0X001f", 31},
      {u"$ 1F", 31},
      {u"$1F  ", 31},
      {u"0x\t1F\t", 31},
      {u"$0", 0},
      {u"$FFFFFFFF", -1},
      {u"$7FFFFFFF", 2147483647},
      {u"$80000000", -2147483647 - 1},
      {u"$100000000", 0},
      {u"$123456789", 0x23456789},
      {u" $1F", 0},
      {u"\t0x1F", 0},
      {u"$1 F", 0},
      {u"1F", 0},
      {u"x1F", 0},
      {u"$", 0},
      {u"0x", 0},
      {u"$   ", 0},
      {u"$07 ;", 0},
      {u"$-1", 0},
      {u"$1FH", 0},
      {u"$G", 0},
      {u"", 0},
      {u"   ", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    EXPECT_EQ(c.expected, HexToInt(c.text));
  }
}

TEST(HexToInt, FullwidthAndAccentedCharactersAreNotDigits) {
  EXPECT_EQ(0, HexToInt(u"$\uFF11"));
  EXPECT_EQ(0, HexToInt(u"$\u00E9"));
}

TEST(GetWordAt, WordTouchingTheBoundaryInFrontOfThePosition) {
  struct Case {
    std::u16string text;
    int32_t pos;
    std::u16string expected;
  };
  const std::vector<Case> cases = {
      {u"ADON: A/D on", 5, u"ADON:"},
      {u"bit 7 RP1:RP0: on", 14, u"RP1:RP0:"},
      {u"GO/DONE", 1, u"GO"},
      {u"GO/DONE", 8, u"DONE"},
      {u"GO/DONE", 3, u"GO"},
      {u"GO/DONE", 4, u"DONE"},
      {u" X ", 1, u""},
      {u"a b", 2, u"a"},
      {u"a b", 3, u"b"},
      {u"", 1, u""},
      {u"$12_ab", 4, u"$12_ab"},
      {u"<TAG>", 3, u"TAG"},
      {u"A-B", 2, u"A"},
      {u"A.B", 3, u"B"},
      {u"\u00E9AB\u00E9", 3, u"AB"},
      {u"A\u0100B", 2, u"A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text) + " @" + std::to_string(c.pos));
    EXPECT_EQ(c.expected, GetWordAt(c.text, c.pos));
  }
}

TEST(CompressSpaces, TabsAndBlankRunsBecomeOneBlank) {
  struct Case {
    std::u16string text, expected;
  };
  const std::vector<Case> cases = {
      {u"A\tB", u"A B"},
      {u"  A   B  ", u" A B "},
      {u"A \t \tB", u"A B"},
      {u"\tA\r\n", u" A\r\n"},
      {u"A\r  \nB", u"A\r \nB"},
      {u"", u""},
      {u"   ", u""},
      {u"\t\t", u""},
      {u"\r\n", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    EXPECT_EQ(c.expected, CompressSpaces(c.text));
  }
}

TEST(QuotesToSpaces, ApostrophesBecomeBlanksAndBlankTextBecomesEmpty) {
  EXPECT_EQ(u"H 0007 ", QuotesToSpaces(u"H'0007'"));
  EXPECT_EQ(u" ", QuotesToSpaces(u"'"));
  EXPECT_EQ(u"A\"B", QuotesToSpaces(u"A\"B"));
  EXPECT_EQ(u"", QuotesToSpaces(u"   "));
  EXPECT_EQ(u"", QuotesToSpaces(u""));
}

TEST(TextPrimitives, TrimUpperCaseAndPos) {
  EXPECT_EQ(u"a b", Trim(u"\x01\t a b\r\n "));
  EXPECT_EQ(u"\u00A0a\u00A0", Trim(u"\u00A0a\u00A0"));
  EXPECT_EQ(u"ABC_\u00E9\u00FF1", UpperCase(u"abC_\u00E9\u00FF1"));
  EXPECT_EQ(3, Pos(u"c", u"abcc"));
  EXPECT_EQ(0, Pos(u"C", u"abc"));
  EXPECT_EQ(0, Pos(u"", u"abc"));
  EXPECT_EQ(999u, Tail(std::u16string(1200, u'x'), 2).size());
}

}  // namespace
}  // namespace bnf
