// The device file reader: the cases of tests/data/creator (section markers, line forms,
// address cuts, RegisterList, a read replacing the tables), the file's name, and files
// that are missing or hold no register section.
#include "creator/kdx_reader.h"

#include <gtest/gtest.h>

#include "tests/support/rig.h"
#include "tests/support/table_cases.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::Texts;

class KdxReaderTest : public ::testing::Test {
 protected:
  KdxReaderTest() { rig.s().dirs.KdxDir = dir.path() + u"\\"; }
  // The tables and RegisterList (L rows, "|" for the separator) as text.
  Texts State() {
    Texts out = test::TablesAsText(rig.s().tables);
    for (std::u16string entry : rig.s().RegisterList.Items()) {
      for (char16_t& c : entry) c = c == u'\u00FF' ? u'|' : c;
      out.push_back(u"L " + entry);
    }
    return out;
  }

  test::TempDir dir;
  test::Rig rig;
};

TEST_F(KdxReaderTest, Cases) {
  for (const test::Case& c : test::ReadCases("kdx_reader.cases")) {
    SCOPED_TRACE(c.name);
    test::AppendRows(rig.s().tables, c["tables"]);
    for (const std::u16string& entry : test::Tagged(c["tables"], u"L ")) {
      rig.s().RegisterList.Add(entry.substr(0, entry.find(u'|')) + u"\u00FF" +
                               entry.substr(entry.find(u'|') + 1, 4) + u"\u00FF");
    }
    rig.text.WriteLines(dir.File(u"PT.KDX"), c["file"]);
    EXPECT_EQ(KdxOutcome::Read, GetTheKDX(rig.s(), rig.text, u"t"));
    EXPECT_EQ(c["expect"], State());
    EXPECT_EQ(u"t", rig.s().req.DeviceNumber);
  }
}

TEST_F(KdxReaderTest, MissingFileOrNoRegisterSectionLeavesTheTables) {
  rig.text.WriteLines(dir.File(u"PA.KDX"), {u"[REGSTART]", u"KEPT EQU 0x0010", u"[REGEND]"});
  rig.text.WriteLines(dir.File(u"PNOREGS.KDX"), {u"KEPT2 EQU 0x0012", u"[REGEND]"});
  ASSERT_EQ(KdxOutcome::Read, GetTheKDX(rig.s(), rig.text, u"A"));
  EXPECT_EQ(KdxOutcome::NoFile, GetTheKDX(rig.s(), rig.text, u"MISSING"));
  EXPECT_EQ(KdxOutcome::NoFile, GetTheKDX(rig.s(), rig.text, u" "));
  EXPECT_EQ(u"A", rig.s().req.DeviceNumber);
  EXPECT_EQ(KdxOutcome::NoRegisterSection, GetTheKDX(rig.s(), rig.text, u"noregs"));
  EXPECT_EQ((Texts{u"R KEPT|0010||", u"L KEPT|0010|"}), State());
}

}  // namespace
}  // namespace bnf
