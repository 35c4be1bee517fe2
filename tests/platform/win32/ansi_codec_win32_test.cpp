// The ANSI code page as Windows converts it beyond what both builds share: the Windows
// best-fit table, and long texts converted in pieces.
#include "platform/win32/ansi_codec_win32.h"

#include "platform/win32/windows_api.h"

#include <gtest/gtest.h>

namespace bnf::win32 {
namespace {

class Win32AnsiCodecTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << ::GetACP();
  }
  Win32AnsiCodec codec;
};

TEST_F(Win32AnsiCodecTest, EncodesByTheWindowsBestFitTable) {
  const struct {
    std::u16string text;
    std::string bytes;
  } cases[] = {
      {u"\u0100", "A"},  // A with macron
      {u"\u2264", "="},  // less-than or equal to
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    EXPECT_EQ(c.bytes, codec.Encode(c.text));
  }
}

TEST_F(Win32AnsiCodecTest, LongTextsConvertInPiecesWithNothingLost) {
  const Win32AnsiCodec small(4);
  EXPECT_EQ(u"ab\ncdefghij\n\u20ACz", small.Decode("ab\ncdefghij\n\x80z"));
  EXPECT_EQ("ab\ncdefghij\n\x80z", small.Encode(u"ab\ncdefghij\n\u20ACz"));
}

}  // namespace
}  // namespace bnf::win32
