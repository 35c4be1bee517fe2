// The open-file dialog's filter list. The boxes and dialogs themselves are modal and
// are exercised by the end-to-end tests.
#include "platform/win32/dialogs_win32.h"

#include <string>

#include <gtest/gtest.h>

namespace bnf::win32 {
namespace {

using namespace std::string_literals;

TEST(Win32DialogFilter, PairsBecomeTheNulSeparatedList) {
  struct Case {
    std::u16string filter;
    std::u16string expected;
  };
  const Case cases[] = {
      {u"Converted PDF files (*.txt)|*.txt", u"Converted PDF files (*.txt)\0*.txt\0\0"s},
      {u"Text|*.txt|All files|*.*", u"Text\0*.txt\0All files\0*.*\0\0"s},
      {u"Text|*.txt;*.asc", u"Text\0*.txt;*.asc\0\0"s},
      // A lone description gets an empty pattern and the list still ends.
      {u"Text|*.txt|", u"Text\0*.txt\0\0\0\0"s},
      {u"Text", u"Text\0\0\0"s},
      {u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.filter.begin(), c.filter.end()));
    EXPECT_EQ(c.expected, DialogFilter(c.filter));
  }
}

}  // namespace
}  // namespace bnf::win32
