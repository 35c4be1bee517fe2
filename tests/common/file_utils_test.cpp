// The listing lines the family lists are built from (fields, the midnight rule, the
// recursion rule) over scripted listings, the working folder the shell is given, and
// the OK/Cancel answer.
#include "common/file_utils.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/fakes.h"

namespace bnf {
namespace {

using Lines = std::vector<std::u16string>;

// Folders that answer listings from a table and record what was asked; dates and
// times are written by the platform, as in a real listing.
class ScriptedFolders : public Folders {
 public:
  bool DirectoryExists(std::u16string_view) const override { return false; }
  bool CreateDirectory(std::u16string_view) override { return false; }
  bool DeleteFile(std::u16string_view) override { return false; }
  std::u16string CurrentDirectory() const override { return {}; }
  std::u16string TempDirectory() const override { return {}; }
  std::vector<DirEntry> List(std::u16string_view mask, uint32_t filter) const override {
    asked.emplace_back(mask, filter);
    auto it = listings.find(std::u16string(mask));
    return it == listings.end() ? std::vector<DirEntry>{} : it->second;
  }
  std::u16string ShortDate(const LocalTime& t) const override { return real->ShortDate(t); }
  std::u16string LongTime(const LocalTime& t) const override { return real->LongTime(t); }

  std::map<std::u16string, std::vector<DirEntry>> listings;
  mutable std::vector<std::pair<std::u16string, uint32_t>> asked;
  std::unique_ptr<Folders> real = MakeFolders();
};

class ListFilesTest : public ::testing::Test {
 protected:
  std::unique_ptr<Collator> collator = MakeCollator();
  SortedStringList list{*collator, /*sorted=*/false};
  ScriptedFolders folders;
};

TEST_F(ListFilesTest, LinesHoldPathLocalTimeAndSize) {
  folders.listings[u"C:\\Dev\\p*.inc"] = {
      {u"p16f84.inc", 32, {2021, 3, 5, 14, 7, 9}, 10},
      {u"P18F452.INC", 1, {2021, 12, 31, 0, 0, 0}, 0},
      {u"p10f200.inc", 0, {2020, 1, 2, 0, 0, 1}, 5'000'000'000},
  };

  EXPECT_EQ(3, ListFiles(folders, u"C:\\Dev\\p*.inc", 511, false, list));

  // The midnight file has no time.
  EXPECT_EQ((Lines{u"C:\\Dev\\p16f84.inc\t3/5/2021 2:07:09 PM\t10",
                   u"C:\\Dev\\P18F452.INC\t12/31/2021\t0",
                   u"C:\\Dev\\p10f200.inc\t1/2/2020 12:00:01 AM\t5000000000"}),
            list.Items());
}

TEST_F(ListFilesTest, AddsToWhatTheListHoldsAndReturnsTheTotal) {
  folders.listings[u"C:\\Dev\\p*.inc"] = {{u"p16f84.inc", 32, {2021, 3, 5, 12, 0, 0}, 1}};
  list.Add(u"earlier");

  EXPECT_EQ(2, ListFiles(folders, u"C:\\Dev\\p*.inc", 511, false, list));
  EXPECT_EQ(3, ListFiles(folders, u"C:\\Dev\\p*.inc", 511, false, list));
  // A missing folder or a mask that matches nothing adds nothing.
  EXPECT_EQ(3, ListFiles(folders, u"C:\\Missing\\p*.inc", 511, true, list));
  EXPECT_EQ(u"earlier", list[0]);
}

TEST_F(ListFilesTest, RecursionEntersSubfoldersButNoDotNames) {
  const LocalTime noon{2021, 3, 5, 12, 0, 0};
  const std::vector<DirEntry> top = {{u".", kAttrDirectory, noon, 0},
                                     {u"..", kAttrDirectory, noon, 0},
                                     {u".pgit", kAttrDirectory, noon, 0},
                                     {u"p1.inc", 32, noon, 5},
                                     {u"pdir", kAttrDirectory, noon, 0}};
  const std::vector<DirEntry> below = {{u"p2.inc", 32, noon, 7}};
  folders.listings = {
      {u"C:\\Dev\\p*", top}, {u"C:\\Dev\\pdir\\p*", below}, {u"p*", top}, {u"pdir\\p*", below}};
  using Asked = std::vector<std::pair<std::u16string, uint32_t>>;
  struct Case {
    std::u16string mask;
    uint32_t filter;
    bool recurse;
    Lines expected;
    Asked asked;
  };
  const Case cases[] = {
      {u"C:\\Dev\\p*", 511, false, {u"C:\\Dev\\p1.inc"}, {{u"C:\\Dev\\p*", 511}}},
      // The directory bit is added for the recursion when the filter lacks it.
      {u"C:\\Dev\\p*",
       2,
       true,
       {u"C:\\Dev\\p1.inc", u"C:\\Dev\\pdir\\p2.inc"},
       {{u"C:\\Dev\\p*", 18}, {u"C:\\Dev\\pdir\\p*", 18}}},
      // Without a folder part the pattern goes below the subfolder's name.
      {u"p*", 511, true, {u"p1.inc", u"pdir\\p2.inc"}, {{u"p*", 511}, {u"pdir\\p*", 511}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mask.begin(), c.mask.end()));
    SortedStringList found(*collator, /*sorted=*/false);
    folders.asked.clear();
    ListFiles(folders, c.mask, c.filter, c.recurse, found);
    Lines paths;
    for (const std::u16string& line : found) paths.push_back(line.substr(0, line.find(u'\t')));
    EXPECT_EQ(c.expected, paths);
    EXPECT_EQ(c.asked, folders.asked);
  }
}

TEST(ShellOpenFile, OpensInTheFilesOwnFolderAndRefusesOverlongTexts) {
  const std::u16string longest = u"C:\\" + std::u16string(1020, u'a');
  struct Case {
    std::u16string file, parameters;
    std::optional<std::u16string> folder;  // none: not opened, result 2
  };
  const Case cases[] = {
      {u"C:\\Users\\me\\Korvan BNF Tool\\PrivateSFR.txt", u"", u"C:\\Users\\me\\Korvan BNF Tool"},
      {u"C:\\PrivateSFR.txt", u"-p", u"C:\\"},
      {u"\\\\server\\share\\PrivateBit.txt", u"", u"\\\\server\\share"},
      {u"PrivateBit.txt", u"", u""},
      {longest, std::u16string(1023, u'p'), u"C:\\"},
      {longest + u"b", u"", std::nullopt},
      {longest, std::u16string(1024, u'p'), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    test::FakeShell shell;
    shell.result = 31;
    EXPECT_EQ(c.folder ? 31 : 2, ShellOpenFile(shell, c.file, c.parameters, 1));
    if (!c.folder) {
      EXPECT_TRUE(shell.calls.empty());
      continue;
    }
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ(c.file, shell.calls[0].file);
    EXPECT_EQ(c.parameters, shell.calls[0].parameters);
    EXPECT_EQ(*c.folder, shell.calls[0].folder);
    EXPECT_EQ(1, shell.calls[0].show);
  }
}

TEST(AskOkCancel, OnlyAnOkAnswerIsOkAndTheKindIsPassedOn) {
  test::ScriptedDialogs dialogs;
  dialogs.okCancelAnswers = {1, 2, 0};  // 0: the box could not be shown

  EXPECT_EQ(1, AskOkCancel(dialogs, u"Locate MPAsm directory", 3));
  EXPECT_EQ(2, AskOkCancel(dialogs, u"Locate MPAsm directory", 0));
  EXPECT_EQ(2, AskOkCancel(dialogs, u"Locate MPAsm directory", 1));

  EXPECT_EQ((std::vector<int32_t>{3, 0, 1}), dialogs.okCancelKinds);
}

}  // namespace
}  // namespace bnf
