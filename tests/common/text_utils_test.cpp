// The text procedures on the inputs their callers rely on: one row per call, what it
// gave and what it must give.
#include "common/text_utils.h"

#include <gtest/gtest.h>

#include <string>

namespace bnf {
namespace {

using Text = std::u16string;

// Each call's token and cursor until the text is exhausted.
Text Cuts(std::u16string_view s, std::u16string_view delimiter, int32_t cursor) {
  Text out;
  do {
    out += NextToken(s, cursor, delimiter) + u"@";
    out += IntToText(cursor) + u" ";
  } while (cursor != -1);
  return out;
}

// TryTextToInt's value, or "refused" when it refuses and stores nothing.
Text Read(std::u16string_view s) {
  int32_t value = 9;
  if (TryTextToInt(s, value)) return IntToText(value);
  return value == 9 ? u"refused" : u"stored";
}

TEST(TextUtils, Texts) {
  const Text spaces(32, u' ');
  const struct {
    Text got, expected;
  } cases[] = {
      {AddBackslash(u"   "), u"\\"},
      {AddBackslash(u" C:\\D "), u"C:\\D\\"},
      {AddBackslash(u"C:\\D\\"), u"C:\\D\\"},
      {AddBackslash(u"C:/D/"), u"C:/D/\\"},
      // Codes up to the blank go, "!" and the no-break space stay.
      {Trim(u"\x01\t !a\u00A0\r\n "), u"!a\u00A0"},
      // Nothing before an empty view is read (ASan sees a read in front of the block).
      {Trim(std::u16string_view(spaces.data(), 0)), u""},
      {UpperCase(u"abcdefghijklmnopqrstuvwxyz"), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
      {UpperCase(u"`{_1\u00E9\u00FF\uFF41"), u"`{_1\u00E9\u00FF\uFF41"},
      {CompressSpaces(u"  A \t\tB\t"), u" A B "},
      {CompressSpaces(u"A\r  \nB"), u"A\r \nB"},
      {CompressSpaces(u" \t\r\n"), u""},
      {QuotesToSpaces(u"H'0007'\""), u"H 0007 \""},
      {QuotesToSpaces(u"'"), u" "},
      {QuotesToSpaces(u" \t"), u""},
      {IntToText(-5'000'000'000), u"-5000000000"},
      {Head(u"abc", 0), u""},
      {Head(u"abc", 1), u"a"},
      {Head(u"abc", 9), u"abc"},
      {Tail(u"abc", 0), u"abc"},
      {Tail(u"abc", 3), u"c"},
      {Tail(u"abc", 4), u""},
      {Tail(Text(1200, u'x'), 2), Text(kMaxTail, u'x')},
      // The run of word characters touching the boundary in front of the position.
      {GetWordAt(u"ADON: A/D", 5), u"ADON:"},
      {GetWordAt(u"GO/DONE", 0), u""},
      {GetWordAt(u"GO/DONE", 1), u"GO"},
      {GetWordAt(u"GO/DONE", 3), u"GO"},
      {GetWordAt(u"GO/DONE", 4), u"DONE"},
      {GetWordAt(u"GO/DONE", 8), u"DONE"},
      {GetWordAt(u"GO/DONE", 9), u""},
      {GetWordAt(u"$12_ab", 4), u"$12_ab"},
      {GetWordAt(u"@AZ[`az{", 3), u"AZ"},
      {GetWordAt(u"@AZ[`az{", 7), u"az"},
      {GetWordAt(u"/09;", 3), u"09"},
      {GetWordAt(u"\u00E9AB\u0100", 3), u"AB"},
      // The cursor moves just behind the delimiter's first character.
      {Cuts(u"REG;3;NAME", u";", 1), u"REG@5 3@7 NAME@-1 "},
      {Cuts(u";;X", u";", 1), u"@2 @3 X@-1 "},
      {Cuts(u"A--B", u"--", 1), u"A@3 -B@-1 "},
      {Cuts(u"ABC", u";", 3), u"C@-1 "},
      {Cuts(u"A;B", u"", 1), u"A;B@-1 "},
      {Cuts(u"ABC", u";", 0), u"@-1 "},
      {Cuts(u"ABC", u";", 4), u"@-1 "},
      // A sign and digits only, within the int32 bounds.
      {Read(u" +42 "), u"42"},
      {Read(u"0123456789"), u"123456789"},
      {Read(u"2147483647"), u"2147483647"},
      {Read(u"-2147483648"), u"-2147483648"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, c.got) << &c - cases;
}

TEST(TextUtils, PositionsAndNumbers) {
  const struct {
    int64_t got, expected;
  } cases[] = {
      {Pos(u"c", u"abcc"), 3},
      {Pos(u"C", u"abc"), 0},
      {Pos(u"", u"abc"), 0},
      {LastPos(u"aa", u"aaa"), 2},
      {LastPos(u"", u"abc"), 0},
      {Holds(u"abc", u"c"), true},
      {Holds(u"abc", u"C"), false},
      {IsBlank(u" \t\r\n\x01"), true},
      {IsBlank(u" ! "), false},
      // "$" or "0x", blanks after the prefix and after the digits, the last eight digits.
      {HexToInt(u"$ 1F "), 31},
      {HexToInt(u"0X\t001f\t"), 31},
      {HexToInt(u"$09afAF"), 0x9AFAF},
      {HexToInt(u"$FFFFFFFF"), -1},
      {HexToInt(u"$123456789"), 0x23456789},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, c.got) << &c - cases;
  for (const char16_t* refused :
       {u" $1F", u"$1 F", u"1F", u"0y1F", u"$", u"$G", u"$/", u"$:", u"$@", u"   ", u"$\uFF11"}) {
    EXPECT_EQ(0, HexToInt(refused)) << testing::PrintToString(Text(refused));
  }
  for (const char16_t* refused : {u"2147483648", u"-2147483649", u"99999999999999999999", u"", u"-",
                                  u"+-1", u"1 2", u"/", u":"}) {
    EXPECT_EQ(u"refused", Read(refused)) << testing::PrintToString(Text(refused));
  }
}

}  // namespace
}  // namespace bnf
