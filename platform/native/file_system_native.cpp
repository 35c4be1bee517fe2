// Files by Windows path on POSIX: backslashes become slashes and every path component
// is looked up without regard to letter case, as on Windows. A file is replaced by
// writing a temporary file beside it and renaming it over the old one, so a reader sees
// either the old or the complete new content, never a mix.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "common/errors.h"
#include "platform/native/native_paths.h"
#include "platform/platform.h"

namespace bnf {

using namespace native;

namespace {

[[noreturn]] void ThrowOpenError(std::u16string_view path, int error) {
  throw FileError(u"Cannot open file \"" + std::u16string(path) + u"\". " + Reason(error));
}

[[noreturn]] void ThrowCreateError(std::u16string_view path, int error) {
  throw FileError(u"Cannot create file \"" + std::u16string(path) + u"\". " + Reason(error));
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  int get() const { return fd_; }

 private:
  int fd_;
};

// The temporary file a replacement is written to; removed unless it was renamed.
class TempFile {
 public:
  explicit TempFile(const std::string& folder) {
    std::random_device random;
    char name[32];
    error_ = EEXIST;
    for (int attempt = 0; attempt < 100 && error_ == EEXIST; ++attempt) {
      std::snprintf(name, sizeof name, "~bnf%08x.tmp", static_cast<unsigned>(random()));
      path_ = Join(folder, name);
      fd_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      error_ = fd_ < 0 ? errno : 0;
    }
  }
  ~TempFile() {
    if (fd_ >= 0) close(fd_);
    if (error_ == 0 && !renamed_) unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // Each returns 0 or the errno of the failure.
  int Error() const { return error_; }
  int Write(std::string_view bytes) {
    while (!bytes.empty()) {
      ssize_t written = write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) return errno;
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
  }
  // Flushes to the disk before the rename, so a crash cannot leave an empty file in
  // place of the old one.
  int Commit(const std::string& target) {
    if (fsync(fd_) != 0) return errno;
    int result = close(fd_);
    fd_ = -1;
    if (result != 0) return errno;
    if (rename(path_.c_str(), target.c_str()) != 0) return errno;
    renamed_ = true;
    return 0;
  }

 private:
  std::string path_;
  int fd_ = -1;
  int error_ = 0;
  bool renamed_ = false;
};

void SyncFolder(const std::string& folder) {
  Descriptor dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) fsync(dir.get());
}

class PosixFileReader final : public FileReader {
 public:
  PosixFileReader(std::u16string_view path, Descriptor file)
      : path_(path), file_(std::move(file)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    for (;;) {
      ssize_t got = read(file_.get(), buffer, size);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) ThrowOpenError(path_, errno);
      return static_cast<std::size_t>(got);
    }
  }

 private:
  std::u16string path_;
  Descriptor file_;
};

class PosixFileSystem : public FileSystem {
 public:
  std::unique_ptr<FileReader> OpenFile(std::u16string_view path) const override {
    Descriptor file(open(HostPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) ThrowOpenError(path, errno);
    return std::make_unique<PosixFileReader>(path, std::move(file));
  }

  bool FileExists(std::u16string_view path) const override {
    struct stat info;
    return stat(HostPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
  }

  std::string ReadFile(std::u16string_view path) const override {
    Descriptor file(open(HostPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) ThrowOpenError(path, errno);
    std::string content;
    char buffer[65536];
    for (;;) {
      ssize_t got = read(file.get(), buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) ThrowOpenError(path, errno);
      if (got == 0) return content;
      content.append(buffer, static_cast<std::size_t>(got));
    }
  }

  void ReplaceFile(std::u16string_view path, std::string_view bytes) override {
    std::string target = HostPath(path);
    std::string folder = FolderOf(target);
    TempFile temp(folder);
    int error = temp.Error();
    if (error == 0) error = temp.Write(bytes);
    if (error == 0) error = temp.Commit(target);
    if (error != 0) ThrowCreateError(path, error);
    SyncFolder(folder);
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeFileSystem() {
  return std::make_unique<PosixFileSystem>();
}

}  // namespace bnf
