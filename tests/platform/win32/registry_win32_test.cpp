// The real registry under HKCU\Software\BnfTest, for what the end-to-end settings round
// trip cannot show: values stored oddly by other programs, long values, and the errors
// for wrong types and refused writes.
#include "platform/win32/registry_win32.h"

#include "platform/win32/windows_api.h"

#include <sddl.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"
#include "tests/support/error_of.h"

namespace bnf::win32 {
namespace {

using namespace std::string_literals;
using test::ErrorOf;

TEST(Win32Registry, TextsAsANulTerminatedReadSeesThemAndErrorsForWrongTypesAndRights) {
  const std::u16string path = u"Software\\BnfTest\\Registry";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(path));  // left by a failed earlier run
  std::unique_ptr<Registry> registry = MakeWin32Registry();
  std::unique_ptr<RegistryKey> writer = registry->CreateKey(RegRoot::CurrentUser, path + u"\\");
  ASSERT_NE(nullptr, writer);
  auto read = [&](const char16_t* name) {
    return registry->OpenKey(RegRoot::CurrentUser, path, RegAccess::ReadOnly)->ReadString(name);
  };
  // Longer than the first read's buffer.
  for (const std::u16string& text : {u"Korvan\u00AE \u00FE\u00FF\r"s, std::u16string(3000, u'x')}) {
    writer->WriteString(u"BNFLocation", text);
    EXPECT_EQ(text, read(u"BNFLocation"));
  }
  // Stored by other programs: without the terminator, with extra ones, with an odd byte
  // count, expandable.
  const struct {
    DWORD type;
    std::u16string stored;
    DWORD bytes;
    std::u16string text;
  } cases[] = {
      {REG_SZ, u"C:\\X", 8, u"C:\\X"},
      {REG_SZ, u"C:\\X\0\0"s, 12, u"C:\\X"},
      {REG_SZ, u"C:\\X", 9, u"C:\\X"},
      {REG_SZ, u"C:\\X\0junk"s, 18, u"C:\\X"},
      {REG_EXPAND_SZ, u"%APPDATA%\\x", 24, u"%APPDATA%\\x"},  // not expanded
  };
  for (const auto& c : cases) {
    std::u16string data = c.stored + u'\0';  // room for the odd byte
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, Wide(path), L"APPDATA", c.type,
                                               data.data(), c.bytes));
    EXPECT_EQ(c.text, read(u"APPDATA")) << c.bytes;
  }
  const DWORD binary = 7;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegSetKeyValueW(HKEY_CURRENT_USER, Wide(path), L"APPDATA", REG_BINARY, &binary, 1));
  EXPECT_EQ(u"Invalid data type for 'APPDATA'", ErrorOf([&] { read(u"APPDATA"); }));

  writer->WriteInteger(u"Top", INT32_MIN);
  auto reader = registry->OpenKey(RegRoot::CurrentUser, path, RegAccess::ReadOnly);
  EXPECT_EQ(INT32_MIN, reader->ReadInteger(u"Top"));
  EXPECT_TRUE(reader->ValueExists(u"Top"));
  EXPECT_FALSE(reader->ValueExists(u"Location"));
  EXPECT_EQ(u"", reader->ReadString(u"Location"));
  EXPECT_EQ(u"Failed to get data for 'Width'", ErrorOf([&] { reader->ReadInteger(u"Width"); }));
  EXPECT_EQ(u"Invalid data type for 'Top'", ErrorOf([&] { reader->ReadString(u"Top"); }));
  EXPECT_EQ(u"Invalid data type for 'APPDATA'", ErrorOf([&] { reader->ReadInteger(u"APPDATA"); }));
  // A key opened for reading refuses writes, one created for writing refuses reads.
  EXPECT_EQ(u"Failed to set data for 'Top'", ErrorOf([&] { reader->WriteInteger(u"Top", 1); }));
  EXPECT_EQ(u"Failed to get data for 'Top'", ErrorOf([&] { writer->ReadString(u"Top"); }));
  reader.reset();
  writer.reset();
  ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(path));
}

// Gives the key a DACL from an SDDL text; the owner may always change it.
bool SetDacl(const std::u16string& path, const wchar_t* sddl) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path), 0, WRITE_DAC, &key) != ERROR_SUCCESS)
    return false;
  UniqueHkey owner(key);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                              nullptr))
    return false;
  UniqueLocal descriptorOwner(descriptor);
  return ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
}

// Another program's key that grants only the right to query values still opens
// read-only, through the last of the fallbacks, but not with full rights.
TEST(Win32Registry, KeyGrantingOnlyQueryValueOpensReadOnly) {
  const std::u16string path = u"Software\\BnfTest\\QueryOnly";
  SetDacl(path, L"D:(A;;KA;;;WD)");  // left locked by a failed earlier run
  ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(path));
  std::unique_ptr<Registry> registry = MakeWin32Registry();
  registry->CreateKey(RegRoot::CurrentUser, path + u"\\")->WriteString(u"Dir", u"C:\\X");
  ASSERT_TRUE(SetDacl(path, L"D:P(A;;0x1;;;WD)"));
  HKEY probe = nullptr;
  ASSERT_NE(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path), 0, KEY_READ, &probe));
  EXPECT_EQ(nullptr, registry->OpenKey(RegRoot::CurrentUser, path, RegAccess::AllAccess));
  EXPECT_EQ(u"C:\\X",
            registry->OpenKey(RegRoot::CurrentUser, path, RegAccess::ReadOnly)->ReadString(u"Dir"));
  SetDacl(path, L"D:(A;;KA;;;WD)");
  ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(path));
}

}  // namespace
}  // namespace bnf::win32
