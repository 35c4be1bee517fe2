// The main window: its controls and menu, their layout, the view methods the logic
// calls, and the routing of clicks, menu commands, showing and closing to the TfBNF
// handlers. Every handler runs inside TfBNF::Guard, which reports what ends it.
#include "creator/ui/main_window_win32.h"

#include <utility>
#include <vector>

#include "creator/ui/about_window_win32.h"
#include "creator/ui/control_ids.h"
#include "creator/ui/help_window_win32.h"
#include "platform/win32/wide.h"

namespace bnf::win32 {

namespace {

constexpr wchar_t kClassName[] = L"" BNF_CLASS_MAIN;
// Posted at each show, so the first-show work runs once the window is on screen and
// painted, and its dialogs have a visible owner.
constexpr UINT kShownMessage = WM_APP + 1;
// The edit control's ceiling; its default (32K characters) would stop the log.
constexpr WPARAM kLogLimit = 0x7FFFFFFE;

constexpr const wchar_t* kFamilies[] = {L"10",  L"12",   L"16",   L"18",  L"24EP",
                                        L"24F", L"24HJ", L"33EP", L"33FJ"};

// A tool window: small caption, only the system menu with its close box, fixed size.
// Being the program's main window, it still has a taskbar button and an Alt+Tab entry,
// so the user can bring it back once another window covers it.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_APPWINDOW;

bool AppendItem(HMENU menu, UINT id, const wchar_t* text, bool enabled = true) {
  return ::AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, text) != 0;
}

bool AppendSeparator(HMENU menu) {
  return ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr) != 0;
}

bool AppendPopup(HMENU bar, HMENU popup, const wchar_t* text) {
  return ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text) != 0;
}

// The main menu; no item has a shortcut. Null when the system refused it.
HMENU BuildMenu() {
  HMENU bar = ::CreateMenu();
  HMENU file = ::CreatePopupMenu();
  HMENU settings = ::CreatePopupMenu();
  HMENU help = ::CreatePopupMenu();
  const bool built =
      bar != nullptr && file != nullptr && settings != nullptr && help != nullptr &&
      AppendItem(file, IDM_OPEN_CONVERTED_PDF, L"Open converted PDF...") && AppendSeparator(file) &&
      AppendItem(file, IDM_EXIT, L"Exit") &&
      AppendItem(settings, IDM_DIRECTORY_FOR_BITNAME_FILES, L"Directory for BitName files...") &&
      AppendItem(settings, IDM_PRIVATE_SFRS, L"Edit Private SFR's") &&
      AppendItem(settings, IDM_PRIVATE_BITNAMES, L"Edit Private BitNames") &&
      AppendSeparator(settings) &&
      AppendItem(settings, IDM_RELOAD_PRIVATE, L"Reload Private SFR's and BitNames", false) &&
      AppendPopup(bar, file, L"File") && AppendPopup(bar, settings, L"Settings") &&
      AppendPopup(bar, help, L"Help") && AppendItem(help, IDM_ABOUT, L"About") &&
      AppendItem(help, IDM_HELP, L"Help");
  if (built) return bar;
  // The bar takes the popups already in it along; the others go one by one.
  for (HMENU menu : {bar, file, settings, help}) {
    if (menu != nullptr && ::IsMenu(menu)) ::DestroyMenu(menu);
  }
  return nullptr;
}

HWND MakeChild(HWND parent, HINSTANCE instance, const wchar_t* className, const wchar_t* text,
               DWORD style, DWORD exStyle, int id) {
  return ::CreateWindowExW(exStyle, className, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

std::u16string ItemText(HWND list, LRESULT index) {
  const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
  const LRESULT copied = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(buffer.data()));
  if (copied == LB_ERR) return {};
  return std::u16string(Utf16(buffer.data()), static_cast<std::size_t>(copied));
}

std::optional<std::u16string> SelectedItem(HWND list) {
  const LRESULT index = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return std::nullopt;
  return ItemText(list, index);
}

// True when the edit control's text ends in a line break: its last line is then empty.
// Word wrap never leaves an empty line behind a soft break, so this holds with it on.
bool EndsWithLineBreak(HWND edit) {
  const LRESULT lines = ::SendMessageW(edit, EM_GETLINECOUNT, 0, 0);
  if (lines < 2) return false;
  const LRESULT start = ::SendMessageW(edit, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0);
  return start >= 0 && ::SendMessageW(edit, EM_LINELENGTH, static_cast<WPARAM>(start), 0) == 0;
}

bool ItemEnabled(HMENU menu, UINT id) {
  const UINT state = ::GetMenuState(menu, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::u16string ItemCaption(HMENU menu, UINT id) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  if (!::GetMenuItemInfoW(menu, id, FALSE, &info) || info.cch == 0) return {};
  std::vector<wchar_t> buffer(info.cch + 1);
  info.dwTypeData = buffer.data();
  info.cch = static_cast<UINT>(buffer.size());
  if (!::GetMenuItemInfoW(menu, id, FALSE, &info)) return {};
  return std::u16string(Utf16(buffer.data()), info.cch);
}

void SetItemCaption(HMENU menu, UINT id, std::u16string_view caption) {
  std::u16string text(caption);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = Wide(text.data());
  ::SetMenuItemInfoW(menu, id, FALSE, &info);
}

}  // namespace

bool MainWindow::Create(HINSTANCE instance, TfBNF& form) {
  form_ = &form;
  instance_ = instance;
  if (!RegisterWindowClass(instance, kClassName, COLOR_BTNFACE) || !RegisterPanelClass(instance)) {
    return false;
  }
  menu_ = BuildMenu();
  if (menu_ == nullptr) return false;
  // The design place; the settings may move the window while it is being created.
  if (!CreateFor(kExStyle, kClassName, L"fBNF", kStyle, 185, 124, nullptr, menu_, instance)) {
    // A window destroyed during its creation takes its menu along.
    if (::IsMenu(menu_)) ::DestroyMenu(menu_);
    menu_ = nullptr;
    return false;
  }
  return true;
}

void MainWindow::SetSecondaryWindows(AboutWindow* about, HelpWindow* help) {
  about_ = about;
  help_ = help;
}

bool MainWindow::CreateControls() {
  HWND self = hwnd();
  constexpr DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  constexpr DWORD kMemo = WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  constexpr DWORD kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
  // Creation order is tab order: lbFam, lbType, Button1 (on the panel), Memo3.
  label1_ = MakeChild(self, instance_, L"STATIC", L"Select family", kLabel, 0, IDC_LABEL1);
  label2_ = MakeChild(self, instance_, L"STATIC", L"Select type", kLabel, 0, IDC_LABEL2);
  lbFam_ = MakeChild(self, instance_, L"LISTBOX", L"", kList, WS_EX_CLIENTEDGE, IDC_LBFAM);
  lbType_ = MakeChild(self, instance_, L"LISTBOX", L"", kList, WS_EX_CLIENTEDGE, IDC_LBTYPE);
  panel1_ = CreatePanel(self, IDC_PANEL1, instance_);
  // Invisible, disabled and without a caption until a type is clicked.
  button1_ = MakeChild(panel1_, instance_, L"BUTTON", L"", WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON,
                       0, IDC_BUTTON1);
  // The log pane wraps long lines: no horizontal scrolling.
  memo3_ = MakeChild(self, instance_, L"EDIT", L"", WS_VISIBLE | WS_TABSTOP | kMemo,
                     WS_EX_CLIENTEDGE, IDC_MEMO3);
  memo1_ =
      MakeChild(self, instance_, L"EDIT", L"", kMemo | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, IDC_MEMO1);
  memo2_ = MakeChild(self, instance_, L"EDIT", L"", kMemo | ES_AUTOHSCROLL | WS_HSCROLL,
                     WS_EX_CLIENTEDGE, IDC_MEMO2);
  for (HWND control :
       {label1_, label2_, lbFam_, lbType_, panel1_, button1_, memo3_, memo1_, memo2_}) {
    if (control == nullptr) return false;
  }
  for (const wchar_t* family : kFamilies) {
    ::SendMessageW(lbFam_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(family));
  }
  ::SendMessageW(memo3_, EM_SETLIMITTEXT, kLogLimit, 0);
  LetTabLeave(memo3_);
  return true;
}

void MainWindow::ApplyLayout(UINT dpi) {
  // Verdana 8 pt: 11 pixels at 96 DPI. The old font stays until no control uses it.
  UniqueFont font = MakeFont(L"Verdana", 11, false, dpi);
  for (HWND control :
       {label1_, label2_, lbFam_, lbType_, panel1_, button1_, memo3_, memo1_, memo2_}) {
    SetControlFont(control, font.get());
  }
  font_ = std::move(font);
  SetClientSize(hwnd(), ScaleToDpi(563, dpi), ScaleToDpi(309, dpi));
  PlaceControl(label1_, {16, 8, 74, 13}, dpi);
  PlaceControl(label2_, {112, 8, 64, 13}, dpi);
  PlaceControl(lbFam_, {8, 27, 89, 126}, dpi);
  PlaceControl(lbType_, {101, 27, 154, 249}, dpi);
  PlaceControl(memo3_, {261, 27, 297, 247}, dpi);
  PlaceControl(memo1_, {112, 136, 120, 140}, dpi);
  PlaceControl(memo2_, {8, 111, 137, 165}, dpi);
  PlaceControl(panel1_, {0, 280, 563, 29}, dpi);
  PlaceControl(button1_, {103, 2, 154, 25}, dpi);  // in the panel
}

template <typename Handler>
void MainWindow::Run(Handler&& handler) {
  if (form_ != nullptr) form_->Guard(std::forward<Handler>(handler));
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!CreateControls()) return -1;  // CreateWindowExW then fails
      ApplyLayout(DpiOfWindow(hwnd()));
      // Start-up errors are reported by Guard; the window is made all the same.
      Run([this] { form_->FormCreate(); });
      return 0;
    case WM_SHOWWINDOW:
      if (wParam != 0 && lParam == 0) ::PostMessageW(hwnd(), kShownMessage, 0, 0);
      break;
    case kShownMessage:
      Run([this] { form_->FormShow(); });
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      if (focus_.OnActivate(hwnd(), wParam)) return 0;
      break;
    case WM_DPICHANGED: {
      ApplyLayout(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      MoveOuter(hwnd(), suggested->left, suggested->top);
      return 0;
    }
    case WM_CLOSE:
      // The settings are saved on the way out; a failure to save is reported, and the
      // window still closes rather than keep the user in.
      Run([this] { form_->FormClose(); });
      ::DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      Run([this] { form_->FormDestroy(); });
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int code) {
  // Enter sends IDOK to a window that is no dialog; on the focused button it is a click.
  if (id == IDOK && ::GetFocus() == button1_) {
    id = IDC_BUTTON1;
    code = BN_CLICKED;
  }
  switch (id) {
    case IDC_LBFAM:
      if (code == LBN_SELCHANGE || code == LBN_DBLCLK) Run([this] { form_->lbFamClick(); });
      return;
    case IDC_LBTYPE:
      if (code == LBN_SELCHANGE) Run([this] { form_->lbTypeClick(); });
      if (code == LBN_DBLCLK) Run([this] { form_->lbTypeDblClick(); });
      return;
    case IDC_BUTTON1:
      // A command sent to a hidden or disabled button is no click.
      if (code == BN_CLICKED && Visible(Ctl::Button1) && Enabled(Ctl::Button1)) {
        Run([this] { form_->Button1Click(); });
      }
      return;
    default:
      OnMenu(id);
      return;
  }
}

void MainWindow::OnMenu(int id) {
  const auto item = static_cast<UINT>(id);
  // A command for a greyed item (sent by a test driver, say) is not a choice.
  if (!ItemEnabled(menu_, item)) return;
  switch (item) {
    case IDM_OPEN_CONVERTED_PDF:
      Run([this] { form_->OpenconvertedPDF1Click(); });
      break;
    case IDM_EXIT:
      Run([this] { form_->Exit1Click(); });
      break;
    case IDM_DIRECTORY_FOR_BITNAME_FILES:
      Run([this] { form_->DirectoryforBitNamefiles1Click(); });
      break;
    case IDM_PRIVATE_SFRS:
      Run([this] { form_->PrivateSFRs1Click(); });
      break;
    case IDM_PRIVATE_BITNAMES:
      Run([this] { form_->PrivateBitNames1Click(); });
      break;
    case IDM_RELOAD_PRIVATE:
      Run([this] { form_->ReloadPrivateClick(); });
      break;
    case IDM_ABOUT:
      Run([this] { form_->About1Click(); });
      break;
    case IDM_HELP:
      Run([this] { form_->Help2Click(); });
      break;
    default:
      break;
  }
}

HWND MainWindow::ControlWindow(Ctl control) const {
  switch (control) {
    case Ctl::Form:
      return hwnd();
    case Ctl::lbFam:
      return lbFam_;
    case Ctl::lbType:
      return lbType_;
    case Ctl::Button1:
      return button1_;
    case Ctl::Panel1:
      return panel1_;
    case Ctl::AboutLabel1:
      return about_ != nullptr ? about_->label1() : nullptr;
    default:
      return nullptr;
  }
}

UINT MainWindow::MenuItemId(Ctl control) {
  switch (control) {
    case Ctl::OpenconvertedPDF1:
      return IDM_OPEN_CONVERTED_PDF;
    case Ctl::DirectoryforBitNamefiles1:
      return IDM_DIRECTORY_FOR_BITNAME_FILES;
    case Ctl::ReloadPrivate:
      return IDM_RELOAD_PRIVATE;
    default:
      return 0;
  }
}

HWND MainWindow::WindowOf(Win window) const {
  switch (window) {
    case Win::Main:
      return hwnd();
    case Win::About:
      return about_ != nullptr ? about_->hwnd() : nullptr;
    case Win::Help:
      return help_ != nullptr ? help_->hwnd() : nullptr;
  }
  return nullptr;
}

void MainWindow::SetCaption(Ctl control, std::u16string_view caption) {
  if (const UINT id = MenuItemId(control)) {
    SetItemCaption(menu_, id, caption);
  } else if (HWND window = ControlWindow(control)) {
    SetTextOf(window, caption);
  }
}

std::u16string MainWindow::Caption(Ctl control) const {
  if (const UINT id = MenuItemId(control)) return ItemCaption(menu_, id);
  if (HWND window = ControlWindow(control)) return TextOf(window);
  return {};
}

void MainWindow::SetEnabled(Ctl control, bool enabled) {
  if (const UINT id = MenuItemId(control)) {
    ::EnableMenuItem(menu_, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  } else if (HWND window = ControlWindow(control)) {
    ::EnableWindow(window, enabled ? TRUE : FALSE);
  }
}

bool MainWindow::Enabled(Ctl control) const {
  if (const UINT id = MenuItemId(control)) return ItemEnabled(menu_, id);
  HWND window = ControlWindow(control);
  return window != nullptr && ::IsWindowEnabled(window);
}

void MainWindow::SetVisible(Ctl control, bool visible) {
  HWND window = ControlWindow(control);
  if (window == nullptr) return;  // menu items are always shown
  if (!visible) {
    ::ShowWindow(window, SW_HIDE);
  } else {
    ::ShowWindow(window, control == Ctl::Form ? SW_SHOW : SW_SHOWNA);
  }
}

bool MainWindow::Visible(Ctl control) const {
  if (MenuItemId(control) != 0) return true;
  HWND window = ControlWindow(control);
  // The control's own flag: IsWindowVisible would also ask about its parents.
  return window != nullptr && (::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Every line ends in CR LF, an empty one too, so the next starts on a line of its own.
// Text that the user typed without a final line break gets one first.
void MainWindow::AddLogLine(std::u16string_view line) {
  const int length = ::GetWindowTextLengthW(memo3_);
  std::u16string text;
  if (length > 0 && !EndsWithLineBreak(memo3_)) text = u"\r\n";
  text += line;
  text += u"\r\n";
  ::SendMessageW(memo3_, EM_SETSEL, static_cast<WPARAM>(length), length);
  ::SendMessageW(memo3_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(text)));
}

std::u16string MainWindow::SelectedFamily() const {
  return SelectedItem(lbFam_).value_or(std::u16string());
}

void MainWindow::ClearTypes() {
  ::SendMessageW(lbType_, LB_RESETCONTENT, 0, 0);
}

void MainWindow::AddType(std::u16string_view type) {
  const std::u16string text(type);
  ::SendMessageW(lbType_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text)));
}

int32_t MainWindow::TypeCount() const {
  const LRESULT count = ::SendMessageW(lbType_, LB_GETCOUNT, 0, 0);
  return count == LB_ERR ? 0 : static_cast<int32_t>(count);
}

std::optional<std::u16string> MainWindow::SelectedType() const {
  return SelectedItem(lbType_);
}

WindowBounds MainWindow::Bounds(Win window) const {
  return OuterBounds(WindowOf(window));
}

// The main window's place comes from the settings, which may name a monitor that is
// gone: it is kept where the user can reach it.
void MainWindow::SetPosition(Win window, int32_t left, int32_t top) {
  if (window == Win::Main) {
    MoveOuterIntoWorkArea(hwnd(), left, top);
  } else {
    MoveOuter(WindowOf(window), left, top);
  }
}

void MainWindow::ShowModal(Win window) {
  if (window == Win::About && about_ != nullptr) about_->ShowModal();
  if (window == Win::Help && help_ != nullptr) help_->ShowModal();
}

void MainWindow::Close() {
  // Posted: the handler that asks ends first, then the window closes the normal way.
  ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void MainWindow::Quit() {
  quitRequested_ = true;
  ::PostQuitMessage(0);
}

}  // namespace bnf::win32
