// The 8-bit datasheet scanner's deciding steps: the company line and the footers, the
// headings (short, device-qualified, filtered, configuration, generic), and the three
// bit-line forms with their first-wins and last-wins rules.
#include "creator/datasheet8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/errors.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::Rig;
using test::TempDir;
using Texts = std::vector<std::u16string>;

constexpr std::u16string_view kCompany = u"2011 Microchip Technology Inc. DS0001A";

class Datasheet8Test : public ::testing::Test {
 protected:
  Datasheet8Test() { rig.s().req.DeviceNumber = u"1938"; }

  DeviceTables& tables() { return rig.s().tables; }
  void Reg(const std::u16string& name) { tables().RegTable.Append({name, u"00", u"", u""}); }
  void Bits(const std::u16string& owner, const Texts& names) {
    for (const std::u16string& n : names) tables().BitTable.Append({owner, n, u"0", u""});
  }
  void Scan(const Texts& lines) {
    std::u16string path = dir.File(u"datasheet.txt");
    rig.text.WriteLines(path, lines);
    rig.s().req.PdfTextFile = path;
    ReadThePDF8(rig.s(), rig.text, rig.view);
  }
  const RegRow& R(std::u16string_view name) {
    return tables().RegTable[tables().FindRegister(name)];
  }
  // "name|description|page" per RegTable row in use.
  Texts Regs() {
    Texts out;
    for (int32_t i = 1; i < tables().RegCount(); ++i) {
      const RegRow& r = tables().RegTable[i];
      out.push_back(r.name + u"|" + r.description + u"|" + r.page);
    }
    return out;
  }
  // "name|description" per BitTable row in use.
  Texts BitDescriptions() {
    Texts out;
    for (int32_t i = 1; i < tables().BitCount(); ++i) {
      out.push_back(tables().BitTable[i].name + u"|" + tables().BitTable[i].description);
    }
    return out;
  }
  Texts NotFoundRows() {
    Texts out;
    for (int32_t i = 1; i < tables().NotFoundCount(); ++i) {
      out.push_back(tables().NotFound[i].name + u"|" + tables().NotFound[i].page);
    }
    return out;
  }

  TempDir dir;
  Rig rig;
};

TEST_F(Datasheet8Test, PagesAreOneMoreThanTheLastFooter) {
  for (auto name : {u"AAA", u"BBB", u"CCC", u"DDD", u"EEE", u"FFF", u"GGG"}) Reg(name);

  Scan({u"REGISTER 1-1: AAA: PRELIMINARY AAA REGISTER", std::u16string(kCompany) + u" Preliminary",
        u"REGISTER 1-2: BBB: PRELIMINARY BBB REGISTER", u"DS0001A-page 12 Preliminary",
        u"REGISTER 1-3: CCC: CCC REGISTER", u"Text DS0001A-page:14", u"REGISTER 1-4: DDD: DDD",
        u"DS0001A-page abc", u"REGISTER 1-5: EEE: EEE", u"REGISTER 1-6: FFF: DS0001A-page 20",
        u"DS0001A-page 30\tend", u"REGISTER 1-7: GGG: GGG"});

  EXPECT_EQ((Texts{u"AAA|AAA REGISTER|-1", u"BBB|PRELIMINARY BBB REGISTER|-1",
                   u"CCC|CCC REGISTER|13", u"DDD|DDD|15", u"EEE|EEE|15", u"FFF||", u"GGG|GGG|31"}),
            Regs());
}

TEST_F(Datasheet8Test, CompanyLineDecidesWhatAFooterIs) {
  struct Case {
    std::u16string company, footer, page;
  } cases[] = {
      {u"2011 MICROCHIP TECHNOLOGY INC. DS0001A", u"DS0001A-page 2", u"3"},
      {u"Microchip Technology Inc.", u"Anything-page 5 of 9", u"6"},
      {u"2011 Microchip Technology Inc. DS0001A-page 1", u"DS0001A-page 2", u"-1"},
      {std::u16string(kCompany), u"ds0001a-page 2", u"-1"},
      {std::u16string(kCompany), u"DS0001A-page 2x", u"-1"},
      {u"2011 Microchip Inc. DS0001A", u"DS0001A-page 2", u"-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.company.begin(), c.company.end()));
    rig.s().tables.RegTable.Clear();
    Reg(u"AAA");
    Scan({c.company, c.footer, u"REGISTER 1-1: AAA: A REGISTER"});
    EXPECT_EQ(c.page, R(u"AAA").page);
  }
}

TEST_F(Datasheet8Test, ShortHeadingTakesTheNextLineHeadingWithoutANameIsPassedOver) {
  Reg(u"OPTION_REG");
  Reg(u"AB");
  Bits(u"AB", {u"B0"});
  Reg(u"LAST");
  Bits(u"LAST", {u"L0", u"L1"});

  Scan({u"REGISTER 4-1:", u"   OPTION_REG: OPTION REGISTER (ADDRESS: 95h)", u"REGISTER 4-2: AB",
        u"bit 0 B0: zero", u"REGISTER 4-3: LAST: L", u"bit 0 L0: kept", u"REGISTER 9-9: 12-34: 56",
        u"bit 1 L1: still LAST", u"Register 4-4:"});

  EXPECT_EQ(u"OPTION REGISTER ", R(u"OPTION_REG").description);
  // Sixteen characters are not joined; a name without a colon is also the description.
  EXPECT_EQ(u"AB", R(u"AB").description);
  EXPECT_EQ(u"L", R(u"LAST").description);
  EXPECT_EQ((Texts{u"B0|zero", u"L0|kept", u"L1|still LAST"}), BitDescriptions());
  EXPECT_TRUE(rig.view.Enabled(Ctl::Button1));
}

TEST_F(Datasheet8Test, HeadingForOtherDevicesSilencesAllButFooters) {
  Reg(u"AAA");
  Bits(u"AAA", {u"A0"});
  Reg(u"BBB");
  Bits(u"BBB", {u"B0"});

  Scan({std::u16string(kCompany), u"REGISTER 1-1: BBB: OURS (PIC16F1938/PIC16LF1938)",
        u"bit 0 B0: ours", u"REGISTER 1-2: AAA: FOR OTHERS (PIC16F1939 ONLY)",
        u"bit 0 A0: silenced", u"bit 0 B0: silenced", u"DS0001A-page 40",
        u"REGISTER 1-3: AAA: OURS TOO (pic16f1938 only)", u"bit 0 A0: ours too"});

  EXPECT_EQ(u"OURS", R(u"BBB").description);
  EXPECT_EQ(u"OURS TOO", R(u"AAA").description);
  EXPECT_EQ(u"41", R(u"AAA").page);
  EXPECT_EQ((Texts{u"A0|ours too", u"B0|ours"}), BitDescriptions());
}

TEST_F(Datasheet8Test, FilterWordsSeeTheLineWithoutItsParentheses) {
  Reg(u"AAA");
  Bits(u"AAA", {u"A0", u"A1", u"A2", u"A3"});
  Reg(u"BBB");
  Reg(u"CCC");

  Scan({u"REGISTER 1-1: AAA: A REGISTER (NOTE 1)", u"bit 1 A1: First (see Figure 2)",
        u"REGISTER 1-2: BBB: B REGISTER = FILTERED", u"bit 0 A0: Zero",
        u"REGISTER 1-3: CCC: DEVICE REGISTER", u"bit 2 A2: Two", u"bit 3 A3: see figure",
        u"bit 3 A3: a note", u"bit 3 A3: legend", u"bit 3 A3: Microchip",
        u"bit 3 A3: unimplemented", u"bit 3 A3: dots ......", u"bit 3 A3: x = 1",
        u"bit 3 A3 without a colon"});

  EXPECT_EQ(u"A REGISTER", R(u"AAA").description);
  EXPECT_EQ(u"", R(u"BBB").description);
  EXPECT_EQ(u"", R(u"CCC").description);
  // Under dropped headings the bit lines still belong to the last accepted one.
  EXPECT_EQ((Texts{u"A0|Zero", u"A1|First ", u"A2|Two", u"A3|"}), BitDescriptions());
}

// OPTION describes the bits of OPTION_REG, not the register itself.
TEST_F(Datasheet8Test, ConfigurationHeadingsKeepTheirBitsAwayOptionHeadingIsOptionReg) {
  Reg(u"AAA");
  Bits(u"AAA", {u"A0", u"A1", u"A2"});
  Reg(u"CONFIGX");
  Reg(u"OPTION_REG");
  Bits(u"OPTION_REG", {u"PS0", u"PSA"});

  Scan({u"REGISTER 1-1: AAA: A", u"REGISTER 4-1: CONFIG1: CONFIGURATION WORD 1",
        u"bit 0 A0: config one", u"REGISTER 4-2: Configuration Word: the word", u"bit 1 A1: config",
        u"REGISTER 4-3: CONFIGX: NOT A CONFIGURATION HEADING", u"bit 2 A2: configx",
        u"REGISTER 5-1: OPTION: OPTION REGISTER", u"bit 0 PS0: Prescaler",
        u"bit 3 PSA: Assignment"});

  EXPECT_EQ(u"NOT A CONFIGURATION HEADING", R(u"CONFIGX").description);
  EXPECT_EQ(u"", R(u"OPTION_REG").description);
  EXPECT_EQ(u"", R(u"OPTION_REG").page);
  EXPECT_EQ((Texts{u"A0|", u"A1|", u"A2|", u"PS0|Prescaler", u"PSA|Assignment"}),
            BitDescriptions());
}

TEST_F(Datasheet8Test, NamedBitLines) {
  Reg(u"STATUS");
  Bits(u"STATUS", {u"NOT_PD", u"PD", u"NOT_TO", u"Z", u"DC", u"C", u"INTE"});

  Scan({u"REGISTER 3-1: STATUS: STATUS REGISTER", u"bit 8 CPD: Data code protection",
        u"bit 3 PD: Power-down bit", u"bit 4 TO: see NOT_TO bit", u"bit 2 Z: first",
        u"bit 2 Z:  second", u"bit 1 DC: Digit carry", u"bit 0 C: Carry", u"bit 6 INTEDG: Edge"});

  // NOT_TO: the full name occurs in "see NOT_TO bit", so the short name is not looked for.
  EXPECT_EQ((Texts{u"NOT_PD|Power-down bit", u"PD|Power-down bit", u"NOT_TO|", u"Z| second",
                   u"DC|Digit carry", u"C|Carry", u"INTE|"}),
            BitDescriptions());
}

TEST_F(Datasheet8Test, RangeAndPairLinesFirstWinsNamedLineStillReplaces) {
  Reg(u"T1CON");
  Bits(u"T1CON", {u"T1CKPS1", u"T1CKPS0", u"TMR1CS1", u"TMR1CS0", u"RD16", u"ABCD9", u"T1", u"GO"});

  Scan({u"REGISTER 21-1: T1CON: TIMER1 CONTROL", u"bit 5-4 T1CKPS<1:0>: range first",
        u"bit 5-4 T1CKPS<1:0>: range second", u"bit 7-6 TMR1CS1:TMR1CS0: pair first",
        u"bit 7-6 TMR1CS1:TMR1CS0: pair second", u"bit 5 T1CKPS1: named wins",
        u"bit 6-5 BASE1:BASE0: four and a digit", u"bit 1-0 GO<1:0>: no digit"});

  EXPECT_EQ((Texts{u"T1CKPS1|named wins", u"T1CKPS0| range first", u"TMR1CS1|pair first",
                   u"TMR1CS0|pair first", u"RD16|", u"ABCD9|four and a digit", u"T1| range first",
                   u"GO|"}),
            BitDescriptions());
}

TEST_F(Datasheet8Test, GenericHeadingsCollectInAFreshNotFound) {
  tables().NotFound.Append({u"OLDx", u"5"});
  Reg(u"AAA");
  Bits(u"AAA", {u"A0"});

  Scan({std::u16string(kCompany), u"DS0001A-page 9", u"REGISTER 1-1: TxCON: GENERIC",
        u"REGISTER 1-2: TMRn: GENERIC N", u"REGISTER 1-3: PORTX: UPPER CASE X",
        u"REGISTER 1-4: TxCON: AGAIN", u"REGISTER 1-5: AAA : BLANK BEFORE THE COLON",
        u"bit 0 A0: not reached"});

  EXPECT_EQ((Texts{u"TxCON|10", u"TMRn|10", u"TxCON|10"}), NotFoundRows());
  EXPECT_EQ(u"", R(u"AAA").description);
  EXPECT_EQ((Texts{u"A0|"}), BitDescriptions());
}

TEST_F(Datasheet8Test, Button1DisabledDuringTheScanAndAfterAReadError) {
  Scan({});
  EXPECT_EQ((std::vector<std::pair<Ctl, bool>>{{Ctl::Button1, false}, {Ctl::Button1, true}}),
            rig.view.enabledHistory);

  rig.s().req.PdfTextFile = dir.File(u"missing.txt");
  EXPECT_THROW(ReadThePDF8(rig.s(), rig.text, rig.view), FileError);
  EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
}

}  // namespace
}  // namespace bnf
