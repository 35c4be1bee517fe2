// The about window: no frame, the active title bar's colour, two italic labels in the
// window-text colour. The first label's width is fixed (the version is appended to it
// later); the second is as wide as its text. Any click on it ends its modal showing.
#include "creator/ui/about_window_win32.h"

#include <string>
#include <utility>

#include "creator/ui/control_ids.h"
#include "creator/ui/version.h"
#include "platform/win32/wide.h"

namespace bnf::win32 {

namespace {

constexpr wchar_t kClassName[] = L"" BNF_CLASS_ABOUT;
constexpr wchar_t kAuthorLine[] = L"by the BitName tool team";

// The width that the label's text takes in its font, in pixels.
int TextWidth(HWND label, HFONT font) {
  const std::u16string text = TextOf(label);
  HDC dc = ::GetDC(label);
  if (dc == nullptr) return 0;
  HGDIOBJ old = ::SelectObject(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, Wide(text), static_cast<int>(text.size()), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(label, dc);
  return size.cx;
}

}  // namespace

bool AboutWindow::Create(HINSTANCE instance, HWND owner) {
  if (!RegisterWindowClass(instance, kClassName, COLOR_ACTIVECAPTION)) return false;
  // WS_POPUP without WS_CAPTION or WS_BORDER: no title bar, border or system menu.
  return CreateFor(0, kClassName, L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, owner, nullptr, instance);
}

bool AboutWindow::CreateControls(HINSTANCE instance) {
  // SS_NOTIFY: a click on a label is reported, and closes the window like any other.
  constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;
  const std::u16string title = std::u16string(kAppTitle) + u" - ";
  label1_ = ::CreateWindowExW(0, L"STATIC", Wide(title), kLabel, 0, 0, 0, 0, hwnd(),
                              reinterpret_cast<HMENU>(IDC_ABOUT_LABEL1), instance, nullptr);
  label2_ = ::CreateWindowExW(0, L"STATIC", kAuthorLine, kLabel, 0, 0, 0, 0, hwnd(),
                              reinterpret_cast<HMENU>(IDC_ABOUT_LABEL2), instance, nullptr);
  return label1_ != nullptr && label2_ != nullptr;
}

void AboutWindow::ApplyLayout(UINT dpi) {
  UniqueFont font = MakeFont(L"Tahoma", 13, true, dpi);
  SetControlFont(label1_, font.get());
  SetControlFont(label2_, font.get());
  font_ = std::move(font);
  SetClientSize(hwnd(), ScaleToDpi(266, dpi), ScaleToDpi(60, dpi));
  PlaceControl(label1_, {16, 8, 233, 16}, dpi);
  ::SetWindowPos(label2_, nullptr, ScaleToDpi(79, dpi), ScaleToDpi(30, dpi),
                 TextWidth(label2_, font_.get()), ScaleToDpi(16, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!CreateControls(reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance)) return -1;
      ApplyLayout(DpiOfWindow(hwnd()));
      return 0;
    case WM_CTLCOLORSTATIC: {
      // The labels sit on the title bar's colour and write in the window-text colour.
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
      ::SetBkColor(dc, ::GetSysColor(COLOR_ACTIVECAPTION));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_ACTIVECAPTION));
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == STN_CLICKED) EndModal();
      return 0;
    case WM_LBUTTONUP:
    case WM_CLOSE:
      EndModal();
      return 0;
    case WM_DPICHANGED: {
      ApplyLayout(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      MoveOuter(hwnd(), suggested->left, suggested->top);
      return 0;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace bnf::win32
