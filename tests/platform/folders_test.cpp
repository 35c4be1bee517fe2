// The platform's folders as both builds must give them: one-level creation, deletion,
// the current and temporary folders, listings with attributes, local modification time
// and size, and dates and times as the en-US locale writes them (the test environment's).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Names = std::vector<std::u16string>;
using test::TempDir;
using test::WriteBytes;

std::vector<DirEntry> SortedByName(std::vector<DirEntry> entries) {
  std::sort(entries.begin(), entries.end(),
            [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return entries;
}

Names NamesOf(const std::vector<DirEntry>& entries) {
  Names names;
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
    std::u16string date, time;
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
  WriteBytes(dir.native() / "p16f84.inc", "0123456789");
  std::tm t{};
  std::istringstream("2021-03-05 14:07:09") >> std::get_time(&t, "%Y-%m-%d %H:%M:%S");
  t.tm_isdst = -1;
  const auto modified = std::chrono::system_clock::from_time_t(std::mktime(&t));
  std::filesystem::last_write_time(dir.native() / "p16f84.inc",
                                   std::chrono::file_clock::from_sys(modified));
  WriteBytes(dir.native() / "empty.inc", "");
  std::filesystem::create_directory(dir.native() / "psub");

  const std::vector<DirEntry> entries = SortedByName(folders->List(dir.File(u"*"), 511));

  ASSERT_EQ((Names{u".", u"..", u"empty.inc", u"p16f84.inc", u"psub"}), NamesOf(entries));
  constexpr uint32_t kSpecial = kAttrDirectory | kAttrHidden | kAttrSystem;
  EXPECT_NE(0u, entries[0].attributes & kAttrDirectory);
  EXPECT_EQ(0u, entries[2].attributes & kSpecial);
  EXPECT_EQ(0u, entries[2].size);
  EXPECT_EQ(0u, entries[3].attributes & kSpecial);
  EXPECT_EQ(10u, entries[3].size);
  const LocalTime& m = entries[3].modified;
  EXPECT_EQ(u"3/5/2021 2:07:09 PM", folders->ShortDate(m) + u" " + folders->LongTime(m));
  EXPECT_NE(0u, entries[4].attributes & kAttrDirectory);
}

TEST_F(FoldersTest, ListingMatchesWithoutRegardToLetterCase) {
  for (const char* name : {"p16f84.inc", "P18F452.INC", "p18f452.txt", "README", "Sub/p1.inc"}) {
    std::filesystem::create_directories((dir.native() / name).parent_path());
    WriteBytes(dir.native() / name, "x");
  }
  std::filesystem::create_directory(dir.native() / "pdir.inc");
  struct Case {
    std::u16string mask;
    uint32_t filter;
    Names expected;
  };
  const Case cases[] = {
      {u"p*.inc", 511 & ~kAttrDirectory, {u"P18F452.INC", u"p16f84.inc"}},
      {u"P*.INC", kAttrDirectory, {u"P18F452.INC", u"p16f84.inc", u"pdir.inc"}},
      {u"p18f45?.inc", 511, {u"P18F452.INC"}},
      {u"SUB\\P*.inc", 511, {u"p1.inc"}},  // the folder part too
      {u"*.*", 0, {u"P18F452.INC", u"README", u"p16f84.inc", u"p18f452.txt"}},  // no dot needed
      {u"missing\\*.*", 511, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mask.begin(), c.mask.end()));
    EXPECT_EQ(c.expected, NamesOf(folders->List(dir.File(c.mask), c.filter)));
  }
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

TEST_F(FoldersTest, CurrentAndTemporaryFolders) {
  EXPECT_EQ(test::ToToolPath(std::filesystem::current_path()), folders->CurrentDirectory());

  const std::u16string temp = folders->TempDirectory();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(u'\\', temp.back());
  EXPECT_TRUE(folders->DirectoryExists(temp));
  // The long form: no abbreviated component such as "PROGRA~1".
  EXPECT_EQ(std::u16string::npos, temp.find(u'~'));
}

}  // namespace
}  // namespace bnf
