// bnfcreator.exe as Windows sees it (it lies beside the test program): the version in
// the file's properties, the manifest (common controls 6, DPI awareness, no
// elevation), and a second copy that ends at once and quietly while the
// single-instance mutex is held (a copy that went on would fail without a display or
// wait for the user).
#include "platform/win32/windows_api.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"

namespace bnf {
namespace {

std::wstring AppPath() {
  wchar_t self[MAX_PATH];
  std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"bnfcreator.exe";
}

std::u16string VersionText(const std::vector<char>& block, const wchar_t* name) {
  wchar_t* text = nullptr;
  UINT size = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!::VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &size)) {
    return u"(none)";
  }
  return std::u16string(win32::Utf16(text));
}

TEST(App, VersionAndManifest) {
  DWORD ignored = 0;
  std::vector<char> block(::GetFileVersionInfoSizeW(AppPath().c_str(), &ignored));
  ASSERT_FALSE(block.empty()) << "no version resource";
  ASSERT_TRUE(
      ::GetFileVersionInfoW(AppPath().c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(0x00000002u, fixed->dwFileVersionMS);
  EXPECT_EQ(0x00000007u, fixed->dwFileVersionLS);
  EXPECT_EQ(u"BitName file creator", VersionText(block, L"FileDescription"));
  EXPECT_EQ(u"0.2.0.7", VersionText(block, L"FileVersion"));

  HMODULE exe = ::LoadLibraryExW(AppPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(nullptr, exe);
  HRSRC found = ::FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(nullptr, found);
  const char* data = static_cast<const char*>(::LockResource(::LoadResource(exe, found)));
  const std::string manifest(data, ::SizeofResource(exe, found));
  ::FreeLibrary(exe);
  for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                           "level=\"asInvoker\"", ">true/pm</dpiAware>", ">PerMonitorV2"}) {
    EXPECT_NE(std::string::npos, manifest.find(part)) << part;
  }
}

TEST(App, SecondCopyEndsAtOnceWithCodeZeroWhileTheMutexIsHeld) {
  const win32::UniqueHandle held(::CreateMutexW(nullptr, FALSE, L"KorvanBNFCreator"));
  ASSERT_TRUE(held);
  std::wstring command = L"\"" + AppPath() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
  const win32::UniqueHandle process(started.hProcess), thread(started.hThread);
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.get(), 20000)) << "still running";
  DWORD code = 99;
  ASSERT_TRUE(::GetExitCodeProcess(process.get(), &code));
  EXPECT_EQ(0u, code);
}

}  // namespace
}  // namespace bnf
