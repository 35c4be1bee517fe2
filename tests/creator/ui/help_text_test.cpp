// The help text word for word and line for line, its layout included (help.txt holds
// it in the ANSI code page, one "\n" after each line).
#include "creator/ui/help_text.h"

#include <gtest/gtest.h>

#include "tests/support/table_cases.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

TEST(HelpText, IsTheExpectedTextLineForLine) {
  std::u16string text;
  for (const std::u16string& line : HelpTextLines()) text += line + u"\n";
  EXPECT_EQ(test::Widen(
                test::ReadBytes(test::ToHostPath(test::SourcePath("tests/data/creator/help.txt")))),
            text);
}

}  // namespace
}  // namespace bnf
