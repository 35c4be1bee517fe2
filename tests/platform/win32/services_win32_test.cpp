// The smaller Win32 services where Windows does more than both builds share: the code
// page's best fit and long texts converted in pieces, the open dialog's filter list. The
// end-to-end tests show the boxes, the dialogs and the mutex; the shell's code goes to a
// caller that ignores it.
#include "platform/win32/windows_api.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/ansi_codec_win32.h"
#include "platform/win32/dialogs_win32.h"

namespace bnf::win32 {
namespace {

using namespace std::string_literals;

TEST(Win32AnsiCodec, BestFitAndLongTextsInPieces) {
  ASSERT_EQ(1252u, ::GetACP());
  EXPECT_EQ("A=", Win32AnsiCodec().Encode(u"\u0100\u2264"));  // A with macron, less or equal
  const Win32AnsiCodec small(4);
  EXPECT_EQ(u"ab\ncdefghij\n\u20ACz", small.Decode("ab\ncdefghij\n\x80z"));
  EXPECT_EQ("ab\ncdefghij\n\x80z", small.Encode(u"ab\ncdefghij\n\u20ACz"));
}

// The one filter the tool gives; the open dialog itself is the end-to-end tests'.
TEST(Win32DialogFilter, PairsBecomeTheNulSeparatedList) {
  EXPECT_EQ(u"Converted PDF files (*.txt)\0*.txt\0\0"s,
            DialogFilter(u"Converted PDF files (*.txt)|*.txt"));
}

}  // namespace
}  // namespace bnf::win32
