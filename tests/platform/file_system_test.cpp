// Files by Windows path as both builds must handle them: names found without regard to
// letter case, errors that name the file and the reason, and a replacement that either
// completes or leaves the folder as it was, without a temporary file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/error_of.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::ErrorOf;
using test::ReadBytes;
using test::WriteBytes;
using Names = std::vector<std::u16string>;
using namespace std::string_literals;

class FileSystemTest : public ::testing::Test {
 protected:
  // The names in the test folder, sorted: shows any stray temporary file.
  Names Entries() const {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.native())) {
      names.push_back(entry.path().filename().u16string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  test::TempDir dir;
  std::unique_ptr<FileSystem> files = MakeFileSystem();
};

TEST_F(FileSystemTest, FindsFilesWithoutRegardToLetterCase) {
  WriteBytes(dir.native() / "p16f84a.inc", "include");
  std::filesystem::create_directory(dir.native() / "Sub");
  WriteBytes(test::ToHostPath(dir.File(u"Sub\\\u00E9t\u00E9.txt")), "latin");

  EXPECT_EQ("include", files->ReadFile(dir.File(u"P16F84A.INC")));
  EXPECT_EQ("latin", files->ReadFile(dir.File(u"sub\\\u00C9t\u00E9.TXT")));
  EXPECT_TRUE(files->FileExists(dir.File(u"SUB\\\u00C9T\u00C9.TXT")));
  EXPECT_FALSE(files->FileExists(dir.File(u"sub")));
  EXPECT_FALSE(files->FileExists(dir.File(u"missing.txt")));
  EXPECT_FALSE(files->FileExists(dir.File(u"missing\\x.txt")));
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
  files->ReplaceFile(dir.File(u"empty.bnf"), "");
  EXPECT_EQ("new", ReadBytes(dir.native() / "p16f84a.bnf"));
  EXPECT_EQ("", ReadBytes(dir.native() / "empty.bnf"));
  EXPECT_EQ((Names{u"empty.bnf", u"new.bnf", u"p16f84a.bnf"}), Entries());
}

TEST_F(FileSystemTest, FailedReplaceLeavesTheFolderAsItWas) {
  std::filesystem::create_directory(dir.native() / "target.bnf");
  WriteBytes(dir.native() / "keep.txt", "old");
  const std::u16string noFolder = dir.File(u"missing\\x.bnf"), isFolder = dir.File(u"target.bnf");
  const std::u16string prefix = u"Cannot create file \"";

  EXPECT_EQ(prefix + noFolder + u"\". The system cannot find the ",
            ErrorOf([&] {
              files->ReplaceFile(noFolder, "x");
            }).substr(0, prefix.size() + noFolder.size() + 30));
  EXPECT_EQ(prefix + isFolder + u"\". Access is denied.",
            ErrorOf([&] { files->ReplaceFile(isFolder, "x"); }));
  EXPECT_EQ("old", ReadBytes(dir.native() / "keep.txt"));
  EXPECT_EQ((Names{u"keep.txt", u"target.bnf"}), Entries());
  EXPECT_TRUE(std::filesystem::is_directory(dir.native() / "target.bnf"));
}

}  // namespace
}  // namespace bnf
