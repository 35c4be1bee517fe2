// The text procedures on the inputs their callers rely on: one table per signature.
#include "common/text_utils.h"

#include <gtest/gtest.h>

#include <string>

namespace bnf {
namespace {

using Text = std::u16string;
using TextFn = Text (*)(std::u16string_view);

TEST(TextUtils, TextToText) {
  const TextFn add = AddBackslash, trim = Trim, upper = UpperCase, blanks = CompressSpaces,
               quotes = QuotesToSpaces;
  const struct {
    TextFn fn;
    Text in, out;
  } cases[] = {{add, u"", u"\\"},
               {add, u"   ", u"\\"},
               {add, u" C:\\D ", u"C:\\D\\"},
               {add, u"C:\\D\\", u"C:\\D\\"},
               {add, u"C:\\D\\\\", u"C:\\D\\\\"},
               {add, u"C:/D/", u"C:/D/\\"},
               {add, u"\tC:\\D\r\n", u"C:\\D\\"},
               {trim, u"\x01\t a b\r\n ", u"a b"},
               {trim, u"!", u"!"},
               {trim, u"\u00A0a\u00A0", u"\u00A0a\u00A0"},
               {trim, u"  ", u""},
               {upper, u"`{_1", u"`{_1"},
               {upper, u"\u00E9\u00FF\uFF41", u"\u00E9\u00FF\uFF41"},
               {blanks, u"A\tB", u"A B"},
               {blanks, u"  A   B  ", u" A B "},
               {blanks, u"A \t \tB", u"A B"},
               {blanks, u"", u""},
               {blanks, u"\tA\r\n", u" A\r\n"},
               {blanks, u"A\r  \nB", u"A\r \nB"},
               {blanks, u" \t\r\n", u""},
               {quotes, u"H'0007'", u"H 0007 "},
               {quotes, u"'", u" "},
               {quotes, u"A\"B", u"A\"B"},
               {quotes, u"   ", u""},
               {quotes, u"", u""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.in));
    EXPECT_EQ(c.out, c.fn(c.in));
  }
  EXPECT_EQ(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", UpperCase(u"abcdefghijklmnopqrstuvwxyz"));
  // Nothing before an empty view is read (ASan sees a read in front of the heap block).
  const Text spaces(32, u' ');
  EXPECT_EQ(u"", Trim(std::u16string_view(spaces.data(), 0)));
  EXPECT_TRUE(IsBlank(u" \t\r\n\x01"));
  EXPECT_FALSE(IsBlank(u" ! "));
  EXPECT_TRUE(Holds(u"abc", u"c"));
  EXPECT_FALSE(Holds(u"abc", u"C"));
  EXPECT_EQ(u"-5000000000", IntToText(-5'000'000'000));
}

TEST(TextUtils, HeadTailAndTheWordAtAPosition) {
  using Fn = Text (*)(std::u16string_view, int32_t);
  const Fn head = Head, tail = Tail, word = GetWordAt;
  const struct {
    Fn fn;
    Text in;
    int32_t n;
    Text out;
  } cases[] = {{head, u"abc", 2, u"ab"},
               {head, u"abc", 9, u"abc"},
               {head, u"abc", 0, u""},
               {head, u"abc", 1, u"a"},
               {tail, u"abc", 2, u"bc"},
               {tail, u"abc", 3, u"c"},
               {tail, u"abc", 4, u""},
               {tail, u"abc", 0, u"abc"},
               {tail, u"abc", -5, u"abc"},
               // The run of word characters touching the boundary in front of the position.
               {word, u"ADON: A/D", 5, u"ADON:"},
               {word, u"7 RP1:RP0: on", 8, u"RP1:RP0:"},
               {word, u"GO/DONE", 1, u"GO"},
               {word, u"GO/DONE", 8, u"DONE"},
               {word, u"GO/DONE", 3, u"GO"},
               {word, u"GO/DONE", 4, u"DONE"},
               {word, u"GO/DONE", 9, u""},
               {word, u"GO/DONE", 0, u""},
               {word, u" X ", 1, u""},
               {word, u"a b", 2, u"a"},
               {word, u"a b", 3, u"b"},
               {word, u"", 1, u""},
               {word, u"$12_ab", 4, u"$12_ab"},
               {word, u"<TAG>", 3, u"TAG"},
               {word, u"A-B", 2, u"A"},
               {word, u"A.B", 3, u"B"},
               {word, u"@AZ[`az{", 3, u"AZ"},
               {word, u"@AZ[`az{", 7, u"az"},
               {word, u"/09;", 3, u"09"},
               {word, u"\u00E9AB\u00E9", 3, u"AB"},
               {word, u"A\u0100B", 2, u"A"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.in) + " " + std::to_string(c.n));
    EXPECT_EQ(c.out, c.fn(c.in, c.n));
  }
  EXPECT_EQ(kMaxTail, Tail(Text(1200, u'x'), 2).size());
}

TEST(TextUtils, PositionsOfTheFirstAndLastOccurrence) {
  using Fn = int32_t (*)(std::u16string_view, std::u16string_view);
  const Fn first = Pos, last = LastPos;
  const struct {
    Fn fn;
    Text find, in;
    int32_t at;
  } cases[] = {
      {first, u"c", u"abcc", 3}, {first, u"C", u"abc", 0},   {first, u"", u"abc", 0},
      {first, u"a", u"", 0},     {first, u"abc", u"abc", 1}, {last, u"\\", u"C:\\a\\b\\p*", 7},
      {last, u"aa", u"aaa", 2},  {last, u"ab", u"abab", 3},  {last, u"x", u"x", 1},
      {last, u"A", u"abc", 0},   {last, u"", u"abc", 0},     {last, u"a", u"", 0},
      {last, u"abcd", u"abc", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.find) + " in " + testing::PrintToString(c.in));
    EXPECT_EQ(c.at, c.fn(c.find, c.in));
  }
}

// Each call's token and cursor until the text is exhausted.
Text Cuts(std::u16string_view s, std::u16string_view delimiter, int32_t cursor) {
  Text out;
  do {
    out += NextToken(s, cursor, delimiter) + u"@";
    out += IntToText(cursor) + u" ";
  } while (cursor != -1);
  return out;
}

TEST(TextUtils, NextTokenMovesTheCursorBehindTheDelimiter) {
  const struct {
    Text text, delimiter;
    int32_t cursor;
    Text cuts;
  } cases[] = {{u"REG;3;NAME", u";", 1, u"REG@5 3@7 NAME@-1 "},
               {u"A;B;", u";", 1, u"A@3 B@5 @-1 "},
               {u";;X", u";", 1, u"@2 @3 X@-1 "},
               {u"A--B", u"--", 1, u"A@3 -B@-1 "},
               {u"ABC", u";", 2, u"BC@-1 "},
               {u"ABC", u";", 3, u"C@-1 "},
               {u"A;B", u"", 1, u"A;B@-1 "},
               {u"ABC", u";", 0, u"@-1 "},
               {u"ABC", u";", -1, u"@-1 "},
               {u"ABC", u";", 4, u"@-1 "},
               {u"", u";", 1, u"@-1 "},
               {u"", u"", 1, u"@-1 "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text) + " " + std::to_string(c.cursor));
    EXPECT_EQ(c.cuts, Cuts(c.text, c.delimiter, c.cursor));
  }
}

TEST(TextUtils, HexAndDecimalNumbers) {
  // "$" or "0x", blanks after the prefix and after the digits, the last eight digits.
  const struct {
    Text text;
    int32_t value;
  } hex[] = {{u"$1F", 31},
             {u"$1f", 31},
             {u"0x1F", 31},
             {u"0X001f", 31},
             {u"$ 1F", 31},
             {u"$1F  ", 31},
             {u"0x\t1F\t", 31},
             {u"$0", 0},
             {u"$09afAF", 0x9AFAF},
             {u"$FFFFFFFF", -1},
             {u"$7FFFFFFF", 0x7FFFFFFF},
             {u"$80000000", -0x7FFFFFFF - 1},
             {u"$100000000", 0},
             {u"$123456789", 0x23456789}};
  for (const auto& c : hex) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(c.value, HexToInt(c.text));
  }
  for (const char16_t* refused :
       {u" $1F", u"\t0x1F", u"$1 F",  u"1F",  u"x1F",     u"0y1F",   u"$",
        u"0x",   u"$   ",   u"$07 ;", u"$-1", u"$1FH",    u"$G",     u"$/",
        u"$:",   u"$@",     u"",      u"   ", u"$\uFF11", u"$\u00E9"}) {
    EXPECT_EQ(0, HexToInt(refused)) << testing::PrintToString(Text(refused));
  }
  // A sign and digits only, within the int32 bounds; nothing is stored when refused.
  const struct {
    Text text;
    int32_t value;
  } dec[] = {{u"0", 0},
             {u" 42 ", 42},
             {u"+7", 7},
             {u"-5", -5},
             {u"0123456789", 123456789},
             {u"2147483647", 2147483647},
             {u"-2147483648", -2147483647 - 1}};
  for (const auto& c : dec) {
    int32_t value = 9;
    EXPECT_TRUE(TryTextToInt(c.text, value)) << testing::PrintToString(c.text);
    EXPECT_EQ(c.value, value);
  }
  for (const char16_t* refused : {u"2147483648", u"-2147483649", u"99999999999", u"", u"-", u"+-1",
                                  u"1 2", u"1x", u"/", u":", u"$1F"}) {
    int32_t value = 9;
    EXPECT_FALSE(TryTextToInt(refused, value)) << testing::PrintToString(Text(refused));
    EXPECT_EQ(9, value);
  }
}

}  // namespace
}  // namespace bnf
