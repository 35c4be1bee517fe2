// Files through the Win32 API beyond what both builds share: the reasons only Windows
// gives (a missing path, a file in use, the system's own text for rarer errors), a
// locked target, readers sharing with writers and the root folder of a drive. A
// read-only target is the end-to-end tests' (bad input, "bnf-file-read-only").
#include "platform/win32/windows_api.h"

#include <filesystem>
#include <memory>
#include <string>

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
using win32::UniqueFile;
using win32::Wide;

class Win32FileSystemTest : public ::testing::Test {
 protected:
  UniqueFile Open(const std::u16string& path, DWORD access, DWORD share) {
    return UniqueFile(::CreateFileW(Wide(path), access, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  test::TempDir dir;
  std::unique_ptr<FileSystem> files = MakeFileSystem();
};

TEST_F(Win32FileSystemTest, ReasonsOnlyWindowsGivesAndALockedTargetKept) {
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

  const std::u16string target = dir.File(u"P16F84.bnf"), prefix = u"Cannot create file \"";
  test::WriteBytes(dir.native() / "P16F84.bnf", "old");
  UniqueFile lock = Open(target, GENERIC_READ | GENERIC_WRITE, 0);
  ASSERT_TRUE(lock);
  const std::u16string error = ErrorOf([&] { files->ReplaceFile(target, "new"); });
  EXPECT_TRUE(error == prefix + target + u"\". Access is denied." ||
              error == prefix + target +
                           u"\". The process cannot access the file because it is being used "
                           u"by another process.")
      << testing::PrintToString(error);
  lock.reset();
  EXPECT_EQ("old", test::ReadBytes(dir.native() / "P16F84.bnf"));
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.native()), {}));
}

// The IDE or an editor may hold the datasheet open.
TEST_F(Win32FileSystemTest, ReadsAFileOpenForWriting) {
  test::WriteBytes(dir.native() / "a.txt", "old");
  UniqueFile writer = Open(dir.File(u"a.txt"), GENERIC_WRITE, FILE_SHARE_READ);
  ASSERT_TRUE(writer);
  EXPECT_EQ("old", files->ReadFile(dir.File(u"a.txt")));
}

TEST_F(Win32FileSystemTest, ReplacesAFileInTheRootFolderOfADrive) {
  const std::u16string path = u"C:\\bnftest-" + test::ToToolPath(dir.native().filename()) + u".bnf";
  files->ReplaceFile(path, "root");
  EXPECT_EQ("root", files->ReadFile(path));
  EXPECT_TRUE(::DeleteFileW(Wide(path)));
}

}  // namespace
}  // namespace bnf
