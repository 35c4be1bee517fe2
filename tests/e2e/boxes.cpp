// Test tool of the end-to-end scripts, run in the program's Wine prefix: reads and presses
// message boxes and drives the program's windows by control and menu ids, since Wine
// draws every control into one X window. Commands are posted, never sent, so a handler
// that opens a modal box cannot block it.
//   boxes.exe                      visible boxes: HWND<TAB>title<TAB>text
//   boxes.exe HWND ID              press button ID of box HWND
//   boxes.exe windows CLASS        HWND<TAB>visible<TAB>title<TAB>extended style (hex)
//   boxes.exe control CLASS ID     visible<TAB>enabled<TAB>text of control ID (0: window)
//   boxes.exe items CLASS ID       the items of list box ID, one a line
//   boxes.exe select CLASS ID N [double]   a click (or double click) on item N
//   boxes.exe command CLASS ID     a click on button or menu item ID
//   boxes.exe close CLASS          WM_CLOSE, as the close box sends
//   boxes.exe rect CLASS [ID]      left top right bottom on the screen
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

// Line breaks are written \r and \n so that one window stays one output line.
std::string Utf8(const std::wstring& w) {
  std::wstring e;
  for (wchar_t c : w) e += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : std::wstring(1, c);
  std::string s(e.size() * 3 + 1, '\0');
  const int n = WideCharToMultiByte(CP_UTF8, 0, e.c_str(), static_cast<int>(e.size()), s.data(),
                                    static_cast<int>(s.size()), nullptr, nullptr);
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

DWORD_PTR Ask(HWND h, UINT message, WPARAM w, LPARAM l) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(h, message, w, l, SMTO_ABORTIFHUNG, 2000, &result)) return 0;
  return result;
}

// Another process's window text: WM_GETTEXT, which the system carries across.
std::wstring TextOf(HWND h) {
  const DWORD_PTR length = Ask(h, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(length + 1, L'\0');
  const DWORD_PTR got = Ask(h, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got <= length ? got : length);
  return text;
}

std::wstring ClassOf(HWND h) {
  wchar_t cls[64] = L"";
  GetClassNameW(h, cls, 64);
  return cls;
}

BOOL CALLBACK EachBox(HWND h, LPARAM) {
  if (!IsWindowVisible(h) || ClassOf(h) != L"#32770") return TRUE;
  HWND s = GetDlgItem(h, 0xFFFF);  // a message box keeps its text here
  std::printf("%p\t%s\t%s\n", static_cast<void*>(h), Utf8(TextOf(h)).c_str(),
              s != nullptr ? Utf8(TextOf(s)).c_str() : "");
  return TRUE;
}

BOOL CALLBACK EachOfClass(HWND h, LPARAM cls) {
  if (ClassOf(h) != reinterpret_cast<const wchar_t*>(cls)) return TRUE;
  std::printf("%p\t%d\t%s\t%lx\n", static_cast<void*>(h), IsWindowVisible(h) ? 1 : 0,
              Utf8(TextOf(h)).c_str(), static_cast<unsigned long>(GetWindowLongW(h, GWL_EXSTYLE)));
  return TRUE;
}

struct ChildQuery {
  int id;
  HWND found;
};

BOOL CALLBACK EachChild(HWND h, LPARAM param) {
  auto* query = reinterpret_cast<ChildQuery*>(param);
  if (GetDlgCtrlID(h) != query->id) return TRUE;
  query->found = h;
  return FALSE;
}

// The window of the class, or its control at any depth (a button can sit on a panel).
HWND Find(const wchar_t* cls, int id) {
  HWND window = FindWindowW(cls, nullptr);
  if (window == nullptr || id == 0) return window;
  ChildQuery query{id, nullptr};
  EnumChildWindows(window, EachChild, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

int Post(HWND to, UINT message, WPARAM w, LPARAM l) {
  return to != nullptr && PostMessageW(to, message, w, l) ? 0 : 1;
}

int Items(HWND list) {
  const DWORD_PTR count = Ask(list, LB_GETCOUNT, 0, 0);
  for (DWORD_PTR i = 0; i < count; ++i) {
    std::wstring item(Ask(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
    item.resize(Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data())));
    std::printf("%s\n", Utf8(item).c_str());
  }
  return 0;
}

// A click selects the item and tells the parent; a double click tells it again.
int Select(HWND list, int id, int index, bool twice) {
  if (Ask(list, LB_SETCURSEL, index, 0) != static_cast<DWORD_PTR>(index)) return 1;
  const LPARAM from = reinterpret_cast<LPARAM>(list);
  if (Post(GetParent(list), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), from)) return 1;
  return twice ? Post(GetParent(list), WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), from) : 0;
}

// A button's click reaches its parent as WM_COMMAND; a menu choice the window, without
// a control handle.
int Command(const wchar_t* cls, int id) {
  HWND control = Find(cls, id);
  HWND target = control != nullptr ? GetParent(control) : Find(cls, 0);
  return Post(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

int Verb(const std::wstring& verb, const wchar_t* cls, int id, int argc, wchar_t** argv) {
  HWND h = Find(cls, id);
  RECT r{};
  if (verb == L"windows") return EnumWindows(EachOfClass, reinterpret_cast<LPARAM>(cls)) ? 0 : 1;
  if (verb == L"command") return Command(cls, id);
  if (h == nullptr) return 1;
  if (verb == L"control") {
    std::printf("%d\t%d\t%s\n", IsWindowVisible(h) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0,
                Utf8(TextOf(h)).c_str());
    return 0;
  }
  if (verb == L"items") return Items(h);
  if (verb == L"select" && argc >= 5) {
    return Select(h, id, _wtoi(argv[4]), argc == 6 && std::wstring(argv[5]) == L"double");
  }
  if (verb == L"close") return Post(h, WM_CLOSE, 0, 0);
  if (verb == L"rect" && GetWindowRect(h, &r)) {
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return EnumWindows(EachBox, 0) ? 0 : 1;
  if (argc == 3 && iswxdigit(argv[1][0]) && iswdigit(argv[2][0])) {
    HWND box = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(wcstoull(argv[1], nullptr, 16)));
    const int id = _wtoi(argv[2]);
    return Post(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
  }
  return argc < 3 ? 2 : Verb(argv[1], argv[2], argc > 3 ? _wtoi(argv[3]) : 0, argc, argv);
}
