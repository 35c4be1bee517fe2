// The 8-bit generation: the generic-name match, the fallbacks and their search
// directions, the completion passes in their order, the page completion, the
// existing-file question and the chooser, and the whole road on the example device.
#include "creator/generation8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_utils.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::Rig;
using test::ShownBox;
using test::TempDir;

using Texts = std::vector<std::u16string>;

std::string Narrow(std::u16string_view s) {
  return std::string(s.begin(), s.end());
}

DeviceTables Tables(std::vector<RegRow> regs, std::vector<BitRow> bits,
                    std::vector<NotFoundRow> notFound = {}) {
  DeviceTables t;
  for (RegRow& r : regs) t.RegTable.Append(std::move(r));
  for (BitRow& b : bits) t.BitTable.Append(std::move(b));
  for (NotFoundRow& n : notFound) t.NotFound.Append(std::move(n));
  return t;
}

template <typename Row>
Texts Column(const Table<Row>& table, std::u16string Row::*field) {
  Texts out;
  for (int32_t i = 1; i < table.Counter(); ++i) out.push_back(table[i].*field);
  return out;
}

TEST(IsSFRLike, PlaceholderRunBetweenPrefixAndSuffix) {
  struct Case {
    std::u16string inc;
    std::u16string pdf;
    bool expected;
  } cases[] = {
      {u"TMR1", u"TMRn", true},   {u"TMR12", u"TMRn", true},      {u"TMR", u"TMRn", true},
      {u"TMR1L", u"TMRn", true},  {u"CCP1CON", u"CCPxCON", true}, {u"CCP1CON2", u"CCPxCON", false},
      {u"TMR1", u"TMRN", false},  {u"TMRN", u"TMRN", true},       {u"PIR12", u"PIRnn", true},
      {u"TM", u"TMRn", false},    {u"ON", u"nCON", false},        {u"SSP1CON1", u"SSPnCONn", false},
      {u"AxB1C", u"AxBnC", true}, {u"A1B1C", u"AxBnC", false},    {u"tmr1", u"TMRn", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.inc) + " / " + Narrow(c.pdf));
    EXPECT_EQ(c.expected, IsSFRLike(c.inc, c.pdf));
  }
}

TEST(LookUpBitdescInReg, NearestFollowingRowWinsThenNearestPreceding) {
  DeviceTables t = Tables({}, {{u"STATUS", u"A", u"3", u"before far"},
                               {u"STATUS", u"B", u"3", u"before near"},
                               {u"STATUS", u"C", u"3", u""},
                               {u"OTHER", u"D", u"3", u"other register"},
                               {u"STATUS", u"E", u"4", u"other number"},
                               {u"STATUS", u"F", u"3", u"after near"},
                               {u"STATUS", u"G", u"3", u"after far"}});

  EXPECT_EQ(u"after near", LookUpBitdescInReg(t, u"STATUS", u"3", 3));
  EXPECT_EQ(u"before near", LookUpBitdescInReg(t, u"STATUS", u"3", 2));
  EXPECT_EQ(u"after far", LookUpBitdescInReg(t, u" STATUS ", u" 3", 7));
  // A start outside the rows in use searches from row 1 upward.
  EXPECT_EQ(u"before far", LookUpBitdescInReg(t, u"STATUS", u"3", 0));
  EXPECT_EQ(u"before far", LookUpBitdescInReg(t, u"STATUS", u"3", 99));
  for (std::u16string bad : {u"8", u"-1", u"x", u"", u"03"}) {
    SCOPED_TRACE(Narrow(bad));
    EXPECT_EQ(u"", LookUpBitdescInReg(t, u"STATUS", bad, 3));
  }
  EXPECT_EQ(u"", LookUpBitdescInReg(t, u"", u"3", 3));
}

TEST(LookUpBitdescBitNameNum, SameBitOfARegisterOfTheSameKindForwardFirst) {
  DeviceTables t = Tables({}, {{u"T3CON", u"RD16", u"7", u""},
                               {u"T1CON", u"RD16", u"7", u"16-bit read/write mode"},
                               {u"T1CON", u"RD16", u"6", u"wrong number"},
                               {u"TXCON", u"RD16", u"7", u"no digit in owner"},
                               {u"SSP1CON1", u"WCOL", u"7", u"collision"},
                               {u"SSP2CON1", u"WCOL", u"7", u""},
                               {u"T1CON", u"ON", u"0", u"first timer"},
                               {u"T3CON", u"ON", u"0", u""},
                               {u"T5CON", u"ON", u"0", u"third timer"}});

  EXPECT_EQ(u"16-bit read/write mode", LookUpBitdescBitNameNum(t, u"T3CON", u"RD16", u"7", 1));
  EXPECT_EQ(u"", LookUpBitdescBitNameNum(t, u"T3CON", u"RD16", u"8", 1));
  EXPECT_EQ(u"", LookUpBitdescBitNameNum(t, u"T3CON", u"rd16", u"7", 1));
  // SSP1CON1 gives the pattern SSPnCONn, whose suffix CONn no such name ends with.
  EXPECT_EQ(u"", LookUpBitdescBitNameNum(t, u"SSP2CON1", u"WCOL", u"7", 6));
  EXPECT_EQ(u"third timer", LookUpBitdescBitNameNum(t, u"T3CON", u"ON", u"0", 8));
  EXPECT_EQ(u"first timer", LookUpBitdescBitNameNum(t, u"T3CON", u"ON", u"0", 7));
}

TEST(CompleteRegisterDescriptions, DefaultsShadowsAndTheRegisterPlaceholder) {
  NameTables names;
  names.SfrNames = {{u"STATUS", u"Status register"}, {u"TMR", u"Timer"}};
  DeviceTables t = Tables({{u"STATUS", u"", u"", u""},
                           {u"STATUS_SHAD", u"", u"", u""},
                           {u"TMR0", u"", u"REGISTER", u""},
                           {u"TMR1", u"", u"Register", u""},
                           {u"PORTA_SHAD", u"", u"REGISTER", u""},
                           {u"TMR2", u"", u"From the datasheet", u""}},
                          {});

  CompleteRegisterDescriptions(t, names);

  EXPECT_EQ((Texts{u"Status register", u"Status register Shadow register", u"Timer0", u"Register",
                   u"REGISTER", u"From the datasheet"}),
            Column(t.RegTable, &RegRow::description));
}

TEST(CompleteBitDescriptions, PassesRunInOrderEachOverAllRows) {
  NameTables names;
  names.BitNames = {{u"PD", u"Power-down bit"}, {u"T1CKPS*", u"Prescale bit "}};
  DeviceTables t = Tables({}, {
                                  {u"STATUS", u"NOT_PD", u"3", u""},   // 2nd pass, from PD
                                  {u"STATUS", u"PD", u"3", u""},       // 1st pass
                                  {u"STATUS", u"NOT_TO", u"4", u" "},  // blanks are a description
                                  {u"T3CON", u"RD16", u"7", u""},      // 3rd pass, from T1CON
                                  {u"T3CON", u"T3CKPS1", u"5", u""},   // nothing anywhere
                                  {u"T1CON", u"RD16", u"7", u""},      // 2nd pass, from its alias
                                  {u"T1CON", u"T16", u"7", u"Sixteen bits"},
                                  {u"T1CON", u"T1CKPS1", u"5", u""},  // 1st pass, with the star
                              });

  CompleteBitDescriptions(t, names);

  EXPECT_EQ((Texts{u"Power-down bit", u"Power-down bit", u" ", u"Sixteen bits", u"",
                   u"Sixteen bits", u"Sixteen bits", u"Prescale bit 1"}),
            Column(t.BitTable, &BitRow::description));
}

TEST(CompletePages, SameAddressFirstThenLastMatchingGenericHeading) {
  DeviceTables t = Tables({{u"INDF0", u"000", u"", u""},
                           {u"STATUS", u"003", u"", u"22"},
                           {u"INDF0", u"000", u"", u"30"},
                           {u"INDF1", u"000", u"", u"31"},
                           {u"TMR1L", u"016", u"", u""},
                           {u"TMR1H", u"017", u"", u""},
                           {u"T1CON", u"018", u"", u""},
                           {u"OTHER", u"019", u"", u""},
                           {u"OTHER2", u"019", u"", u""},
                           {u"OTHER3", u"18", u"", u""},
                           {u"TMR0", u"015", u"", u""},
                           {u"SHADOW0", u"015", u"", u""}},
                          {}, {{u"TMRnL", u"180"}, {u"TxCON", u"190"}, {u"TMRn", u"185"}});

  CompletePages(t);

  // Addresses compare as texts: 18 is not 018. SHADOW0 takes the page TMR0 was just given.
  EXPECT_EQ(
      (Texts{u"30", u"22", u"30", u"31", u"185", u"185", u"190", u"", u"", u"", u"185", u"185"}),
      Column(t.RegTable, &RegRow::page));
}

// The example device's files, with the user's and the IDE's BitName folders in temporary
// folders and the name tables loaded as at start-up.
class Generation8Test : public ::testing::Test {
 protected:
  explicit Generation8Test(std::vector<std::u16string> args = {}) : rig(std::move(args)) {
    Directories& d = rig.s().dirs;
    d.Mplab8Dir = test::SourcePath("examples/mpasm") + u"\\";
    d.ToolDir = test::SourcePath("examples/tool") + u"\\";
    d.ProfileDir = test::SourcePath("examples/profile");
    d.BNFLocation = user.path();
    d.IdeBnfDir = ide.path() + u"\\";
    rig.s().req.DeviceType = u"16F1938";
    rig.s().req.Is8Bit = true;
    ReadSFR_BITFiles(rig.s().names, d, rig.text, true, rig.dialogs);
    ReadSFR_BITFiles(rig.s().names, d, rig.text, false, rig.dialogs);
    rig.view.SetCaption(Ctl::Button1, u"16F1938");
    rig.view.enabledHistory.clear();
  }

  bool Generate() {
    return rig.form.Guard([&] { rig.form.Doe8Bit(); });
  }
  std::u16string OutFile() const { return user.File(u"P16F1938.bnf"); }
  bool Written() const { return rig.text.Exists(OutFile()); }
  std::u16string ClosingMessage() const {
    return u"The BitName file is saved as " + OutFile() +
           u"\r\rTo become effective you must copy it to the Plugin\\CompilerBitnames directory";
  }

  static std::u16string Datasheet() { return test::SourcePath("examples/datasheets/16F1938.txt"); }

  TempDir user;
  TempDir ide;
  Rig rig;
};

TEST_F(Generation8Test, WholeRoadOnTheExampleDevice) {
  rig.dialogs.openFileAnswers.push_back(Datasheet());

  ASSERT_TRUE(Generate());

  EXPECT_EQ(test::ReadBytes(test::ToHostPath(test::SourcePath("examples/expected/P16F1938.bnf"))),
            test::ReadBytes(test::ToHostPath(OutFile())));
  ASSERT_EQ(2u, rig.dialogs.shown.size());
  EXPECT_EQ(ShownBox::OpenFile, rig.dialogs.shown[0].kind);
  EXPECT_EQ(std::vector<std::u16string>{ClosingMessage()}, rig.dialogs.Texts(ShownBox::Message));
  ASSERT_TRUE(rig.dialogs.lastOpenFile.has_value());
  const OpenFileOptions& o = *rig.dialogs.lastOpenFile;
  EXPECT_EQ(u"Converted PDF files (*.txt)|*.txt", o.filter);
  EXPECT_EQ(u"txt", o.defaultExtension);
  EXPECT_TRUE(o.fileMustExist && o.hideReadOnly && o.resizable);
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Button1));
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Panel1));
  EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
  EXPECT_EQ(rig.s().Memo1, rig.text.ReadLines(OutFile()));
}

TEST_F(Generation8Test, ExistingIdeFileAsksFirstAndOnlyYesWithADatasheetGoesOn) {
  rig.text.WriteLines(ide.File(u"P16F1938.bnf"), {u"** BITNAMES **"});
  rig.dialogs.yesNoAnswers = {false, true, true};
  rig.s().req.PdfTextFile = Datasheet();

  ASSERT_TRUE(Generate());  // No: nothing else is shown
  ASSERT_TRUE(Generate());  // Yes, then the chooser is cancelled
  EXPECT_EQ(u"", rig.s().req.PdfTextFile);
  EXPECT_FALSE(Written());
  EXPECT_EQ(u"16F1938", rig.view.Caption(Ctl::Button1));
  EXPECT_TRUE(rig.view.enabledHistory.empty());
  EXPECT_EQ(1, rig.s().tables.RegCount());

  rig.dialogs.openFileAnswers.push_back(Datasheet());
  ASSERT_TRUE(Generate());  // Yes, and a datasheet chosen
  EXPECT_TRUE(Written());

  std::vector<ShownBox::Kind> kinds;
  for (const ShownBox& b : rig.dialogs.shown) kinds.push_back(b.kind);
  EXPECT_EQ((std::vector<ShownBox::Kind>{ShownBox::YesNo, ShownBox::YesNo, ShownBox::OpenFile,
                                         ShownBox::YesNo, ShownBox::OpenFile, ShownBox::Message}),
            kinds);
  EXPECT_EQ(u"The Bitname file for 16F1938 already exists.\rContinue anyway?",
            rig.dialogs.shown[0].text);
  EXPECT_EQ(ClosingMessage(), rig.dialogs.shown.back().text);
}

class Generation8CommandLineTest : public Generation8Test {
 protected:
  Generation8CommandLineTest() : Generation8Test({u"16F1938", u"datasheet.txt"}) {}
};

TEST_F(Generation8CommandLineTest, UnreadableDatasheetEndsBeforeAnythingIsWritten) {
  rig.s().req.PdfTextFile = user.File(u"missing.txt");

  EXPECT_FALSE(Generate());

  EXPECT_EQ(1u, rig.dialogs.Texts(ShownBox::Error).size());
  EXPECT_TRUE(rig.dialogs.Texts(ShownBox::Message).empty());
  EXPECT_FALSE(Written());
  EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
  EXPECT_EQ(u"16F1938", rig.view.Caption(Ctl::Button1));
}

TEST_F(Generation8CommandLineTest, NoIncludeFileWritesNothingAndSaysSo) {
  rig.s().req.PdfTextFile = Datasheet();
  ASSERT_TRUE(Generate());
  const int32_t regCount = rig.s().tables.RegCount();
  rig.s().req.DeviceType = u"16F1937";
  rig.dialogs.shown.clear();

  ASSERT_TRUE(Generate());

  EXPECT_EQ(std::vector<std::u16string>{u"No include file was found for 16F1937 (P16F1937.inc).\r"
                                        u"No BitName file was written."},
            rig.dialogs.Texts(ShownBox::Message));
  EXPECT_FALSE(rig.text.Exists(user.File(u"P16F1937.bnf")));
  EXPECT_EQ(regCount, rig.s().tables.RegCount());
}

TEST_F(Generation8CommandLineTest, IncludeFileWithoutRegistersWritesNothingAndSaysSo) {
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"no register marker", "W EQU H'0000'\r\n;----- STATUS Bits ---\r\nC EQU H'0000'\r\n"},
      {"markers and bits only",
       ";----- Register Files ---\r\n;----- STATUS Bits ---\r\nC EQU H'0000'\r\n;=====\r\n"},
      {"binary junk", std::string("\x00\x81\x9f\xff\r\x00EQU H\n\x80", 11)},
  };
  TempDir mpasm;
  rig.s().dirs.Mplab8Dir = mpasm.path() + u"\\";
  rig.s().req.PdfTextFile = Datasheet();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::WriteBytes(mpasm.native() / "P16F1938.inc", c.bytes);
    test::WriteBytes(test::ToHostPath(OutFile()), "old\r\n");
    rig.dialogs.shown.clear();

    ASSERT_TRUE(Generate());

    EXPECT_EQ(std::vector<std::u16string>{u"The include file for 16F1938 (" + mpasm.path() +
                                          u"\\P16F1938.inc) holds no register list.\r"
                                          u"No BitName file was written."},
              rig.dialogs.Texts(ShownBox::Message));
    EXPECT_EQ("old\r\n", test::ReadBytes(test::ToHostPath(OutFile())));
    EXPECT_EQ(u"16F1938", rig.view.Caption(Ctl::Button1));
  }
}

TEST_F(Generation8CommandLineTest, FailedSaveLeavesDoneButNoClosingMessage) {
  rig.s().req.PdfTextFile = Datasheet();
  rig.s().dirs.BNFLocation = user.File(u"no such folder");

  EXPECT_FALSE(Generate());

  EXPECT_EQ(1u, rig.dialogs.Texts(ShownBox::Error).size());
  EXPECT_TRUE(rig.dialogs.Texts(ShownBox::Message).empty());
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Button1));
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Panel1));
  EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
}

}  // namespace
}  // namespace bnf
