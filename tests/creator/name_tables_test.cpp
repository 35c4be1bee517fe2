// The name files' line rules, the standard and private reads, the cut at the table's
// capacity, and both lookups on the examples their rules are known by.
#include "creator/name_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/errors.h"
#include "common/text_utils.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::Rig;
using test::ShownBox;
using test::TempDir;

class NameTablesTest : public ::testing::Test {
 protected:
  NameTablesTest() {
    rig.s().dirs.ToolDir = tool.path() + u"\\";
    rig.s().dirs.ProfileDir = profile.path();
  }

  void WriteTool(std::u16string_view name, const std::vector<std::u16string>& lines) {
    rig.text.WriteLines(tool.File(name), lines);
  }
  void WriteProfile(std::u16string_view name, const std::vector<std::u16string>& lines) {
    rig.text.WriteLines(profile.File(name), lines);
  }
  void Read(bool standard) {
    ReadSFR_BITFiles(rig.s().names, rig.s().dirs, rig.text, standard, rig.dialogs);
  }
  NameTables& names() { return rig.s().names; }

  Rig rig;
  TempDir tool;
  TempDir profile;
};

std::vector<std::u16string> Names(const std::vector<NameRow>& rows) {
  std::vector<std::u16string> out;
  for (const NameRow& r : rows) out.push_back(r.Name + u"|" + r.Desc);
  return out;
}

TEST_F(NameTablesTest, LineRulesKeepNameAndDescriptionAsWritten) {
  std::u16string longDesc(1200, u'd');
  WriteTool(u"StandardSFR.txt",
            {u"", u"   \t", u"; a comment=with equals", u"  ;indented=not a comment", u"=NoName",
             u"NoEquals", u"BLANKDESC=  \t", u"STATUS=Status register", u"TMR0 =Timer 0",
             u" PCL=Program counter low", u"A=b=c", u"lower=Case kept ", u"LONG=" + longDesc,
             u"STATUS=Duplicate"});
  WriteTool(u"StandardBIT.txt", {});

  Read(true);

  std::vector<std::u16string> expected = {u"  ;indented|not a comment",
                                          u"STATUS|Status register",
                                          u"TMR0 |Timer 0",
                                          u" PCL|Program counter low",
                                          u"A|b=c",
                                          u"lower|Case kept ",
                                          u"LONG|" + std::u16string(999, u'd'),
                                          u"STATUS|Duplicate"};
  EXPECT_EQ(expected, Names(names().SfrNames));
  EXPECT_EQ(9, names().SfrStdEnd);
  EXPECT_EQ(1, names().BitStdEnd);
  // Names are looked up trimmed, so rows stored with leading blanks never match.
  EXPECT_EQ(u"", GetDefaultSFR(names(), u"PCL"));
  EXPECT_EQ(u"", GetDefaultSFR(names(), u"TMR0"));
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(NameTablesTest, SixteenBitRegisterFileIsPreferred) {
  WriteTool(u"StandardSFR16.txt", {u"U1MODE=UART mode"});
  WriteTool(u"StandardSFR.txt", {u"STATUS=Status"});
  WriteTool(u"StandardBIT.txt", {u"C=Carry"});

  Read(true);

  EXPECT_EQ(std::vector<std::u16string>{u"U1MODE|UART mode"}, Names(names().SfrNames));
  EXPECT_EQ(std::vector<std::u16string>{u"C|Carry"}, Names(names().BitNames));
}

TEST_F(NameTablesTest, PrivateRowsFollowStandardRowsAndAreReplacedOnReload) {
  WriteTool(u"StandardSFR.txt", {u"TMR=Timer"});
  WriteTool(u"StandardBIT.txt", {u"C=Carry", u"Z=Zero"});
  WriteProfile(u"PrivateSFR.txt", {u"; header", u"TMR=Private timer", u"UCON=USB control"});
  WriteProfile(u"PrivateBit.txt", {u"C=Private carry"});
  Read(true);
  Read(false);
  ASSERT_EQ(2, names().SfrStdEnd);
  ASSERT_EQ(3, names().BitStdEnd);
  EXPECT_EQ(u"Timer", GetDefaultSFR(names(), u"TMR"));  // standard wins a tie
  EXPECT_EQ(u"USB control", GetDefaultSFR(names(), u"UCON"));
  EXPECT_EQ(u"Carry", GetDefaultBit(names(), u"C"));

  WriteProfile(u"PrivateSFR.txt", {u"TMR1=Private timer one"});
  WriteProfile(u"PrivateBit.txt", {});
  rig.form.ReloadPrivateClick();
  rig.form.ReloadPrivateClick();

  EXPECT_EQ((std::vector<std::u16string>{u"TMR|Timer", u"TMR1|Private timer one"}),
            Names(names().SfrNames));
  EXPECT_EQ((std::vector<std::u16string>{u"C|Carry", u"Z|Zero"}), Names(names().BitNames));
  EXPECT_EQ(u"", GetDefaultSFR(names(), u"UCON"));
  EXPECT_EQ(u"Private timer one, Low byte", GetDefaultSFR(names(), u"TMR1L"));
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(NameTablesTest, MissingRegisterFileReadsNothingOfItsKind) {
  WriteTool(u"StandardBIT.txt", {u"C=Carry"});
  names().SfrNames.push_back({u"OLD", u"row"});

  Read(true);

  EXPECT_TRUE(names().SfrNames.empty());
  EXPECT_TRUE(names().BitNames.empty());
  EXPECT_EQ(1, names().SfrStdEnd);
  EXPECT_EQ(1, names().BitStdEnd);
}

TEST_F(NameTablesTest, MissingBitFileBesideRegisterFileIsAnError) {
  WriteTool(u"StandardSFR.txt", {u"STATUS=Status"});

  EXPECT_THROW(Read(true), FileError);

  EXPECT_EQ(std::vector<std::u16string>{u"STATUS|Status"}, Names(names().SfrNames));
  EXPECT_TRUE(names().BitNames.empty());
}

TEST_F(NameTablesTest, FileBeyondTheCapacityIsCutAndReportedOnce) {
  std::vector<std::u16string> lines;
  for (int i = 1; i <= 4100; ++i)
    lines.push_back(u"R" + IntToText(i) + u"=Register " + IntToText(i));
  WriteTool(u"StandardSFR.txt", lines);
  WriteTool(u"StandardBIT.txt", {u"C=Carry"});
  WriteProfile(u"PrivateSFR.txt", {u"; only a comment", u"MORE=More"});
  WriteProfile(u"PrivateBit.txt", {u"Z=Zero"});

  Read(true);
  Read(false);

  ASSERT_EQ(4096u, names().SfrNames.size());
  EXPECT_EQ(u"R4096", names().SfrNames.back().Name);
  EXPECT_EQ((std::vector<std::u16string>{u"C|Carry", u"Z|Zero"}), Names(names().BitNames));
  std::vector<std::u16string> expected = {
      u"The name file " + tool.File(u"StandardSFR.txt") +
          u" was not read to its end:\rthe table of register names holds at most 4096 entries.",
      u"The name file " + profile.File(u"PrivateSFR.txt") +
          u" was not read to its end:\rthe table of register names holds at most 4096 entries."};
  EXPECT_EQ(expected, rig.dialogs.Texts(ShownBox::Message));
}

NameTables Table(std::vector<NameRow> sfr, std::vector<NameRow> bits) {
  NameTables t;
  t.SfrNames = std::move(sfr);
  t.BitNames = std::move(bits);
  t.SfrStdEnd = t.SfrNameCount();
  t.BitStdEnd = t.BitNameCount();
  return t;
}

TEST(GetDefaultSFR, LongestMatchAndByteEndings) {
  NameTables timer = Table({{u"TMR", u"Timer"}}, {});
  struct Case {
    std::u16string name;
    std::u16string expected;
  } cases[] = {
      {u"TMR", u"Timer"},
      {u"TMR1", u"Timer1"},
      {u"TMR1L", u"Timer1, Low byte"},
      {u"TMRH", u"Timer, High byte"},
      {u"TMRU", u"Timer, Upper byte"},
      {u"TMR12H", u"Timer12"},
      {u"TMR0l", u"Timer0l"},
      {u"  TMR0\t", u"Timer0"},
      {u"TM", u""},
      {u"tmr", u""},
      {u"   ", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
    EXPECT_EQ(c.expected, GetDefaultSFR(timer, c.name));
  }
}

TEST(GetDefaultSFR, LongerNameWinsOverEarlierShorterOne) {
  NameTables t = Table({{u"T", u"Short"}, {u"T1CON", u"Timer1 control"}, {u"T1C", u"Middle"}}, {});
  t.SfrStdEnd = 2;  // the last two rows are private

  EXPECT_EQ(u"Timer1 control", GetDefaultSFR(t, u"T1CON"));
  EXPECT_EQ(u"Middle, Low byte", GetDefaultSFR(t, u"T1CL"));
  EXPECT_EQ(u"ShortX", GetDefaultSFR(t, u"TX"));
}

TEST(GetDefaultBit, FirstPrefixWinsAndStarAppendsTheRest) {
  NameTables t = Table({}, {{u"T1CKPS*", u"Timer1 prescale bit "},
                            {u"RP", u"Register bank select"},
                            {u"AB*CD", u"Ab "},
                            {u"RP0", u"Exact but later"},
                            {u"*", u"Any "}});
  struct Case {
    std::u16string bit;
    std::u16string expected;
  } cases[] = {
      {u"T1CKPS1", u"Timer1 prescale bit 1"},
      {u"T1CKPS", u"Timer1 prescale bit "},
      {u"RP0", u"Register bank select"},
      {u"RP1", u"Register bank select"},
      {u"ABXY", u"Ab XY"},
      {u"ABCD", u"Ab CD"},
      {u"ZZ", u"Any ZZ"},
      {u"X=RP1", u"Register bank select"},
      {u" \t", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.bit.begin(), c.bit.end()));
    EXPECT_EQ(c.expected, GetDefaultBit(t, c.bit));
  }
  EXPECT_EQ(u"", GetDefaultBit(Table({}, {{u"RP", u"Bank"}}), u"R"));
}

}  // namespace
}  // namespace bnf
