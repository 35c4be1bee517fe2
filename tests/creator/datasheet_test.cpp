// Both datasheet scanners on the cases of tests/data/creator (footers, headings, the
// device filter, every bit-line form), the 16-bit generic-name match and bit update,
// and the generate button around a scan.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "creator/datasheet16.h"
#include "creator/datasheet8.h"
#include "tests/support/rig.h"
#include "tests/support/table_cases.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::Texts;
using Scanner = void (*)(CreatorState&, const TextFiles&, MainView&);

class DatasheetTest : public ::testing::Test {
 protected:
  void Scan(Scanner scanner, const Texts& lines) {
    rig.s().req.PdfTextFile = dir.File(u"sheet.txt");
    rig.text.WriteLines(rig.s().req.PdfTextFile, lines);
    scanner(rig.s(), rig.text, rig.view);
  }
  void RunCases(const char* file, std::u16string device, Scanner scanner) {
    for (const test::Case& c : test::ReadCases(file)) {
      SCOPED_TRACE(c.name);
      rig.s().tables.EmptyAll();
      test::AppendRows(rig.s().tables, c["tables"]);
      rig.s().req.DeviceNumber = device;
      Scan(scanner, c["sheet"]);
      EXPECT_EQ(c["expect"], test::TablesAsText(rig.s().tables));
    }
  }

  test::TempDir dir;
  test::Rig rig;
};

TEST_F(DatasheetTest, EightBitCases) {
  RunCases("datasheet8.cases", u"1938", ReadThePDF8);
}

TEST_F(DatasheetTest, SixteenBitCases) {
  RunCases("datasheet16.cases", u"24FJ64GA002", ReadThePDF16);
}

TEST_F(DatasheetTest, ButtonOffDuringTheScanAndAfterAReadError) {
  for (Scanner scanner : {ReadThePDF8, ReadThePDF16}) {
    rig.view.enabledHistory.clear();
    Scan(scanner, {});
    EXPECT_EQ((std::vector<std::pair<Ctl, bool>>{{Ctl::Button1, false}, {Ctl::Button1, true}}),
              rig.view.enabledHistory);
    rig.s().req.PdfTextFile = dir.File(u"missing.txt");
    EXPECT_THROW(scanner(rig.s(), rig.text, rig.view), FileError);
    EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
  }
}

TEST_F(DatasheetTest, LongRangesWithinTheLimitAreStoredAndOneThatFillsTheTableStops) {
  test::AppendRows(rig.s().tables, {u"R T1CON|0104||", u"R OSCCON|0742||"});
  Scan(ReadThePDF16,
       {u"REGISTER 12-1: T1CON: T1", u"bit 2999-0 TCKPS: Prescale bits", u"bit 3000 TON: On bit",
        u"REGISTER 8-1: OSCCON: OSC", u"bit 0 OSWEN: Switch bit", u"REGISTER 12-1: T1CON: T1",
        u"bit 2999-0 TCKPS: Again"});
  const Texts rows = test::TablesAsText(rig.s().tables);
  ASSERT_EQ(2u + 3005 - 1, rows.size());
  EXPECT_EQ(u"B T1CON|TCKPS0|00| Again", rows[2]);
  EXPECT_EQ(u"B T1CON|TCKPS2999|2999| Again", rows[3001]);
  EXPECT_EQ((Texts{u"B T1CON|TON|3000|On bit", u"B T1CON|||", u"B OSCCON|OSWEN|00|Switch bit"}),
            Texts(rows.begin() + 3002, rows.begin() + 3005));

  rig.s().tables.EmptyAll();
  test::AppendRows(rig.s().tables, {u"R T1CON|0104||"});
  EXPECT_THROW(Scan(ReadThePDF16, {u"REGISTER 12-1: T1CON: T1", u"bit 65535-0 TCKPS: bits"}),
               CapacityError);
  EXPECT_EQ(kBitCapacity + 1, rig.s().tables.BitCount());
}

TEST(UpdateBitDesc, AppendFillsThePlaceholderUpdateReplacesTheFirstOfThatName) {
  DeviceTables t;
  test::AppendRows(t, {u"B A|||"});
  UpdateBitDesc(t, u"A", u"X", u"7", u"  seven  ", 1, true);
  UpdateBitDesc(t, u"A", u"Y", u"12", u"twelve", 1, true);
  UpdateBitDesc(t, u"B", u"Z", u"1", u"other owner", 1, true);
  UpdateBitDesc(t, u"A", u"Y", u"99", u" new ", 1, false);
  UpdateBitDesc(t, u"A", u"W", u"3", u"absent", 1, false);
  EXPECT_EQ((Texts{u"B A|X|07|seven", u"B A|Y|12| new ", u"B A|||"}), test::TablesAsText(t));
}

}  // namespace
}  // namespace bnf
