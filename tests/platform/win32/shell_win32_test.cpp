// Opening files through the shell: the codes for a file no program is associated with
// and for a missing file, and, for a type registered here, the started program's
// working folder.
#include "platform/win32/shell_win32.h"

#include "platform/win32/windows_api.h"

#include <chrono>
#include <cwchar>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/win32/wide.h"
#include "tests/support/test_paths.h"

namespace bnf::win32 {
namespace {

using test::TempDir;
using test::WriteBytes;

constexpr int32_t kShowNormal = 1;

// Sets the default value of a key of HKEY_CLASSES_ROOT, where Wine looks up file types.
bool SetClass(const wchar_t* key, const wchar_t* value) {
  const DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
  return ::RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value, bytes) == ERROR_SUCCESS;
}

class Win32ShellTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::unique_ptr<Shell> shell = MakeWin32Shell([] { return HWND{}; });
};

TEST_F(Win32ShellTest, FileWithoutAssociationIsNotOpened) {
  WriteBytes(dir.native() / "PrivateSFR.bnfnoassoc", "; x\r\n");
  // SE_ERR_NOASSOC; Windows itself may offer its "open with" choice instead.
  EXPECT_EQ(31, shell->OpenFile(dir.File(u"PrivateSFR.bnfnoassoc"), u"", dir.path(), kShowNormal));
}

TEST_F(Win32ShellTest, MissingFileIsNotFound) {
  EXPECT_EQ(2,
            shell->OpenFile(dir.File(u"missing.txt"), u"", dir.path(), kShowNormal));  // SE_ERR_FNF
}

// The type ".bnfcwd" is registered with a command that writes a file into its working
// folder; the folder passed must be where it runs.
TEST_F(Win32ShellTest, FolderBecomesTheWorkingFolder) {
  ASSERT_TRUE(SetClass(L".bnfcwd", L"BnfTest.Cwd"));
  ASSERT_TRUE(SetClass(L"BnfTest.Cwd\\shell\\open\\command",
                       L"C:\\windows\\system32\\cmd.exe /c echo ok>cwd.out"));
  WriteBytes(dir.native() / "private.bnfcwd", "");

  EXPECT_LT(32, shell->OpenFile(dir.File(u"private.bnfcwd"), u"", dir.path(), kShowNormal));

  // The command names its output file without a folder, so it lands in its working folder.
  const std::filesystem::path out = dir.native() / "cwd.out";
  auto written = [&out] {
    std::error_code error;
    const auto size = std::filesystem::file_size(out, error);
    return !error && size > 0;
  };
  for (int i = 0; i < 200 && !written(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(written());
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"BnfTest.Cwd");
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".bnfcwd");
}

}  // namespace
}  // namespace bnf::win32
