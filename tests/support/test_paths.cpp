#include "tests/support/test_paths.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace bnf::test {

namespace {

std::filesystem::path NewTempFolder() {
  static std::atomic<unsigned> sequence{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path p =
        std::filesystem::temp_directory_path() /
        ("bnftest-" + std::to_string(stamp) + "-" + std::to_string(sequence++));
    if (std::filesystem::create_directory(p)) return p;
  }
  throw std::runtime_error("cannot create a temporary test folder");
}

}  // namespace

TempDir::TempDir() : native_(NewTempFolder()), path_(ToToolPath(native_)) {}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(native_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(native_, ignored);
}

std::u16string TempDir::File(std::u16string_view name) const {
  return path_ + u"\\" + std::u16string(name);
}

std::u16string ToToolPath(const std::filesystem::path& p) {
  std::u16string s = p.u16string();
  for (char16_t& c : s) {
    if (c == u'/') c = u'\\';
  }
  while (s.size() > 1 && s.back() == u'\\') s.pop_back();
  return s;
}

std::filesystem::path ToHostPath(std::u16string_view toolPath) {
  std::u16string s(toolPath);
#ifndef _WIN32
  for (char16_t& c : s) {
    if (c == u'\\') c = u'/';
  }
#endif
  return std::filesystem::path(s);
}

std::u16string SourcePath(std::string_view relative) {
  std::string full = std::string(BNF_SOURCE_DIR) + "/" + std::string(relative);
#ifdef _WIN32
  full = "Z:" + full;
#endif
  std::u16string s(full.begin(), full.end());
  for (char16_t& c : s) {
    if (c == u'/') c = u'\\';
  }
  return s;
}

std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + p.string());
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteBytes(const std::filesystem::path& p, std::string_view bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + p.string());
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace bnf::test
