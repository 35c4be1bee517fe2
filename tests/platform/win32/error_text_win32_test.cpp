// Reasons for error codes outside the four common file errors: the system's text
// without its line end, or the bare number when the system has no text.
#include "platform/win32/error_text_win32.h"

#include <gtest/gtest.h>

namespace bnf::win32 {
namespace {

TEST(Win32ErrorText, SystemTextLosesItsLineEnd) {
  const std::u16string reason = ErrorReason(ERROR_DISK_FULL);
  ASSERT_FALSE(reason.empty());
  EXPECT_GT(reason.back(), u' ');
}

TEST(Win32ErrorText, CodeWithoutSystemTextGivesTheNumber) {
  EXPECT_EQ(u"System error 3735928559.", ErrorReason(0xDEADBEEF));
}

}  // namespace
}  // namespace bnf::win32
