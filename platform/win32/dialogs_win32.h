// Every modal box and dialog of the tool on Win32: message boxes, the open-file dialog
// and the shell's folder chooser. The boxes carry the application's title and belong to
// the main window once it exists.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace bnf::win32 {

class Win32Dialogs final : public Dialogs {
 public:
  // `owner` is asked at each box for the window that owns it (null before the main
  // window exists); `title` is the caption of every message box.
  Win32Dialogs(std::function<HWND()> owner, std::u16string title);

  void ShowMessage(std::u16string_view text) override;
  bool AskYesNo(std::u16string_view text) override;
  void ShowError(std::u16string_view text) override;
  std::optional<std::u16string> OpenFile(const OpenFileOptions& options) override;
  int32_t ErrorOkCancel(std::u16string_view text) override;
  int32_t AskOkCancel(std::u16string_view text, int32_t kind) override;
  std::optional<std::u16string> ChooseFolder(const FolderOptions& options) override;

 private:
  HWND Owner() const;
  // A message box titled `title`, or the application's title when it is empty.
  int Box(std::u16string_view text, UINT style, std::u16string_view title = {}) const;

  std::function<HWND()> owner_;
  std::u16string title_;
};

std::unique_ptr<Win32Dialogs> MakeWin32Dialogs(std::function<HWND()> owner, std::u16string title);

// The open-file dialog's filter list from "Description|*.ext" pairs: each part ends in
// a NUL and the list in one more. A lone last description gets an empty pattern, so the
// dialog never reads past the list. Empty for an empty filter (no filter at all).
std::u16string DialogFilter(std::u16string_view filter);

}  // namespace bnf::win32
