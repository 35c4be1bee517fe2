// The ANSI code page (Windows-1252) as both builds must convert it: the Windows table
// for 0x80-0x9F including its five unassigned bytes, best fit or '?' on encoding, and
// every byte value, NUL included, surviving a round trip.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/platform.h"

namespace bnf {
namespace {

using namespace std::string_literals;

const std::string kBytes80To9F =
    "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F"
    "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F";
const std::u16string kText80To9F =
    u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D"
    u"\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A"
    u"\u0153\u009D\u017E\u0178";

TEST(AnsiCodec, Decodes0x80To0x9FByTheWindowsTable) {
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  EXPECT_EQ(kText80To9F, codec->Decode(kBytes80To9F));
  EXPECT_EQ(kBytes80To9F, codec->Encode(kText80To9F));
}

TEST(AnsiCodec, KeepsByteOrderMarkBytesAsText) {
  EXPECT_EQ(u"\u00EF\u00BB\u00BFa", MakeAnsiCodec()->Decode("\xEF\xBB\xBF"
                                                            "a"));
}

TEST(AnsiCodec, EncodesUnmappedCharactersAsBestFitOrQuestionMark) {
  struct Case {
    std::u16string text;
    std::string expected;
  };
  const Case cases[] = {
      {u"\u00AE\u00E9\u00FF", "\xAE\xE9\xFF"},
      {u"\uFF21\uFF42", "Ab"},  // fullwidth letters
      {u"x\u4E00y", "x?y"},     // no fit in the code page
      {u"\xD800"s, "?"},        // lone surrogate
      {u"a\0b"s, "a\0b"s},
  };
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(c.expected, codec->Encode(c.text));
  }
}

TEST(AnsiCodec, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  std::u16string text = codec->Decode(all);
  ASSERT_EQ(256u, text.size());
  EXPECT_EQ(u'\0', text[0]);
  EXPECT_EQ(u'\u00FF', text[255]);
  EXPECT_EQ(all, codec->Encode(text));
  EXPECT_EQ(u"", codec->Decode(""));
  EXPECT_EQ("", codec->Encode(u""));
}

}  // namespace
}  // namespace bnf
