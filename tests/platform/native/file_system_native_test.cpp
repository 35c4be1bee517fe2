// What only the POSIX platform can show: folders that hold names differing only in
// letter case, refused permissions (checked as an unprivileged user even when the
// tests run as root), a write failing part way, the reasons for errors Windows has no
// fixed words for, the root folder and the temporary folder taken from TMPDIR.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "platform/native/native_paths.h"
#include "platform/platform.h"
#include "tests/support/error_of.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// The error `action` ends with, run in a child process as the user "nobody" when the
// tests run as root, who is never refused; the child leaves it in the file `message`.
std::string ErrorAsUnprivileged(const std::function<void()>& action, const fs::path& message) {
  if (const pid_t child = fork(); child != 0) {
    waitpid(child, nullptr, 0);
    return ReadBytes(message);
  }
  std::string error = "(no error)";
  try {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) error = "still root";
    if (geteuid() != 0) action();
  } catch (const std::exception& e) {
    error = e.what();
  }
  std::ofstream(message) << error;
  _exit(0);
}

class NativeFileSystemTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::unique_ptr<FileSystem> files = MakeFileSystem();
};

TEST_F(NativeFileSystemTest, ExactNameWinsAndNewFilesGoIntoTheFolderFoundInOtherLetterCase) {
  WriteBytes(dir.native() / "a.inc", "lower");
  WriteBytes(dir.native() / "A.INC", "upper");
  EXPECT_EQ("lower", files->ReadFile(dir.File(u"a.inc")));
  EXPECT_EQ("upper", files->ReadFile(dir.File(u"A.INC")));
  EXPECT_EQ("upper", files->ReadFile(dir.File(u"A.inc")));  // first in byte order
  fs::create_directory(dir.native() / "Out");
  files->ReplaceFile(dir.File(u"OUT\\P16F84A.bnf"), "x");
  EXPECT_EQ("x", ReadBytes(dir.native() / "Out" / "P16F84A.bnf"));
  EXPECT_FALSE(fs::exists(dir.native() / "OUT"));
  // A folder the tool makes is the user's to write in.
  ASSERT_TRUE(MakeFolders()->CreateDirectory(dir.File(u"made")));
  EXPECT_EQ(fs::perms::owner_all, fs::status(dir.native() / "made").permissions() & fs::perms::all &
                                      ~fs::perms::group_all & ~fs::perms::others_all);
}

TEST_F(NativeFileSystemTest, RefusedAccessIsReportedAndTheOldFileKept) {
  fs::create_directory(dir.native() / "locked");
  WriteBytes(dir.native() / "locked" / "p.bnf", "old");
  WriteBytes(dir.native() / "secret.txt", "x");
  fs::permissions(dir.native(), fs::perms::all);
  fs::permissions(dir.native() / "secret.txt", fs::perms::none);
  fs::permissions(dir.native() / "locked", fs::perms::all & ~fs::perms::others_write &
                                               ~fs::perms::owner_write & ~fs::perms::group_write);

  const fs::path message = dir.native() / "message";
  EXPECT_EQ(
      "Cannot create file \"" + native::ToUtf8(dir.File(u"locked\\P.BNF")) +
          "\". Access is denied.",
      ErrorAsUnprivileged([&] { files->ReplaceFile(dir.File(u"locked\\P.BNF"), "new"); }, message));
  EXPECT_EQ(
      "Cannot open file \"" + native::ToUtf8(dir.File(u"secret.txt")) + "\". Access is denied.",
      ErrorAsUnprivileged([&] { files->ReadFile(dir.File(u"secret.txt")); }, message));
  EXPECT_EQ("old", ReadBytes(dir.native() / "locked" / "p.bnf"));
  EXPECT_EQ(1, std::distance(fs::directory_iterator(dir.native() / "locked"), {}));
  fs::permissions(dir.native() / "locked", fs::perms::owner_all);
}

// A write the system refuses part way (here past the file size limit) ends the
// replacement at once, with the system's reason.
TEST_F(NativeFileSystemTest, AFailedWriteIsReportedAndTheOldFileKept) {
  WriteBytes(dir.native() / "p.bnf", "old");
  rlimit saved{}, limit{};
  getrlimit(RLIMIT_FSIZE, &saved);
  limit = {2, saved.rlim_max};
  std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limit);
  const std::u16string error =
      test::ErrorOf([&] { files->ReplaceFile(dir.File(u"p.bnf"), "new"); });
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, SIG_DFL);
  EXPECT_EQ(u"Cannot create file \"" + dir.File(u"p.bnf") + u"\". File too large.", error);
  EXPECT_EQ("old", ReadBytes(dir.native() / "p.bnf"));
}

TEST(NativePaths, ReasonsRootFolderAndTemporaryFolder) {
  // The common reasons in Windows' words (the rest in file_system_test.cpp); the system's
  // text for the others, ending in its period.
  const struct {
    int error;
    std::u16string reason;
  } reasons[] = {{ENOTDIR, u"The system cannot find the file specified."},
                 {EPERM, u"Access is denied."},
                 {EROFS, u"Read-only file system."},
                 {ENOSPC, u"No space left on device."}};
  for (const auto& c : reasons) EXPECT_EQ(c.reason, native::Reason(c.error)) << c.error;
  // A file in the root folder gets its temporary beside it, in "/".
  EXPECT_EQ("/", native::FolderOf(native::HostPath(u"\\p16f84a.bnf")));
  EXPECT_EQ(".", native::FolderOf("x"));

  const char* saved = std::getenv("TMPDIR");
  const std::string keep = saved == nullptr ? "" : saved;
  std::unique_ptr<Folders> folders = MakeFolders();
  for (auto [tmpdir, expected] : {std::pair<const char*, std::u16string>{"/var/x/", u"\\var\\x\\"},
                                  {"/var/x", u"\\var\\x\\"},
                                  {"", u"\\tmp\\"}}) {
    setenv("TMPDIR", tmpdir, 1);
    EXPECT_EQ(expected, folders->TempDirectory());
  }
  saved == nullptr ? unsetenv("TMPDIR") : setenv("TMPDIR", keep.c_str(), 1);
}

}  // namespace
}  // namespace bnf
