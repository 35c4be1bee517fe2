// The platform's folders as both builds must give them: one-level creation, deletion,
// the current and temporary folders, listings with attributes, local modification time
// and size, and dates and times as the en-US locale writes them (the test environment's).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::u16string>;
using test::WriteBytes;

class FoldersTest : public ::testing::Test {
 protected:
  // The listing sorted by name.
  std::vector<DirEntry> List(std::u16string_view mask, uint32_t filter) const {
    std::vector<DirEntry> entries = folders->List(dir.File(mask), filter);
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
    return entries;
  }
  Names NamesOf(std::u16string_view mask, uint32_t filter) const {
    Names names;
    for (const DirEntry& e : List(mask, filter)) names.push_back(e.name);
    return names;
  }
  std::u16string Stamp(const LocalTime& t) const {
    return folders->ShortDate(t) + u" " + folders->LongTime(t);
  }

  test::TempDir dir;
  std::unique_ptr<Folders> folders = MakeFolders();
};

TEST_F(FoldersTest, DatesAndTimesAsTheLocaleWritesThem) {
  const struct {
    LocalTime t;
    std::u16string text;
  } cases[] = {{{2021, 3, 5, 14, 7, 9}, u"3/5/2021 2:07:09 PM"},
               {{2021, 3, 5, 0, 0, 0}, u"3/5/2021 12:00:00 AM"},
               {{2020, 12, 31, 12, 0, 0}, u"12/31/2020 12:00:00 PM"},
               {{1999, 1, 10, 23, 59, 59}, u"1/10/1999 11:59:59 PM"},
               {{2038, 10, 1, 11, 5, 0}, u"10/1/2038 11:05:00 AM"}};
  for (const auto& c : cases) EXPECT_EQ(c.text, Stamp(c.t));
}

TEST_F(FoldersTest, ListingReportsAttributesLocalTimeAndSize) {
  WriteBytes(dir.native() / "p16f84.inc", "0123456789");
  std::tm t{};  // 2021-03-05 14:07:09 local time
  t.tm_year = 121, t.tm_mon = 2, t.tm_mday = 5, t.tm_hour = 14, t.tm_min = 7, t.tm_sec = 9;
  t.tm_isdst = -1;
  const auto modified = std::chrono::system_clock::from_time_t(std::mktime(&t));
  fs::last_write_time(dir.native() / "p16f84.inc", std::chrono::file_clock::from_sys(modified));
  WriteBytes(dir.native() / "empty.inc", "");
  fs::create_directory(dir.native() / "psub");

  const std::vector<DirEntry> entries = List(u"*", 511);
  ASSERT_EQ(5u, entries.size());
  const uint32_t special = kAttrDirectory | kAttrHidden | kAttrSystem;
  EXPECT_EQ((Names{u".", u"..", u"empty.inc", u"p16f84.inc", u"psub"}), NamesOf(u"*", 511));
  EXPECT_EQ(kAttrDirectory, entries[0].attributes & special);
  EXPECT_EQ(kAttrDirectory, entries[4].attributes & special);
  EXPECT_EQ(0u, (entries[2].attributes | entries[3].attributes) & special);
  EXPECT_EQ(0u, entries[2].size);
  EXPECT_EQ(10u, entries[3].size);
  EXPECT_EQ(u"3/5/2021 2:07:09 PM", Stamp(entries[3].modified));
}

TEST_F(FoldersTest, ListingMatchesWithoutRegardToLetterCase) {
  for (const char* name : {"p16f84.inc", "P18F452.INC", "p18f452.txt", "README", "Sub/p1.inc"}) {
    fs::create_directories((dir.native() / name).parent_path());
    WriteBytes(dir.native() / name, "x");
  }
  fs::create_directory(dir.native() / "pdir.inc");
  const struct {
    std::u16string mask;
    uint32_t filter;
    Names names;
  } cases[] = {
      {u"p*.inc", 511 & ~kAttrDirectory, {u"P18F452.INC", u"p16f84.inc"}},
      {u"P*.INC", kAttrDirectory, {u"P18F452.INC", u"p16f84.inc", u"pdir.inc"}},
      {u"p18f45?.inc", 511, {u"P18F452.INC"}},
      {u"SUB\\P*.inc", 511, {u"p1.inc"}},  // the folder part too
      {u"*.*", 0, {u"P18F452.INC", u"README", u"p16f84.inc", u"p18f452.txt"}},  // no dot needed
      {u"missing\\*.*", 511, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.names, NamesOf(c.mask, c.filter)) << c.filter;
}

TEST_F(FoldersTest, CreatesOneLevelDeletesFilesAndNamesTheCurrentAndTemporaryFolders) {
  const std::u16string made = dir.File(u"Calmwood");
  EXPECT_FALSE(folders->DirectoryExists(made));
  EXPECT_TRUE(folders->CreateDirectory(made));
  EXPECT_TRUE(folders->DirectoryExists(dir.File(u"CALMWOOD\\")));
  EXPECT_FALSE(folders->CreateDirectory(made));
  EXPECT_FALSE(folders->CreateDirectory(dir.File(u"a\\b")));
  EXPECT_FALSE(folders->DirectoryExists(dir.File(u"a")));
  WriteBytes(dir.native() / "Calmwood" / "_____test.txt", "x");
  EXPECT_FALSE(folders->DirectoryExists(made + u"\\_____test.txt"));
  EXPECT_TRUE(folders->DeleteFile(made + u"\\_____TEST.txt"));
  EXPECT_FALSE(fs::exists(dir.native() / "Calmwood" / "_____test.txt"));
  EXPECT_FALSE(folders->DeleteFile(made + u"\\_____test.txt"));

  EXPECT_EQ(test::ToToolPath(fs::current_path()), folders->CurrentDirectory());
  const std::u16string temp = folders->TempDirectory();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(u'\\', temp.back());
  EXPECT_TRUE(folders->DirectoryExists(temp));
  EXPECT_EQ(std::u16string::npos, temp.find(u'~'));  // the long form, not "PROGRA~1"
}

}  // namespace
}  // namespace bnf
