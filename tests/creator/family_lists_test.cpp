// The family click on real folders: copies in several folders, letter case, the
// locating loop, the 16-bit road. The family lists' functions are in functions_test.cpp.
#include "creator/family_lists.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Lines = std::vector<std::u16string>;
using test::Rig;
using test::ShownBox;
using test::TempDir;
using namespace std::chrono_literals;

// Family clicks over device files in sub-folders of a temporary folder.
class FamilyClickTest : public ::testing::Test {
 protected:
  // The sub-folder in the tool's syntax, with its trailing backslash; made if missing.
  std::u16string Folder(const std::string& name) {
    std::filesystem::create_directories(tmp.native() / name);
    return test::ToToolPath(tmp.native() / name) + u"\\";
  }

  // A device file written at noon (UTC) of a day in March 2021, so that the date texts
  // of two days compare as the days do.
  void Put(const std::string& folder, const std::string& name, int day = 15) {
    Folder(folder);
    const std::filesystem::path p = tmp.native() / folder / name;
    test::WriteBytes(p, "; device\r\n");
    const std::chrono::sys_seconds noon =
        std::chrono::sys_days{std::chrono::year{2021} / 3 / day} + 12h;
    std::filesystem::last_write_time(p, std::chrono::file_clock::from_sys(noon));
  }

  bool Click(std::u16string family) {
    rig.view.family = std::move(family);
    return rig.form.Guard([&] { rig.form.lbFamClick(); });
  }

  const Lines& FileList() { return rig.s().FileList.Items(); }

  TempDir tmp;
  Rig rig;
};

// "a" is reached through two variables, one variable is empty (no log line).
TEST_F(FamilyClickTest, CollectsEachNameOnceCountsPerFolderThenTypesOfTheFamily) {
  Directories& d = rig.s().dirs;
  const std::u16string a = d.Mplab8Dir = d.MplabX64Dir = Folder("a");
  const std::u16string b = d.MplabX32Dir = Folder("b");
  Put("a", "p16f877a.inc");
  Put("b", "P16F877A.INC");  // differs in letter case: both stay
  Put("a", "P16C54.INC");    // counted, but no flash part
  Put("a", "p18f452.inc");
  Put("a", "readme.txt");
  Put("a", "p16f84.inc", 16);  // the greater date text stays
  Put("b", "p16f84.inc", 15);
  Put("a", "p16f84a.inc");  // identical date texts: the entry that sorts last stays
  Put("b", "p16f84a.inc");

  ASSERT_TRUE(Click(u"16"));

  EXPECT_TRUE(rig.s().req.Is8Bit);
  EXPECT_EQ((Lines{a + u"P16C54.INC", a + u"p16f84.inc", a + u"p16f877a.inc", b + u"p16f84a.inc",
                   b + u"P16F877A.INC"}),
            FileList());
  EXPECT_TRUE(rig.s().FileList.Sorted());
  EXPECT_EQ((Lines{u"16F84", u"16F877A", u"16F84A", u"16F877A"}), rig.view.types);
  EXPECT_EQ(
      (Lines{u"", a + u" : 4", b + u" : 3", a + u" : 4", u"Number of includes found : 5", u"", u"",
             u"Selected family 16", u"", u"Number of includes found after filtering: 4", u""}),
      rig.view.log);
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

// Each click replaces the lists and the road, also when it finds nothing. The 16-bit road
// lists nothing while no assembler folder is in effect, and its types follow the family's
// letter case.
TEST_F(FamilyClickTest, LaterClicksOnTheSixteenBitRoad) {
  Directories& d = rig.s().dirs;
  const std::u16string asm8 = d.Mplab8Dir = Folder("asm");
  d.KdxDir = Folder("kdx");
  Put("asm", "p16f84.inc");
  for (const char* kdx :
       {"P24EP256GP202.KDX", "p24ep128gp202.kdx", "P24FJ64GA002.KDX", "P33EP64MC502.KDX"}) {
    Put("kdx", kdx);
  }
  ASSERT_TRUE(Click(u"16"));
  ASSERT_EQ(Lines{u"16F84"}, rig.view.types);
  rig.view.log.clear();

  ASSERT_TRUE(Click(u"24F"));
  EXPECT_FALSE(rig.s().req.Is8Bit);
  EXPECT_TRUE(FileList().empty());
  EXPECT_TRUE(rig.view.types.empty());
  EXPECT_TRUE(rig.view.log.empty());
  EXPECT_EQ(Lines{u"The tool could not find include files for this family.\r\n"
                  u"The following directory was searched: \r\n"
                  u"Korvan IDE - " +
                  d.KdxDir + u"\r\n"},
            rig.dialogs.Texts(ShownBox::Message));
  EXPECT_TRUE(rig.dialogs.Texts(ShownBox::OkCancel).empty());

  d.ActiveMpasmDir = asm8;
  ASSERT_TRUE(Click(u"24EP"));
  EXPECT_EQ((Lines{d.KdxDir + u"p24ep128gp202.kdx", d.KdxDir + u"P24EP256GP202.KDX"}), FileList());
  EXPECT_EQ(Lines{u"24EP256GP202"}, rig.view.types);
  EXPECT_EQ((Lines{u"", u"Selected family 24EP", u"",
                   u"Number of includes found after filtering: 1", u""}),
            rig.view.log);
}

// The 8-bit not-found dialogue and the locating loop.
class LocateTest : public FamilyClickTest {
 protected:
  LocateTest() : m8(rig.s().dirs.Mplab8Dir = Folder("mplab8")) {
    rig.s().dirs.MplabX64Dir = u"C:\\Missing\\mpasmx\\";
    Put("mplab8", "p18f452.inc");
  }

  std::u16string NotFound() const {
    return u"The tool could not find any include files for this family.\r\n"
           u"The following four directories were searched (some may not exist on your machine "
           u"and show up empty): \r\n"
           u"MPLab 8.xx    - " +
           m8 +
           u"\r\n"
           u"MPLabX XP     - \r\n"
           u"MPLabX 32 bit - \r\n"
           u"MPLabX 64 bit - C:\\Missing\\mpasmx\\";
  }

  const std::u16string m8;
  const std::u16string m8Line = m8 + u" : 0";
  const std::u16string x64Line = u"C:\\Missing\\mpasmx\\ : 0";
};

TEST_F(LocateTest, DeclinedQuestionEndsTheClick) {
  rig.dialogs.okCancelAnswers = {2};

  ASSERT_TRUE(Click(u"16"));

  EXPECT_TRUE(rig.s().req.Is8Bit);
  ASSERT_EQ(2u, rig.dialogs.shown.size());
  EXPECT_EQ(NotFound(), rig.dialogs.shown[0].text);
  EXPECT_EQ(ShownBox::OkCancel, rig.dialogs.shown[1].kind);
  EXPECT_EQ(u"Locate MPAsm directory", rig.dialogs.shown[1].text);
  EXPECT_EQ(std::vector<int32_t>{3}, rig.dialogs.okCancelKinds);
  EXPECT_TRUE(rig.view.types.empty());
  EXPECT_EQ((Lines{u"", m8Line, x64Line, u"Number of includes found : 0", u""}), rig.view.log);
}

TEST_F(LocateTest, TriesAgainUntilAFolderHoldsTheFamilyAndThenKeepsIt) {
  const std::u16string empty = Folder("empty");
  Put("located", "p16f1938.inc");
  const std::u16string located = tmp.path() + u"\\located";  // as the dialog gives it
  rig.s().dirs.MPAsmDir = u"C:\\Before";
  rig.dialogs.okCancelAnswers = {1};
  rig.dialogs.folderAnswers = {tmp.path() + u"\\empty", located};

  ASSERT_TRUE(Click(u"16"));

  const Directories& d = rig.s().dirs;
  EXPECT_EQ(located, d.MPAsmDir);
  EXPECT_EQ(located, d.ActiveMpasmDir);
  EXPECT_EQ(Lines{located + u"\\p16f1938.inc"}, FileList());
  EXPECT_TRUE(rig.s().FileList.Sorted());
  EXPECT_EQ(Lines{u"16F1938"}, rig.view.types);
  EXPECT_EQ((Lines{NotFound(), u"No include files found, try again"}),
            rig.dialogs.Texts(ShownBox::Message));
  ASSERT_EQ(2u, rig.dialogs.folderRequests.size());
  for (const FolderOptions& o : rig.dialogs.folderRequests) {
    EXPECT_EQ(u"Location of MPAsm", o.instruction);
    EXPECT_TRUE(o.showFiles);
  }
  EXPECT_EQ(u"C:\\Before", rig.dialogs.folderRequests[0].preselected);
  EXPECT_EQ(tmp.path() + u"\\empty", rig.dialogs.folderRequests[1].preselected);
  EXPECT_EQ(
      (Lines{u"", m8Line, x64Line, u"C:\\Before\\ : 0", u"Number of includes found : 0", u"",
             m8Line, x64Line, empty + u" : 0", m8Line, x64Line, located + u"\\ : 1", u"",
             u"Selected family 16", u"", u"Number of includes found after filtering: 1", u""}),
      rig.view.log);

  // Later clicks search the located folder after the others.
  rig.view.log.clear();
  rig.dialogs.shown.clear();
  ASSERT_TRUE(Click(u"16"));
  EXPECT_EQ(Lines{u"16F1938"}, rig.view.types);
  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_EQ(located + u"\\ : 1", rig.view.log[3]);
}

TEST_F(LocateTest, CancelledFolderDialogKeepsTheLastChoice) {
  rig.dialogs.okCancelAnswers = {1};
  rig.dialogs.folderAnswers = {tmp.path() + u"\\nothing", std::nullopt};
  rig.s().dirs.ActiveMpasmDir = m8;

  ASSERT_TRUE(Click(u"16"));

  EXPECT_EQ(tmp.path() + u"\\nothing", rig.s().dirs.MPAsmDir);
  EXPECT_EQ(m8, rig.s().dirs.ActiveMpasmDir);
  EXPECT_TRUE(rig.view.types.empty());
  EXPECT_EQ(2u, rig.dialogs.folderRequests.size());
  EXPECT_EQ((Lines{u"", m8Line, x64Line, u"Number of includes found : 0", u"", m8Line, x64Line,
                   tmp.path() + u"\\nothing\\ : 0"}),
            rig.view.log);
}

}  // namespace
}  // namespace bnf
