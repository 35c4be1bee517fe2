// The family click on real folders; the family lists' functions are in functions_test.cpp.
#include "creator/family_lists.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/rig.h"

namespace bnf {
namespace {

using test::ShownBox;
using test::Texts;
using namespace std::chrono_literals;

class FamilyClickTest : public ::testing::Test {
 protected:
  // The sub-folder in the tool's syntax, with its trailing backslash; made if missing.
  std::u16string Folder(const std::string& name) {
    std::filesystem::create_directories(tmp.native() / name);
    return test::ToToolPath(tmp.native() / name) + u"\\";
  }
  // A device file written at noon (UTC) of a day in March 2021: date texts compare as days.
  void Put(const std::string& folder, const std::string& name, int day = 15) {
    Folder(folder);
    const std::filesystem::path p = tmp.native() / folder / name;
    test::WriteBytes(p, "; device\r\n");
    const std::chrono::sys_seconds noon =
        std::chrono::sys_days{std::chrono::year{2021} / 3 / day} + 12h;
    std::filesystem::last_write_time(p, std::chrono::file_clock::from_sys(noon));
  }
  void Click(std::u16string family) {
    rig.view.family = std::move(family);
    rig.view.log.clear();
    rig.dialogs.shown.clear();
    ASSERT_TRUE(rig.form.Guard([&] { rig.form.lbFamClick(); }));
  }

  test::TempDir tmp;
  test::Rig rig;
  Directories& d = rig.s().dirs;
};

// "a" is in two variables, one is empty (no log line). Each click replaces lists and road;
// the 16-bit road lists nothing without an assembler folder in effect, types as the family.
TEST_F(FamilyClickTest, CollectsEachNameOnceCountsPerFolderThenTypesOfTheFamily) {
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
  d.KdxDir = Folder("kdx");
  for (const char* kdx : {"P24EP256GP202.KDX", "p24ep128gp202.kdx", "P24FJ64GA002.KDX"})
    Put("kdx", kdx);

  Click(u"16");
  EXPECT_TRUE(rig.s().req.Is8Bit);
  EXPECT_EQ((Texts{a + u"P16C54.INC", a + u"p16f84.inc", a + u"p16f877a.inc", b + u"p16f84a.inc",
                   b + u"P16F877A.INC"}),
            rig.s().FileList.Items());
  EXPECT_TRUE(rig.s().FileList.Sorted());
  EXPECT_EQ((Texts{u"16F84", u"16F877A", u"16F84A", u"16F877A"}), rig.view.types);
  EXPECT_EQ(
      (Texts{u"", a + u" : 4", b + u" : 3", a + u" : 4", u"Number of includes found : 5", u"", u"",
             u"Selected family 16", u"", u"Number of includes found after filtering: 4", u""}),
      rig.view.log);
  EXPECT_TRUE(rig.dialogs.shown.empty());

  Click(u"24F");
  EXPECT_FALSE(rig.s().req.Is8Bit);
  EXPECT_TRUE(rig.s().FileList.Empty());
  EXPECT_TRUE(rig.view.types.empty() && rig.view.log.empty());
  EXPECT_EQ(Texts{u"The tool could not find include files for this family.\r\n"
                  u"The following directory was searched: \r\n"
                  u"Korvan IDE - " +
                  d.KdxDir + u"\r\n"},
            rig.dialogs.Texts());

  d.ActiveMpasmDir = a;
  Click(u"24EP");
  EXPECT_EQ((Texts{d.KdxDir + u"p24ep128gp202.kdx", d.KdxDir + u"P24EP256GP202.KDX"}),
            rig.s().FileList.Items());
  EXPECT_EQ(Texts{u"24EP256GP202"}, rig.view.types);
  EXPECT_EQ((Texts{u"", u"Selected family 24EP", u"",
                   u"Number of includes found after filtering: 1", u""}),
            rig.view.log);
}

// No include file: the chooser comes back until a folder holds the family's files or it is
// cancelled; the last folder chosen is kept, and later clicks search it after the others.
TEST_F(FamilyClickTest, LocatingTheAssemblerFolder) {
  const std::u16string m8 = d.ActiveMpasmDir = d.Mplab8Dir = Folder("mplab8");
  const std::u16string x64 = d.MplabX64Dir = u"C:\\Missing\\mpasmx\\";
  Put("mplab8", "p18f452.inc");
  Put("located", "p16f1938.inc");
  Folder("empty");
  const std::u16string empty = tmp.path() + u"\\empty", nothing = tmp.path() + u"\\nothing";
  const std::u16string located = tmp.path() + u"\\located";  // as the dialog gives it
  const std::u16string notFound =
      u"The tool could not find any include files for this family.\r\n"
      u"The following four directories were searched (some may not exist on your machine "
      u"and show up empty): \r\n"
      u"MPLab 8.xx    - " +
      m8 + u"\r\nMPLabX XP     - \r\nMPLabX 32 bit - \r\nMPLabX 64 bit - " + x64;
  const std::u16string locate = u"Locate MPAsm directory",
                       retry = u"No include files found, try again";
  const std::u16string choose = u"Location of MPAsm [files] at ";
  d.MPAsmDir = u"C:\\Before";
  rig.dialogs.okCancelAnswers = {2, 1, 1};
  rig.dialogs.folderAnswers = {nothing, std::nullopt, empty, located};
  // The boxes of a click, then the located and the active folder, then the types.
  const auto click = [&] {
    Click(u"16");
    Texts out = rig.dialogs.Texts();
    out.push_back(d.MPAsmDir + u" | " + d.ActiveMpasmDir);
    out.insert(out.end(), rig.view.types.begin(), rig.view.types.end());
    return out;
  };

  EXPECT_EQ((Texts{notFound, locate, u"C:\\Before | " + m8}), click());  // declined
  EXPECT_EQ(std::vector<int32_t>{3}, rig.dialogs.okCancelKinds);
  EXPECT_EQ((Texts{notFound, locate, choose + u"C:\\Before", retry, choose + nothing,
                   nothing + u" | " + m8}),
            click());  // a folder without the family's files, then cancelled
  EXPECT_TRUE(rig.s().toSave.MPAsmDir);
  EXPECT_EQ(nothing + u"\\ : 0", rig.view.log.back());
  EXPECT_EQ((Texts{notFound, locate, choose + nothing, retry, choose + empty,
                   located + u" | " + located, u"16F1938"}),
            click());  // a folder without, then one with the family's files
  EXPECT_EQ(Texts{located + u"\\p16f1938.inc"}, rig.s().FileList.Items());
  EXPECT_TRUE(rig.s().FileList.Sorted());
  EXPECT_EQ((Texts{located + u" | " + located, u"16F1938"}), click());
  EXPECT_EQ(located + u"\\ : 1", rig.view.log[3]);
}

}  // namespace
}  // namespace bnf
