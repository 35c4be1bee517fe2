// The readers of the include file (8-bit) and the KDX file (16-bit) on the cases of
// tests/data/creator; the files' names and folders; files missing or without registers.
#include <gtest/gtest.h>

#include <algorithm>

#include "creator/include_reader.h"
#include "creator/kdx_reader.h"
#include "tests/support/rig.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

using test::Texts;

class DeviceFileTest : public ::testing::Test {
 protected:
  DeviceFileTest() { rig.s().dirs.Mplab8Dir = rig.s().dirs.KdxDir = dir.path() + u"\\"; }
  // The case's rows and RegisterList entries (L rows, "|" for U+00FF) and file.
  void Prepare(const test::Case& c, std::u16string_view file) {
    rig.s().tables.EmptyAll();
    test::AppendRows(rig.s().tables, c["tables"]);
    for (std::u16string entry : test::Tagged(c["tables"], u"L ")) {
      std::ranges::replace(entry, u'|', u'\u00FF');
      rig.s().RegisterList.Add(entry);
    }
    rig.s().WorkList.Add(u"left over");
    rig.text.WriteLines(dir.File(file), c["file"]);
  }
  Texts State() {
    Texts out = test::TablesAsText(rig.s().tables);
    for (std::u16string entry : rig.s().RegisterList.Items()) {
      std::ranges::replace(entry, u'\u00FF', u'|');
      out.push_back(u"L " + entry);
    }
    return out;
  }

  test::TempDir dir;
  test::Rig rig;
};

TEST_F(DeviceFileTest, IncludeCases) {
  for (const test::Case& c : test::ReadCases("include_reader.cases")) {
    SCOPED_TRACE(c.name);
    Prepare(c, u"P16FTEST.inc");
    GetInc(rig.s(), rig.text, u"16FTEST");
    EXPECT_EQ(c["expect"], State());
    EXPECT_TRUE(rig.s().WorkList.Empty());
  }
}

TEST_F(DeviceFileTest, KdxCases) {
  for (const test::Case& c : test::ReadCases("kdx_reader.cases")) {
    SCOPED_TRACE(c.name);
    Prepare(c, u"PT.KDX");
    EXPECT_EQ(KdxOutcome::Read, GetTheKDX(rig.s(), rig.text, u"t"));
    EXPECT_EQ(c["expect"], State());
  }
}

// Mplab8Dir is searched before MplabXXpDir, which holds the file too. A type without a
// file, or a blank one, changes nothing but WorkList.
TEST_F(DeviceFileTest, IncludeFileIsPAndTheTypeInUpperCaseInTheFirstFolderHoldingIt) {
  test::TempDir later;
  rig.s().dirs.MplabXXpDir = later.path() + u"\\";
  rig.text.WriteLines(later.File(u"P16F877A.inc"), {u"---Bank0", u"LATER EQU H'0001'"});
  rig.text.WriteLines(dir.File(u"p16f877a.inc"), {u"---Bank0", u"PORTA EQU H'0005'"});
  for (std::u16string_view device : {u"16F877A", u"p16f877a", u" 16f877a\t", u"P16F877A"}) {
    EXPECT_EQ(dir.path() + u"\\P16F877A.inc", FindIncludeFile(rig.s(), rig.text, device))
        << test::Narrow(device);
  }
  for (std::u16string_view device : {u"16F877A", u"16NONE", u"", u"  "}) {
    rig.s().WorkList.Add(u"left over");
    GetInc(rig.s(), rig.text, device);
    EXPECT_EQ(u"877A", rig.s().req.DeviceNumber);
    EXPECT_EQ(Texts{u"R PORTA|0005||"}, State());
    EXPECT_TRUE(rig.s().WorkList.Empty());
  }
}

// The folder the user located (as the folder dialog gives it: no backslash) comes last.
TEST(IncludeFolders, AreTheAssemblersInOrderThenTheLocatedFolder) {
  Directories d;
  d.MplabX64Dir = u"C:\\X64\\";
  d.MplabX32Dir = u"C:\\X32\\";
  d.MPAsmDir = u"C:\\Located";
  EXPECT_EQ((Texts{u"C:\\X32\\", u"C:\\X64\\", u"C:\\Located\\"}), IncludeFolders(d));
  d.Mplab8Dir = u"C:\\8\\";
  d.MplabXXpDir = u"C:\\XP\\";
  d.MPAsmDir = u" ";
  EXPECT_EQ((Texts{u"C:\\8\\", u"C:\\XP\\", u"C:\\X32\\", u"C:\\X64\\"}), IncludeFolders(d));
}

TEST_F(DeviceFileTest, KdxFileMissingOrWithoutRegisterSectionLeavesTheTables) {
  rig.text.WriteLines(dir.File(u"PA.KDX"), {u"[REGSTART]", u"KEPT EQU 0x0010", u"[REGEND]"});
  rig.text.WriteLines(dir.File(u"PNOREGS.KDX"), {u"KEPT2 EQU 0x0012", u"[REGEND]"});
  ASSERT_EQ(KdxOutcome::Read, GetTheKDX(rig.s(), rig.text, u"A"));
  EXPECT_EQ(KdxOutcome::NoFile, GetTheKDX(rig.s(), rig.text, u"MISSING"));
  EXPECT_EQ(u"A", rig.s().req.DeviceNumber);
  EXPECT_EQ(KdxOutcome::NoRegisterSection, GetTheKDX(rig.s(), rig.text, u"noregs"));
  EXPECT_EQ((Texts{u"R KEPT|0010||", u"L KEPT|0010|"}), State());
}

}  // namespace
}  // namespace bnf
