// The KDX device file reader: the file's name, the section markers and their letter
// case, register lines with tabs, runs of blanks and comments, the address cut, and
// what a second read leaves in the tables and RegisterList.
#include "creator/kdx_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::Rig;
using test::TempDir;

std::string Narrow(std::u16string_view s) {
  return std::string(s.begin(), s.end());
}

class KdxReaderTest : public ::testing::Test {
 protected:
  KdxReaderTest() { rig.s().dirs.KdxDir = dir.path() + u"\\"; }

  void WriteKdx(std::u16string_view fileName, const std::vector<std::u16string>& lines) {
    rig.text.WriteLines(dir.File(fileName), lines);
  }

  KdxOutcome Read(std::u16string_view device) { return GetTheKDX(rig.s(), rig.text, device); }

  // "name|address" per RegTable row in use.
  std::vector<std::u16string> Registers() {
    std::vector<std::u16string> out;
    const DeviceTables& t = rig.s().tables;
    for (int32_t i = 1; i < t.RegCount(); ++i) {
      out.push_back(t.RegTable[i].name + u"|" + t.RegTable[i].address);
    }
    return out;
  }

  std::vector<std::u16string> RegisterList() { return rig.s().RegisterList.Items(); }

  TempDir dir;
  Rig rig;
};

TEST(KdxFileName, UpperCasedTrimmedWithOneP) {
  EXPECT_EQ(u"C:\\kdx\\P24FJ64GA002.KDX", KdxFileName(u"C:\\kdx\\", u" 24fj64ga002\t"));
  EXPECT_EQ(u"C:\\kdx\\P24FJ64GA002.KDX", KdxFileName(u"C:\\kdx\\", u"p24FJ64GA002"));
  EXPECT_EQ(u"", KdxFileName(u"C:\\kdx\\", u"  "));
}

TEST_F(KdxReaderTest, RegisterLinesWithTabsBlanksAndComments) {
  WriteKdx(u"P24FJ16.KDX",
           {u"[DEVICE]", u"U1MODE EQU 0x0220", u"; before the section: not read",
            u"xx [RegStart] yy", u"", u"; a comment", u"U1MODE EQU 0x0220", u"U1STA\tEQU\t0x0222",
            u"U1BRG    EQU   0X0228   ' baud rate", u"u1txreg equ 0x0224", u"   \t  ", u"[REGEND]",
            u"LATE EQU 0x02D4", u"[BITSTART]", u"; U1MODE", u"UARTEN=15", u"[BITEND]"});

  EXPECT_EQ(KdxOutcome::Read, Read(u"24fj16"));

  EXPECT_EQ(
      (std::vector<std::u16string>{u"U1MODE|0220", u"U1STA|0222", u"U1BRG|0228", u"u1txreg|0224"}),
      Registers());
  EXPECT_EQ(u"24fj16", rig.s().req.DeviceNumber);
  EXPECT_EQ(1, rig.s().tables.BitCount());
}

TEST_F(KdxReaderTest, AddressCuts) {
  struct Case {
    std::u16string line;
    std::u16string expected;  // name|address
  } cases[] = {
      {u"A EQU 0x12345", u"A|1234"},       // more than four digits
      {u"B EQU 0x123'comment", u"B|123"},  // three digits and the apostrophe
      {u"C EQU 0x12 'comment", u"C|12 "},  // two digits, a blank, the apostrophe
      {u"D EQU 0x1f2A", u"D|1f2A"},        // letter case stays
      {u"E EQU 0x7", u"E|7"},
      {u"Fx Equ 0X00A0", u"Fx|00A0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.line));
    WriteKdx(u"PT.KDX", {u"[REGSTART]", c.line, u"[REGEND]"});
    ASSERT_EQ(KdxOutcome::Read, Read(u"T"));
    EXPECT_EQ(std::vector<std::u16string>{c.expected}, Registers());
  }
}

TEST_F(KdxReaderTest, SectionEndsOnlyAtExactRegEndOrAtTheEndOfTheFile) {
  WriteKdx(u"PT.KDX", {u"[REGSTART]", u"A EQU 0x0010 ' [regend] in lower case", u"B EQU 0x0012"});

  ASSERT_EQ(KdxOutcome::Read, Read(u"T"));

  EXPECT_EQ((std::vector<std::u16string>{u"A|0010", u"B|0012"}), Registers());
}

TEST_F(KdxReaderTest, RegisterListHoldsEachNameAndAddressOnce) {
  WriteKdx(u"PT.KDX", {u"[REGSTART]", u"SPLIM EQU 0x0020", u"SPLIM EQU 0x0020", u"SPLIM EQU 0x0030",
                       u"ACCA EQU 0x0022", u"[REGEND]"});

  ASSERT_EQ(KdxOutcome::Read, Read(u"T"));

  EXPECT_EQ(
      (std::vector<std::u16string>{u"SPLIM|0020", u"SPLIM|0020", u"SPLIM|0030", u"ACCA|0022"}),
      Registers());
  EXPECT_EQ((std::vector<std::u16string>{u"ACCA\u00FF0022\u00FF", u"SPLIM\u00FF0020\u00FF",
                                         u"SPLIM\u00FF0030\u00FF"}),
            RegisterList());
}

TEST_F(KdxReaderTest, SecondDeviceReplacesTheFirst) {
  WriteKdx(u"PA.KDX", {u"[REGSTART]", u"ONLYA EQU 0x0010", u"BOTH EQU 0x0020", u"[REGEND]"});
  WriteKdx(u"PB.KDX", {u"[REGSTART]", u"BOTH EQU 0x0020", u"[REGEND]"});
  ASSERT_EQ(KdxOutcome::Read, Read(u"A"));
  rig.s().tables.BitTable.Append(BitRow{u"ONLYA", u"X", u"00", u""});

  ASSERT_EQ(KdxOutcome::Read, Read(u"B"));
  ASSERT_EQ(KdxOutcome::Read, Read(u"B"));

  EXPECT_EQ(std::vector<std::u16string>{u"BOTH|0020"}, Registers());
  EXPECT_EQ(std::vector<std::u16string>{u"BOTH\u00FF0020\u00FF"}, RegisterList());
  EXPECT_EQ(1, rig.s().tables.BitCount());
  EXPECT_EQ(u"B", rig.s().req.DeviceNumber);
}

TEST_F(KdxReaderTest, MissingFileOrNoRegisterSectionLeavesTheTables) {
  WriteKdx(u"PA.KDX", {u"[REGSTART]", u"KEPT EQU 0x0010", u"[REGEND]"});
  WriteKdx(u"PNOREGS.KDX", {u"KEPT2 EQU 0x0012", u"[REGEND]", u"[BITSTART]", u"[BITEND]"});
  ASSERT_EQ(KdxOutcome::Read, Read(u"A"));

  EXPECT_EQ(KdxOutcome::NoFile, Read(u"MISSING"));
  EXPECT_EQ(u"A", rig.s().req.DeviceNumber);
  EXPECT_EQ(KdxOutcome::NoFile, Read(u" "));
  EXPECT_EQ(KdxOutcome::NoRegisterSection, Read(u"noregs"));

  EXPECT_EQ(std::vector<std::u16string>{u"KEPT|0010"}, Registers());
  EXPECT_EQ(std::vector<std::u16string>{u"KEPT\u00FF0010\u00FF"}, RegisterList());
}

}  // namespace
}  // namespace bnf
