// Files and folders by Windows path as both builds must handle them: names found without
// regard to letter case, errors that name the file and the reason, a replacement that
// either completes or leaves the folder as it was, listings with attributes, local time
// and size, one-level folder creation.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/error_of.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

namespace fs = std::filesystem;
using test::ErrorOf;
using test::ReadBytes;
using test::WriteBytes;
using Names = std::vector<std::u16string>;
using namespace std::string_literals;

class FileSystemTest : public ::testing::Test {
 protected:
  // The listing sorted by name.
  std::vector<DirEntry> List(std::u16string_view mask, uint32_t filter) const {
    std::vector<DirEntry> entries = folders->List(dir.File(mask), filter);
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
    return entries;
  }
  // The names listed, sorted; "*" with 511 shows any stray temporary file.
  Names NamesOf(std::u16string_view mask = u"*", uint32_t filter = 511) const {
    Names names;
    for (const DirEntry& e : List(mask, filter)) names.push_back(e.name);
    return names;
  }

  test::TempDir dir;
  std::unique_ptr<FileSystem> files = MakeFileSystem();
  std::unique_ptr<Folders> folders = MakeFolders();
};

TEST_F(FileSystemTest, FindsFilesWithoutRegardToLetterCase) {
  WriteBytes(dir.native() / "p16f84a.inc", "include");
  fs::create_directory(dir.native() / "Sub");
  WriteBytes(test::ToHostPath(dir.File(u"Sub\\\u00E9t\u00E9.txt")), "latin");

  EXPECT_EQ("include", files->ReadFile(dir.File(u"P16F84A.INC")));
  EXPECT_EQ("latin", files->ReadFile(dir.File(u"sub\\\u00C9t\u00E9.TXT")));
  EXPECT_TRUE(files->FileExists(dir.File(u"SUB\\\u00C9T\u00C9.TXT")));
  EXPECT_FALSE(files->FileExists(dir.File(u"sub")));
  EXPECT_FALSE(files->FileExists(dir.File(u"missing.txt")));
  const std::u16string missing = dir.File(u"missing.txt"), folder = dir.File(u"Sub");
  EXPECT_EQ(u"Cannot open file \"" + missing + u"\". The system cannot find the file specified.",
            ErrorOf([&] { files->ReadFile(missing); }));
  EXPECT_EQ(u"Cannot open file \"" + folder + u"\". Access is denied.",
            ErrorOf([&] { files->ReadFile(folder); }));
}

TEST_F(FileSystemTest, ReplaceWritesEveryByteInPlaceOfAFileInOtherLetterCase) {
  const std::string bytes = "a\0b\r\n\xFF"s + std::string(1 << 20, 'x');
  files->ReplaceFile(dir.File(u"new.bnf"), bytes);
  EXPECT_EQ(bytes, ReadBytes(dir.native() / "new.bnf"));
  WriteBytes(dir.native() / "p16f84a.bnf", "a much longer old content");
  files->ReplaceFile(dir.File(u"P16F84A.BNF"), "new");
  EXPECT_EQ("new", ReadBytes(dir.native() / "p16f84a.bnf"));
  EXPECT_EQ((Names{u".", u"..", u"new.bnf", u"p16f84a.bnf"}), NamesOf());
}

TEST_F(FileSystemTest, FailedReplaceLeavesTheFolderAsItWas) {
  fs::create_directory(dir.native() / "target.bnf");
  WriteBytes(dir.native() / "keep.txt", "old");
  const std::u16string noFolder = dir.File(u"missing\\x.bnf"), isFolder = dir.File(u"target.bnf");
  const std::u16string prefix = u"Cannot create file \"";

  // "file" natively, "path" on Windows.
  EXPECT_EQ(prefix + noFolder + u"\". The system cannot find the ",
            ErrorOf([&] {
              files->ReplaceFile(noFolder, "x");
            }).substr(0, prefix.size() + noFolder.size() + 30));
  EXPECT_EQ(prefix + isFolder + u"\". Access is denied.",
            ErrorOf([&] { files->ReplaceFile(isFolder, "x"); }));
  EXPECT_EQ("old", ReadBytes(dir.native() / "keep.txt"));
  EXPECT_EQ((Names{u".", u"..", u"keep.txt", u"target.bnf"}), NamesOf());
  EXPECT_TRUE(fs::is_directory(dir.native() / "target.bnf"));
}

TEST_F(FileSystemTest, ListingMatchesWithoutRegardToLetterCaseWithAttributesTimeAndSize) {
  for (const char* name : {"P18F452.INC", "p18f452.txt", "README", ".hidden", "Sub/p1.inc"}) {
    fs::create_directories((dir.native() / name).parent_path());
    WriteBytes(dir.native() / name, "x");
  }
  fs::create_directory(dir.native() / "pdir.inc");
  WriteBytes(dir.native() / "p16f84.inc", "0123456789");
  std::tm t{};  // 2021-03-05 14:07:09 local time
  t.tm_year = 121, t.tm_mon = 2, t.tm_mday = 5, t.tm_hour = 14, t.tm_min = 7, t.tm_sec = 9;
  t.tm_isdst = -1;
  const auto modified = std::chrono::system_clock::from_time_t(std::mktime(&t));
  fs::last_write_time(dir.native() / "p16f84.inc", std::chrono::file_clock::from_sys(modified));

  const std::vector<DirEntry> entries = List(u"*", 511);
  ASSERT_EQ((Names{u".", u"..", u".hidden", u"P18F452.INC", u"README", u"Sub", u"p16f84.inc",
                   u"p18f452.txt", u"pdir.inc"}),
            NamesOf());
  const uint32_t special = kAttrDirectory | kAttrHidden | kAttrSystem;
  EXPECT_EQ(kAttrDirectory, entries[0].attributes & special);
  EXPECT_EQ(kAttrHidden, entries[2].attributes & special);  // a dot name
  EXPECT_EQ(kAttrDirectory, entries[8].attributes & special);
  EXPECT_EQ(0u, entries[6].attributes & special);
  EXPECT_EQ(10u, entries[6].size);
  const LocalTime& m = entries[6].modified;
  EXPECT_EQ(u"3/5/2021 2:07:09 PM", folders->ShortDate(m) + u" " + folders->LongTime(m));
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

TEST_F(FileSystemTest, CreatesOneLevelDeletesFilesAndNamesTheCurrentAndTemporaryFolders) {
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
