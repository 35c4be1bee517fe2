// The family and type lists: the family number and road, the family filter, merge
// entries, the removal of older copies, the type text, and the family click on real
// folders (copies in several folders, letter case, the locating loop, the 16-bit road).
#include "creator/family_lists.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "common/file_utils.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Lines = std::vector<std::u16string>;
using test::Rig;
using test::ShownBox;
using test::TempDir;
using namespace std::chrono_literals;

std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

std::u16string Wide(std::string_view s) {
  return std::u16string(s.begin(), s.end());
}

TEST(FamilyNumber, FirstTwoCharactersDecideTheRoad) {
  struct Case {
    std::u16string text;
    int32_t number;
    bool eightBit;
  } cases[] = {
      {u"10", 10, true},     {u"12", 12, true},      {u"16", 16, true},
      {u"18", 18, true},     {u"24EP", 24, false},   {u"24F", 24, false},
      {u"33FJ", 33, false},  {u"16F877A", 16, true}, {u"24FJ64GA002", 24, false},
      {u"14000", 14, false}, {u"7", 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.text));
    EXPECT_EQ(c.number, FamilyNumber(c.text));
    EXPECT_EQ(c.eightBit, Is8BitFamily(FamilyNumber(c.text)));
  }
}

TEST(DeleteNonFam, KeepsLinesWithBackslashPAndTheFamilyInAnyLetterCase) {
  auto collator = MakeCollator();
  SortedStringList list(*collator, /*sorted=*/false);
  for (const char16_t* line : {
           u"C:\\Asm\\p16f877a.inc\t3/15/2021\t10",    // the file name
           u"C:\\Asm\\P18F452.INC\t3/15/2021\t10",     // another family
           u"C:\\P16old\\p12f675.inc\t3/15/2021\t10",  // a folder beginning with P16
           u"C:\\Asm\\p12f1612.inc\t3/15/2021\t10",    // 16 but not after \P
           u"C:\\Asm\\xp16f84.inc\t3/15/2021\t10",     // P16 not after the backslash
           u"p16f84.inc\t3/15/2021\t10",               // no backslash at all
           u"C:\\Asm\\p16f84.inc\t3/15/2021\t10",
       }) {
    list.Add(line);
  }

  DeleteNonFam(u"16", list);

  EXPECT_EQ(
      (Lines{u"C:\\Asm\\p16f877a.inc\t3/15/2021\t10", u"C:\\P16old\\p12f675.inc\t3/15/2021\t10",
             u"C:\\Asm\\p16f84.inc\t3/15/2021\t10"}),
      list.Items());

  // The family text itself is taken as given: in lower case it never matches.
  SortedStringList kdx(*collator, /*sorted=*/false);
  kdx.Add(u"C:\\Kdx\\P24EP128GP202.KDX\t3/15/2021\t10");
  DeleteNonFam(u"24ep", kdx);
  EXPECT_TRUE(kdx.Empty());
}

TEST(MergeEntry, PutsTheNameFirstAndSplitsBack) {
  const std::u16string entry = MergeEntry(u"C:\\Asm\\p16f877a.inc\t3/15/2021 12:00:00 PM\t1024");
  EXPECT_EQ(u"p16f877a.inc\t3/15/2021 12:00:00 PM\t1024\u00FFC:\\Asm\\", entry);
  MergeParts parts = SplitMergeEntry(entry);
  EXPECT_EQ(u"p16f877a.inc", parts.name);
  EXPECT_EQ(u"3/15/2021 12:00:00 PM", parts.date);
  EXPECT_EQ(u"C:\\Asm\\", parts.directory);

  EXPECT_EQ(u"p16f84.inc\t1/2/2020\t5\u00FF", MergeEntry(u"p16f84.inc\t1/2/2020\t5"));
  EXPECT_EQ(u"", SplitMergeEntry(MergeEntry(u"p16f84.inc\t1/2/2020\t5")).directory);
}

// Entries are given in their sorted order; the list is not re-sorted here.
TEST(RemoveOlderCopies, ComparesEachEntryWithTheOneAfterIt) {
  struct Case {
    const char* name;
    Lines entries;
    Lines expected;
  } cases[] = {
      {"one entry",
       {u"P16F84.INC\t3/15/2021\t1\u00FFC:\\A\\"},
       {u"P16F84.INC\t3/15/2021\t1\u00FFC:\\A\\"}},
      {"the later date text stays",
       {u"P16F84.INC\t3/15/2021\t1\u00FFC:\\A\\", u"P16F84.INC\t3/16/2021\t1\u00FFC:\\B\\"},
       {u"P16F84.INC\t3/16/2021\t1\u00FFC:\\B\\"}},
      {"dates compared as text, not as time",
       {u"P16F84.INC\t10/1/2021\t1\u00FFC:\\A\\", u"P16F84.INC\t9/1/2020\t1\u00FFC:\\B\\"},
       {u"P16F84.INC\t9/1/2020\t1\u00FFC:\\B\\"}},
      {"an earlier entry with a greater date stays",
       {u"P16F84.INC\t3/16/2021\t1\u00FFC:\\A\\", u"P16F84.INC\t3/15/2021\t1\u00FFC:\\B\\"},
       {u"P16F84.INC\t3/16/2021\t1\u00FFC:\\A\\", u"P16F84.INC\t3/15/2021\t1\u00FFC:\\B\\"}},
      {"identical dates: the last stays",
       {u"P16F84.INC\t3/15/2021\t1\u00FFC:\\A\\", u"P16F84.INC\t3/15/2021\t1\u00FFC:\\B\\"},
       {u"P16F84.INC\t3/15/2021\t1\u00FFC:\\B\\"}},
      {"the reference moves on also past an entry that stays",
       {u"P16F84.INC\t3/11/2021\t1\u00FFC:\\A\\", u"P16F84.INC\t3/13/2021\t1\u00FFC:\\B\\",
        u"P16F84.INC\t3/12/2021\t1\u00FFC:\\C\\"},
       {u"P16F84.INC\t3/13/2021\t1\u00FFC:\\B\\", u"P16F84.INC\t3/12/2021\t1\u00FFC:\\C\\"}},
      {"letter case splits a run",
       {u"P16F84.INC\t3/15/2021\t1\u00FFC:\\A\\", u"p16f84.inc\t3/15/2021\t1\u00FFC:\\B\\",
        u"P16F84.INC\t3/15/2021\t1\u00FFC:\\C\\"},
       {u"P16F84.INC\t3/15/2021\t1\u00FFC:\\A\\", u"p16f84.inc\t3/15/2021\t1\u00FFC:\\B\\",
        u"P16F84.INC\t3/15/2021\t1\u00FFC:\\C\\"}},
      {"other names are left alone",
       {u"P16F84.INC\t3/15/2021\t1\u00FFC:\\A\\", u"P16F84A.INC\t3/14/2021\t1\u00FFC:\\A\\"},
       {u"P16F84.INC\t3/15/2021\t1\u00FFC:\\A\\", u"P16F84A.INC\t3/14/2021\t1\u00FFC:\\A\\"}},
  };
  auto collator = MakeCollator();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SortedStringList merged(*collator, /*sorted=*/false);
    for (const std::u16string& e : c.entries) merged.Add(e);
    RemoveOlderCopies(merged);
    EXPECT_EQ(c.expected, merged.Items());
  }
}

TEST(TypeText, AcceptedFilesAndTheirTypes) {
  struct Case {
    std::u16string file;
    std::u16string family;
    bool eightBit;
    std::optional<std::u16string> type;
  } cases[] = {
      {u"C:\\Asm\\p16f877a.inc", u"16", true, u"16F877A"},
      {u"C:\\Asm\\P18F4550.INC", u"18", true, u"18F4550"},
      {u"C:\\Asm\\p16lf1825.inc", u"16", true, u"16LF1825"},
      {u"C:\\Asm\\p16c54.inc", u"16", true, std::nullopt},
      {u"C:\\Asm\\p12ce518.inc", u"12", true, std::nullopt},
      {u"C:\\Asm\\p16.inc", u"16", true, std::nullopt},  // fourth character "."
      {u"C:\\Asm\\p16", u"16", true, std::nullopt},      // shorter than four
      {u"C:\\Asm\\x16f84.inc", u"16", true, std::nullopt},
      {u"C:\\P16\\p1216f84.inc", u"16", true, std::nullopt},  // family not at the second
      {u"C:\\Kdx\\P24EP128GP202.KDX", u"24EP", false, u"24EP128GP202"},
      {u"C:\\Kdx\\p24ep128gp202.kdx", u"24EP", false, std::nullopt},
      {u"C:\\Kdx\\P24FJ64GA002.KDX", u"24F", false, u"24FJ64GA002"},
      {u"C:\\Kdx\\P33FJ.v2.KDX", u"33FJ", false, u"33FJ"},
      {u"p16f84a.inc", u"16", true, u"16F84A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.file));
    EXPECT_EQ(c.type, TypeText(c.file, c.family, c.eightBit));
  }
}

// Family clicks over device files in sub-folders of a temporary folder, with the
// modification dates of the files set so that their date texts differ.
class FamilyClickTest : public ::testing::Test {
 protected:
  // The sub-folder in the tool's syntax, with its trailing backslash; made if missing.
  std::u16string Folder(const std::string& name) {
    std::filesystem::create_directories(tmp.native() / name);
    return tmp.path() + u"\\" + Wide(name) + u"\\";
  }

  // A device file written at noon (UTC) of the day.
  std::u16string Put(const std::string& folder, const std::string& name,
                     std::chrono::year_month_day day = std::chrono::year{2021} / 3 / 15) {
    Folder(folder);
    std::filesystem::path p = tmp.native() / folder / name;
    test::WriteBytes(p, "; device\r\n");
    const std::chrono::sys_seconds noon = std::chrono::sys_days{day} + std::chrono::seconds(12h);
    std::filesystem::last_write_time(p, std::chrono::file_clock::from_sys(noon));
    return Folder(folder) + Wide(name);
  }

  // The date text the listing writes for a file.
  std::u16string DateText(const std::u16string& file) {
    SortedStringList list(*rig.collator, false);
    ListFiles(*rig.folders, file, kAllAttributes, false, list);
    return list.Empty() ? u"" : SplitMergeEntry(MergeEntry(list[0])).date;
  }

  bool Click(std::u16string family) {
    rig.view.family = std::move(family);
    return rig.form.Guard([&] { rig.form.lbFamClick(); });
  }

  const Lines& FileList() { return rig.s().FileList.Items(); }

  TempDir tmp;
  Rig rig;
};

TEST_F(FamilyClickTest, CountsPerFolderThenTypesOfTheFamily) {
  Directories& d = rig.s().dirs;
  d.Mplab8Dir = Folder("a");
  d.MplabX64Dir = Folder("b");
  Put("a", "p16f877a.inc");
  Put("a", "P16C54.INC");
  Put("a", "p18f452.inc");
  Put("a", "readme.txt");
  Put("b", "p16lf1825.inc");
  const std::u16string empty = Folder("c");
  d.MplabX32Dir = empty;

  ASSERT_TRUE(Click(u"16"));

  EXPECT_TRUE(rig.s().req.Is8Bit);
  EXPECT_EQ((Lines{d.Mplab8Dir + u"P16C54.INC", d.Mplab8Dir + u"p16f877a.inc",
                   d.MplabX64Dir + u"p16lf1825.inc"}),
            FileList());
  EXPECT_TRUE(rig.s().FileList.Sorted());
  // p16c54.inc is counted as found but is no flash part.
  EXPECT_EQ((Lines{u"16F877A", u"16LF1825"}), rig.view.types);
  EXPECT_EQ((Lines{u"", d.Mplab8Dir + u" : 2", empty + u" : 0", d.MplabX64Dir + u" : 1",
                   u"Number of includes found : 3", u"", u"", u"Selected family 16", u"",
                   u"Number of includes found after filtering: 2", u""}),
            rig.view.log);
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(FamilyClickTest, ACopyInTwoFoldersKeepsTheGreaterDateText) {
  Directories& d = rig.s().dirs;
  d.Mplab8Dir = Folder("old");
  d.MplabXXpDir = Folder("new");
  const std::u16string older = Put("old", "p16f84.inc", std::chrono::year{2021} / 3 / 15);
  const std::u16string newer = Put("new", "p16f84.inc", std::chrono::year{2021} / 3 / 16);
  ASSERT_GT(DateText(newer), DateText(older));

  ASSERT_TRUE(Click(u"16"));

  EXPECT_EQ(Lines{newer}, FileList());
  EXPECT_EQ(Lines{u"16F84"}, rig.view.types);
}

TEST_F(FamilyClickTest, IdenticalDateTextsKeepTheEntryThatSortsLast) {
  Directories& d = rig.s().dirs;
  d.Mplab8Dir = Folder("b");
  d.MplabXXpDir = Folder("a");
  Put("b", "p16f84.inc");
  Put("a", "P16F84.inc");
  const std::u16string first = Put("a", "p16f84a.inc");
  const std::u16string last = Put("b", "p16f84a.inc");
  ASSERT_EQ(DateText(first), DateText(last));

  ASSERT_TRUE(Click(u"16"));

  // Of the two p16f84a.inc the one in "b" sorts last; p16f84.inc and P16F84.inc differ
  // in letter case, so both stay.
  EXPECT_EQ((Lines{d.MplabXXpDir + u"P16F84.inc", d.Mplab8Dir + u"p16f84.inc",
                   d.Mplab8Dir + u"p16f84a.inc"}),
            FileList());
  EXPECT_EQ((Lines{u"16F84", u"16F84", u"16F84A"}), rig.view.types);
}

TEST_F(FamilyClickTest, OneFolderThroughTwoVariablesListsEachFileOnce) {
  Directories& d = rig.s().dirs;
  d.Mplab8Dir = Folder("asm");
  d.MplabX32Dir = d.Mplab8Dir;
  Put("asm", "p12f675.inc");
  Put("asm", "p12f683.inc");

  ASSERT_TRUE(Click(u"12"));

  EXPECT_EQ((Lines{d.Mplab8Dir + u"p12f675.inc", d.Mplab8Dir + u"p12f683.inc"}), FileList());
  EXPECT_EQ((Lines{u"", d.Mplab8Dir + u" : 2", d.Mplab8Dir + u" : 2",
                   u"Number of includes found : 2", u""}),
            Lines(rig.view.log.begin(), rig.view.log.begin() + 5));
}

TEST_F(FamilyClickTest, ALaterClickReplacesTheListsAndTheRoad) {
  Directories& d = rig.s().dirs;
  d.Mplab8Dir = Folder("asm");
  d.ActiveMpasmDir = d.Mplab8Dir;
  d.KdxDir = Folder("kdx");
  Put("asm", "p16f84.inc");
  Put("asm", "p18f452.inc");
  Put("kdx", "P24FJ64GA002.KDX");
  ASSERT_TRUE(Click(u"16"));

  ASSERT_TRUE(Click(u"18"));
  EXPECT_EQ(Lines{d.Mplab8Dir + u"p18f452.inc"}, FileList());
  EXPECT_EQ(Lines{u"18F452"}, rig.view.types);

  ASSERT_TRUE(Click(u"24F"));
  EXPECT_FALSE(rig.s().req.Is8Bit);
  EXPECT_EQ(Lines{d.KdxDir + u"P24FJ64GA002.KDX"}, FileList());
  EXPECT_EQ(Lines{u"24FJ64GA002"}, rig.view.types);
}

TEST_F(FamilyClickTest, SixteenBitTypesFollowTheLetterCaseOfTheFamily) {
  Directories& d = rig.s().dirs;
  d.ActiveMpasmDir = u"C:\\Asm\\";
  d.KdxDir = Folder("kdx");
  Put("kdx", "P24EP256GP202.KDX");
  Put("kdx", "p24ep128gp202.kdx");
  Put("kdx", "P24FJ64GA002.KDX");
  Put("kdx", "P33EP64MC502.KDX");

  ASSERT_TRUE(Click(u"24EP"));

  EXPECT_FALSE(rig.s().req.Is8Bit);
  EXPECT_EQ((Lines{d.KdxDir + u"p24ep128gp202.kdx", d.KdxDir + u"P24EP256GP202.KDX"}), FileList());
  EXPECT_EQ(Lines{u"24EP256GP202"}, rig.view.types);
  EXPECT_EQ((Lines{u"", u"Selected family 24EP", u"",
                   u"Number of includes found after filtering: 1", u""}),
            rig.view.log);
}

TEST_F(FamilyClickTest, SixteenBitWithoutAnAssemblerFolderFindsNothing) {
  Directories& d = rig.s().dirs;
  d.KdxDir = Folder("kdx");
  Put("kdx", "P24FJ64GA002.KDX");

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
}

// The 8-bit not-found dialogue and the locating loop.
class LocateTest : public FamilyClickTest {
 protected:
  LocateTest() {
    Directories& d = rig.s().dirs;
    d.Mplab8Dir = Folder("mplab8");
    d.MplabX64Dir = u"C:\\Missing\\mpasmx\\";
    Put("mplab8", "p18f452.inc");
  }

  std::u16string NotFound() {
    const Directories& d = rig.s().dirs;
    return u"The tool could not find any include files for this family.\r\n"
           u"The following four directories were searched (some may not exist on your machine "
           u"and show up empty): \r\n"
           u"MPLab 8.xx    - " +
           d.Mplab8Dir +
           u"\r\n"
           u"MPLabX XP     - \r\n"
           u"MPLabX 32 bit - \r\n"
           u"MPLabX 64 bit - C:\\Missing\\mpasmx\\";
  }
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
  EXPECT_EQ((Lines{u"", rig.s().dirs.Mplab8Dir + u" : 0", u"C:\\Missing\\mpasmx\\ : 0",
                   u"Number of includes found : 0", u""}),
            rig.view.log);
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
  const std::u16string m8 = d.Mplab8Dir + u" : 0";
  const std::u16string x64 = u"C:\\Missing\\mpasmx\\ : 0";
  EXPECT_EQ((Lines{u"", m8, x64, u"C:\\Before\\ : 0", u"Number of includes found : 0", u"", m8, x64,
                   empty + u" : 0", m8, x64, located + u"\\ : 1", u"", u"Selected family 16", u"",
                   u"Number of includes found after filtering: 1", u""}),
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
  rig.s().dirs.ActiveMpasmDir = rig.s().dirs.Mplab8Dir;

  ASSERT_TRUE(Click(u"16"));

  EXPECT_EQ(tmp.path() + u"\\nothing", rig.s().dirs.MPAsmDir);
  EXPECT_EQ(rig.s().dirs.Mplab8Dir, rig.s().dirs.ActiveMpasmDir);
  EXPECT_TRUE(rig.view.types.empty());
  EXPECT_EQ(2u, rig.dialogs.folderRequests.size());
  const std::u16string m8 = rig.s().dirs.Mplab8Dir + u" : 0";
  const std::u16string x64 = u"C:\\Missing\\mpasmx\\ : 0";
  EXPECT_EQ((Lines{u"", m8, x64, u"Number of includes found : 0", u"", m8, x64,
                   tmp.path() + u"\\nothing\\ : 0"}),
            rig.view.log);
}

}  // namespace
}  // namespace bnf
