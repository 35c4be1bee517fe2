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

using test::TempDir;
using test::WriteBytes;

// Sets a file's modification time to a moment of local time.
void SetLocalTime(const std::filesystem::path& p, const LocalTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_isdst = -1;
  auto moment = std::chrono::system_clock::from_time_t(std::mktime(&tm));
  std::filesystem::last_write_time(p, std::chrono::file_clock::from_sys(moment));
}

bool operator==(const LocalTime& a, const LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second;
}

std::vector<DirEntry> SortedByName(std::vector<DirEntry> entries) {
  std::sort(entries.begin(), entries.end(),
            [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return entries;
}

std::vector<std::u16string> Names(const std::vector<DirEntry>& entries) {
  std::vector<std::u16string> names;
  for (const DirEntry& e : SortedByName(entries)) names.push_back(e.name);
  return names;
}

class FoldersTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::unique_ptr<Folders> folders = MakeFolders();
};

TEST_F(FoldersTest, DatesAndTimesAsTheLocaleWritesThem) {
  struct Case {
    LocalTime t;
    std::u16string date;
    std::u16string time;
  };
  const Case cases[] = {
      {{2021, 3, 5, 14, 7, 9}, u"3/5/2021", u"2:07:09 PM"},
      {{2021, 3, 5, 0, 0, 0}, u"3/5/2021", u"12:00:00 AM"},
      {{2020, 12, 31, 12, 0, 0}, u"12/31/2020", u"12:00:00 PM"},
      {{1999, 1, 10, 23, 59, 59}, u"1/10/1999", u"11:59:59 PM"},
      {{2038, 10, 1, 0, 5, 0}, u"10/1/2038", u"12:05:00 AM"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.date.begin(), c.date.end()));
    EXPECT_EQ(c.date, folders->ShortDate(c.t));
    EXPECT_EQ(c.time, folders->LongTime(c.t));
  }
}

TEST_F(FoldersTest, ListingReportsAttributesLocalTimeAndSize) {
  const LocalTime modified{2021, 3, 5, 14, 7, 9};
  WriteBytes(dir.native() / "p16f84.inc", "0123456789");
  SetLocalTime(dir.native() / "p16f84.inc", modified);
  WriteBytes(dir.native() / "empty.inc", "");
  std::filesystem::create_directory(dir.native() / "psub");

  const std::vector<DirEntry> entries = SortedByName(folders->List(dir.File(u"*"), 511));

  ASSERT_EQ((std::vector<std::u16string>{u".", u"..", u"empty.inc", u"p16f84.inc", u"psub"}),
            Names(entries));
  EXPECT_NE(0u, entries[0].attributes & kAttrDirectory);
  EXPECT_EQ(0u, entries[2].attributes & (kAttrDirectory | kAttrHidden | kAttrSystem));
  EXPECT_EQ(0u, entries[2].size);
  EXPECT_EQ(0u, entries[3].attributes & (kAttrDirectory | kAttrHidden | kAttrSystem));
  EXPECT_EQ(10u, entries[3].size);
  EXPECT_TRUE(modified == entries[3].modified);
  EXPECT_NE(0u, entries[4].attributes & kAttrDirectory);
}

TEST_F(FoldersTest, ListingMatchesWithoutRegardToLetterCase) {
  WriteBytes(dir.native() / "p16f84.inc", "a");
  WriteBytes(dir.native() / "P18F452.INC", "b");
  WriteBytes(dir.native() / "p18f452.txt", "c");
  WriteBytes(dir.native() / "README", "d");
  std::filesystem::create_directory(dir.native() / "Sub");
  WriteBytes(dir.native() / "Sub" / "p1.inc", "e");

  const std::vector<std::u16string> both = {u"P18F452.INC", u"p16f84.inc"};
  EXPECT_EQ(both, Names(folders->List(dir.File(u"p*.inc"), 511)));
  EXPECT_EQ(both, Names(folders->List(dir.File(u"P*.INC"), 511)));
  EXPECT_EQ(std::vector<std::u16string>{u"P18F452.INC"},
            Names(folders->List(dir.File(u"p18f45?.inc"), 511)));
  // The folder part is found without regard to letter case as well.
  EXPECT_EQ(std::vector<std::u16string>{u"p1.inc"},
            Names(folders->List(dir.File(u"SUB\\P*.inc"), 511)));
  // "*.*" matches a name without a dot too.
  EXPECT_EQ((std::vector<std::u16string>{u"P18F452.INC", u"README", u"p16f84.inc", u"p18f452.txt"}),
            Names(folders->List(dir.File(u"*.*"), 0)));
}

TEST_F(FoldersTest, FilterLeavesOutDirectoriesUnlessAsked) {
  WriteBytes(dir.native() / "pfile.inc", "a");
  std::filesystem::create_directory(dir.native() / "pdir.inc");

  EXPECT_EQ(std::vector<std::u16string>{u"pfile.inc"},
            Names(folders->List(dir.File(u"p*.inc"), 511 & ~kAttrDirectory)));
  EXPECT_EQ((std::vector<std::u16string>{u"pdir.inc", u"pfile.inc"}),
            Names(folders->List(dir.File(u"p*.inc"), kAttrDirectory)));
}

TEST_F(FoldersTest, CreatesOneLevelAndDeletesFiles) {
  const std::u16string made = dir.File(u"Calmwood");
  EXPECT_FALSE(folders->DirectoryExists(made));
  EXPECT_TRUE(folders->CreateDirectory(made));
  EXPECT_TRUE(folders->DirectoryExists(made));
  EXPECT_TRUE(folders->DirectoryExists(dir.File(u"CALMWOOD\\")));
  EXPECT_FALSE(folders->CreateDirectory(made));
  EXPECT_FALSE(folders->CreateDirectory(dir.File(u"a\\b")));
  EXPECT_FALSE(folders->DirectoryExists(dir.File(u"a")));

  WriteBytes(dir.native() / "Calmwood" / "_____test.txt", "x");
  EXPECT_FALSE(folders->DirectoryExists(made + u"\\_____test.txt"));
  EXPECT_TRUE(folders->DeleteFile(made + u"\\_____TEST.txt"));
  EXPECT_FALSE(std::filesystem::exists(dir.native() / "Calmwood" / "_____test.txt"));
  EXPECT_FALSE(folders->DeleteFile(made + u"\\_____test.txt"));
}

TEST_F(FoldersTest, CurrentFolderHasNoTrailingBackslash) {
  EXPECT_EQ(test::ToToolPath(std::filesystem::current_path()), folders->CurrentDirectory());
}

TEST_F(FoldersTest, TemporaryFolderExistsAndEndsInBackslash) {
  const std::u16string temp = folders->TempDirectory();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(u'\\', temp.back());
  EXPECT_TRUE(folders->DirectoryExists(temp));
  // The long form: no abbreviated component such as "PROGRA~1".
  EXPECT_EQ(std::u16string::npos, temp.find(u'~'));
}

}  // namespace
}  // namespace bnf
