// What the Win32 collator must pass to CompareStringW with care: empty texts whose
// view has no data (a null pointer is refused even with length 0) and embedded NULs
// (a length of -1 would stop there).
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace bnf {
namespace {

TEST(Win32Collator, ComparesEmptyTextsWithoutData) {
  const auto collator = MakeCollator();
  EXPECT_EQ(0, collator->Compare(std::u16string_view(), std::u16string_view()));
  EXPECT_EQ(-1, collator->Compare(std::u16string_view(), u"a"));
  EXPECT_EQ(1, collator->Compare(u"a", std::u16string_view()));
}

TEST(Win32Collator, ReadsPastEmbeddedNuls) {
  const auto collator = MakeCollator();
  EXPECT_EQ(-1, collator->Compare(std::u16string(u"a\0b", 3), std::u16string(u"a\0c", 3)));
}

}  // namespace
}  // namespace bnf
