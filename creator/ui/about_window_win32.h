// The about window on Win32: a frameless box in the active title bar's colour with the
// application's title and version and an author line. A click anywhere on it closes it.
// Made once at start-up, hidden, and shown modally from the Help menu.
#pragma once

#include "platform/win32/windows_api.h"

#include "creator/ui/window_support_win32.h"

namespace bnf::win32 {

class AboutWindow final : public ModalWindow {
 public:
  // Makes the window, hidden, owned by `owner`. False when it could not be made.
  bool Create(HINSTANCE instance, HWND owner);
  // The label that carries the title and the version; null before creation.
  HWND label1() const { return label1_; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CreateControls(HINSTANCE instance);
  void ApplyLayout(UINT dpi);

  HWND label1_ = nullptr;
  HWND label2_ = nullptr;
  UniqueFont font_;
};

}  // namespace bnf::win32
