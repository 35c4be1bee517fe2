// The smaller Win32 services where Windows does more than both builds share: the
// code page's best-fit table and long texts converted in pieces, the open dialog's
// filter list, the single-instance mutex as a second copy sees it, and the shell's
// codes and working folder. Boxes and dialogs themselves are modal and are exercised
// by the end-to-end tests.
#include "platform/win32/windows_api.h"

#include <chrono>
#include <cwchar>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/win32/ansi_codec_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/mutex_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"
#include "tests/support/test_paths.h"

namespace bnf::win32 {
namespace {

using namespace std::string_literals;

TEST(Win32AnsiCodec, BestFitAndLongTextsInPieces) {
  ASSERT_EQ(1252u, ::GetACP());
  EXPECT_EQ("A=", Win32AnsiCodec().Encode(u"\u0100\u2264"));  // A with macron, less or equal
  const Win32AnsiCodec small(4);
  EXPECT_EQ(u"ab\ncdefghij\n\u20ACz", small.Decode("ab\ncdefghij\n\x80z"));
  EXPECT_EQ("ab\ncdefghij\n\x80z", small.Encode(u"ab\ncdefghij\n\u20ACz"));
}

TEST(Win32DialogFilter, PairsBecomeTheNulSeparatedList) {
  const struct {
    std::u16string filter, list;
  } cases[] = {
      {u"Converted PDF files (*.txt)|*.txt", u"Converted PDF files (*.txt)\0*.txt\0\0"s},
      {u"Text|*.txt|All files|*.*", u"Text\0*.txt\0All files\0*.*\0\0"s},
      {u"Text|*.txt;*.asc", u"Text\0*.txt;*.asc\0\0"s},
      {u"Text|*.txt|", u"Text\0*.txt\0\0\0\0"s},  // a lone description: empty pattern
      {u"Text", u"Text\0\0\0"s},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.list, DialogFilter(c.filter));
}

// Created without ownership, found by a second copy only while the first holds it.
TEST(Win32NamedMutex, SecondCopyFindsItOnlyWhileTheFirstHoldsIt) {
  const std::string narrow = "BnfTestMutex-" + std::to_string(::GetCurrentProcessId());
  const std::u16string name(narrow.begin(), narrow.end());
  auto second = MakeWin32NamedMutex();
  EXPECT_FALSE(second->OpenExisting(name));
  {
    auto first = MakeWin32NamedMutex();
    first->Create(name);
    EXPECT_TRUE(second->OpenExisting(name));
    UniqueHandle raw(::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, Wide(name)));
    DWORD waited = WAIT_FAILED;
    std::thread([&] { waited = ::WaitForSingleObject(raw.get(), 0); }).join();
    EXPECT_EQ(DWORD{WAIT_OBJECT_0}, waited);  // nobody owned it
    first->Release();                         // the name lasts as long as the holder
    EXPECT_TRUE(second->OpenExisting(name));
  }
  EXPECT_FALSE(second->OpenExisting(name));
}

bool SetClass(const wchar_t* key, const wchar_t* value) {
  const DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
  return ::RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value, bytes) == ERROR_SUCCESS;
}

TEST(Win32Shell, CodesAndTheWorkingFolder) {
  test::TempDir dir;
  auto shell = MakeWin32Shell([] { return HWND{}; });
  test::WriteBytes(dir.native() / "PrivateSFR.bnfnoassoc", "; x\r\n");
  EXPECT_EQ(31, shell->OpenFile(dir.File(u"PrivateSFR.bnfnoassoc"), u"", dir.path(), 1));
  EXPECT_EQ(2, shell->OpenFile(dir.File(u"missing.txt"), u"", dir.path(), 1));

  // The command writes a file without a folder, so into its working folder.
  ASSERT_TRUE(SetClass(L".bnfcwd", L"BnfTest.Cwd"));
  ASSERT_TRUE(SetClass(L"BnfTest.Cwd\\shell\\open\\command",
                       L"C:\\windows\\system32\\cmd.exe /c echo ok>cwd.out"));
  test::WriteBytes(dir.native() / "private.bnfcwd", "");
  EXPECT_LT(32, shell->OpenFile(dir.File(u"private.bnfcwd"), u"", dir.path(), 1));
  auto written = [&dir] {
    std::error_code error;
    const auto size = std::filesystem::file_size(dir.native() / "cwd.out", error);
    return !error && size > 0;
  };
  for (int i = 0; i < 200 && !written(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(written());
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"BnfTest.Cwd");
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".bnfcwd");
}

}  // namespace
}  // namespace bnf::win32
