// The name files' line rules, the standard and private reads and the cut at the table's
// capacity (the lookups: functions_test.cpp, their index: device_tables_test.cpp).
#include "creator/name_tables.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/text_utils.h"
#include "tests/support/rig.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

using test::Texts;

class NameTablesTest : public ::testing::Test {
 protected:
  NameTablesTest() {
    rig.s().dirs.ToolDir = tool.path() + u"\\";
    rig.s().dirs.ProfileDir = profile.path();
  }
  // Writes the files given as name and lines, then reads the standard or private ones.
  void Read(bool standard, const std::vector<std::pair<const char16_t*, Texts>>& files = {}) {
    for (const auto& [name, lines] : files) {
      rig.text.WriteLines((name[0] == u'P' ? profile : tool).File(name), lines);
    }
    ReadSFR_BITFiles(rig.s().names, rig.s().dirs, rig.text, standard, rig.dialogs);
  }
  static Texts Rows(const std::vector<NameRow>& rows) {
    Texts out;
    for (const NameRow& r : rows) out.push_back(r.Name + u"|" + r.Desc);
    return out;
  }

  test::Rig rig;
  test::TempDir tool, profile;
};

TEST_F(NameTablesTest, LineRulesKeepNameAndDescriptionAsWritten) {
  Read(true, {{u"StandardSFR.txt",
               {u"", u"   \t", u"; a comment=with equals", u"  ;indented=not a comment", u"=NoName",
                u"NoEquals", u"BLANKDESC=  \t", u"STATUS=Status register", u"TMR0 =Timer 0",
                u" PCL=Program counter low", u"A=b=c", u"lower=Case kept ",
                u"LONG=" + std::u16string(1200, u'd'), u"STATUS=Duplicate"}},
              {u"StandardBIT.txt", {}}});
  EXPECT_EQ((Texts{u"  ;indented|not a comment", u"STATUS|Status register", u"TMR0 |Timer 0",
                   u" PCL|Program counter low", u"A|b=c", u"lower|Case kept ",
                   u"LONG|" + std::u16string(999, u'd'), u"STATUS|Duplicate"}),
            Rows(rig.s().names.SfrNames));
  EXPECT_EQ(9, rig.s().names.SfrStdEnd);
  EXPECT_EQ(1, rig.s().names.BitStdEnd);
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

// The 16-bit register file, when there is one, is read instead of the 8-bit one.
TEST_F(NameTablesTest, PrivateRowsFollowStandardRowsAndAreReplacedOnReload) {
  Read(true, {{u"StandardSFR16.txt", {u"TMR=Timer"}},
              {u"StandardSFR.txt", {u"STATUS=Status"}},
              {u"StandardBIT.txt", {u"C=Carry", u"Z=Zero"}}});
  Read(false, {{u"PrivateSFR.txt", {u"; header", u"TMR=Private timer", u"UCON=USB control"}},
               {u"PrivateBit.txt", {u"C=Private carry"}}});
  EXPECT_EQ(u"Timer", GetDefaultSFR(rig.s().names, u"TMR"));  // standard wins a tie

  rig.text.WriteLines(profile.File(u"PrivateSFR.txt"), {u"TMR1=Private timer one"});
  rig.text.WriteLines(profile.File(u"PrivateBit.txt"), {});
  rig.form.ReloadPrivateClick();
  rig.form.ReloadPrivateClick();
  EXPECT_EQ((Texts{u"TMR|Timer", u"TMR1|Private timer one"}), Rows(rig.s().names.SfrNames));
  EXPECT_EQ((Texts{u"C|Carry", u"Z|Zero"}), Rows(rig.s().names.BitNames));
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(NameTablesTest, WithoutTheRegisterFileNothingIsReadWithoutTheBitFileItIsAnError) {
  rig.s().names.SfrNames = rig.s().names.BitNames = {{u"OLD", u"row"}};
  Read(true, {{u"StandardBIT.txt", {u"C=Carry"}}});
  EXPECT_TRUE(rig.s().names.SfrNames.empty() && rig.s().names.BitNames.empty());
  EXPECT_EQ(1, rig.s().names.SfrStdEnd);
  EXPECT_EQ(1, rig.s().names.BitStdEnd);

  std::filesystem::remove(tool.native() / "StandardBIT.txt");
  EXPECT_THROW(Read(true, {{u"StandardSFR.txt", {u"STATUS=Status"}}}), FileError);
  EXPECT_EQ(Texts{u"STATUS|Status"}, Rows(rig.s().names.SfrNames));
  EXPECT_TRUE(rig.s().names.BitNames.empty());
}

TEST_F(NameTablesTest, FileBeyondTheCapacityIsCutAndReportedOnce) {
  Texts lines;
  for (int i = 1; i <= 4100; ++i) lines.push_back(u"R" + IntToText(i) + u"=Register");
  Read(true, {{u"StandardSFR.txt", lines}, {u"StandardBIT.txt", {u"C=Carry"}}});
  Read(false, {{u"PrivateSFR.txt", {u"; only a comment", u"MORE=More"}},
               {u"PrivateBit.txt", {u"Z=Zero"}}});
  EXPECT_EQ(u"R4096", rig.s().names.SfrNames.back().Name);
  EXPECT_EQ((Texts{u"C|Carry", u"Z|Zero"}), Rows(rig.s().names.BitNames));
  const std::u16string cut =
      u" was not read to its end:\rthe table of register names holds at most 4096 entries.";
  EXPECT_EQ((Texts{u"The name file " + tool.File(u"StandardSFR.txt") + cut,
                   u"The name file " + profile.File(u"PrivateSFR.txt") + cut}),
            rig.dialogs.Texts(test::ShownBox::Message));
}

}  // namespace
}  // namespace bnf
