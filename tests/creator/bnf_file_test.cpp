// The BitName file's name and line forms, the 8-bit writer's choice of lines (register
// line forms, first run of bits only, unnamed rows, empty tables) and the bytes saved.
#include "creator/bnf_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Texts = std::vector<std::u16string>;

TEST(BnfFileName, OneBackslashWhateverTheFolderEndsIn) {
  EXPECT_EQ(u"C:\\Bnf\\P16F877A.bnf", BnfFileName(u"C:\\Bnf", u"16F877A"));
  EXPECT_EQ(u"C:\\Bnf\\P16F877A.bnf", BnfFileName(u" C:\\Bnf\\ ", u"16F877A"));
  EXPECT_EQ(u"\\P18F452.bnf", BnfFileName(u"", u"18F452"));
}

// The four 8-bit forms are in the writer's test below; the 16-bit writer always asks
// for the address part, even when the address is empty.
TEST(BnfLines, AddressPartWithEmptyAddressAndNegativePage) {
  EXPECT_EQ(u"GENERIC=\"\" 0x (page -3)", RegisterLine(u"GENERIC", u"", u"", true, u"-3"));
  EXPECT_EQ(u"=.,\"\"", BitLine(u"", u"", u"", u""));
}

TEST(Write8BitLines, HeaderAloneForAnEmptyRegisterTable) {
  DeviceTables t;
  t.BitTable.Append(BitRow{u"STATUS", u"C", u"0", u"Carry"});
  EXPECT_EQ((Texts{u"** BITNAMES **"}), Write8BitLines(t));
}

TEST(Write8BitLines, RegisterBlocksInRowOrderWithTheirFirstRunOfBits) {
  DeviceTables t;
  t.RegTable.Append(RegRow{u"STATUS", u"0003", u" \tStatus register\t ", u"12"});
  t.RegTable.Append(RegRow{u"PCL", u"0002", u"", u""});
  t.RegTable.Append(RegRow{u"", u"0004", u"unnamed", u"7"});
  t.RegTable.Append(RegRow{u"GENERIC", u"", u"   ", u"40"});
  t.RegTable.Append(RegRow{u"NOADDR", u"", u"Say \"hi\", a=b", u""});
  t.RegTable.Append(RegRow{u"INTCON", u"000B", u"Interrupt  control", u""});
  t.RegTable.Append(RegRow{u"STATUS", u"0083", u"Status again", u""});
  t.BitTable.Append(BitRow{u"STATUS", u"C", u"0", u" Carry "});
  t.BitTable.Append(BitRow{u"STATUS", u"NOT_PD", u"3", u""});
  t.BitTable.Append(BitRow{u"INTCON", u"GIE", u"7", u"Global \"enable\""});
  t.BitTable.Append(BitRow{u"STATUS", u"LATER", u"5", u"second run"});
  t.BitTable.Append(BitRow{u"intcon", u"CASE", u"1", u"other case"});
  t.BitTable.Append(BitRow{u"NOSUCH", u"X", u"1", u"no register"});

  EXPECT_EQ((Texts{
                u"** BITNAMES **",
                u"STATUS=\"Status register\" 0x0003 (page 12)",
                u"C=STATUS.0,\"Carry\"",
                u"NOT_PD=STATUS.3,\"\"",
                u"",
                u"PCL=\"\" 0x0002",
                u"",
                u"GENERIC=\"\" (page 40)",
                u"",
                u"NOADDR=\"Say \"hi\", a=b\"",
                u"",
                u"INTCON=\"Interrupt  control\" 0x000B",
                u"GIE=INTCON.7,\"Global \"enable\"\"",
                u"",
                u"STATUS=\"Status again\" 0x0083",
                u"C=STATUS.0,\"Carry\"",
                u"NOT_PD=STATUS.3,\"\"",
                u"",
            }),
            Write8BitLines(t));
}

TEST(Write8BitLines, RegistersWithoutBitRows) {
  DeviceTables t;
  t.RegTable.Append(RegRow{u"PORTA", u"000C", u"", u""});
  t.RegTable.Append(RegRow{u"TRISA", u"008C", u"", u""});
  EXPECT_EQ((Texts{u"** BITNAMES **", u"PORTA=\"\" 0x000C", u"", u"TRISA=\"\" 0x008C", u""}),
            Write8BitLines(t));
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

  EXPECT_EQ(std::string("** BITNAMES **\r\n"
                        "CAF\xC9=\"Korvan\xAE caf\xE9\" 0x0001 (page 3)\r\n"
                        "\xC9T\xC9=CAF\xC9.2,\"d\xE9j\xE0 vu\"\r\n"
                        "\r\n"),
            test::ReadBytes(test::ToHostPath(file)));
}

}  // namespace
}  // namespace bnf
