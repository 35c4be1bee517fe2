// The listing lines the family lists are built from (on real files: letter case, sizes,
// the midnight rule, the recursion rule), the working folder the shell is given, and
// the OK/Cancel answer.
#include "common/file_utils.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fakes.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Lines = std::vector<std::u16string>;
using test::TempDir;
using test::WriteBytes;

// Sets a file's modification time to a moment of local time.
void SetLocalTime(const std::filesystem::path& p, int year, int month, int day, int hour,
                  int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  auto moment = std::chrono::system_clock::from_time_t(std::mktime(&t));
  std::filesystem::last_write_time(p, std::chrono::file_clock::from_sys(moment));
}

// The path field of each line (the text before the first TAB).
Lines Paths(const SortedStringList& list) {
  Lines out;
  for (const std::u16string& line : list) out.push_back(line.substr(0, line.find(u'\t')));
  return out;
}

class ListFilesTest : public ::testing::Test {
 protected:
  // `relative` in the tool's path syntax.
  std::filesystem::path Make(std::u16string_view relative, std::string_view bytes = "x") {
    std::filesystem::path p = test::ToHostPath(dir.File(relative));
    std::filesystem::create_directories(p.parent_path());
    WriteBytes(p, bytes);
    return p;
  }

  TempDir dir;
  std::unique_ptr<Collator> collator = MakeCollator();
  std::unique_ptr<Folders> folders = MakeFolders();
  SortedStringList sorted{*collator};
  SortedStringList unsorted{*collator, /*sorted=*/false};
};

TEST_F(ListFilesTest, LinesHoldPathLocalTimeAndSize) {
  SetLocalTime(Make(u"p16f84.inc", "0123456789"), 2021, 3, 5, 14, 7, 9);
  SetLocalTime(Make(u"P18F452.INC", ""), 2021, 12, 31, 0, 0, 0);
  SetLocalTime(Make(u"p10f200.inc", std::string(70000, 'x')), 2020, 1, 2, 0, 0, 1);
  Make(u"other.txt");
  const std::u16string d = dir.path() + u"\\";

  EXPECT_EQ(3, ListFiles(*folders, d + u"p*.inc", 511, false, sorted));

  // The midnight file has no time; the empty file ends in TAB 0.
  const Lines expected = {d + u"p10f200.inc\t1/2/2020 12:00:01 AM\t70000",
                          d + u"p16f84.inc\t3/5/2021 2:07:09 PM\t10",
                          d + u"P18F452.INC\t12/31/2021\t0"};
  EXPECT_EQ(expected, sorted.Items());
}

TEST_F(ListFilesTest, AddsToWhatTheListHoldsAndReturnsTheTotal) {
  Make(u"p16f84.inc");
  const std::u16string mask = dir.path() + u"\\p*.inc";
  unsorted.Add(u"earlier");

  EXPECT_EQ(2, ListFiles(*folders, mask, 511, false, unsorted));
  EXPECT_EQ(3, ListFiles(*folders, mask, 511, false, unsorted));
  EXPECT_EQ(unsorted[1], unsorted[2]);

  // A list that drops duplicates keeps one line.
  EXPECT_EQ(1, ListFiles(*folders, mask, 511, false, sorted));
  EXPECT_EQ(1, ListFiles(*folders, mask, 511, false, sorted));
}

TEST_F(ListFilesTest, MissingFolderOrNoMatchAddsNothing) {
  unsorted.Add(u"kept");
  EXPECT_EQ(1, ListFiles(*folders, dir.path() + u"\\missing\\p*.inc", 511, false, unsorted));
  EXPECT_EQ(1, ListFiles(*folders, dir.path() + u"\\p*.kdx", 511, true, unsorted));
  EXPECT_EQ(Lines{u"kept"}, unsorted.Items());
}

TEST_F(ListFilesTest, RecursionEntersOnlySubfoldersMatchingThePattern) {
  Make(u"p1.inc");
  Make(u"Old\\p2.inc");
  Make(u"pold.inc\\p3.inc");
  Make(u"pold.inc\\pdeeper\\p4.inc");
  Make(u"pold.inc\\pdeeper\\x.txt");
  const std::u16string d = dir.path() + u"\\";

  struct Case {
    std::u16string mask;
    uint32_t filter;
    bool recurse;
    Lines expected;
  };
  const Case cases[] = {
      // Without recursion a directory entry adds nothing, even when it matches.
      {d + u"p*.inc", 511, false, {d + u"p1.inc"}},
      {d + u"p*.inc", 511, true, {d + u"p1.inc", d + u"pold.inc\\p3.inc"}},
      // The directory bit is added for the recursion when the filter lacks it.
      {d + u"p*",
       0,
       true,
       {d + u"p1.inc", d + u"pold.inc\\p3.inc", d + u"pold.inc\\pdeeper\\p4.inc"}},
      {d + u"*.*",
       511,
       true,
       {d + u"Old\\p2.inc", d + u"p1.inc", d + u"pold.inc\\p3.inc",
        d + u"pold.inc\\pdeeper\\p4.inc", d + u"pold.inc\\pdeeper\\x.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mask.begin(), c.mask.end()));
    SortedStringList list(*collator);
    ListFiles(*folders, c.mask, c.filter, c.recurse, list);
    EXPECT_EQ(c.expected, Paths(list));
  }
}

// Folders that answer listings from a table, for masks that name no real folder.
class ScriptedFolders : public Folders {
 public:
  bool DirectoryExists(std::u16string_view) const override { return false; }
  bool CreateDirectory(std::u16string_view) override { return false; }
  bool DeleteFile(std::u16string_view) override { return false; }
  std::u16string CurrentDirectory() const override { return {}; }
  std::u16string TempDirectory() const override { return {}; }
  std::vector<DirEntry> List(std::u16string_view mask, uint32_t) const override {
    asked.emplace_back(mask);
    auto it = listings.find(std::u16string(mask));
    return it == listings.end() ? std::vector<DirEntry>{} : it->second;
  }
  std::u16string ShortDate(const LocalTime&) const override { return u"D"; }
  std::u16string LongTime(const LocalTime&) const override { return u"T"; }

  std::map<std::u16string, std::vector<DirEntry>> listings;
  mutable Lines asked;
};

TEST(ListFiles, MaskWithoutFolderPartRecursesBelowTheCurrentFolder) {
  ScriptedFolders folders;
  const LocalTime noon{2021, 3, 5, 12, 0, 0};
  folders.listings[u"p*"] = {{u".", kAttrDirectory, noon, 0},
                             {u"..", kAttrDirectory, noon, 0},
                             {u".pgit", kAttrDirectory, noon, 0},
                             {u"p1.inc", 32, noon, 5},
                             {u"pdir", kAttrDirectory, noon, 0}};
  folders.listings[u"pdir\\p*"] = {{u"p2.inc", 32, noon, 7}};
  std::unique_ptr<Collator> collator = MakeCollator();
  SortedStringList list(*collator, /*sorted=*/false);

  EXPECT_EQ(2, ListFiles(folders, u"p*", 511, true, list));

  EXPECT_EQ((Lines{u"p1.inc\tD T\t5", u"pdir\\p2.inc\tD T\t7"}), list.Items());
  // Names beginning with "." are never entered.
  EXPECT_EQ((Lines{u"p*", u"pdir\\p*"}), folders.asked);
}

TEST(ShellOpenFile, WorkingFolderIsTheFilesOwnFolder) {
  struct Case {
    std::u16string file;
    std::u16string folder;
  };
  const Case cases[] = {
      {u"C:\\Users\\me\\Korvan BNF Tool\\PrivateSFR.txt", u"C:\\Users\\me\\Korvan BNF Tool"},
      {u"C:\\PrivateSFR.txt", u"C:\\"},
      {u"\\\\server\\share\\PrivateBit.txt", u"\\\\server\\share"},
      {u"PrivateBit.txt", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file.begin(), c.file.end()));
    test::FakeShell shell;
    shell.result = 31;
    EXPECT_EQ(31, ShellOpenFile(shell, c.file, u"-p", 1));
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ(c.file, shell.calls[0].file);
    EXPECT_EQ(u"-p", shell.calls[0].parameters);
    EXPECT_EQ(c.folder, shell.calls[0].folder);
    EXPECT_EQ(1, shell.calls[0].show);
  }
}

TEST(ShellOpenFile, TextsBeyondTheLimitAreNotOpened) {
  const std::u16string longest = u"C:\\" + std::u16string(1020, u'a');
  const std::u16string tooLong = longest + u"b";
  test::FakeShell shell;

  EXPECT_EQ(42, ShellOpenFile(shell, longest, std::u16string(1023, u'p'), 1));
  EXPECT_EQ(2, ShellOpenFile(shell, tooLong, u"", 1));
  EXPECT_EQ(2, ShellOpenFile(shell, longest, std::u16string(1024, u'p'), 1));

  ASSERT_EQ(1u, shell.calls.size());
  EXPECT_EQ(longest, shell.calls[0].file);
}

TEST(AskOkCancel, AnswersOkOrCancelAndPassesTheKind) {
  test::ScriptedDialogs dialogs;
  dialogs.okCancelAnswers = {1, 2, 0};

  EXPECT_EQ(1, AskOkCancel(dialogs, u"Locate MPAsm directory", 3));
  EXPECT_EQ(2, AskOkCancel(dialogs, u"Second", 0));
  // A box that could not be shown is no OK.
  EXPECT_EQ(2, AskOkCancel(dialogs, u"Third", 1));

  EXPECT_EQ((Lines{u"Locate MPAsm directory", u"Second", u"Third"}),
            dialogs.Texts(test::ShownBox::OkCancel));
  EXPECT_EQ((std::vector<int32_t>{3, 0, 1}), dialogs.okCancelKinds);
}

}  // namespace
}  // namespace bnf
