// The BitName file's name and line forms, the 8-bit writer on the cases of
// tests/data/creator, and the bytes saved.
#include "creator/bnf_file.h"

#include <gtest/gtest.h>

#include "tests/support/rig.h"
#include "tests/support/table_cases.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

// The 16-bit writer always asks for the address part, even when the address is empty.
TEST(BnfLines, AddressPartWithEmptyAddressAndNegativePage) {
  EXPECT_EQ(u"GENERIC=\"\" 0x (page -3)", RegisterLine(u"GENERIC", u"", u"", true, u"-3"));
  EXPECT_EQ(u"=.,\"\"", BitLine(u"", u"", u"", u""));
}

TEST(Write8BitLines, Cases) {
  for (const test::Case& c : test::ReadCases("writer8.cases")) {
    SCOPED_TRACE(c.name);
    DeviceTables t;
    test::AppendRows(t, c["tables"]);
    EXPECT_EQ(c["expect"], Write8BitLines(t));
  }
}

TEST(Write8BitLines, SavedBytesAreWindows1252WithCrLfAfterEveryLine) {
  test::Rig rig;
  test::TempDir dir;
  DeviceTables t;
  t.RegTable.Append(RegRow{u"CAF\u00C9", u"0001", u"Korvan\u00AE caf\u00E9", u"3"});
  t.BitTable.Append(BitRow{u"CAF\u00C9", u"\u00C9T\u00C9", u"2", u"d\u00E9j\u00E0 vu"});
  const std::u16string file = BnfFileName(dir.path(), u"16F1938");
  test::WriteBytes(test::ToHostPath(file), "an older, longer file that must go completely\r\n");
  rig.text.WriteLines(file, Write8BitLines(t));
  EXPECT_EQ(std::string("** BITNAMES **\r\nCAF\xC9=\"Korvan\xAE caf\xE9\" 0x0001 (page 3)\r\n"
                        "\xC9T\xC9=CAF\xC9.2,\"d\xE9j\xE0 vu\"\r\n\r\n"),
            test::ReadBytes(test::ToHostPath(file)));
}

}  // namespace
}  // namespace bnf
