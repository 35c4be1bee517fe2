// Folders on Win32: existence, one-level creation, deletion, the current and the
// temporary folder, and the directory listing with local modification times. Dates
// and times are written by the user's locale (GetDateFormatW / GetTimeFormatW).
#include <vector>

#include "platform/platform.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"

namespace bnf {

using namespace win32;

namespace {

struct FindHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Release(Type h) noexcept { ::FindClose(h); }
};
using UniqueFind = UniqueResource<FindHandleTraits>;

// Asks a ...W function that reports the length it needs, growing the buffer once.
template <typename Call>
std::u16string GrowingText(Call call) {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  DWORD needed = call(static_cast<DWORD>(buffer.size()), buffer.data());
  if (needed >= buffer.size()) {
    buffer.resize(needed + 1);
    needed = call(static_cast<DWORD>(buffer.size()), buffer.data());
  }
  if (needed == 0 || needed >= buffer.size()) return {};
  return std::u16string(Utf16(buffer.data()), needed);
}

SYSTEMTIME ToSystemTime(const LocalTime& t) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  return st;
}

LocalTime ToLocalTime(const FILETIME& utc) {
  FILETIME local{};
  SYSTEMTIME st{};
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return {};
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

class Win32Folders : public Folders {
 public:
  bool DirectoryExists(std::u16string_view path) const override {
    DWORD attributes = GetFileAttributesW(Wide(std::u16string(path)));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool CreateDirectory(std::u16string_view path) override {
    return CreateDirectoryW(Wide(std::u16string(path)), nullptr) != 0;
  }

  bool DeleteFile(std::u16string_view path) override {
    return DeleteFileW(Wide(std::u16string(path))) != 0;
  }

  std::u16string CurrentDirectory() const override {
    return GrowingText(
        [](DWORD size, wchar_t* buffer) { return GetCurrentDirectoryW(size, buffer); });
  }

  std::u16string TempDirectory() const override {
    std::u16string temp =
        GrowingText([](DWORD size, wchar_t* buffer) { return GetTempPathW(size, buffer); });
    if (temp.empty()) return {};
    std::u16string longForm = GrowingText([&temp](DWORD size, wchar_t* buffer) {
      return GetLongPathNameW(Wide(temp), buffer, size);
    });
    std::u16string result = longForm.empty() ? temp : longForm;
    if (result.back() != u'\\') result += u'\\';
    return result;
  }

  std::vector<DirEntry> List(std::u16string_view mask, uint32_t filter) const override {
    std::vector<DirEntry> entries;
    WIN32_FIND_DATAW data{};
    UniqueFind find(FindFirstFileExW(Wide(std::u16string(mask)), FindExInfoStandard, &data,
                                     FindExSearchNameMatch, nullptr, 0));
    if (!find) return entries;
    const uint32_t excluded = (kAttrHidden | kAttrSystem | kAttrDirectory) & ~filter;
    do {
      if ((data.dwFileAttributes & excluded) != 0) continue;
      DirEntry entry;
      entry.name = Utf16(data.cFileName);
      entry.attributes = data.dwFileAttributes;
      entry.modified = ToLocalTime(data.ftLastWriteTime);
      entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
      entries.push_back(std::move(entry));
    } while (FindNextFileW(find.get(), &data));
    return entries;
  }

  std::u16string ShortDate(const LocalTime& t) const override {
    SYSTEMTIME st = ToSystemTime(t);
    return GrowingText([&st](DWORD size, wchar_t* buffer) -> DWORD {
      int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer,
                             static_cast<int>(size));
      return n > 0 ? static_cast<DWORD>(n - 1) : 0;
    });
  }

  std::u16string LongTime(const LocalTime& t) const override {
    SYSTEMTIME st = ToSystemTime(t);
    return GrowingText([&st](DWORD size, wchar_t* buffer) -> DWORD {
      int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, static_cast<int>(size));
      return n > 0 ? static_cast<DWORD>(n - 1) : 0;
    });
  }
};

}  // namespace

std::unique_ptr<Folders> MakeFolders() {
  return std::make_unique<Win32Folders>();
}

}  // namespace bnf
