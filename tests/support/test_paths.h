// Paths for tests that touch real files: a fresh temporary folder per test, and the
// repository's own files, both in the Windows path syntax that the tool uses (under
// Wine the repository is reached through drive Z:).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace bnf::test {

// A new empty folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder in the tool's path syntax, without a trailing backslash.
  const std::u16string& path() const { return path_; }
  // path() + "\" + name.
  std::u16string File(std::u16string_view name) const;
  const std::filesystem::path& native() const { return native_; }

 private:
  std::filesystem::path native_;
  std::u16string path_;
};

// A file or folder of the repository (relative path with '/'), in the tool's syntax.
std::u16string SourcePath(std::string_view relative);

// Converts between a host path and the tool's path syntax.
std::u16string ToToolPath(const std::filesystem::path& p);
std::filesystem::path ToHostPath(std::u16string_view toolPath);

// Whole file as bytes, and writing bytes, by host path.
std::string ReadBytes(const std::filesystem::path& p);
void WriteBytes(const std::filesystem::path& p, std::string_view bytes);

}  // namespace bnf::test
