#include "tests/support/fake_registry.h"

#include "common/errors.h"
#include "common/text_utils.h"

namespace bnf::test {

namespace {

class FakeKey : public RegistryKey {
 public:
  explicit FakeKey(FakeRegistry::Values& values) : values_(values) {}

  bool ValueExists(std::u16string_view name) const override {
    return values_.count(std::u16string(name)) > 0;
  }
  std::u16string ReadString(std::u16string_view name) const override {
    auto it = values_.find(std::u16string(name));
    if (it == values_.end()) return {};
    if (auto* text = std::get_if<std::u16string>(&it->second)) return *text;
    throw BnfError(u"Invalid data type for '" + std::u16string(name) + u"'");
  }
  int32_t ReadInteger(std::u16string_view name) const override {
    auto it = values_.find(std::u16string(name));
    if (it == values_.end())
      throw BnfError(u"Failed to get data for '" + std::u16string(name) + u"'");
    if (auto* number = std::get_if<int32_t>(&it->second)) return *number;
    throw BnfError(u"Invalid data type for '" + std::u16string(name) + u"'");
  }
  void WriteString(std::u16string_view name, std::u16string_view value) override {
    values_[std::u16string(name)] = std::u16string(value);
  }
  void WriteInteger(std::u16string_view name, int32_t value) override {
    values_[std::u16string(name)] = value;
  }

 private:
  FakeRegistry::Values& values_;
};

}  // namespace

std::u16string FakeRegistry::Normalise(RegRoot root, std::u16string_view path) {
  std::u16string p = UpperCase(path);
  while (!p.empty() && p.back() == u'\\') p.pop_back();
  return (root == RegRoot::CurrentUser ? u"HKCU\\" : u"HKLM\\") + p;
}

bool FakeRegistry::KeyExists(RegRoot root, std::u16string_view path) const {
  std::u16string key = Normalise(root, path);
  return keys_.count(key) > 0 && refuseOpen.count(key) == 0;
}

std::unique_ptr<RegistryKey> FakeRegistry::OpenKey(RegRoot root, std::u16string_view path,
                                                   RegAccess access) {
  std::u16string key = Normalise(root, path);
  opens.emplace_back(key, access);
  auto it = keys_.find(key);
  if (it == keys_.end() || refuseOpen.count(key) > 0) return nullptr;
  if (access == RegAccess::AllAccess && refuseAllAccess.count(key) > 0) return nullptr;
  return std::make_unique<FakeKey>(it->second);
}

std::unique_ptr<RegistryKey> FakeRegistry::CreateKey(RegRoot root, std::u16string_view path) {
  std::u16string key = Normalise(root, path);
  if (refuseCreate.count(key) > 0) return nullptr;
  return std::make_unique<FakeKey>(keys_[key]);
}

void FakeRegistry::SetString(RegRoot root, std::u16string_view path, std::u16string_view name,
                             std::u16string_view value) {
  keys_[Normalise(root, path)][std::u16string(name)] = std::u16string(value);
}

void FakeRegistry::SetInteger(RegRoot root, std::u16string_view path, std::u16string_view name,
                              int32_t value) {
  keys_[Normalise(root, path)][std::u16string(name)] = value;
}

void FakeRegistry::AddKey(RegRoot root, std::u16string_view path) {
  keys_[Normalise(root, path)];
}

bool FakeRegistry::HasKey(RegRoot root, std::u16string_view path) const {
  return keys_.count(Normalise(root, path)) > 0;
}

const FakeRegistry::Values* FakeRegistry::Find(RegRoot root, std::u16string_view path) const {
  auto it = keys_.find(Normalise(root, path));
  return it == keys_.end() ? nullptr : &it->second;
}

}  // namespace bnf::test
