// Path mapping shared by the native file system and folders.
#include "platform/native/native_paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include <cerrno>
#include <cstring>

namespace bnf::native {

std::string ToUtf8(std::u16string_view text) {
  std::string out(text.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                     static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
  out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  std::u16string out(text.size(), u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, text.data(),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
  out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
  return out;
}

bool SameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (u_foldCase(a[i], U_FOLD_CASE_DEFAULT) != u_foldCase(b[i], U_FOLD_CASE_DEFAULT)) {
      return false;
    }
  }
  return true;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// The entry of `folder` named `name` apart from letter case: the exact name when it
// exists, else the first match in byte order (a POSIX folder may hold several).
std::optional<std::string> FindEntry(const std::string& folder, std::u16string_view name) {
  std::string exact = ToUtf8(name);
  if (Exists(Join(folder.empty() ? "." : folder, exact))) return exact;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::string> found;
  while (const dirent* entry = readdir(dir)) {
    std::string candidate = entry->d_name;
    if (SameIgnoringCase(FromUtf8(candidate), name) && (!found || candidate < *found)) {
      found = candidate;
    }
  }
  closedir(dir);
  return found;
}

// The host path of a Windows path. Components are matched as long as they exist; the
// rest (a file still to be created) is taken as written.
std::string HostPath(std::u16string_view path) {
  bool absolute = !path.empty() && (path[0] == u'\\' || path[0] == u'/');
  std::string host = absolute ? "/" : "";
  bool matching = true;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find_first_of(u"\\/", start);
    if (end == std::u16string_view::npos) end = path.size();
    std::u16string_view name = path.substr(start, end - start);
    start = end + 1;
    if (name.empty()) continue;
    std::optional<std::string> entry;
    if (matching && name != u"." && name != u"..") {
      entry = FindEntry(host, name);
      matching = entry.has_value();
    }
    host = Join(host, entry ? *entry : ToUtf8(name));
  }
  return host;
}

std::string FolderOf(const std::string& host) {
  std::size_t slash = host.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : host.substr(0, slash);
}

// The reason in the words Windows uses for the common cases.
std::u16string Reason(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return u"The system cannot find the file specified.";
    case EACCES:
    case EPERM:
    case EISDIR:
      return u"Access is denied.";
    default:
      break;
  }
  char buffer[256];
  std::u16string text = FromUtf8(strerror_r(error, buffer, sizeof buffer));
  if (text.empty() || text.back() != u'.') text += u'.';
  return text;
}

}  // namespace bnf::native
