// The resources built into bnfcreator.exe (next to the test program): the version
// Windows shows in the file's properties and the manifest that turns on common
// controls 6, DPI awareness and running without elevation.
#include "platform/win32/windows_api.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/wide.h"

namespace bnf {
namespace {

using win32::Utf16;

std::wstring AppPath() {
  wchar_t self[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"bnfcreator.exe";
}

std::vector<char> VersionBlock(const std::wstring& exe) {
  DWORD ignored = 0;
  std::vector<char> block(::GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  if (block.empty() ||
      !::GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) {
    block.clear();
  }
  return block;
}

TEST(AppResources, VersionIs0207) {
  std::vector<char> block = VersionBlock(AppPath());
  ASSERT_FALSE(block.empty()) << "no version resource in bnfcreator.exe";
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT size = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
  EXPECT_EQ(0x00000002u, fixed->dwFileVersionMS);
  EXPECT_EQ(0x00000007u, fixed->dwFileVersionLS);
  wchar_t* text = nullptr;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\FileDescription",
                               reinterpret_cast<void**>(&text), &size));
  EXPECT_EQ(u"BitName file creator", std::u16string(Utf16(text)));
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\FileVersion",
                               reinterpret_cast<void**>(&text), &size));
  EXPECT_EQ(u"0.2.0.7", std::u16string(Utf16(text)));
}

TEST(AppResources, ManifestAsksForCommonControls6AndDpiAwareness) {
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
    SCOPED_TRACE(part);
    EXPECT_NE(std::string::npos, manifest.find(part));
  }
}

}  // namespace
}  // namespace bnf
