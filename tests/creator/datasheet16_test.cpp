// The 16-bit datasheet scanner: page footers, headings (joined, generic, unmatched,
// device and configuration headings), the selection of bit lines, every bit-line form,
// append versus update mode with the blocks' placeholder records, and the generic-name
// match.
#include "creator/datasheet16.h"

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

using Lines = std::vector<std::u16string>;

std::string Narrow(std::u16string_view s) {
  return std::string(s.begin(), s.end());
}

// "owner|name|number|description" per BitTable row in use.
Lines BitRows(const DeviceTables& t) {
  Lines out;
  for (int32_t i = 1; i < t.BitCount(); ++i) {
    const BitRow& b = t.BitTable[i];
    out.push_back(b.owner + u"|" + b.name + u"|" + b.number + u"|" + b.description);
  }
  return out;
}

class Datasheet16Test : public ::testing::Test {
 protected:
  // Registers as the KDX reader leaves them: names and addresses only.
  void Registers(const Lines& names) {
    for (const std::u16string& name : names) {
      rig.s().tables.RegTable.Append(RegRow{name, u"0100", u"", u""});
    }
  }

  void Scan(const Lines& lines) {
    rig.s().req.DeviceNumber = u"24FJ64GA002";
    rig.s().req.PdfTextFile = dir.File(u"sheet.txt");
    rig.text.WriteLines(rig.s().req.PdfTextFile, lines);
    ReadThePDF16(rig.s(), rig.text, rig.view);
  }

  Lines Bits() { return BitRows(tables()); }

  // "name|address|description|page" per RegTable row in use.
  Lines Regs() {
    Lines out;
    for (int32_t i = 1; i < tables().RegCount(); ++i) {
      const RegRow& r = tables().RegTable[i];
      out.push_back(r.name + u"|" + r.address + u"|" + r.description + u"|" + r.page);
    }
    return out;
  }

  Lines NotFound() {
    Lines out;
    for (int32_t i = 1; i < tables().NotFoundCount(); ++i) {
      out.push_back(tables().NotFound[i].name + u"|" + tables().NotFound[i].page);
    }
    return out;
  }

  const DeviceTables& tables() { return rig.s().tables; }

  TempDir dir;
  Rig rig;
};

// A heading for other devices silences the lines up to the next heading, but not a footer.
TEST_F(Datasheet16Test, FooterGivesItsOwnNumberAndHeadingsBeforeItGetMinusOne) {
  Registers({u"T1CON", u"T2CON", u"T3CON", u"CLKDIV", u"OSCCON"});

  Scan({u"REGISTER 1-1: T1CON: TIMER1 CONTROL REGISTER",
        u"PRELIMINARY data sheet, (c) 2024 Microchip Technology Inc. DS12345A", u"DS12345A-page 12",
        u"REGISTER 1-2: T2CON: TIMER2 CONTROL REGISTER (ADDRESS 0x0110)", u"DS12345A-page xx",
        u"REGISTER 1-3: T3CON: TIMER3 PRELIMINARY REGISTER",
        u"REGISTER 8-1: CLKDIV: CLOCK DIVIDER (PIC24FJ64GA004)",
        u"bit 15 ROI: Recover on Interrupt bit", u"DS12345A-page 40",
        u"REGISTER 8-2: OSCCON: OSCILLATOR CONTROL", u"bit 0 OSWEN: Oscillator Switch Enable bit"});

  EXPECT_EQ(
      (Lines{u"T1CON|0100|TIMER1 CONTROL REGISTER|-1", u"T2CON|0100|TIMER2 CONTROL REGISTER |12",
             u"T3CON|0100|TIMER3 PRELIMINARY REGISTER|12", u"CLKDIV|0100||",
             u"OSCCON|0100|OSCILLATOR CONTROL|40"}),
      Regs());
  EXPECT_EQ((Lines{u"OSCCON|OSWEN|00|Oscillator Switch Enable bit", u"OSCCON|||"}), Bits());
}

TEST_F(Datasheet16Test, HeadingsJoinedGenericUnmatchedAndSkipped) {
  Registers({u"U1MODE", u"AD1CON1", u"PMD1"});

  Scan({u"REGISTER 5-1:", u"U1MODE: UART1 MODE REGISTER",
        u"REGISTER 8-1: ADxCON1: ADCx CONTROL REGISTER 1 (ADC1 AND ADC2)",
        u"REGISTER 8-2: SPIxSTAT: SPIx STATUS REGISTER",
        u"REGISTER 8-3: ADxCON1: ADCx CONTROL REGISTER ONE",
        u"REGISTER 9-1: PMD1 : PERIPHERAL MODULE DISABLE",
        u"REGISTER 28-1: DEVID: DEVICE ID REGISTER",
        u"REGISTER 25-1: CONFIG1: CONFIGURATION WORD 1",
        u"REGISTER 25-2: CW2: FLASH CONFIGURATION WORD 2", u"REGISTER 99-9: 1234:",
        u"REGISTER 7-1: U1MODE: MODE REGISTER (PIC24FJ64GA004)",
        u"REGISTER 7-2: U1MODE: MODE (OF UART1) REGISTER (PIC24FJ64GA002)"});

  EXPECT_EQ((Lines{u"U1MODE|0100|MODE (OF UART1) REGISTER |-1", u"AD1CON1|0100||", u"PMD1|0100||",
                   u"ADxCON1||ADCx CONTROL REGISTER ONE|-1"}),
            Regs());
  EXPECT_EQ((Lines{u"SPIxSTAT|-1", u"PMD1 |-1"}), NotFound());
}

TEST(FindRegisterLike, PlaceholderLettersCountOnlyInTheDatasheetName) {
  DeviceTables t;
  for (const char16_t* name : {u"U1MODE", u"AD1CON1", u"UxSTA", u"NVMCON"}) {
    t.RegTable.Append(RegRow{name, u"", u"", u""});
  }
  struct Case {
    std::u16string pdf;
    int32_t expected;
  } cases[] = {{u"UxMODE", 1}, {u"UXMODE", 1},  {u"UyMODE", 1}, {u"U1MODE", 1}, {u"ADxCON1", 2},
               {u"U1STA", -1}, {u"u1MODE", -1}, {u"UxMOD", -1}, {u"xVMCOy", 4}, {u"NNNNNN", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.pdf));
    EXPECT_EQ(c.expected, FindRegisterLike(t, c.pdf));
  }
  EXPECT_EQ(-1, FindRegisterLike(DeviceTables{}, u"UxMODE"));
}

TEST_F(Datasheet16Test, EveryBitLineForm) {
  struct Case {
    std::u16string line;
    Lines expected;  // name|number|description of REG1's rows; "||" is the placeholder
  } cases[] = {
      {u"bit 3 ADON: A/D Operating Mode bit", {u"ADON|03|A/D Operating Mode bit", u"||"}},
      {u"bit 3 ADON:text", {u"ADON|03|ext", u"||"}},
      {u"bit 0 DONE: Conversion Status bits", {u"DONE|00|Conversion Status bits", u"||"}},
      {u"bit 12-8 CSS<12:8>: Channel Select bits",
       {u"CSS0|08|Channel Select bit", u"CSS1|09|Channel Select bit", u"CSS2|10|Channel Select bit",
        u"CSS3|11|Channel Select bit", u"CSS4|12|Channel Select bit", u"||"}},
      {u"bit 15,13 UTXISEL<1:0>: Mode Selection bits",
       {u"UTXISEL1|15|Mode Selection bit", u"UTXISEL0|13|Mode Selection bit", u"||"}},
      {u"bit 7-5 SSRC2:SSRC0: Sample Clock Source Select bits",
       {u"SSRC0|05|Sample Clock Source Select bit", u"SSRC1|06|Sample Clock Source Select bit",
        u"SSRC2|07|Sample Clock Source Select bit", u"||"}},
      {u"bit 2-0 DATA: Data bits",
       {u"DATA0|00|Data bit", u"DATA1|01|Data bit", u"DATA2|02|Data bit", u"||"}},
      {u"bit 1-0 RX1:RX0 Receive bits select",
       {u"RX0|00|Receive bit select", u"RX1|01|Receive bit select", u"||"}},
      {u"bit 15,13 UTXISEL1:UTXISEL0: Mode bits",
       {u"UTXISEL1|15|Mode bit", u"UTXISEL0|13|Mode bit", u"||"}},
      {u"bit 5-4 T1EN:T0EN: The bitstream bits",
       {u"T0EN|04|The bittream bits", u"T1EN|05|The bittream bits", u"||"}},
      // Lines that make the block but give no bit.
      {u"bit 3-5 CSS<1:0>: Reversed range", {u"||"}},
      {u"bit 15,13,11 A<2:0>: Three listed bits", {u"||"}},
      {u"bit 15-8: No name", {u"||"}},
      // No bit lines at all.
      {u"bit 15 bit 8: both", {}},
      {u"Bit 15 ADON: capital B", {}},
      {u"bits 15 ADON: plural word", {}},
      {u"bit 15 Unimplemented: Read as 0", {}},
      {u"bit 15 ADON no colon", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.line));
    rig.s().tables.EmptyRegistersAndBits();
    Registers({u"REG1"});
    Scan({u"REGISTER 1-1: REG1: A REGISTER", c.line});
    Lines expected;
    for (const std::u16string& bit : c.expected) expected.push_back(u"REG1|" + bit);
    EXPECT_EQ(expected, Bits());
  }
}

TEST_F(Datasheet16Test, RangesOfTenOrMoreBitsWithoutBrackets) {
  Registers({u"AD1PCFG", u"AD1CSSL", u"T2CON", u"PMDOUT1"});

  Scan({u"REGISTER 1-1: AD1PCFG: PORT CONFIGURATION",
        u"bit 11-0 PCFG11:PCFG0: Pin Configuration bits", u"REGISTER 1-2: AD1CSSL: SCAN SELECT",
        u"bit 9-0 CSSL9:CSSL0: Scan Select bits", u"REGISTER 1-3: T2CON: TIMER2",
        u"bit 12-3 T2CK11EN:T2CK2EN: Clock bits", u"REGISTER 1-4: PMDOUT1: PORT DATA",
        u"bit 15-0 DATA: Data bits"});

  Lines bits = Bits();
  ASSERT_EQ(12u + 1 + 10 + 1 + 10 + 1 + 16 + 1, bits.size());
  EXPECT_EQ(u"AD1PCFG|PCFG0|00|Pin Configuration bit", bits[0]);
  EXPECT_EQ(u"AD1PCFG|PCFG11|11|Pin Configuration bit", bits[11]);
  EXPECT_EQ(u"AD1CSSL|CSSL0|00|Scan Select bit", bits[13]);
  EXPECT_EQ(u"AD1CSSL|CSSL9|09|Scan Select bit", bits[22]);
  EXPECT_EQ(u"T2CON|T2CK0EN|03|Clock bit", bits[24]);
  EXPECT_EQ(u"T2CON|T2CK9EN|12|Clock bit", bits[33]);
  EXPECT_EQ(u"PMDOUT1|DATA15|15|Data bit", bits[50]);
}

TEST_F(Datasheet16Test, BitLinesFollowTheCurrentRegister) {
  Registers({u"U1MODE", u"OPTION_REG"});

  Scan({u"bit 15 EARLY: before any heading", u"REGISTER 1-1: U1MODE: UART1 MODE",
        u"bit 15 UARTEN: UART Enable bit", u"REGISTER 28-1: DEVID: DEVICE ID REGISTER",
        u"bit 14 STILL: taken for U1MODE", u"REGISTER 28-2:", u"DEVREV: DEVICE REVISION REGISTER",
        u"bit 13 LOST: heading text is current", u"REGISTER 1-2: SPIxSTAT: UNMATCHED",
        u"bit 12 NONE: no register", u"REGISTER 2-1: OPTION: OPTION REGISTER",
        u"bit 7 PSA: Prescaler", u"REGISTER 3-1: CW1: CONFIGURATION WORD 1",
        u"bit 6 CFG: config bit"});

  EXPECT_EQ((Lines{u"U1MODE|UARTEN|15|UART Enable bit", u"U1MODE|STILL|14|taken for U1MODE",
                   u"U1MODE|||", u"OPTION_REG|PSA|07|Prescaler", u"OPTION_REG|||"}),
            Bits());
}

TEST_F(Datasheet16Test, AppendModeOnlyForTheLastNewRegister) {
  Registers({u"T1CON", u"T2CON"});

  Scan({u"REGISTER 1-1: T1CON: TIMER1", u"bit 15 TON: Timer On bit", u"bit 15 TON: Timer On bit",
        u"REGISTER 1-2: T2CON: TIMER2", u"bit 3-5 T32<1:0>: nothing",
        u"REGISTER 1-3: T1CON: TIMER1 AGAIN", u"bit 15 TON:  Timer1 On bits  ",
        u"bit 14 NEW: not appended", u"bit 5-4 TCKPS<1:0>: not appended either"});

  EXPECT_EQ((Lines{u"T1CON|TON|15| Timer1 On bits", u"T1CON|TON|15|Timer On bit", u"T1CON|||",
                   u"T2CON|||"}),
            Bits());
}

TEST(UpdateBitDesc, AppendFillsThePlaceholderAndUpdateTheFirstOfThatName) {
  DeviceTables t;
  t.BitTable.Append(BitRow{u"A", u"", u"", u""});

  UpdateBitDesc(t, u"A", u"X", u"7", u"  seven  ", 1, true);
  UpdateBitDesc(t, u"A", u"Y", u"12", u"twelve", 1, true);
  UpdateBitDesc(t, u"B", u"Z", u"1", u"other owner", 1, true);
  UpdateBitDesc(t, u"A", u"Y", u"99", u" new ", 1, false);
  UpdateBitDesc(t, u"A", u"W", u"3", u"absent", 1, false);

  EXPECT_EQ((Lines{u"A|X|07|seven", u"A|Y|12| new ", u"A|||"}), BitRows(t));
}

TEST_F(Datasheet16Test, Button1DisabledDuringTheScanAndAfterAReadError) {
  Scan({u"nothing"});
  using Change = std::pair<Ctl, bool>;
  EXPECT_EQ((std::vector<Change>{{Ctl::Button1, false}, {Ctl::Button1, true}}),
            rig.view.enabledHistory);

  rig.s().req.PdfTextFile = dir.File(u"missing.txt");
  EXPECT_THROW(ReadThePDF16(rig.s(), rig.text, rig.view), FileError);
  EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
}

}  // namespace
}  // namespace bnf
