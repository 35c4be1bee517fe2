// The real registry under HKCU and HKLM\Software\BnfTest: values written and read back
// through the keys the tool opens, values of the wrong type or stored oddly by other
// programs, and the rights each kind of open gives.
#include "platform/win32/registry_win32.h"

#include "platform/win32/windows_api.h"

#include <sddl.h>

#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"
#include "tests/support/error_of.h"

namespace bnf::win32 {
namespace {

using namespace std::string_literals;
using test::ErrorOf;

// Each test works in a subkey of its own, deleted first so that a failed earlier run
// changes nothing.
class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    path = u"Software\\BnfTest\\" + std::u16string(name.begin(), name.end());
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      SetDacl(root, L"D:(A;;KA;;;WD)");  // a key left locked by an earlier run
      ::RegDeleteTreeW(root, Wide(path));
    }
  }
  void TearDown() override { SetUp(); }

  std::unique_ptr<RegistryKey> Checked(std::unique_ptr<RegistryKey> key) {
    if (key == nullptr) throw std::runtime_error("the test key does not open");
    return key;
  }
  std::unique_ptr<RegistryKey> Open(RegAccess access = RegAccess::ReadOnly,
                                    RegRoot root = RegRoot::CurrentUser) {
    return Checked(registry->OpenKey(root, path, access));
  }
  // Stores a value as another program might, bypassing the tool's writer.
  void SetRaw(DWORD type, const void* data, DWORD bytes) {
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegSetKeyValueW(HKEY_CURRENT_USER, Wide(path), L"APPDATA", type, data, bytes));
  }

  // Gives the key a DACL from an SDDL text; true when the registry took it.
  bool SetDacl(HKEY root, const wchar_t* sddl) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, Wide(path), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
    UniqueHkey owner(key);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                                nullptr)) {
      return false;
    }
    UniqueLocal descriptorOwner(descriptor);
    return ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  }

  std::unique_ptr<Registry> registry = MakeWin32Registry();
  std::u16string path;
};

TEST_F(Win32RegistryTest, ValuesRoundTripAndWrongTypesAreErrors) {
  auto writer = Checked(registry->CreateKey(RegRoot::CurrentUser, path + u"\\"));
  // Longer than the first read's buffer; windows left of the screen have negative edges.
  for (const std::u16string& text :
       {u"C:\\Tool\\"s, u""s, u"Korvan\u00AE \u00FE\u00FF\r"s, std::u16string(3000, u'x')}) {
    writer->WriteString(u"BNFLocation", text);
    EXPECT_EQ(text, Open()->ReadString(u"BNFLocation"));
  }
  for (int32_t number : {100, 0, -32000, INT32_MIN, INT32_MAX}) {
    writer->WriteInteger(u"Top", number);
    EXPECT_EQ(number, Open(RegAccess::AllAccess)->ReadInteger(u"Top"));
  }
  writer->WriteString(u"Left", u"100");
  const DWORD binary = 7;
  SetRaw(REG_BINARY, &binary, 1);
  auto reader = Open();
  EXPECT_TRUE(reader->ValueExists(u"Top"));
  EXPECT_FALSE(reader->ValueExists(u"Location"));
  EXPECT_EQ(u"", reader->ReadString(u"Location"));
  EXPECT_EQ(u"Failed to get data for 'Width'", ErrorOf([&] { reader->ReadInteger(u"Width"); }));
  EXPECT_EQ(u"Invalid data type for 'Left'", ErrorOf([&] { reader->ReadInteger(u"Left"); }));
  EXPECT_EQ(u"Invalid data type for 'Top'", ErrorOf([&] { reader->ReadString(u"Top"); }));
  EXPECT_EQ(u"Invalid data type for 'APPDATA'", ErrorOf([&] { reader->ReadInteger(u"APPDATA"); }));
  EXPECT_EQ(u"Invalid data type for 'APPDATA'", ErrorOf([&] { reader->ReadString(u"APPDATA"); }));
}

// Other programs store texts without their terminator, with extra ones, with an odd
// byte count, or as REG_EXPAND_SZ.
TEST_F(Win32RegistryTest, TextsStoredByOtherPrograms) {
  const struct {
    DWORD type;
    std::u16string stored;
    DWORD bytes;
    std::u16string text;
  } cases[] = {
      {REG_SZ, u"C:\\X", 8, u"C:\\X"}, {REG_SZ, u"C:\\X\0\0"s, 12, u"C:\\X"},
      {REG_SZ, u"C:\\X", 9, u"C:\\X"}, {REG_SZ, u"C:\\X\0junk"s, 18, u"C:\\X"},
      {REG_SZ, u"", 0, u""},           {REG_EXPAND_SZ, u"%APPDATA%\\x", 24, u"%APPDATA%\\x"},
  };
  Checked(registry->CreateKey(RegRoot::CurrentUser, path + u"\\"));
  for (const auto& c : cases) {
    std::u16string data = c.stored + u'\0';  // room for the odd byte
    SetRaw(c.type, data.data(), c.bytes);
    EXPECT_EQ(c.text, Open()->ReadString(u"APPDATA")) << c.bytes;
  }
}

// The tool tests and opens its key without a trailing backslash and creates it with
// one; other programs' keys live under HKEY_LOCAL_MACHINE. A key opened for reading
// refuses writes and one created for writing refuses reads: errors, never silence.
TEST_F(Win32RegistryTest, KeysUnderEitherRootAndTheRightsOfEachOpen) {
  for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
    const RegRoot other =
        root == RegRoot::CurrentUser ? RegRoot::LocalMachine : RegRoot::CurrentUser;
    SetUp();
    EXPECT_FALSE(registry->KeyExists(root, path));
    EXPECT_EQ(nullptr, registry->OpenKey(root, path + u"\\", RegAccess::AllAccess));
    EXPECT_EQ(nullptr, registry->OpenKey(root, path, RegAccess::ReadOnly));
    auto created = Checked(registry->CreateKey(root, path + u"\\"));
    created->WriteString(u"MPAsmDir", u"D:\\mpasm");
    EXPECT_EQ(u"Failed to get data for 'MPAsmDir'",
              ErrorOf([&] { created->ReadString(u"MPAsmDir"); }));
    EXPECT_TRUE(registry->KeyExists(root, path));
    EXPECT_TRUE(registry->KeyExists(root, path + u"\\"));
    EXPECT_FALSE(registry->KeyExists(other, path));
    Checked(registry->CreateKey(root, path + u"\\"));  // opens the existing key
    EXPECT_EQ(u"D:\\mpasm", Open(RegAccess::AllAccess, root)->ReadString(u"MPAsmDir"));
    auto reader = Open(RegAccess::ReadOnly, root);
    EXPECT_EQ(u"Failed to set data for 'MPAsmDir'",
              ErrorOf([&] { reader->WriteString(u"MPAsmDir", u"E:\\"); }));
    EXPECT_EQ(u"Failed to set data for 'Top'", ErrorOf([&] { reader->WriteInteger(u"Top", 1); }));
    EXPECT_EQ(u"D:\\mpasm", reader->ReadString(u"MPAsmDir"));
  }
}

// A key that grants only the right to query values (KEY_QUERY_VALUE) still opens
// read-only, through the last of the fallbacks, but not with full rights.
TEST_F(Win32RegistryTest, KeyGrantingOnlyQueryValueOpensReadOnly) {
  Checked(registry->CreateKey(RegRoot::CurrentUser, path + u"\\"))->WriteString(u"Dir", u"C:\\X");
  ASSERT_TRUE(SetDacl(HKEY_CURRENT_USER, L"D:P(A;;0x1;;;WD)"));
  HKEY probe = nullptr;
  ASSERT_NE(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path), 0, KEY_READ, &probe));
  EXPECT_TRUE(registry->KeyExists(RegRoot::CurrentUser, path));
  EXPECT_EQ(nullptr, registry->OpenKey(RegRoot::CurrentUser, path, RegAccess::AllAccess));
  EXPECT_EQ(u"C:\\X", Open()->ReadString(u"Dir"));
}

}  // namespace
}  // namespace bnf::win32
