// Building blocks of the tool's three windows: class registration with one procedure
// that reaches the C++ object, DPI scaling, fonts, the panel control, the focus kept
// across activations and the modal loop.
#include "creator/ui/window_support_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"

namespace bnf::win32 {

namespace {

constexpr wchar_t kPanelClass[] = L"BnfPanel";

// GetDpiForWindow exists from Windows 10 1607 on; found at run time so the program still
// starts on older systems, where the screen's DPI is the only one.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction FindGetDpiForWindow() {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  // Through void (*)(): the one function type a cast may pass through without a warning.
  return reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void (*)()>(::GetProcAddress(user32, "GetDpiForWindow")));
}

UINT ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void PaintPanel(HWND panel) {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(panel, &paint);
  RECT area;
  ::GetClientRect(panel, &area);
  const std::u16string text = TextOf(panel);
  if (!text.empty()) {
    HFONT font = reinterpret_cast<HFONT>(::GetWindowLongPtrW(panel, GWLP_USERDATA));
    HGDIOBJ old = font != nullptr ? ::SelectObject(dc, font) : nullptr;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &area,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (old != nullptr) ::SelectObject(dc, old);
  }
  ::EndPaint(panel, &paint);
}

LRESULT CALLBACK PanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
      // The panel only holds controls; the window they belong to handles them.
      return ::SendMessageW(::GetParent(panel), message, wParam, lParam);
    case WM_SETFONT:
      ::SetWindowLongPtrW(panel, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam) != 0) ::InvalidateRect(panel, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return ::GetWindowLongPtrW(panel, GWLP_USERDATA);
    case WM_SETTEXT: {
      const LRESULT result = ::DefWindowProcW(panel, message, wParam, lParam);
      ::InvalidateRect(panel, nullptr, TRUE);
      return result;
    }
    case WM_PAINT:
      PaintPanel(panel);
      return 0;
    default:
      return ::DefWindowProcW(panel, message, wParam, lParam);
  }
}

LRESULT CALLBACK TabLeavesProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR) {
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(edit, &TabLeavesProcedure, id);
  LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
  if (message == WM_GETDLGCODE && lParam != 0) {
    const MSG* key = reinterpret_cast<const MSG*>(lParam);
    if (key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
      result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    }
  }
  return result;
}

}  // namespace

void LetTabLeave(HWND edit) {
  ::SetWindowSubclass(edit, &TabLeavesProcedure, 1, 0);
}

int ScaleToDpi(int value, UINT dpi) {
  return ::MulDiv(value, static_cast<int>(dpi), 96);
}

UINT DpiOfWindow(HWND window) {
  static const GetDpiForWindowFunction getDpiForWindow = FindGetDpiForWindow();
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  return ScreenDpi();
}

UniqueFont MakeFont(const wchar_t* face, int pixelHeight, bool italic, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -ScaleToDpi(pixelHeight, dpi);  // negative: the character height
  font.lfWeight = FW_NORMAL;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfCharSet = ANSI_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return UniqueFont(::CreateFontIndirectW(&font));
}

void PlaceControl(HWND control, const DesignRect& rect, UINT dpi) {
  ::SetWindowPos(control, nullptr, ScaleToDpi(rect.left, dpi), ScaleToDpi(rect.top, dpi),
                 ScaleToDpi(rect.width, dpi), ScaleToDpi(rect.height, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetControlFont(HWND control, HFONT font) {
  ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SetClientSize(HWND window, int width, int height) {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
  RECT wanted{0, 0, width, height};
  ::AdjustWindowRectEx(&wanted, style, ::GetMenu(window) != nullptr, exStyle);
  constexpr UINT kFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  ::SetWindowPos(window, nullptr, 0, 0, wanted.right - wanted.left, wanted.bottom - wanted.top,
                 kFlags);
  RECT client;
  RECT outer;
  ::GetClientRect(window, &client);
  ::GetWindowRect(window, &outer);
  const int dx = width - client.right;
  const int dy = height - client.bottom;
  if (dx != 0 || dy != 0) {
    ::SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dx,
                   outer.bottom - outer.top + dy, kFlags);
  }
}

std::u16string TextOf(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = ::GetWindowTextW(window, buffer.data(), length + 1);
  return std::u16string(Utf16(buffer.data()), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void SetTextOf(HWND window, std::u16string_view text) {
  ::SetWindowTextW(window, Wide(std::u16string(text)));
}

WindowBounds OuterBounds(HWND window) {
  RECT r{};
  if (window == nullptr || !::GetWindowRect(window, &r)) return {};
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MoveOuter(HWND window, int32_t left, int32_t top) {
  if (window == nullptr) return;
  ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

int32_t FitEdge(int32_t start, int32_t length, int32_t areaStart, int32_t areaLength) {
  return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

WindowBounds FitInto(const WindowBounds& window, const WindowBounds& area) {
  return {FitEdge(window.left, window.width, area.left, area.width),
          FitEdge(window.top, window.height, area.top, area.height), window.width, window.height};
}

void MoveOuterIntoWorkArea(HWND window, int32_t left, int32_t top) {
  if (window == nullptr) return;
  WindowBounds place = OuterBounds(window);
  place.left = left;
  place.top = top;
  const RECT wanted{left, top, left + place.width, top + place.height};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::GetMonitorInfoW(::MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    place = FitInto(place, {work.left, work.top, work.right - work.left, work.bottom - work.top});
  }
  MoveOuter(window, place.left, place.top);
}

Window::~Window() {
  if (hwnd_ == nullptr) return;
  // Unlinked first: the derived object is gone, its handler must not see the last
  // messages.
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  ::DestroyWindow(hwnd_);
}

bool Window::RegisterWindowClass(HINSTANCE instance, const wchar_t* name, int background) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, name, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &Window::Procedure;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = ::GetSysColorBrush(background);
  wc.lpszClassName = name;
  return ::RegisterClassExW(&wc) != 0;
}

bool Window::CreateFor(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                       int left, int top, HWND owner, HMENU menu, HINSTANCE instance) {
  return ::CreateWindowExW(exStyle, className, title, style, left, top, 0, 0, owner, menu, instance,
                           this) != nullptr;
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // An exception must not unwind through the system's frames. The tool's handlers
    // report their own errors; what gets here (out of memory in the view) is dropped,
    // and the system's default handling stands in for the message.
    result = ::DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

bool FocusKeeper::OnActivate(HWND window, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window, focus)) last_ = focus;
    return false;
  }
  HWND target = last_;
  if (target == nullptr || !::IsWindow(target) || !::IsWindowVisible(target) ||
      !::IsWindowEnabled(target)) {
    target = ::GetNextDlgTabItem(window, nullptr, FALSE);
  }
  if (target == nullptr) return false;
  ::SetFocus(target);
  return true;
}

bool RegisterPanelClass(HINSTANCE instance) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, kPanelClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &PanelProcedure;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kPanelClass;
  return ::RegisterClassExW(&wc) != 0;
}

HWND CreatePanel(HWND parent, int id, HINSTANCE instance) {
  // WS_EX_CONTROLPARENT: the dialog manager's Tab moves into the panel's controls.
  return ::CreateWindowExW(WS_EX_CONTROLPARENT, kPanelClass, L"",
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void ModalWindow::ShowModal() {
  HWND window = hwnd();
  if (window == nullptr || running_) return;
  HWND owner = ::GetWindow(window, GW_OWNER);
  const bool enableOwner = owner != nullptr && ::IsWindowEnabled(owner);
  if (owner != nullptr) ::EnableWindow(owner, FALSE);
  done_ = false;
  running_ = true;
  ::ShowWindow(window, SW_SHOW);
  ::SetActiveWindow(window);
  MSG msg;
  while (!done_ && ::IsWindow(window)) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The application is ending: the outer loop must see the request too.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (!::IsDialogMessageW(window, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  running_ = false;
  // The owner is enabled before the window hides, so the activation goes back to it.
  if (enableOwner) ::EnableWindow(owner, TRUE);
  if (::IsWindow(window)) ::ShowWindow(window, SW_HIDE);
}

}  // namespace bnf::win32
