// An in-memory registry with the Win32 semantics the tool relies on: key paths ignore
// letter case and a trailing backslash, a missing string reads as empty text, a value
// of the other type is an error. Keys can be made to refuse opening or creation.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <variant>

#include "platform/platform.h"

namespace bnf::test {

class FakeRegistry : public Registry {
 public:
  using Value = std::variant<std::u16string, int32_t>;
  using Values = std::map<std::u16string, Value>;

  bool KeyExists(RegRoot root, std::u16string_view path) const override;
  std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::u16string_view path,
                                       RegAccess access) override;
  std::unique_ptr<RegistryKey> CreateKey(RegRoot root, std::u16string_view path) override;

  // Test set-up and inspection.
  void SetString(RegRoot root, std::u16string_view path, std::u16string_view name,
                 std::u16string_view value);
  void SetInteger(RegRoot root, std::u16string_view path, std::u16string_view name, int32_t value);
  void AddKey(RegRoot root, std::u16string_view path);
  bool HasKey(RegRoot root, std::u16string_view path) const;
  // The key's values; null when the key does not exist.
  const Values* Find(RegRoot root, std::u16string_view path) const;

  std::set<std::u16string> refuseOpen;    // normalised paths that do not open
  std::set<std::u16string> refuseCreate;  // normalised paths that cannot be created
  // Normalised paths that exist and open read-only but refuse full rights.
  std::set<std::u16string> refuseAllAccess;
  std::vector<std::pair<std::u16string, RegAccess>> opens;  // every OpenKey call

  static std::u16string Normalise(RegRoot root, std::u16string_view path);

 private:
  std::map<std::u16string, Values> keys_;
};

}  // namespace bnf::test
