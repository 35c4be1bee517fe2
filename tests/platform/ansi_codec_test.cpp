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

TEST(AnsiCodec, EveryByteSurvivesARoundTripThroughTheWindowsTable) {
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::u16string text = codec->Decode(all);
  ASSERT_EQ(256u, text.size());
  for (int b = 0; b < 256; ++b) EXPECT_TRUE((b >= 0x80 && b <= 0x9F) || text[b] == b) << b;
  EXPECT_EQ(
      u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D"
      u"\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A"
      u"\u0153\u009D\u017E\u0178",
      text.substr(128, 32));
  EXPECT_EQ(all, codec->Encode(text));
  EXPECT_EQ(u"", codec->Decode(""));
}

TEST(AnsiCodec, EncodesUnmappedCharactersAsBestFitOrQuestionMark) {
  const struct {
    std::u16string text;
    std::string bytes;
  } cases[] = {{u"\uFF21\uFF42", "Ab"},  // fullwidth letters
               {u"x\u4E00y", "x?y"},     // no fit in the code page
               {u"\xD800"s, "?"},        // lone surrogate
               {u"", ""}};
  for (const auto& c : cases) EXPECT_EQ(c.bytes, MakeAnsiCodec()->Encode(c.text)) << c.bytes;
}

}  // namespace
}  // namespace bnf
