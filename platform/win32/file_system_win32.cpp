// Files by Windows path through the Win32 file API. A file is replaced by writing a
// temporary file next to it and renaming that over it, so a failure at any point
// leaves the old file as it was and no temporary behind.
#include "platform/win32/windows_api.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "common/errors.h"
#include "platform/platform.h"
#include "platform/win32/error_text_win32.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"

namespace bnf {

namespace {

using win32::ErrorReason;
using win32::UniqueFile;
using win32::Wide;

// Bytes per ReadFile or WriteFile call, which count in DWORD.
constexpr DWORD kChunk = DWORD{1} << 20;
// Attempts at a temporary name before giving up (names left by crashed runs are skipped).
constexpr int kTempNameAttempts = 100;

// The Win32 calls end a path at its first NUL: "a.txt<NUL>x" would reach "a.txt".
bool HasNul(std::u16string_view path) {
  return path.find(u'\0') != std::u16string_view::npos;
}

[[noreturn]] void ThrowOpenError(std::u16string_view path, DWORD code) {
  throw FileError(u"Cannot open file \"" + std::u16string(path) + u"\". " + ErrorReason(code));
}

[[noreturn]] void ThrowCreateError(std::u16string_view path, DWORD code) {
  throw FileError(u"Cannot create file \"" + std::u16string(path) + u"\". " + ErrorReason(code));
}

// The target's folder as written in its path, with its separator ("" for a bare
// name, "C:" for a drive-relative one), so the temporary lands on the same volume
// and the rename never becomes a copy.
std::u16string FolderPrefix(std::u16string_view path) {
  std::size_t cut = path.find_last_of(u"\\/:");
  return std::u16string(cut == std::u16string_view::npos ? u"" : path.substr(0, cut + 1));
}

std::u16string TempName(std::u16string_view path, unsigned sequence) {
  char name[40];
  std::snprintf(name, sizeof name, "~bnf%lx-%x.tmp", ::GetCurrentProcessId(), sequence);
  return FolderPrefix(path) + std::u16string(name, name + std::char_traits<char>::length(name));
}

// A temporary file that is deleted when its owner goes, unless kept.
class TempFile {
 public:
  TempFile(std::u16string name, UniqueFile handle)
      : name_(std::move(name)), handle_(std::move(handle)) {}
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    handle_.reset();
    if (!kept_) ::DeleteFileW(Wide(name_));
  }

  HANDLE handle() const { return handle_.get(); }
  const std::u16string& name() const { return name_; }
  // A rename needs the file closed.
  void Close() { handle_.reset(); }
  void Keep() { kept_ = true; }

 private:
  std::u16string name_;
  UniqueFile handle_;
  bool kept_ = false;
};

// The Win32 error of the first write that failed, or 0 when all went to disk.
DWORD WriteAndFlush(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD want = bytes.size() < kChunk ? static_cast<DWORD>(bytes.size()) : kChunk;
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), want, &written, nullptr)) return ::GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return ::FlushFileBuffers(file) ? 0 : ::GetLastError();
}

// Windows refuses to rename over a read-only file, Wine renames anyway; asking first
// keeps such a file on both.
bool IsReadOnly(std::u16string_view path) {
  const DWORD attributes = ::GetFileAttributesW(Wide(std::u16string(path)));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Others may keep the file open for reading or writing (an editor, the IDE).
UniqueFile OpenForReading(std::u16string_view path) {
  if (HasNul(path)) ThrowOpenError(path, ERROR_INVALID_NAME);
  UniqueFile file(::CreateFileW(Wide(std::u16string(path)), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowOpenError(path, ::GetLastError());
  return file;
}

class Win32FileReader final : public FileReader {
 public:
  Win32FileReader(std::u16string_view path, UniqueFile file)
      : path_(path), file_(std::move(file)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const DWORD want = size < kChunk ? static_cast<DWORD>(size) : kChunk;
    DWORD read = 0;
    if (!::ReadFile(file_.get(), buffer, want, &read, nullptr)) {
      ThrowOpenError(path_, ::GetLastError());
    }
    return read;
  }

 private:
  std::u16string path_;
  UniqueFile file_;
};

class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<FileReader> OpenFile(std::u16string_view path) const override {
    return std::make_unique<Win32FileReader>(path, OpenForReading(path));
  }

  bool FileExists(std::u16string_view path) const override {
    if (HasNul(path)) return false;
    const DWORD attributes = ::GetFileAttributesW(Wide(std::u16string(path)));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::string ReadFile(std::u16string_view path) const override {
    UniqueFile file = OpenForReading(path);
    std::string content;
    for (;;) {
      const std::size_t at = content.size();
      content.resize(at + kChunk);
      DWORD read = 0;
      if (!::ReadFile(file.get(), content.data() + at, kChunk, &read, nullptr)) {
        ThrowOpenError(path, ::GetLastError());
      }
      content.resize(at + read);
      if (read == 0) return content;
    }
  }

  void ReplaceFile(std::u16string_view path, std::string_view bytes) override {
    if (HasNul(path)) ThrowCreateError(path, ERROR_INVALID_NAME);
    if (IsReadOnly(path)) ThrowCreateError(path, ERROR_ACCESS_DENIED);
    TempFile temp = CreateTemp(path);
    DWORD error = WriteAndFlush(temp.handle(), bytes);
    temp.Close();
    if (error == 0 && !::MoveFileExW(Wide(temp.name()), Wide(std::u16string(path)),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      error = ::GetLastError();
    }
    if (error != 0) ThrowCreateError(path, error);
    temp.Keep();
  }

 private:
  // CREATE_NEW never opens a file that is already there, whoever made it.
  TempFile CreateTemp(std::u16string_view path) {
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
      std::u16string name = TempName(path, ++tempSequence_);
      UniqueFile file(::CreateFileW(Wide(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
      if (file) return TempFile(std::move(name), std::move(file));
      error = ::GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    ThrowCreateError(path, error);
  }

  unsigned tempSequence_ = 0;
};

}  // namespace

std::unique_ptr<FileSystem> MakeFileSystem() {
  return std::make_unique<Win32FileSystem>();
}

}  // namespace bnf
