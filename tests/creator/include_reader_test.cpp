// The include reader: the cases of tests/data/creator (line forms, bit block order, the
// heading and end-marker rules, files that end early), finding the file, the device
// number, and the table capacities.
#include "creator/include_reader.h"

#include <gtest/gtest.h>

#include "common/text_utils.h"
#include "tests/support/rig.h"
#include "tests/support/table_cases.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::Texts;

class IncludeReaderTest : public ::testing::Test {
 protected:
  IncludeReaderTest() { rig.s().dirs.Mplab8Dir = dir.path() + u"\\"; }
  Texts Read(const test::TempDir& in, std::u16string_view file, const Texts& lines,
             std::u16string_view device = u"16FTEST") {
    rig.text.WriteLines(in.File(file), lines);
    GetInc(rig.s(), rig.text, device);
    return test::TablesAsText(rig.s().tables);
  }

  test::TempDir dir;
  test::Rig rig;
};

TEST_F(IncludeReaderTest, Cases) {
  for (const test::Case& c : test::ReadCases("include_reader.cases")) {
    SCOPED_TRACE(c.name);
    rig.s().tables.EmptyAll();
    test::AppendRows(rig.s().tables, c["tables"]);
    rig.s().WorkList.Add(u"left over");
    EXPECT_EQ(c["expect"], Read(dir, u"P16FTEST.inc", c["file"]));
    EXPECT_EQ(u"TEST", rig.s().req.DeviceNumber);
    EXPECT_TRUE(rig.s().WorkList.Empty());
  }
}

TEST_F(IncludeReaderTest, FileNameIsUpperCaseWithOnePAndFoundInAnyLetterCase) {
  rig.text.WriteLines(dir.File(u"p16f877a.inc"), {u"---Bank0", u"PORTA EQU H'0005'"});
  for (std::u16string_view device : {u"16F877A", u"p16f877a", u" 16f877a\t", u"P16F877A"}) {
    SCOPED_TRACE(test::Narrow(device));
    EXPECT_EQ(dir.path() + u"\\P16F877A.inc", FindIncludeFile(rig.s(), rig.text, device));
  }
  GetInc(rig.s(), rig.text, u"16f877a");
  EXPECT_EQ(Texts{u"R PORTA|0005||"}, test::TablesAsText(rig.s().tables));
}

// Each folder set up takes precedence over those before it; the located folder (as the
// folder dialog gives it: no backslash) comes last.
TEST_F(IncludeReaderTest, FirstFolderInOrderThatHoldsTheFileIsRead) {
  test::TempDir located, x64, x32;
  auto read = [&](const test::TempDir& in, const char16_t* name) {
    return Read(in, u"P16TEST.inc", {u"---Bank0", name + std::u16string(u" EQU H'0001'")},
                u"16TEST");
  };
  Directories& d = rig.s().dirs;
  d.MPAsmDir = located.path();
  EXPECT_EQ(Texts{u"R LOCATED|0001||"}, read(located, u"LOCATED"));
  d.MplabX64Dir = x64.path() + u"\\";
  EXPECT_EQ(Texts{u"R X64|0001||"}, read(x64, u"X64"));
  d.MplabX32Dir = x32.path() + u"\\";
  EXPECT_EQ(Texts{u"R X32|0001||"}, read(x32, u"X32"));
  d.MplabXXpDir = x64.path() + u"\\";
  GetInc(rig.s(), rig.text, u"16TEST");
  EXPECT_EQ(Texts{u"R X64|0001||"}, test::TablesAsText(rig.s().tables));
  EXPECT_EQ(Texts{u"R FIRST|0001||"}, read(dir, u"FIRST"));
}

TEST_F(IncludeReaderTest, MissingFileOrBlankTypeChangesNothingButWorkList) {
  const Texts old = Read(dir, u"P16FTEST.inc",
                         {u"---Bank0", u"OLD EQU H'0001'", u";--- OLD Bits", u"B0 EQU H'0000'"});
  for (std::u16string_view device : {u"16NONE", u"", u"  "}) {
    rig.s().WorkList.Add(u"left over");
    GetInc(rig.s(), rig.text, device);
    EXPECT_EQ(u"TEST", rig.s().req.DeviceNumber);
    EXPECT_EQ(old, test::TablesAsText(rig.s().tables));
    EXPECT_TRUE(rig.s().WorkList.Empty());
  }
}

TEST_F(IncludeReaderTest, RowsBeyondTheTableCapacityThrow) {
  Texts lines{u"---Bank0"};
  for (int i = 0; i <= kRegCapacity; ++i) lines.push_back(u"R" + IntToText(i) + u" EQU H'01'");
  EXPECT_THROW(Read(dir, u"P16FTEST.inc", lines), CapacityError);
  // 8193 headings of eight bits: 65544 bit lines, short blocks keep the inserts cheap.
  lines = {u"---Bank0"};
  for (int h = 0; h * 8 <= kBitCapacity; ++h) {
    lines.push_back(u";--- R" + IntToText(h) + u" Bits ---");
    for (int b = 0; b < 8; ++b) lines.push_back(u"B" + IntToText(b) + u" EQU H'0001'");
  }
  EXPECT_THROW(Read(dir, u"P16FTEST.inc", lines), CapacityError);
  EXPECT_EQ(65537, rig.s().tables.BitCount());
  EXPECT_TRUE(rig.s().WorkList.Empty());
}

}  // namespace
}  // namespace bnf
