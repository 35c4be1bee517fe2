// Files through the Win32 API beyond what both builds share: the reasons only Windows
// gives (a missing path, a file in use, the system's own text for rarer errors), a
// target locked or read-only, readers sharing with writers, names with NULs, the
// root folder of a drive, and nothing left behind by a failure.
#include "platform/win32/windows_api.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/win32/error_text_win32.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"
#include "tests/support/error_of.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::ErrorOf;
using test::ReadBytes;
using test::WriteBytes;
using win32::UniqueFile;
using win32::Wide;
using Names = std::vector<std::u16string>;

class Win32FileSystemTest : public ::testing::Test {
 protected:
  Names Entries() const {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.native())) {
      names.push_back(entry.path().filename().u16string());
    }
    return names;
  }
  UniqueFile Open(const std::u16string& path, DWORD access, DWORD share) {
    return UniqueFile(::CreateFileW(Wide(path), access, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  test::TempDir dir;
  std::unique_ptr<FileSystem> files = MakeFileSystem();
};

TEST_F(Win32FileSystemTest, ReasonsOnlyWindowsGives) {
  const std::u16string none = dir.File(u"none\\x.bnf");
  const std::u16string reason = u"\". The system cannot find the path specified.";
  EXPECT_EQ(u"Cannot open file \"" + none + reason, ErrorOf([&] { files->ReadFile(none); }));
  EXPECT_EQ(u"Cannot create file \"" + none + reason,
            ErrorOf([&] { files->ReplaceFile(none, "x"); }));
  // The system's text for rarer errors, ending in its period; a code it has no text for.
  for (DWORD code : {ERROR_DISK_FULL, ERROR_WRITE_PROTECT}) {
    const std::u16string text = win32::ErrorReason(code);
    ASSERT_LT(1u, text.size());
    EXPECT_EQ(u'.', text.back()) << code;
    EXPECT_LT(u' ', text[text.size() - 2]) << code;
  }
  EXPECT_EQ(u"System error 3735928559.", win32::ErrorReason(0xDEADBEEF));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(Win32FileSystemTest, LockedOrReadOnlyTargetStaysIntactAndNoTemporaryRemains) {
  const std::u16string target = dir.File(u"P16F84.bnf"), prefix = u"Cannot create file \"";
  WriteBytes(dir.native() / "P16F84.bnf", "old");
  {
    UniqueFile lock = Open(target, GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_TRUE(lock);
    const std::u16string error = ErrorOf([&] { files->ReplaceFile(target, "new"); });
    EXPECT_TRUE(error == prefix + target + u"\". Access is denied." ||
                error == prefix + target +
                             u"\". The process cannot access the file because it is being used "
                             u"by another process.")
        << testing::PrintToString(error);
  }
  ASSERT_TRUE(::SetFileAttributesW(Wide(target), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(prefix + target + u"\". Access is denied.",
            ErrorOf([&] { files->ReplaceFile(target, "new"); }));
  ::SetFileAttributesW(Wide(target), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ("old", ReadBytes(dir.native() / "P16F84.bnf"));
  EXPECT_EQ(Names{u"P16F84.bnf"}, Entries());
}

TEST_F(Win32FileSystemTest, ReadsAFileOpenForWritingAndReachesNoOtherFileThroughANul) {
  WriteBytes(dir.native() / "a.txt", "old");
  UniqueFile writer = Open(dir.File(u"a.txt"), GENERIC_WRITE, FILE_SHARE_READ);
  ASSERT_TRUE(writer);
  EXPECT_EQ("old", files->ReadFile(dir.File(u"a.txt")));
  // The API would stop at the NUL and reach "a.txt".
  const std::u16string name = dir.File(std::u16string(u"a.txt\0.bnf", 10));
  EXPECT_FALSE(files->FileExists(name));
  EXPECT_THROW(files->ReadFile(name), FileError);
  EXPECT_THROW(files->ReplaceFile(name, "new"), FileError);
  writer.reset();
  EXPECT_EQ("old", ReadBytes(dir.native() / "a.txt"));
  EXPECT_EQ(Names{u"a.txt"}, Entries());
}

TEST_F(Win32FileSystemTest, ReplacesAFileInTheRootFolderOfADrive) {
  const std::u16string path = u"C:\\bnftest-" + test::ToToolPath(dir.native().filename()) + u".bnf";
  files->ReplaceFile(path, "root");
  EXPECT_EQ("root", files->ReadFile(path));
  EXPECT_TRUE(::DeleteFileW(Wide(path)));
}

}  // namespace
}  // namespace bnf
