// The listing lines the family lists read, the shell's open with the file's own folder
// as working folder, the temporary folder and the OK/Cancel question, each on the
// platform's services.
#include "common/file_utils.h"

#include "common/text_utils.h"

namespace bnf {

namespace {

// The longest file name, parameter text or folder the shell is given. A longer text is
// refused rather than cut, since a cut name could open another file.
constexpr std::size_t kMaxShellText = 1023;
// ShellExecute's SE_ERR_FNF: at or below 32, so callers see "not opened".
constexpr int32_t kShellFileNotFound = 2;

// The short date, and the long time unless the moment is exactly midnight.
std::u16string DateAndTime(const Folders& folders, const LocalTime& t) {
  std::u16string text = folders.ShortDate(t);
  if (t.hour != 0 || t.minute != 0 || t.second != 0) text += u" " + folders.LongTime(t);
  return text;
}

std::u16string ListingLine(const Folders& folders, std::u16string_view dirPart,
                           const DirEntry& entry) {
  return std::u16string(dirPart) + entry.name + u"\t" + DateAndTime(folders, entry.modified) +
         u"\t" + IntToText(static_cast<int64_t>(entry.size));
}

// The same pattern one folder further down. A mask without any folder part has its
// pattern put behind the subfolder's name and a backslash.
std::u16string SubfolderMask(std::u16string_view mask, std::size_t dirLength,
                             std::u16string_view subfolder) {
  std::u16string_view pattern = mask.substr(dirLength);
  return std::u16string(mask.substr(0, dirLength)) + std::u16string(subfolder) + u"\\" +
         std::u16string(pattern);
}

}  // namespace

int32_t ListFiles(const Folders& folders, std::u16string_view mask, uint32_t filter, bool recurse,
                  SortedStringList& list) {
  if (recurse) filter |= kAttrDirectory;
  const std::size_t dirLength = static_cast<std::size_t>(LastPos(u"\\", mask));
  const std::u16string_view dirPart = mask.substr(0, dirLength);
  for (const DirEntry& entry : folders.List(mask, filter)) {
    if ((entry.attributes & kAttrDirectory) == 0) {
      list.Add(ListingLine(folders, dirPart, entry));
    } else if (recurse && !entry.name.empty() && entry.name[0] != u'.') {
      ListFiles(folders, SubfolderMask(mask, dirLength, entry.name), filter, true, list);
    }
  }
  return static_cast<int32_t>(list.Count());
}

int32_t ShellOpenFile(Shell& shell, std::u16string_view file, std::u16string_view parameters,
                      int32_t show) {
  std::size_t slash = file.rfind(u'\\');
  std::u16string_view folder =
      slash == std::u16string_view::npos ? std::u16string_view{} : file.substr(0, slash);
  // "C:\x.txt" opens in "C:\", not in the drive's current folder "C:".
  if (!folder.empty() && folder.back() == u':') folder = file.substr(0, slash + 1);
  if (file.size() > kMaxShellText || parameters.size() > kMaxShellText ||
      folder.size() > kMaxShellText) {
    return kShellFileNotFound;
  }
  return shell.OpenFile(file, parameters, folder, show);
}

std::u16string GetTempDir(const Folders& folders) {
  std::u16string temp = folders.TempDirectory();
  if (!temp.empty() && temp.back() != u'\\') temp += u'\\';
  return temp;
}

int32_t AskOkCancel(Dialogs& dialogs, std::u16string_view text, int32_t kind) {
  // A box that could not be shown is no OK.
  return dialogs.AskOkCancel(text, kind) == 1 ? 1 : 2;
}

}  // namespace bnf
