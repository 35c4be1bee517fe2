// Message boxes, the open-file dialog and the shell's folder chooser. Texts are shown
// exactly as given: MessageBoxW breaks lines at a lone CR as at CR LF. Every box is
// modal to the main window when there is one.
#include "platform/win32/dialogs_win32.h"

#include <commdlg.h>
#include <ole2.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"

namespace bnf::win32 {

namespace {

// Room for the longest path Windows accepts, so no file name is refused as too long.
constexpr std::size_t kFileBufferChars = 32768;

struct ItemIdListTraits {
  using Type = LPITEMIDLIST;
  static Type Invalid() noexcept { return nullptr; }
  static void Release(Type p) noexcept { ::CoTaskMemFree(p); }
};
using UniqueItemIdList = UniqueResource<ItemIdListTraits>;

// The new-style folder chooser needs OLE on its thread. The program starts it once; this
// covers a caller that did not, and is a counted no-op otherwise. A thread that chose the
// multithreaded apartment gets RPC_E_CHANGED_MODE and is left as it is.
class OleScope {
 public:
  OleScope() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;
  ~OleScope() {
    if (initialised_) ::OleUninitialize();
  }

 private:
  bool initialised_;
};

// The standard title of an error, warning, information or confirmation box.
std::u16string_view TitleOfKind(int32_t kind) {
  switch (kind) {
    case 0:
      return u"Error";
    case 1:
      return u"Warning";
    case 2:
      return u"Information";
    case 3:
      return u"Confirm";
    default:
      return {};
  }
}

UINT IconOfKind(int32_t kind) {
  switch (kind) {
    case 0:
      return MB_ICONERROR;
    case 1:
      return MB_ICONWARNING;
    case 2:
      return MB_ICONINFORMATION;
    case 3:
      return MB_ICONQUESTION;
    default:
      return 0;  // no kind of box is defined for other values: a plain one
  }
}

DWORD OpenFileFlags(const OpenFileOptions& options) {
  DWORD flags = OFN_EXPLORER;
  if (options.fileMustExist) flags |= OFN_FILEMUSTEXIST;
  if (options.hideReadOnly) flags |= OFN_HIDEREADONLY;
  if (options.resizable) flags |= OFN_ENABLESIZING;
  return flags;
}

// The preselected folder can be set only once the dialog exists; `data` is its path.
int CALLBACK SelectAtStart(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data != 0) {
    ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  }
  return 0;
}

// Either form is the new-style dialog (resizable, with the shell's own tree). Choosing a
// place for files needs a path to type and a way to make a folder, and only real folders
// qualify; looking for an existing folder of include files shows the files, so the user
// sees that a folder is the right one, and offers nothing to make or type.
UINT FolderFlags(const FolderOptions& options) {
  if (options.showFiles) return BIF_NEWDIALOGSTYLE | BIF_BROWSEINCLUDEFILES | BIF_NONEWFOLDERBUTTON;
  return BIF_NEWDIALOGSTYLE | BIF_EDITBOX | BIF_RETURNONLYFSDIRS;
}

}  // namespace

Win32Dialogs::Win32Dialogs(std::function<HWND()> owner, std::u16string title)
    : owner_(std::move(owner)), title_(std::move(title)) {}

HWND Win32Dialogs::Owner() const {
  return owner_ ? owner_() : nullptr;
}

int Win32Dialogs::Box(std::u16string_view text, UINT style, std::u16string_view title) const {
  const std::u16string caption(title.empty() ? std::u16string_view(title_) : title);
  return ::MessageBoxW(Owner(), Wide(std::u16string(text)), Wide(caption), style);
}

void Win32Dialogs::ShowMessage(std::u16string_view text) {
  Box(text, MB_OK);
}

bool Win32Dialogs::AskYesNo(std::u16string_view text) {
  return Box(text, MB_YESNO | MB_ICONINFORMATION) == IDYES;
}

void Win32Dialogs::ShowError(std::u16string_view text) {
  Box(text, MB_OK | MB_ICONERROR);
}

int32_t Win32Dialogs::ErrorOkCancel(std::u16string_view text) {
  return Box(text, MB_OKCANCEL | MB_ICONERROR) == IDOK ? 1 : 2;
}

int32_t Win32Dialogs::AskOkCancel(std::u16string_view text, int32_t kind) {
  // MessageBoxW offers no help button unless asked (MB_HELP), and Escape or the close
  // button give IDCANCEL.
  return Box(text, MB_OKCANCEL | MB_DEFBUTTON1 | IconOfKind(kind), TitleOfKind(kind)) == IDOK ? 1
                                                                                              : 2;
}

std::optional<std::u16string> Win32Dialogs::OpenFile(const OpenFileOptions& options) {
  const std::u16string filter = DialogFilter(options.filter);
  std::vector<wchar_t> file(kFileBufferChars, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Owner();
  dialog.lpstrFilter = filter.empty() ? nullptr : Wide(filter.c_str());
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrDefExt = options.defaultExtension.empty() ? nullptr : Wide(options.defaultExtension);
  dialog.Flags = OpenFileFlags(options);
  // False for Cancel and for a dialog that failed; both mean no file.
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  return std::u16string(Utf16(file.data()));
}

std::optional<std::u16string> Win32Dialogs::ChooseFolder(const FolderOptions& options) {
  OleScope ole;
  wchar_t displayName[MAX_PATH] = L"";
  BROWSEINFOW browse{};
  browse.hwndOwner = Owner();
  browse.pidlRoot = nullptr;  // the desktop, the top of the shell's namespace
  browse.pszDisplayName = displayName;
  browse.lpszTitle = Wide(options.instruction);
  browse.ulFlags = FolderFlags(options);
  if (!options.preselected.empty()) {
    browse.lpfn = SelectAtStart;
    browse.lParam = reinterpret_cast<LPARAM>(Wide(options.preselected));
  }
  UniqueItemIdList chosen(::SHBrowseForFolderW(&browse));
  if (!chosen) return std::nullopt;
  // An item without a file-system path (such as "My Computer" in the form that may
  // show more than folders) is no folder to use: it counts as no choice.
  wchar_t path[MAX_PATH] = L"";
  if (!::SHGetPathFromIDListW(chosen.get(), path) || path[0] == L'\0') return std::nullopt;
  return std::u16string(Utf16(path));
}

std::unique_ptr<Win32Dialogs> MakeWin32Dialogs(std::function<HWND()> owner, std::u16string title) {
  return std::make_unique<Win32Dialogs>(std::move(owner), std::move(title));
}

std::u16string DialogFilter(std::u16string_view filter) {
  if (filter.empty()) return {};
  std::u16string list;
  std::size_t parts = 1;
  for (char16_t c : filter) {
    if (c == u'|') {
      list += u'\0';
      ++parts;
    } else {
      list += c;
    }
  }
  list += u'\0';
  if (parts % 2 != 0) list += u'\0';  // the lone description's empty pattern
  list += u'\0';
  return list;
}

}  // namespace bnf::win32
