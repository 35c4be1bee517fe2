// The real registry under HKCU\Software\BnfTest and HKLM\Software\BnfTest: values
// written and read back through the keys the tool opens, values of the wrong type or
// stored oddly by other programs, and the rights each kind of open gives.
#include "platform/win32/registry_win32.h"

#include "platform/win32/windows_api.h"

#include <sddl.h>

#include <iterator>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "common/errors.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"

namespace bnf::win32 {
namespace {

using namespace std::string_literals;

const std::u16string kParent = u"Software\\BnfTest";

std::u16string ErrorOf(auto&& action) {
  try {
    action();
  } catch (const BnfError& e) {
    return e.message();
  }
  return u"(no error)";
}

HKEY RootKey(RegRoot root) {
  return root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// Each test works in a subkey of its own, deleted first so that a failed earlier run
// leaves nothing that changes the outcome.
class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    path = kParent + u"\\" + std::u16string(name.begin(), name.end());
  }
  void TearDown() override {
    for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
      DeleteTree(root);
      ::RegDeleteKeyW(RootKey(root), Wide(kParent));  // only once no test uses it
    }
  }

  void DeleteTree(RegRoot root) {
    // A key left locked by an earlier run opens for its owner to change the DACL back.
    Unlock(root);
    ::RegDeleteTreeW(RootKey(root), Wide(path));
    ::RegDeleteKeyW(RootKey(root), Wide(path));
  }

  // The test key made anew; a key that cannot be made or opened fails the test.
  std::unique_ptr<RegistryKey> Fresh(RegRoot root = RegRoot::CurrentUser) {
    DeleteTree(root);
    return Checked(registry->CreateKey(root, path + u"\\"));
  }
  std::unique_ptr<RegistryKey> Open(RegAccess access = RegAccess::ReadOnly,
                                    RegRoot root = RegRoot::CurrentUser) {
    return Checked(registry->OpenKey(root, path, access));
  }
  static std::unique_ptr<RegistryKey> Checked(std::unique_ptr<RegistryKey> key) {
    if (key == nullptr) throw std::runtime_error("the test key does not open");
    return key;
  }

  // Stores a value as another program might, bypassing the tool's writer.
  void SetRaw(const std::u16string& name, DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path), 0, KEY_SET_VALUE, &key));
    UniqueHkey owner(key);
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegSetValueExW(key, Wide(name), 0, type, static_cast<const BYTE*>(data), bytes));
  }

  // Gives the key a DACL from an SDDL text; true when the registry took it.
  bool SetDacl(RegRoot root, const wchar_t* sddl) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(RootKey(root), Wide(path), 0, WRITE_DAC, &key) != ERROR_SUCCESS) {
      return false;
    }
    UniqueHkey owner(key);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                                nullptr)) {
      return false;
    }
    UniqueLocal descriptorOwner(descriptor);
    return ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
  }

  void Unlock(RegRoot root) { SetDacl(root, L"D:(A;;KA;;;WD)"); }

  std::unique_ptr<Registry> registry = MakeWin32Registry();
  std::u16string path;
};

TEST_F(Win32RegistryTest, ValuesRoundTrip) {
  const std::u16string texts[] = {
      u"C:\\Program Files\\Tool\\", u"", u"Korvan\u00AE caf\u00E9 \u00FE\u00FF", u"two\rlines",
      std::u16string(3000, u'x'),  // longer than the first read's buffer
  };
  // A window left of or above the primary screen has negative edges.
  const int32_t numbers[] = {100, 0, -1, -32000, INT32_MIN, INT32_MAX};
  auto writer = Fresh();
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    SCOPED_TRACE(i);
    writer->WriteString(u"BNFLocation", texts[i]);
    auto reader = Open();
    EXPECT_TRUE(reader->ValueExists(u"BNFLocation"));
    EXPECT_EQ(texts[i], reader->ReadString(u"BNFLocation"));
  }
  for (int32_t number : numbers) {
    SCOPED_TRACE(number);
    writer->WriteInteger(u"Top", number);
    EXPECT_EQ(number, Open(RegAccess::AllAccess)->ReadInteger(u"Top"));
  }
}

TEST_F(Win32RegistryTest, MissingValuesAndValuesOfTheOtherType) {
  auto key = Fresh();
  key->WriteString(u"Top", u"100");
  key->WriteInteger(u"InstallDir", 5);
  const DWORD bytes[] = {7};
  SetRaw(u"Binary", REG_BINARY, bytes, 1);
  auto reader = Open();

  EXPECT_FALSE(reader->ValueExists(u"Location"));
  EXPECT_EQ(u"", reader->ReadString(u"Location"));
  EXPECT_EQ(u"Failed to get data for 'Left'", ErrorOf([&] { reader->ReadInteger(u"Left"); }));
  EXPECT_EQ(u"Invalid data type for 'Top'", ErrorOf([&] { reader->ReadInteger(u"Top"); }));
  EXPECT_EQ(u"Invalid data type for 'InstallDir'",
            ErrorOf([&] { reader->ReadString(u"InstallDir"); }));
  EXPECT_EQ(u"Invalid data type for 'Binary'", ErrorOf([&] { reader->ReadInteger(u"Binary"); }));
  EXPECT_EQ(u"Invalid data type for 'Binary'", ErrorOf([&] { reader->ReadString(u"Binary"); }));
}

// Other programs store texts without their terminator, with extra ones, with an odd
// byte count, or as REG_EXPAND_SZ.
TEST_F(Win32RegistryTest, TextsStoredByOtherPrograms) {
  struct Case {
    const char* label;
    DWORD type;
    std::u16string stored;
    DWORD bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {"no terminator", REG_SZ, u"C:\\X", 8, u"C:\\X"},
      {"two terminators", REG_SZ, u"C:\\X\0\0"s, 12, u"C:\\X"},
      {"odd byte count", REG_SZ, u"C:\\X", 9, u"C:\\X"},
      {"text after a NUL", REG_SZ, u"C:\\X\0junk"s, 18, u"C:\\X"},
      {"empty, no terminator", REG_SZ, u"", 0, u""},
      {"expandable", REG_EXPAND_SZ, u"%APPDATA%\\x", 24, u"%APPDATA%\\x"},
  };
  Fresh();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::u16string data = c.stored + u'\0';  // room for the odd byte
    SetRaw(u"APPDATA", c.type, data.data(), c.bytes);
    EXPECT_EQ(c.expected, Open()->ReadString(u"APPDATA"));
  }
}

// The tool tests and opens its settings key without a trailing backslash and creates
// it with one; other programs' keys live under HKEY_LOCAL_MACHINE.
TEST_F(Win32RegistryTest, KeysExistOpenAndAreCreatedUnderEitherRoot) {
  for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
    const RegRoot other =
        root == RegRoot::CurrentUser ? RegRoot::LocalMachine : RegRoot::CurrentUser;
    SCOPED_TRACE(root == RegRoot::CurrentUser ? "HKCU" : "HKLM");
    DeleteTree(RegRoot::CurrentUser);
    DeleteTree(RegRoot::LocalMachine);
    EXPECT_FALSE(registry->KeyExists(root, path));
    EXPECT_EQ(nullptr, registry->OpenKey(root, path + u"\\", RegAccess::AllAccess));
    EXPECT_EQ(nullptr, registry->OpenKey(root, path, RegAccess::ReadOnly));

    Checked(registry->CreateKey(root, path + u"\\"))->WriteString(u"Location", u"C:\\Tools\\");

    EXPECT_TRUE(registry->KeyExists(root, path));
    EXPECT_TRUE(registry->KeyExists(root, path + u"\\"));
    EXPECT_FALSE(registry->KeyExists(other, path));
    // Creating an existing key opens it with its values.
    Checked(registry->CreateKey(root, path + u"\\"));
    EXPECT_EQ(u"C:\\Tools\\", Open(RegAccess::AllAccess, root)->ReadString(u"Location"));
    EXPECT_EQ(u"C:\\Tools\\", Open(RegAccess::ReadOnly, root)->ReadString(u"Location"));
  }
}

// A key opened for reading refuses writes, and one created for writing refuses reads:
// both are errors, never silent successes.
TEST_F(Win32RegistryTest, RightsOfEachOpen) {
  auto created = Fresh();
  created->WriteString(u"MPAsmDir", u"D:\\mpasm");
  EXPECT_EQ(u"Failed to get data for 'MPAsmDir'",
            ErrorOf([&] { created->ReadString(u"MPAsmDir"); }));

  auto reader = Open();
  EXPECT_EQ(u"Failed to set data for 'MPAsmDir'",
            ErrorOf([&] { reader->WriteString(u"MPAsmDir", u"E:\\"); }));
  EXPECT_EQ(u"Failed to set data for 'Top'", ErrorOf([&] { reader->WriteInteger(u"Top", 1); }));
  EXPECT_EQ(u"D:\\mpasm", reader->ReadString(u"MPAsmDir"));
}

// A key that grants only the right to query values (KQ: KEY_QUERY_VALUE) still opens
// read-only, through the last of the fallbacks, but not with full rights.
TEST_F(Win32RegistryTest, KeyGrantingOnlyQueryValueOpensReadOnly) {
  Fresh()->WriteString(u"InstallDir", u"C:\\X");
  ASSERT_TRUE(SetDacl(RegRoot::CurrentUser, L"D:P(A;;0x1;;;WD)"));

  HKEY probe = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path), 0, KEY_READ, &probe) == ERROR_SUCCESS) {
    ::RegCloseKey(probe);
    GTEST_SKIP() << "this registry does not check key rights";
  }
  EXPECT_TRUE(registry->KeyExists(RegRoot::CurrentUser, path));
  EXPECT_EQ(nullptr, registry->OpenKey(RegRoot::CurrentUser, path, RegAccess::AllAccess));
  EXPECT_EQ(u"C:\\X", Open()->ReadString(u"InstallDir"));
}

}  // namespace
}  // namespace bnf::win32
