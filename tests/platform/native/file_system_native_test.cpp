// What only the POSIX file system can show: folders that hold names differing only in
// letter case, and permissions (skipped as root, who is never refused).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/errors.h"
#include "platform/platform.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class NativeFileSystemTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::unique_ptr<FileSystem> files = MakeFileSystem();
};

TEST_F(NativeFileSystemTest, ExactNameWinsOverOtherLetterCase) {
  WriteBytes(dir.native() / "a.inc", "lower");
  WriteBytes(dir.native() / "A.INC", "upper");
  EXPECT_EQ("lower", files->ReadFile(dir.File(u"a.inc")));
  EXPECT_EQ("upper", files->ReadFile(dir.File(u"A.INC")));
  EXPECT_EQ("upper", files->ReadFile(dir.File(u"A.inc")));  // first in byte order
}

TEST_F(NativeFileSystemTest, NewFileGoesIntoTheFolderFoundInOtherLetterCase) {
  fs::create_directory(dir.native() / "Out");
  files->ReplaceFile(dir.File(u"OUT\\P16F84A.bnf"), "x");
  EXPECT_EQ("x", ReadBytes(dir.native() / "Out" / "P16F84A.bnf"));
  EXPECT_FALSE(fs::exists(dir.native() / "OUT"));
}

TEST_F(NativeFileSystemTest, RefusedAccessIsReportedAndTheOldFileKept) {
  if (geteuid() == 0) GTEST_SKIP() << "root is never refused";
  fs::create_directory(dir.native() / "locked");
  WriteBytes(dir.native() / "locked" / "p.bnf", "old");
  WriteBytes(dir.native() / "secret.txt", "x");
  fs::permissions(dir.native() / "secret.txt", fs::perms::none);
  fs::permissions(dir.native() / "locked", fs::perms::owner_read | fs::perms::owner_exec);

  const std::u16string target = dir.File(u"locked\\P.BNF");
  try {
    files->ReplaceFile(target, "new");
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(u"Cannot create file \"" + target + u"\". Access is denied.", e.message());
  }
  EXPECT_EQ("old", ReadBytes(dir.native() / "locked" / "p.bnf"));
  EXPECT_EQ(
      1, std::distance(fs::directory_iterator(dir.native() / "locked"), fs::directory_iterator()));

  const std::u16string secret = dir.File(u"secret.txt");
  try {
    files->ReadFile(secret);
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(u"Cannot open file \"" + secret + u"\". Access is denied.", e.message());
  }
}

}  // namespace
}  // namespace bnf
