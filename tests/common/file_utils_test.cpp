// The listing lines the family lists are built from (fields, the platform's date and
// time, the midnight rule, the recursion rule), the folder the shell is given and the
// temporary folder.
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
using Asked = std::vector<std::pair<std::u16string, uint32_t>>;

// Listings from a table, recording what was asked; dates and times by the platform.
class ScriptedFolders : public Folders {
 public:
  bool DirectoryExists(std::u16string_view) const override { return false; }
  bool CreateDirectory(std::u16string_view) override { return false; }
  bool DeleteFile(std::u16string_view) override { return false; }
  std::u16string CurrentDirectory() const override { return {}; }
  std::u16string TempDirectory() const override { return temp; }
  std::vector<DirEntry> List(std::u16string_view mask, uint32_t filter) const override {
    asked.emplace_back(mask, filter);
    auto it = listings.find(std::u16string(mask));
    return it == listings.end() ? std::vector<DirEntry>{} : it->second;
  }
  std::u16string ShortDate(const LocalTime& t) const override { return real->ShortDate(t); }
  std::u16string LongTime(const LocalTime& t) const override { return real->LongTime(t); }

  std::map<std::u16string, std::vector<DirEntry>> listings;
  mutable Asked asked;
  std::u16string temp;
  std::unique_ptr<Folders> real = MakeFolders();
};

class FileUtilsTest : public ::testing::Test {
 protected:
  std::unique_ptr<Collator> collator = MakeCollator();
  SortedStringList list{*collator, /*sorted=*/false};
  ScriptedFolders folders;
};

// Dates and times as the en-US locale (the test environment's) writes them.
TEST_F(FileUtilsTest, ListingLinesHoldPathLocalTimeAndSizeAndAreAddedToTheList) {
  folders.listings[u"C:\\Dev\\p*.inc"] = {
      {u"p16f84.inc", 32, {2021, 3, 5, 0, 0, 9}, 10},
      {u"P18F452.INC", 1, {2021, 12, 31, 0, 0, 0}, 0},  // midnight: no time
      {u"p1.inc", 0, {2020, 1, 2, 0, 1, 0}, 5'000'000'000},
      {u"p2.inc", 0, {2020, 10, 2, 12, 0, 0}, 1},
      {u"p3.inc", 0, {1999, 1, 10, 23, 59, 59}, 2},
      {u"p4.inc", 0, {2038, 1, 10, 11, 5, 0}, 3}};
  list.Add(u"earlier");

  EXPECT_EQ(7, ListFiles(folders, u"C:\\Dev\\p*.inc", 511, false, list));
  EXPECT_EQ(7, ListFiles(folders, u"C:\\Missing\\p*.inc", 511, true, list));
  EXPECT_EQ((Lines{u"earlier", u"C:\\Dev\\p16f84.inc\t3/5/2021 12:00:09 AM\t10",
                   u"C:\\Dev\\P18F452.INC\t12/31/2021\t0",
                   u"C:\\Dev\\p1.inc\t1/2/2020 12:01:00 AM\t5000000000",
                   u"C:\\Dev\\p2.inc\t10/2/2020 12:00:00 PM\t1",
                   u"C:\\Dev\\p3.inc\t1/10/1999 11:59:59 PM\t2",
                   u"C:\\Dev\\p4.inc\t1/10/2038 11:05:00 AM\t3"}),
            list.Items());
}

TEST_F(FileUtilsTest, RecursionEntersSubfoldersButNoDotNames) {
  const LocalTime noon{2021, 3, 5, 12, 0, 0};
  folders.listings = {{u"C:\\Dev\\p*",
                       {{u".", kAttrDirectory, noon, 0},
                        {u"..", kAttrDirectory, noon, 0},
                        {u".pgit", kAttrDirectory, noon, 0},
                        {u"p1.inc", 32, noon, 5},
                        {u"pdir", kAttrDirectory | 32, noon, 0}}},
                      {u"C:\\Dev\\pdir\\p*", {{u"pin", kAttrDirectory, noon, 0}}},
                      {u"C:\\Dev\\pdir\\pin\\p*", {{u"p2.inc", 32, noon, 7}}}};
  ListFiles(folders, u"C:\\Dev\\p*", 2, false, list);
  EXPECT_EQ((Asked{{u"C:\\Dev\\p*", 2}}), folders.asked);
  EXPECT_EQ(1u, list.Count());
  // The directory bit is added for the recursion when the filter lacks it.
  folders.asked.clear();
  ListFiles(folders, u"C:\\Dev\\p*", 2, true, list);
  EXPECT_EQ(
      (Asked{{u"C:\\Dev\\p*", 18}, {u"C:\\Dev\\pdir\\p*", 18}, {u"C:\\Dev\\pdir\\pin\\p*", 18}}),
      folders.asked);
  EXPECT_EQ(u"C:\\Dev\\pdir\\pin\\p2.inc\t3/5/2021 12:00:00 PM\t7", list[list.Count() - 1]);
}

TEST_F(FileUtilsTest, TemporaryFolderEndsInOneBackslash) {
  for (auto [temp, expected] : {std::pair<std::u16string, std::u16string>{u"C:\\T", u"C:\\T\\"},
                                {u"C:\\T\\", u"C:\\T\\"},
                                {u"", u""}}) {
    folders.temp = temp;
    EXPECT_EQ(expected, GetTempDir(folders));
  }
}

TEST(ShellOpenFile, OpensInTheFilesOwnFolderAndRefusesOverlongTexts) {
  const std::u16string longest = u"C:\\" + std::u16string(1020, u'a');
  const struct {
    std::u16string file, parameters;
    std::optional<std::u16string> folder;  // none: not opened, result 2
  } cases[] = {
      {u"C:\\Users\\me\\Tool\\PrivateSFR.txt", u"", u"C:\\Users\\me\\Tool"},
      {u"C:\\PrivateSFR.txt", u"", u"C:\\"},
      {u"PrivateBit.txt", u"", u""},
      {longest, std::u16string(1023, u'p'), u"C:\\"},
      {longest + u"b", u"", std::nullopt},
      {longest, std::u16string(1024, u'p'), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    test::FakeShell shell;
    shell.result = 31;
    EXPECT_EQ(c.folder ? 31 : 2, ShellOpenFile(shell, c.file, c.parameters, 1));
    ASSERT_EQ(c.folder ? 1u : 0u, shell.calls.size());
    if (!c.folder) continue;
    EXPECT_EQ(c.parameters, shell.calls[0].parameters);
    EXPECT_EQ(*c.folder, shell.calls[0].folder);
  }
}

}  // namespace
}  // namespace bnf
