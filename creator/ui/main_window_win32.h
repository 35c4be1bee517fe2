// The main window on Win32: the family and type lists, the log pane, the generate
// button on its panel and the menu, laid out at 96 DPI and scaled with the monitor's.
// It is the view the main window's logic (TfBNF) works through, and its procedure
// routes every user action to a TfBNF handler, each inside TfBNF::Guard.
#pragma once

#include "platform/win32/windows_api.h"

#include <string>
#include <string_view>

#include "creator/main_form.h"
#include "creator/main_view.h"
#include "creator/ui/window_support_win32.h"

namespace bnf::win32 {

class AboutWindow;
class HelpWindow;

class MainWindow final : public MainView, private Window {
 public:
  MainWindow() = default;

  // Makes the window, hidden, at its design place, with its controls and menu; its
  // creation runs form.FormCreate, whose errors are reported and do not stop it. False
  // when the window could not be made (GetLastError tells why).
  bool Create(HINSTANCE instance, TfBNF& form);
  // The windows that ShowModal, Bounds, SetPosition and the about label reach.
  void SetSecondaryWindows(AboutWindow* about, HelpWindow* help);
  // True when the logic asked the application to end (Quit) before the window was
  // shown: start-up then ends without showing it.
  bool QuitRequested() const { return quitRequested_; }
  using Window::hwnd;

  void SetCaption(Ctl control, std::u16string_view caption) override;
  std::u16string Caption(Ctl control) const override;
  void SetEnabled(Ctl control, bool enabled) override;
  bool Enabled(Ctl control) const override;
  void SetVisible(Ctl control, bool visible) override;
  bool Visible(Ctl control) const override;
  void AddLogLine(std::u16string_view line) override;
  std::u16string SelectedFamily() const override;
  void ClearTypes() override;
  void AddType(std::u16string_view type) override;
  int32_t TypeCount() const override;
  std::optional<std::u16string> SelectedType() const override;
  WindowBounds Bounds(Win window) const override;
  void SetPosition(Win window, int32_t left, int32_t top) override;
  void ShowModal(Win window) override;
  void Close() override;
  void Quit() override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool CreateControls();
  void ApplyLayout(UINT dpi);
  void OnCommand(int id, int code);
  void OnMenu(int id);
  template <typename Handler>
  void Run(Handler&& handler);

  // The child window behind a control; null for menu items and the about label.
  HWND ControlWindow(Ctl control) const;
  // The menu item id of a control; 0 for the rest.
  static UINT MenuItemId(Ctl control);
  HWND WindowOf(Win window) const;

  TfBNF* form_ = nullptr;
  AboutWindow* about_ = nullptr;
  HelpWindow* help_ = nullptr;
  HINSTANCE instance_ = nullptr;
  HMENU menu_ = nullptr;
  HWND label1_ = nullptr;
  HWND label2_ = nullptr;
  HWND lbFam_ = nullptr;
  HWND lbType_ = nullptr;
  HWND memo3_ = nullptr;
  HWND memo1_ = nullptr;
  HWND memo2_ = nullptr;
  HWND panel1_ = nullptr;
  HWND button1_ = nullptr;
  UniqueFont font_;
  FocusKeeper focus_;
  bool quitRequested_ = false;
  bool shown_ = false;
};

}  // namespace bnf::win32
