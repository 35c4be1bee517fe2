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
};

// Files by Windows path. Names are found without regard to letter case.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True for an existing file (not a folder).
  virtual bool FileExists(std::u16string_view path) const = 0;
  // The whole content; throws FileError naming the file and the reason.
  virtual std::string ReadFile(std::u16string_view path) const = 0;
  // Writes a temporary file in the same folder, then replaces `path` with it, so the
  // old file stays intact when anything fails. Throws FileError; leaves no temporary.
  virtual void ReplaceFile(std::u16string_view path, std::string_view bytes) = 0;
};

// Everything modal. Texts are shown as given (CR characters included).
struct OpenFileOptions {
  std::u16string filter;             // "Description|*.ext" pairs
  std::u16string defaultExtension;   // without the dot
  bool fileMustExist = false;
  bool hideReadOnly = false;
  bool resizable = false;
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
};

// The platform's real implementations (Win32 in the Windows build, POSIX and ICU in
// the native build).
std::unique_ptr<AnsiCodec> MakeAnsiCodec();
std::unique_ptr<Collator> MakeCollator();
std::unique_ptr<FileSystem> MakeFileSystem();

}  // namespace bnf
