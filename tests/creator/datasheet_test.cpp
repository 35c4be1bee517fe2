// Both datasheet scanners on the cases of tests/data/creator, the generate button around
// a scan, long ranges and the 16-bit generic headings.
#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/text_utils.h"
#include "creator/datasheet16.h"
#include "creator/datasheet8.h"
#include "tests/support/rig.h"
#include "tests/support/table_cases.h"

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
  test::TempDir dir;
  test::Rig rig;
};

TEST_F(DatasheetTest, Cases) {
  const std::tuple<const char*, std::u16string, Scanner> files[] = {
      {"datasheet8.cases", u"1938", ReadThePDF8},
      {"datasheet16.cases", u"24FJ64GA002", ReadThePDF16}};
  for (const auto& [file, device, scanner] : files) {
    for (const test::Case& c : test::ReadCases(file)) {
      SCOPED_TRACE(c.name);
      rig.s().tables.EmptyAll();
      test::AppendRows(rig.s().tables, c["tables"]);
      rig.s().req.DeviceNumber = device;
      rig.view.enabledHistory.clear();
      Scan(scanner, c["sheet"]);
      EXPECT_EQ(c["expect"], test::TablesAsText(rig.s().tables));
      EXPECT_EQ((std::vector<std::pair<Ctl, bool>>{{Ctl::Button1, false}, {Ctl::Button1, true}}),
                rig.view.enabledHistory);
    }
  }
}

TEST_F(DatasheetTest, ButtonStaysOffAfterAReadError) {
  rig.s().req.PdfTextFile = dir.File(u"missing.txt");
  for (Scanner scanner : {ReadThePDF8, ReadThePDF16}) {
    rig.view.SetEnabled(Ctl::Button1, true);
    EXPECT_THROW(scanner(rig.s(), rig.text, rig.view), FileError);
    EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
  }
}

TEST_F(DatasheetTest, LongRangesWithinTheLimitAreStoredAndOneThatFillsTheTableStops) {
  // T1CON met again after OSCCON: its bits' descriptions are replaced, none appended.
  test::AppendRows(rig.s().tables, {u"R T1CON|0104||", u"R OSCCON|0742||"});
  Scan(ReadThePDF16,
       {u"REGISTER 12-1: T1CON: T1", u"bit 2999-0 TCKPS: Prescale bits", u"bit 3000 TON: On bit",
        u"REGISTER 8-1: OSCCON: OSC", u"bit 0 OSWEN: Switch bit", u"REGISTER 12-1: T1CON: T1",
        u"bit 2999-0 TCKPS: Again"});
  const Texts rows = test::TablesAsText(rig.s().tables);
  ASSERT_EQ(3006u, rows.size());
  EXPECT_EQ(u"B T1CON|TCKPS0|00| Again", rows[2]);
  EXPECT_EQ((Texts{u"B T1CON|TCKPS2999|2999| Again", u"B T1CON|TON|3000|On bit", u"B T1CON|||",
                   u"B OSCCON|OSWEN|00|Switch bit", u"B OSCCON|||"}),
            Texts(rows.begin() + 3001, rows.end()));

  rig.s().tables.EmptyAll();
  test::AppendRows(rig.s().tables, {u"R T1CON|0104||"});
  EXPECT_THROW(Scan(ReadThePDF16, {u"REGISTER 12-1: T1CON: T1", u"bit 65535-0 TCKPS: bits"}),
               CapacityError);
  EXPECT_EQ(kBitCapacity + 1, rig.s().tables.BitCount());
}

// Each heading is the register's own row, else a generic row of its own when
// FindRegisterLike over the growing table finds a register it stands for, else NotFound.
TEST_F(DatasheetTest, GenericHeadingsAsFindRegisterLikeOverRandomTablesFilesThem) {
  const Texts registers = {u"U1MODE", u"U2MODE", u"IC1CON", u"A", u"AB", u"NX", u"U1STA"};
  const Texts headings = {u"UxMODE", u"UyMODE", u"UXMODE", u"ICxCON", u"ICNCON", u"Ux",
                          u"x",      u"N",      u"NX",     u"Nn",     u"UxSTA",  u"U1MODE",
                          u"Y",      u"Bx",     u"yB",     u"UnMODE", u"IxxCON", u"ICnCOx"};
  test::ExpectAsTheWalk(17, 60, [&](test::Random& random) {
    DeviceTables walked;
    for (int i = 0; i < 4; ++i) test::AppendRows(walked, {u"R " + random.Pick(registers)});
    rig.s().tables = walked;
    Texts lines;
    for (int i = 0; i < 12; ++i) {
      const std::u16string& name = random.Pick(headings);
      lines.push_back(u"REGISTER 1-1: " + name + u": HEADING");
      if (int32_t row = walked.FindRegister(name); row > 0) {
        walked.RegTable.At(row) = RegRow{name, u"", u"HEADING", u"-1"};
      } else if (FindRegisterLike(walked, name) > 0) {
        walked.RegTable.Append(RegRow{name, u"", u"HEADING", u"-1"});
      } else {
        walked.NotFound.Append(NotFoundRow{name, u"-1"});
      }
    }
    Scan(ReadThePDF16, lines);
    return std::pair{test::TablesAsText(rig.s().tables), test::TablesAsText(walked)};
  });
}

}  // namespace
}  // namespace bnf
