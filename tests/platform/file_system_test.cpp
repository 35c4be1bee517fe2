// Files by Windows path as both builds must handle them: names found without regard to
// letter case, errors that name the file, and a replacement that either completes or
// leaves the folder as it was, without a temporary file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/errors.h"
#include "platform/platform.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::ReadBytes;
using test::ToHostPath;
using test::WriteBytes;
using namespace std::string_literals;

class FileSystemTest : public ::testing::Test {
 protected:
  // The names in the test folder, sorted: shows any stray temporary file.
  std::vector<std::u16string> Entries() const {
    std::vector<std::u16string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.native())) {
      names.push_back(entry.path().filename().u16string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // The message of the FileError that `action` throws, or "(no error)".
  template <typename Action>
  static std::u16string ErrorOf(Action action) {
    try {
      action();
    } catch (const FileError& e) {
      return e.message();
    }
    return u"(no error)";
  }

  test::TempDir dir;
  std::unique_ptr<FileSystem> files = MakeFileSystem();
};

TEST_F(FileSystemTest, FindsNamesWithoutRegardToLetterCase) {
  WriteBytes(dir.native() / "p16f84a.inc", "include");
  std::filesystem::create_directory(dir.native() / "Sub");
  WriteBytes(ToHostPath(dir.File(u"Sub\\\u00E9t\u00E9.txt")), "latin");

  EXPECT_TRUE(files->FileExists(dir.File(u"P16F84A.INC")));
  EXPECT_EQ("include", files->ReadFile(dir.File(u"P16F84A.INC")));
  EXPECT_TRUE(files->FileExists(dir.File(u"SUB\\\u00C9T\u00C9.TXT")));
  EXPECT_EQ("latin", files->ReadFile(dir.File(u"sub\\\u00C9t\u00E9.TXT")));
}

TEST_F(FileSystemTest, FileExistsOnlyForFiles) {
  std::filesystem::create_directory(dir.native() / "folder");
  EXPECT_FALSE(files->FileExists(dir.File(u"folder")));
  EXPECT_FALSE(files->FileExists(dir.File(u"missing.txt")));
  EXPECT_FALSE(files->FileExists(dir.File(u"missing\\x.txt")));
}

TEST_F(FileSystemTest, ReadErrorsNameTheFileAndTheReason) {
  std::filesystem::create_directory(dir.native() / "folder");
  const std::u16string missing = dir.File(u"missing.txt");
  const std::u16string folder = dir.File(u"folder");

  EXPECT_EQ(u"Cannot open file \"" + missing + u"\". The system cannot find the file specified.",
            ErrorOf([&] { files->ReadFile(missing); }));
  EXPECT_EQ(u"Cannot open file \"" + folder + u"\". Access is denied.",
            ErrorOf([&] { files->ReadFile(folder); }));
}

TEST_F(FileSystemTest, ReplaceWritesEveryByte) {
  std::string bytes = "a\0b\r\n\xFF"s;
  bytes += std::string(1 << 20, 'x');
  files->ReplaceFile(dir.File(u"new.bnf"), bytes);
  EXPECT_EQ(bytes, ReadBytes(dir.native() / "new.bnf"));
  files->ReplaceFile(dir.File(u"empty.bnf"), "");
  EXPECT_EQ("", ReadBytes(dir.native() / "empty.bnf"));
  EXPECT_EQ((std::vector<std::u16string>{u"empty.bnf", u"new.bnf"}), Entries());
}

TEST_F(FileSystemTest, ReplaceTakesThePlaceOfAFileNamedInOtherLetterCase) {
  WriteBytes(dir.native() / "p16f84a.bnf", "a much longer old content");
  files->ReplaceFile(dir.File(u"P16F84A.BNF"), "new");
  ASSERT_EQ(1u, Entries().size());
  EXPECT_EQ("new", files->ReadFile(dir.File(u"p16f84a.bnf")));
}

TEST_F(FileSystemTest, FailedReplaceLeavesTheFolderAsItWas) {
  std::filesystem::create_directory(dir.native() / "target.bnf");
  WriteBytes(dir.native() / "keep.txt", "old");
  const std::u16string noFolder = dir.File(u"missing\\x.bnf");
  const std::u16string isFolder = dir.File(u"target.bnf");
  const std::u16string prefix = u"Cannot create file \"";

  EXPECT_EQ(prefix + noFolder + u"\". ", ErrorOf([&] {
                                           files->ReplaceFile(noFolder, "x");
                                         }).substr(0, prefix.size() + noFolder.size() + 3));
  EXPECT_EQ(prefix + isFolder + u"\". Access is denied.",
            ErrorOf([&] { files->ReplaceFile(isFolder, "x"); }));
  EXPECT_TRUE(std::filesystem::is_directory(dir.native() / "target.bnf"));
  EXPECT_EQ("old", ReadBytes(dir.native() / "keep.txt"));
  EXPECT_EQ((std::vector<std::u16string>{u"keep.txt", u"target.bnf"}), Entries());
}

}  // namespace
}  // namespace bnf
