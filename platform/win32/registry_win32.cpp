// Registry keys and values on Win32. A value is read into a fixed buffer first and read
// again with the size the registry reports when it did not fit; texts are taken up to
// their first NUL, so a value stored without its terminator reads the same as one with.
#include "platform/win32/registry_win32.h"

#include "platform/win32/windows_api.h"

#include <cstring>
#include <vector>

#include "common/errors.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"

namespace bnf::win32 {

namespace {

// Most values are short paths; longer ones cost a second query.
constexpr std::size_t kFirstTryBytes = 512;

// Read-only opens ask for less and less, so a key whose owner granted only some of the
// read rights (a locked-down installation's key) still opens for reading its values.
constexpr REGSAM kReadOnlyRights[] = {
    KEY_READ,
    STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
    KEY_QUERY_VALUE,
};

HKEY RootKey(RegRoot root) {
  return root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

UniqueHkey OpenWith(RegRoot root, const std::u16string& path, REGSAM rights) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(RootKey(root), Wide(path), 0, rights, &key) != ERROR_SUCCESS) return {};
  return UniqueHkey(key);
}

UniqueHkey OpenReadOnly(RegRoot root, const std::u16string& path) {
  for (REGSAM rights : kReadOnlyRights) {
    if (UniqueHkey key = OpenWith(root, path, rights)) return key;
  }
  return {};
}

std::u16string Quoted(std::u16string_view name) {
  return u"'" + std::u16string(name) + u"'";
}

[[noreturn]] void ThrowInvalidType(std::u16string_view name) {
  throw BnfError(u"Invalid data type for " + Quoted(name));
}

[[noreturn]] void ThrowGetFailed(std::u16string_view name) {
  throw BnfError(u"Failed to get data for " + Quoted(name));
}

[[noreturn]] void ThrowSetFailed(std::u16string_view name) {
  throw BnfError(u"Failed to set data for " + Quoted(name));
}

struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// The registry's status; on success `value` holds the type and exactly the stored bytes.
// The loop covers a value that grows between the query that reports its size and the
// next one.
LSTATUS QueryValue(HKEY key, const std::u16string& name, RawValue& value) {
  value.data.resize(kFirstTryBytes);
  for (;;) {
    DWORD size = static_cast<DWORD>(value.data.size());
    const LSTATUS status =
        ::RegQueryValueExW(key, Wide(name), nullptr, &value.type, value.data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      value.data.resize(size > value.data.size() ? size : value.data.size() * 2);
      continue;
    }
    if (status == ERROR_SUCCESS) value.data.resize(size);
    return status;
  }
}

// A REG_SZ may be stored with one terminator, several, or none, and an odd byte count
// leaves half a code unit at the end: the text is what a NUL-terminated read would see.
std::u16string TextOf(const std::vector<BYTE>& data) {
  std::u16string text(data.size() / sizeof(char16_t), u'\0');
  if (text.empty()) return text;
  std::memcpy(text.data(), data.data(), text.size() * sizeof(char16_t));
  text.resize(std::u16string_view(text.c_str()).size());
  return text;
}

class Win32RegistryKey final : public RegistryKey {
 public:
  explicit Win32RegistryKey(UniqueHkey key) : key_(std::move(key)) {}

  bool ValueExists(std::u16string_view name) const override {
    return ::RegQueryValueExW(key_.get(), Wide(std::u16string(name)), nullptr, nullptr, nullptr,
                              nullptr) == ERROR_SUCCESS;
  }

  std::u16string ReadString(std::u16string_view name) const override {
    RawValue value;
    const LSTATUS status = QueryValue(key_.get(), std::u16string(name), value);
    if (status == ERROR_FILE_NOT_FOUND) return {};
    if (status != ERROR_SUCCESS) ThrowGetFailed(name);
    // An expandable text is still text; its %VARIABLES% are left as stored.
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) ThrowInvalidType(name);
    return TextOf(value.data);
  }

  int32_t ReadInteger(std::u16string_view name) const override {
    RawValue value;
    if (QueryValue(key_.get(), std::u16string(name), value) != ERROR_SUCCESS) {
      ThrowGetFailed(name);
    }
    if (value.type != REG_DWORD || value.data.size() != sizeof(DWORD)) ThrowInvalidType(name);
    DWORD number = 0;
    std::memcpy(&number, value.data.data(), sizeof number);
    return static_cast<int32_t>(number);
  }

  void WriteString(std::u16string_view name, std::u16string_view value) override {
    const std::u16string text(value);
    // The terminator is stored too, as readers that ignore the stored size expect.
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    if (bytes > MAXDWORD) ThrowSetFailed(name);
    Set(name, REG_SZ, text.c_str(), static_cast<DWORD>(bytes));
  }

  void WriteInteger(std::u16string_view name, int32_t value) override {
    const DWORD number = static_cast<DWORD>(value);
    Set(name, REG_DWORD, &number, sizeof number);
  }

 private:
  void Set(std::u16string_view name, DWORD type, const void* data, DWORD bytes) {
    if (::RegSetValueExW(key_.get(), Wide(std::u16string(name)), 0, type,
                         static_cast<const BYTE*>(data), bytes) != ERROR_SUCCESS) {
      ThrowSetFailed(name);
    }
  }

  UniqueHkey key_;
};

class Win32Registry final : public Registry {
 public:
  bool KeyExists(RegRoot root, std::u16string_view path) const override {
    return static_cast<bool>(OpenReadOnly(root, std::u16string(path)));
  }

  std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::u16string_view path,
                                       RegAccess access) override {
    const std::u16string p(path);
    UniqueHkey key =
        access == RegAccess::AllAccess ? OpenWith(root, p, KEY_ALL_ACCESS) : OpenReadOnly(root, p);
    return Wrap(std::move(key));
  }

  std::unique_ptr<RegistryKey> CreateKey(RegRoot root, std::u16string_view path) override {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(RootKey(root), Wide(std::u16string(path)), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
      return nullptr;
    }
    return Wrap(UniqueHkey(key));
  }

 private:
  static std::unique_ptr<RegistryKey> Wrap(UniqueHkey key) {
    if (!key) return nullptr;
    return std::make_unique<Win32RegistryKey>(std::move(key));
  }
};

}  // namespace

std::unique_ptr<Registry> MakeWin32Registry() {
  return std::make_unique<Win32Registry>();
}

}  // namespace bnf::win32
