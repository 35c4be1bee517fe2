// Folders on POSIX for the native build: the listing matches the mask's wildcards
// without regard to letter case, reports local modification times, and dates and times
// are written as the en-US Windows locale writes them, so tests read the same lines.
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "platform/native/native_paths.h"
#include "platform/platform.h"

namespace bnf {

using namespace native;

namespace {

std::u16string Ascii(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

LocalTime ToLocalTime(time_t seconds) {
  struct tm t {};
  localtime_r(&seconds, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

// Windows matches * and ? without regard to letter case; so does this.
bool Matches(const std::string& pattern, const std::string& name) {
  return fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0 ||
         (pattern == "*.*" && name.find('.') == std::string::npos);
}

class PosixFolders : public Folders {
 public:
  bool DirectoryExists(std::u16string_view path) const override {
    struct stat info;
    return stat(HostPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  bool CreateDirectory(std::u16string_view path) override {
    return mkdir(HostPath(path).c_str(), 0777) == 0;
  }

  bool DeleteFile(std::u16string_view path) override { return unlink(HostPath(path).c_str()) == 0; }

  std::u16string CurrentDirectory() const override {
    char buffer[4096];
    if (getcwd(buffer, sizeof buffer) == nullptr) return {};
    std::u16string path = FromUtf8(buffer);
    for (char16_t& c : path) {
      if (c == u'/') c = u'\\';
    }
    return path;
  }

  std::u16string TempDirectory() const override {
    const char* tmp = std::getenv("TMPDIR");
    std::u16string path = FromUtf8(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp");
    for (char16_t& c : path) {
      if (c == u'/') c = u'\\';
    }
    if (path.empty() || path.back() != u'\\') path += u'\\';
    return path;
  }

  std::vector<DirEntry> List(std::u16string_view mask, uint32_t filter) const override {
    std::size_t slash = mask.find_last_of(u"\\/");
    std::u16string_view folderPart =
        slash == std::u16string_view::npos ? std::u16string_view{} : mask.substr(0, slash + 1);
    std::string pattern = ToUtf8(mask.substr(slash == std::u16string_view::npos ? 0 : slash + 1));
    std::string folder = folderPart.empty() ? "." : HostPath(folderPart);
    std::vector<DirEntry> entries;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return entries;
    while (const dirent* e = readdir(dir)) {
      std::string name = e->d_name;
      if (!Matches(pattern, name)) continue;
      struct stat info;
      if (stat(Join(folder, name).c_str(), &info) != 0) continue;
      DirEntry entry;
      entry.name = FromUtf8(name);
      entry.attributes = S_ISDIR(info.st_mode) ? kAttrDirectory : 32;
      if (name[0] == '.' && name != "." && name != "..") entry.attributes |= kAttrHidden;
      if ((entry.attributes & ~filter & (kAttrHidden | kAttrSystem | kAttrDirectory)) != 0) {
        continue;
      }
      entry.modified = ToLocalTime(info.st_mtime);
      entry.size = static_cast<uint64_t>(info.st_size);
      entries.push_back(std::move(entry));
    }
    closedir(dir);
    return entries;
  }

  std::u16string ShortDate(const LocalTime& t) const override {
    char text[32];
    std::snprintf(text, sizeof text, "%d/%d/%d", t.month, t.day, t.year);
    return Ascii(text);
  }

  std::u16string LongTime(const LocalTime& t) const override {
    int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour12, t.minute, t.second,
                  t.hour < 12 ? "AM" : "PM");
    return Ascii(text);
  }
};

}  // namespace

std::unique_ptr<Folders> MakeFolders() {
  return std::make_unique<PosixFolders>();
}

}  // namespace bnf
