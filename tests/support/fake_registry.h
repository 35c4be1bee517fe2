// An in-memory registry as Win32's for the tool: key paths ignore letter case and a trailing
// backslash, a missing string reads as empty text, a value of the other type is an error
// (the tool reads no missing number). Keys can refuse creation or full rights.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <variant>

#include "common/errors.h"
#include "common/text_utils.h"
#include "platform/platform.h"

namespace bnf::test {

using RegistryValues = std::map<std::u16string, std::variant<std::u16string, int32_t>>;

class FakeKey : public RegistryKey {
 public:
  explicit FakeKey(RegistryValues& values) : values_(values) {}

  bool ValueExists(std::u16string_view name) const override {
    return values_.contains(std::u16string(name));
  }
  std::u16string ReadString(std::u16string_view name) const override {
    return ValueExists(name) ? Read<std::u16string>(name) : std::u16string();
  }
  int32_t ReadInteger(std::u16string_view name) const override { return Read<int32_t>(name); }
  void WriteString(std::u16string_view name, std::u16string_view value) override {
    values_[std::u16string(name)] = std::u16string(value);
  }
  void WriteInteger(std::u16string_view name, int32_t value) override {
    values_[std::u16string(name)] = value;
  }

 private:
  template <typename T>
  T Read(std::u16string_view name) const {
    if (const T* value = std::get_if<T>(&values_.at(std::u16string(name)))) return *value;
    throw BnfError(u"Invalid data type for '" + std::u16string(name) + u"'");
  }

  RegistryValues& values_;
};

class FakeRegistry : public Registry {
 public:
  using Value = RegistryValues::mapped_type;
  using Values = RegistryValues;

  bool KeyExists(RegRoot root, std::u16string_view path) const override {
    return Find(root, path) != nullptr;
  }
  std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::u16string_view path,
                                       RegAccess access) override {
    const std::u16string key = Normalise(root, path);
    if (!keys_.contains(key)) return nullptr;
    if (access == RegAccess::AllAccess && refuseAllAccess.contains(key)) return nullptr;
    return std::make_unique<FakeKey>(keys_[key]);
  }
  std::unique_ptr<RegistryKey> CreateKey(RegRoot root, std::u16string_view path) override {
    if (refuseCreate.contains(Normalise(root, path))) return nullptr;
    return std::make_unique<FakeKey>(Key(root, path));
  }

  // The key's values: Key makes a missing key, Find gives null for it.
  Values& Key(RegRoot root, std::u16string_view path) { return keys_[Normalise(root, path)]; }
  const Values* Find(RegRoot root, std::u16string_view path) const {
    auto it = keys_.find(Normalise(root, path));
    return it == keys_.end() ? nullptr : &it->second;
  }
  static std::u16string Normalise(RegRoot root, std::u16string_view path) {
    std::u16string p = UpperCase(path);
    while (!p.empty() && p.back() == u'\\') p.pop_back();
    return (root == RegRoot::CurrentUser ? u"HKCU\\" : u"HKLM\\") + p;
  }

  std::set<std::u16string> refuseCreate;     // normalised paths that cannot be created
  std::set<std::u16string> refuseAllAccess;  // normalised paths that open read-only only

 private:
  std::map<std::u16string, Values> keys_;
};

}  // namespace bnf::test
