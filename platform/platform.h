// The operating system behind small interfaces. The portable core (common/, creator/)
// reaches files, text conversion, collation and modal dialogs only through these;
// platform/win32 implements them with the Win32 API, platform/native with POSIX and
// ICU (so the core's tests run without Wine), tests/support with in-memory doubles.
// Paths are always in Windows syntax (backslashes, letter case not counting).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bnf {

// Conversion between UTF-16 and the system's ANSI code page (Windows-1252 here).
// No byte-order mark is recognised or written.
class AnsiCodec {
 public:
  virtual ~AnsiCodec() = default;
  virtual std::u16string Decode(std::string_view bytes) const = 0;
  // Characters without a mapping get the code page's best fit, else '?'.
  virtual std::string Encode(std::u16string_view text) const = 0;
};

// The locale comparison without regard to letter case behind every sorted list:
// CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE) on Windows.
class Collator {
 public:
  virtual ~Collator() = default;
  // Negative, zero or positive as a sorts before, equal to or after b.
  virtual int Compare(std::u16string_view a, std::u16string_view b) const = 0;
  // A key per text whose byte order (unsigned, a shorter key first when it begins the
  // longer) is Compare's order, equal keys for texts that compare equal: a list sorts
  // by keys made once per text instead of comparing texts again and again. Nothing when
  // the platform has none for this text; the list then compares.
  virtual std::optional<std::string> SortKey(std::u16string_view /*text*/) const {
    return std::nullopt;
  }
};

// A file's bytes a piece at a time, so a reader that passes over them once need not
// hold them whole.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Up to `size` bytes into `buffer`; 0 only at the end. Throws FileError.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// Bytes already in memory, handed out as a file's pieces.
class BytesReader final : public FileReader {
 public:
  explicit BytesReader(std::string bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    std::size_t count = bytes_.copy(buffer, size, offset_);
    offset_ += count;
    return count;
  }

 private:
  std::string bytes_;
  std::size_t offset_ = 0;
};

// Files by Windows path. Names are found without regard to letter case.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True for an existing file (not a folder).
  virtual bool FileExists(std::u16string_view path) const = 0;
  // The whole content; throws FileError naming the file and the reason.
  virtual std::string ReadFile(std::u16string_view path) const = 0;
  // The content a piece at a time; throws as ReadFile does. Files that are small or
  // in memory anyway may keep this default, which reads them whole.
  virtual std::unique_ptr<FileReader> OpenFile(std::u16string_view path) const {
    return std::make_unique<BytesReader>(ReadFile(path));
  }
  // Writes a temporary file in the same folder, then replaces `path` with it, so the
  // old file stays intact when anything fails. Throws FileError; leaves no temporary.
  virtual void ReplaceFile(std::u16string_view path, std::string_view bytes) = 0;
};

// A point in local time, as a directory listing reports a file's modification.
struct LocalTime {
  int32_t year = 0;
  int32_t month = 0;
  int32_t day = 0;
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
};

// Windows file attribute bits that change what a listing returns.
inline constexpr uint32_t kAttrHidden = 2;
inline constexpr uint32_t kAttrSystem = 4;
inline constexpr uint32_t kAttrDirectory = 16;

// One entry of a directory listing.
struct DirEntry {
  std::u16string name;      // as the directory search reports it
  uint32_t attributes = 0;  // Windows attribute bits
  LocalTime modified;       // last modification, in local time
  uint64_t size = 0;
};

// Folders, and the file operations that start-up and the family lists need.
class Folders {
 public:
  virtual ~Folders() = default;
  virtual bool DirectoryExists(std::u16string_view path) const = 0;
  // Creates one folder level; false when it could not be made.
  virtual bool CreateDirectory(std::u16string_view path) = 0;
  // False when the file could not be deleted.
  virtual bool DeleteFile(std::u16string_view path) = 0;
  // The process's current folder, without a trailing backslash (a root keeps its own).
  virtual std::u16string CurrentDirectory() const = 0;
  // The user's temporary folder in its long form, ending in a backslash; empty when
  // the system has none.
  virtual std::u16string TempDirectory() const = 0;
  // The entries matching `mask` (a folder path whose last component may hold * and ?),
  // letter case not counting, in the order the system reports them. Entries carrying
  // the hidden, system or directory bit are left out unless that bit is in `filter`.
  // A folder that does not exist or cannot be read gives no entries.
  virtual std::vector<DirEntry> List(std::u16string_view mask, uint32_t filter) const = 0;
  // A date as the user's locale writes it short (3/5/2021), and a time in its long form
  // (2:07:09 PM).
  virtual std::u16string ShortDate(const LocalTime& t) const = 0;
  virtual std::u16string LongTime(const LocalTime& t) const = 0;
};

// The registry: HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
enum class RegRoot { CurrentUser, LocalMachine };

// How a key is opened. ReadOnly tries KEY_READ, then STANDARD_RIGHTS_READ with
// KEY_QUERY_VALUE and KEY_ENUMERATE_SUB_KEYS, then KEY_QUERY_VALUE alone.
enum class RegAccess { AllAccess, ReadOnly };

// An open key; closed when destroyed.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  virtual bool ValueExists(std::u16string_view name) const = 0;
  // The text of a string value; empty when the value is missing. Throws BnfError when
  // the value has another type.
  virtual std::u16string ReadString(std::u16string_view name) const = 0;
  // The value of an integer value. Throws BnfError when missing or of another type.
  virtual int32_t ReadInteger(std::u16string_view name) const = 0;
  // REG_SZ and REG_DWORD; throw BnfError when the value cannot be written.
  virtual void WriteString(std::u16string_view name, std::u16string_view value) = 0;
  virtual void WriteInteger(std::u16string_view name, int32_t value) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens the key for reading and closes it again.
  virtual bool KeyExists(RegRoot root, std::u16string_view path) const = 0;
  // Opens an existing key without creating it; null when it does not open.
  virtual std::unique_ptr<RegistryKey> OpenKey(RegRoot root, std::u16string_view path,
                                               RegAccess access) = 0;
  // Creates (or opens) the key with KEY_WRITE; null when that fails.
  virtual std::unique_ptr<RegistryKey> CreateKey(RegRoot root, std::u16string_view path) = 0;
};

// The single-instance guard: a named kernel mutex of the current logon.
class NamedMutex {
 public:
  virtual ~NamedMutex() = default;
  // OpenMutexW(MUTEX_ALL_ACCESS, not inheritable): true when such a mutex exists.
  virtual bool OpenExisting(std::u16string_view name) = 0;
  // CreateMutexW without ownership; the handle is held until Release or destruction.
  virtual void Create(std::u16string_view name) = 0;
  // ReleaseMutex on the held handle.
  virtual void Release() = 0;
};

// The shell: opening a file with the default verb of its type.
class Shell {
 public:
  virtual ~Shell() = default;
  // `folder` becomes the started program's working folder; `show` its first window's
  // state (1: normal). Returns the shell's result code (above 32: opened).
  virtual int32_t OpenFile(std::u16string_view file, std::u16string_view parameters,
                           std::u16string_view folder, int32_t show) = 0;
};

// Everything modal. Texts are shown as given (CR characters included).
struct OpenFileOptions {
  std::u16string filter;            // "Description|*.ext" pairs
  std::u16string defaultExtension;  // without the dot
  bool fileMustExist = false;
  bool hideReadOnly = false;
  bool resizable = false;
};

// The two forms of the folder chooser: new style with an edit box and a new-folder
// button (showFiles false), or new style showing files as well, without either.
struct FolderOptions {
  std::u16string instruction;  // the text above the folder tree
  bool showFiles = false;
  std::u16string preselected;  // a folder selected when the dialog opens; may be empty
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A plain box with an OK button.
  virtual void ShowMessage(std::u16string_view text) = 0;
  // An information box with Yes and No; true for Yes (closing the box counts as No).
  virtual bool AskYesNo(std::u16string_view text) = 0;
  // The standard error box for an error that ended an action.
  virtual void ShowError(std::u16string_view text) = 0;
  // The open-file dialog; the chosen file's full name, or nothing when cancelled.
  virtual std::optional<std::u16string> OpenFile(const OpenFileOptions& options) = 0;
  // An error box with OK and Cancel: 1 for OK, 2 for Cancel (also when closed).
  virtual int32_t ErrorOkCancel(std::u16string_view text) = 0;
  // A box with OK (the default) and Cancel of the kind 0 error, 1 warning,
  // 2 information, 3 confirmation: 1 for OK, 2 for Cancel (also when closed).
  virtual int32_t AskOkCancel(std::u16string_view text, int32_t kind) = 0;
  // The shell's folder chooser; the chosen folder's path, or nothing when cancelled.
  virtual std::optional<std::u16string> ChooseFolder(const FolderOptions& options) = 0;
};

// The platform's real implementations (Win32 in the Windows build, POSIX and ICU in
// the native build).
std::unique_ptr<AnsiCodec> MakeAnsiCodec();
std::unique_ptr<Collator> MakeCollator();
std::unique_ptr<FileSystem> MakeFileSystem();
std::unique_ptr<Folders> MakeFolders();

}  // namespace bnf
