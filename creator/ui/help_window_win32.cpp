// The help window: a resizable window whose memo fills the area above a 35-pixel panel
// and follows the window's size; the panel holds the "Close" button, first in tab order.
// The memo is editable; what the user does to it lasts until the program ends.
#include "creator/ui/help_window_win32.h"

#include <string>
#include <utility>

#include "creator/ui/control_ids.h"
#include "creator/ui/help_text.h"
#include "platform/win32/wide.h"

namespace bnf::win32 {

namespace {

constexpr wchar_t kClassName[] = L"" BNF_CLASS_HELP;
constexpr int kPanelHeight = 35;
constexpr DesignRect kCloseButton{280, 6, 75, 25};
// The edit control's default ceiling (32K characters) is too small for text added by
// the user.
constexpr WPARAM kMemoLimit = 0x7FFFFFFE;

// The help text with CR LF between its lines, as the memo holds it.
std::u16string MemoText() {
  std::u16string text;
  bool first = true;
  for (const std::u16string& line : HelpTextLines()) {
    if (!first) text += u"\r\n";
    text += line;
    first = false;
  }
  return text;
}

}  // namespace

bool HelpWindow::Create(HINSTANCE instance, HWND owner) {
  if (!RegisterWindowClass(instance, kClassName, COLOR_BTNFACE) || !RegisterPanelClass(instance)) {
    return false;
  }
  return CreateFor(0, kClassName, L"Help", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, owner,
                   nullptr, instance);
}

bool HelpWindow::CreateControls(HINSTANCE instance) {
  // The panel first: its button comes before the memo in tab order.
  panel1_ = CreatePanel(hwnd(), IDC_HELP_PANEL1, instance);
  if (panel1_ == nullptr) return false;
  close_ = ::CreateWindowExW(0, L"BUTTON", L"Close",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                             panel1_, reinterpret_cast<HMENU>(IDC_HELP_CLOSE), instance, nullptr);
  // Long lines wrap at the memo's width: no horizontal scrolling.
  memo1_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE |
                                 ES_AUTOVSCROLL | ES_WANTRETURN,
                             0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(IDC_HELP_MEMO1), instance,
                             nullptr);
  if (close_ == nullptr || memo1_ == nullptr) return false;
  ::SendMessageW(memo1_, EM_SETLIMITTEXT, kMemoLimit, 0);
  LetTabLeave(memo1_);
  SetTextOf(memo1_, MemoText());
  return true;
}

void HelpWindow::ApplyFonts(UINT dpi) {
  dpi_ = dpi;
  UniqueFont windowFont = MakeFont(L"Tahoma", 11, false, dpi);
  UniqueFont memoFont = MakeFont(L"Tahoma", 13, false, dpi);
  SetControlFont(panel1_, windowFont.get());
  SetControlFont(close_, windowFont.get());
  SetControlFont(memo1_, memoFont.get());
  windowFont_ = std::move(windowFont);
  memoFont_ = std::move(memoFont);
}

void HelpWindow::LayOutControls() {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const int panelHeight = ScaleToDpi(kPanelHeight, dpi_);
  const int memoHeight = client.bottom > panelHeight ? client.bottom - panelHeight : 0;
  constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  ::SetWindowPos(memo1_, nullptr, 0, 0, client.right, memoHeight, kFlags);
  ::SetWindowPos(panel1_, nullptr, 0, memoHeight, client.right, panelHeight, kFlags);
  PlaceControl(close_, kCloseButton, dpi_);
}

LRESULT HelpWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!CreateControls(reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance)) return -1;
      ApplyFonts(DpiOfWindow(hwnd()));
      SetClientSize(hwnd(), ScaleToDpi(635, dpi_), ScaleToDpi(300, dpi_));
      return 0;
    case WM_SIZE:
      LayOutControls();
      return 0;
    case WM_COMMAND: {
      const bool clicked = LOWORD(wParam) == IDC_HELP_CLOSE && HIWORD(wParam) == BN_CLICKED;
      // Enter sends IDOK to a window that is no dialog; on the focused button it is a click.
      const bool enter = LOWORD(wParam) == IDOK && ::GetFocus() == close_;
      if (clicked || enter) EndModal();
      return 0;
    }
    case WM_CLOSE:
      EndModal();  // hidden, not destroyed: the window is shown again later
      return 0;
    case WM_ACTIVATE:
      if (focus_.OnActivate(hwnd(), wParam)) return 0;
      break;
    case WM_DPICHANGED: {
      ApplyFonts(HIWORD(wParam));
      const RECT* r = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(hwnd(), nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      LayOutControls();
      return 0;
    }
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace bnf::win32
