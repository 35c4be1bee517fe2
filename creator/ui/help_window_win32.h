// The help window on Win32: the help text in an editable memo that follows the
// window's size, and a "Close" button on a panel along the bottom. Made once at
// start-up, hidden, and shown modally from the Help menu; the memo keeps what the user
// did to it (scrolling, edits) until the program ends.
#pragma once

#include "platform/win32/windows_api.h"

#include "creator/ui/window_support_win32.h"

namespace bnf::win32 {

class HelpWindow final : public ModalWindow {
 public:
  // Makes the window, hidden, owned by `owner`. False when it could not be made.
  bool Create(HINSTANCE instance, HWND owner);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CreateControls(HINSTANCE instance);
  void ApplyFonts(UINT dpi);
  void LayOutControls();

  HWND memo1_ = nullptr;
  HWND panel1_ = nullptr;
  HWND close_ = nullptr;
  UniqueFont windowFont_;
  UniqueFont memoFont_;
  UINT dpi_ = 96;
  FocusKeeper focus_;
};

}  // namespace bnf::win32
