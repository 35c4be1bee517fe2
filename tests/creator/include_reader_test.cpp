// The include reader on small include files written to a temporary folder: finding the
// file, the register and bit line forms, the order of each bit block, the heading and
// end-marker rules, files that end early, and the table capacities.
#include "creator/include_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Lines = std::vector<std::string>;
using Texts = std::vector<std::u16string>;

void WriteInclude(const test::TempDir& dir, std::u16string_view name, const Lines& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  test::WriteBytes(test::ToHostPath(dir.File(name)), bytes);
}

class IncludeReaderTest : public ::testing::Test {
 protected:
  IncludeReaderTest() { s().dirs.Mplab8Dir = dir.path() + u"\\"; }

  CreatorState& s() { return rig.s(); }

  void Read(const Lines& lines) {
    WriteInclude(dir, u"P16FTEST.inc", lines);
    GetInc(s(), rig.text, u"16FTEST");
  }
  // A file with the register marker and the given lines after it.
  void ReadBody(const Lines& body) {
    Lines lines{"; preamble", ";----- Register Files -----"};
    lines.insert(lines.end(), body.begin(), body.end());
    Read(lines);
  }

  // "name|address" per RegTable row in use.
  Texts Registers() {
    Texts out;
    for (int32_t i = 1; i < s().tables.RegCount(); ++i) {
      const RegRow& r = s().tables.RegTable[i];
      out.push_back(r.name + u"|" + r.address);
    }
    return out;
  }
  // "owner|name|number" per BitTable row in use.
  Texts Bits() {
    Texts out;
    for (int32_t i = 1; i < s().tables.BitCount(); ++i) {
      const BitRow& b = s().tables.BitTable[i];
      out.push_back(b.owner + u"|" + b.name + u"|" + b.number);
    }
    return out;
  }

  test::TempDir dir;
  test::Rig rig;
};

TEST(DeviceNumberOf, PartAfterTheFirstUpperCaseFOrC) {
  const std::u16string silly = u"Silly value that will never show up anyway";
  struct Case {
    std::u16string device, expected;
  };
  for (const Case& c :
       {Case{u"16F877A", u"877A"}, Case{u"16LF1826", u"1826"}, Case{u"18F45K22", u"45K22"},
        Case{u"12C508A", u"508A"}, Case{u"16CF1", u"1"}, Case{u"16F877A ", u"877A "},
        Case{u"16F", u""}, Case{u"p16f877a", silly}, Case{u"", silly}}) {
    SCOPED_TRACE(std::string(c.device.begin(), c.device.end()));
    EXPECT_EQ(c.expected, DeviceNumberOf(c.device));
  }
}

TEST_F(IncludeReaderTest, FileNameIsUpperCaseWithOnePAndFoundInAnyLetterCase) {
  WriteInclude(dir, u"p16f877a.inc", {";----- Register Files -----", "PORTA EQU H'0005'"});
  const std::u16string expected = dir.path() + u"\\P16F877A.inc";
  for (std::u16string_view device : {u"16F877A", u"p16f877a", u" 16f877a\t", u"P16F877A"}) {
    SCOPED_TRACE(std::string(device.begin(), device.end()));
    EXPECT_EQ(expected, FindIncludeFile(s(), rig.text, device));
  }
  GetInc(s(), rig.text, u"16f877a");
  EXPECT_EQ((Texts{u"PORTA|0005"}), Registers());
}

// Each folder set up takes precedence over those before it, as it comes earlier in the
// order; the located folder (as the folder dialog gives it: no backslash) comes last.
TEST_F(IncludeReaderTest, FirstFolderInOrderThatHoldsTheFileIsRead) {
  test::TempDir located, x64, x32;
  WriteInclude(located, u"P16TEST.inc", {";-----Bank0-----", "LOCATED EQU H'0003'"});
  WriteInclude(x64, u"P16TEST.inc", {";-----Bank0-----", "FROMX64 EQU H'0002'"});
  WriteInclude(x32, u"P16TEST.inc", {";-----Bank0-----", "FROMX32 EQU H'0001'"});
  auto read = [&] {
    GetInc(s(), rig.text, u"16TEST");
    return Registers();
  };
  s().dirs.MPAsmDir = located.path();
  EXPECT_EQ((Texts{u"LOCATED|0003"}), read());
  s().dirs.MplabX64Dir = x64.path() + u"\\";
  EXPECT_EQ((Texts{u"FROMX64|0002"}), read());
  s().dirs.MplabX32Dir = x32.path() + u"\\";
  EXPECT_EQ((Texts{u"FROMX32|0001"}), read());
  s().dirs.MplabXXpDir = x64.path() + u"\\";
  EXPECT_EQ((Texts{u"FROMX64|0002"}), read());
  WriteInclude(dir, u"P16TEST.inc", {";-----Bank0-----", "FIRST EQU H'0004'"});
  EXPECT_EQ((Texts{u"FIRST|0004"}), read());
}

TEST_F(IncludeReaderTest, MissingFileOrBlankTypeChangesNothingButWorkListAFoundOneAllButNotFound) {
  ReadBody({"OLD EQU H'0001'", ";----- OLD Bits -----", "B0 EQU H'0000'"});
  s().req.DeviceNumber = u"kept";
  s().tables.NotFound.Append(NotFoundRow{u"TMRxCON", u"4"});
  for (std::u16string_view device : {u"16NONE", u"", u"  "}) {
    SCOPED_TRACE(std::string(device.begin(), device.end()));
    s().WorkList.Add(u"left over");
    GetInc(s(), rig.text, device);
    EXPECT_EQ(u"kept", s().req.DeviceNumber);
    EXPECT_EQ((Texts{u"OLD|0001"}), Registers());
    EXPECT_EQ((Texts{u"OLD|B0|0"}), Bits());
    EXPECT_TRUE(s().WorkList.Empty());
  }

  ReadBody({"NEW EQU H'0002'"});
  EXPECT_EQ(u"TEST", s().req.DeviceNumber);
  EXPECT_EQ((Texts{u"NEW|0002"}), Registers());
  EXPECT_EQ(Texts{}, Bits());
  EXPECT_EQ(2, s().tables.NotFoundCount());
}

TEST_F(IncludeReaderTest, RegisterLineForms) {
  ReadBody({"STATUS           EQU  H'0003'", "", "   \t ", ";-----Bank1-----", "TMR1H\tEQU\tH'1F'",
            "WIDE EQU H'12345'", "SHORT EQU H'7'", "Mixed equ h'0a'",
            "ADRESL EQU H'009B' ; low byte", "NOEQU H'0003'", "  ; indented comment", "X",
            "EMPTY EQU H'    '", "PORTA EQU H'000C'", "PORTA EQU H'010C'",
            ";----- STATUS Bits -----"});
  EXPECT_EQ((Texts{u"STATUS|0003", u"TMR1H|1F", u"WIDE|1234", u"SHORT|7", u"Mixed|0a",
                   u"ADRESL|009B", u"NOEQU H'0003'|H'00", u"; indented comment|ente", u"X|",
                   u"EMPTY|", u"PORTA|000C", u"PORTA|010C"}),
            Registers());
}

TEST_F(IncludeReaderTest, BitBlocksFollowTheSortedListOrderAndEndAtTheEndMarker) {
  ReadBody({"REG EQU H'0001'", ";----- REG Bits -----", "X EQU H'0001'", "A EQU H'0003'",
            "B EQU H'0003'", "Y EQU H'0000'", "A EQU H'0003'", "A EQU H'0005'",
            ";----- WIDE Bits -----", "N2 EQU H'0002'", "N10 EQU H'000A'", "N1 EQU H'0001'", "",
            ";==========================================", "LATE EQU H'0002'",
            ";----- LATE Bits -----", "L0 EQU H'0000'"});
  EXPECT_EQ((Texts{u"REG|0001"}), Registers());
  EXPECT_EQ((Texts{u"REG|Y|0", u"REG|X|1", u"REG|A|3", u"REG|B|3", u"REG|A|5", u"WIDE|N1|1",
                   u"WIDE|N10|10", u"WIDE|N2|2"}),
            Bits());
  EXPECT_TRUE(s().WorkList.Empty());
}

TEST_F(IncludeReaderTest, BitLineForms) {
  ReadBody({";----- REG Bits -----", "  lower\t\tequ   h'0004'  ", "APOS EQU H'0007'",
            "CMT EQU H'07';comment", "TWO EQU H'02' ; comment", "NOBLANK", "NOEQU H'0006'",
            "ABCDE 0012", "  ; an indented comment"});
  EXPECT_EQ((Texts{u"REG||0", u"REG|CMT|0", u"REG|NOEQU|0", u"REG|ABCDE|18", u"REG|TWO|2",
                   u"REG|LOWER|4", u"REG|APOS|7"}),
            Bits());
}

TEST_F(IncludeReaderTest, HeadingOwners) {
  ReadBody({";-----  STATUS Bits -----", "C EQU H'0000'", ";-----  INTCON Bits -----",
            "GIE EQU H'0007'", ";-----T1CON Bits-----", "TMR1ON EQU H'0000'", "; Option bits",
            "PSA EQU H'0003'", ";\tADCON0 bits", "ADON EQU H'0000'"});
  EXPECT_EQ(
      (Texts{u" STATUS|C|0", u"INTCON|GIE|7", u"|TMR1ON|0", u"OPTION|PSA|3", u"ADCON0|ADON|0"}),
      Bits());
}

TEST_F(IncludeReaderTest, FirstHeadingWithoutSemicolonGivesAnEmptyOwner) {
  ReadBody({"REG EQU H'0001'", "  ;----- REG Bits -----", "B1 EQU H'0001'"});
  EXPECT_EQ((Texts{u"REG|0001"}), Registers());
  EXPECT_EQ((Texts{u"|B1|1"}), Bits());
}

TEST_F(IncludeReaderTest, FilesThatEndEarlyKeepWhatWasRead) {
  struct Case {
    const char* what;
    Lines lines;
    Texts registers, bits;
  };
  const std::vector<Case> cases = {
      {"empty file", {}, {}, {}},
      {"no markers at all", {"PORTA EQU H'0005'", "RA0 EQU H'0000'"}, {}, {}},
      {"no Bits heading",
       {"---BANK0", "PORTA EQU H'0005'", "TRISA EQU H'0085'"},
       {u"PORTA|0005", u"TRISA|0085"},
       {}},
      {"heading is the last line",
       {"---bank0", "PORTA EQU H'0005'", ";--- PORTA Bits"},
       {u"PORTA|0005"},
       {}},
      {"no end marker",
       {"---Bank0", ";--- PORTA Bits ---", "RA1 EQU H'0001'", "RA0 EQU H'0000'"},
       {},
       {u"PORTA|RA0|0", u"PORTA|RA1|1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Read(c.lines);
    EXPECT_EQ(c.registers, Registers());
    EXPECT_EQ(c.bits, Bits());
    EXPECT_EQ(u"TEST", s().req.DeviceNumber);
  }
}

TEST_F(IncludeReaderTest, RegisterBeyondTheTableCapacityThrows) {
  Lines lines{";----- Register Files -----"};
  for (int i = 0; i <= kRegCapacity; ++i) lines.push_back("R" + std::to_string(i) + " EQU H'0001'");
  WriteInclude(dir, u"P16FTEST.inc", lines);
  EXPECT_THROW(GetInc(s(), rig.text, u"16FTEST"), CapacityError);
}

TEST_F(IncludeReaderTest, BitBeyondTheTableCapacityThrows) {
  // 8193 headings of eight bits: 65544 bit lines, kept short per heading so the
  // sorted inserts stay cheap.
  Lines lines{";----- Register Files -----"};
  for (int h = 0; h * 8 <= kBitCapacity; ++h) {
    lines.push_back(";--- R" + std::to_string(h) + " Bits ---");
    for (int b = 0; b < 8; ++b)
      lines.push_back("B" + std::to_string(b) + " EQU H'000" + std::to_string(b) + "'");
  }
  WriteInclude(dir, u"P16FTEST.inc", lines);
  EXPECT_THROW(GetInc(s(), rig.text, u"16FTEST"), CapacityError);
  EXPECT_EQ(65537, s().tables.BitCount());
  EXPECT_TRUE(s().WorkList.Empty());
}

}  // namespace
}  // namespace bnf
