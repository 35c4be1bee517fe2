// Files through the Win32 API beyond what both builds share: the reasons only Windows
// gives, a target locked or read-only, readers sharing with writers, names with NULs,
// and nothing left behind by a failure.
#include "platform/win32/windows_api.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "common/errors.h"
#include "platform/platform.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using win32::UniqueFile;
using win32::Wide;

std::vector<std::u16string> Names(const TempDir& dir) {
  std::vector<std::u16string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.native())) {
    names.push_back(entry.path().filename().u16string());
  }
  return names;
}

UniqueFile OpenUnshared(const std::u16string& path) {
  return UniqueFile(::CreateFileW(Wide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::u16string ErrorOf(auto&& action) {
  try {
    action();
  } catch (const FileError& e) {
    return e.message();
  }
  return u"(no error)";
}

class Win32FileSystemTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::unique_ptr<FileSystem> files = MakeFileSystem();
};

// Windows tells a missing folder from a missing file.
TEST_F(Win32FileSystemTest, MissingFolderIsNamedAsAMissingPath) {
  const std::u16string missingFolder = dir.File(u"none\\x.bnf");
  EXPECT_EQ(
      u"Cannot open file \"" + missingFolder + u"\". The system cannot find the path specified.",
      ErrorOf([&] { files->ReadFile(missingFolder); }));
  EXPECT_EQ(
      u"Cannot create file \"" + missingFolder + u"\". The system cannot find the path specified.",
      ErrorOf([&] { files->ReplaceFile(missingFolder, "x"); }));
  EXPECT_TRUE(Names(dir).empty());
}

TEST_F(Win32FileSystemTest, LockedTargetStaysIntactAndNoTemporaryRemains) {
  const std::u16string target = dir.File(u"P16F84.bnf");
  WriteBytes(dir.native() / "P16F84.bnf", "old\r\n");
  {
    UniqueFile lock = OpenUnshared(target);
    ASSERT_TRUE(lock);
    const std::u16string error = ErrorOf([&] { files->ReplaceFile(target, "new\r\n"); });
    const std::u16string prefix = u"Cannot create file \"" + target + u"\". ";
    const std::u16string reasons[] = {
        prefix + u"The process cannot access the file because it is being used by another process.",
        prefix + u"Access is denied.",
    };
    EXPECT_TRUE(error == reasons[0] || error == reasons[1]) << testing::PrintToString(error);
  }
  EXPECT_EQ("old\r\n", ReadBytes(dir.native() / "P16F84.bnf"));
  EXPECT_EQ(std::vector<std::u16string>{u"P16F84.bnf"}, Names(dir));
}

TEST_F(Win32FileSystemTest, ReadOnlyTargetIsNotReplaced) {
  const std::u16string target = dir.File(u"kept.bnf");
  WriteBytes(dir.native() / "kept.bnf", "old");
  ASSERT_TRUE(::SetFileAttributesW(Wide(target), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(u"Cannot create file \"" + target + u"\". Access is denied.",
            ErrorOf([&] { files->ReplaceFile(target, "new"); }));
  ::SetFileAttributesW(Wide(target), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ("old", ReadBytes(dir.native() / "kept.bnf"));
  EXPECT_EQ(std::vector<std::u16string>{u"kept.bnf"}, Names(dir));
}

TEST_F(Win32FileSystemTest, ReadsAFileOthersHaveOpenForWriting) {
  const std::u16string path = dir.File(u"open.txt");
  WriteBytes(dir.native() / "open.txt", "text");
  UniqueFile writer(::CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writer);
  EXPECT_EQ("text", files->ReadFile(path));
}

// The API would stop at the NUL and reach "a.txt".
TEST_F(Win32FileSystemTest, NameWithNulReachesNoOtherFile) {
  WriteBytes(dir.native() / "a.txt", "old");
  const std::u16string name = dir.File(std::u16string(u"a.txt\0.bnf", 10));
  EXPECT_FALSE(files->FileExists(name));
  EXPECT_THROW(files->ReadFile(name), FileError);
  EXPECT_THROW(files->ReplaceFile(name, "new"), FileError);
  EXPECT_EQ("old", ReadBytes(dir.native() / "a.txt"));
  EXPECT_EQ(std::vector<std::u16string>{u"a.txt"}, Names(dir));
}

}  // namespace
}  // namespace bnf
