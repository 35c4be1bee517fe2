// Test tool of the end-to-end scripts, run in the program's Wine prefix: Wine draws every
// control into one X window, so the scripts read and drive the windows here, by class and
// by control or menu id (lib.sh, e2e_win). Commands are posted, never sent, so a handler
// that opens a modal box cannot block this tool.
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>

namespace {

// Line breaks are written \r and \n so that one window stays one output line.
std::string Utf8(const std::wstring& w) {
  std::wstring e;
  for (wchar_t c : w) e += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : std::wstring(1, c);
  std::string s(e.size() * 3 + 1, '\0');
  s.resize(WideCharToMultiByte(CP_UTF8, 0, e.c_str(), static_cast<int>(e.size()), s.data(),
                               static_cast<int>(s.size()), nullptr, nullptr));
  return s;
}

DWORD_PTR Ask(HWND h, UINT message, WPARAM w, LPARAM l) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(h, message, w, l, SMTO_ABORTIFHUNG, 2000, &result) ? result : 0;
}

// The text of a window or of item `i` of a list box, in another process.
std::string TextOf(HWND h, UINT length = WM_GETTEXTLENGTH, UINT get = WM_GETTEXT, WPARAM i = 0) {
  std::wstring text(Ask(h, length, i, 0) + 1, L'\0');
  const WPARAM w = get == WM_GETTEXT ? text.size() : i;
  text.resize(Ask(h, get, w, reinterpret_cast<LPARAM>(text.data())));
  return Utf8(text);
}

BOOL CALLBACK EachOfClass(HWND h, LPARAM cls) {
  wchar_t name[64] = L"";
  GetClassNameW(h, name, 64);
  if (std::wstring(name) != reinterpret_cast<const wchar_t*>(cls)) return TRUE;
  HWND box = GetDlgItem(h, 0xFFFF);  // a message box keeps its text here
  std::printf("%p\t%d\t%s\t%lx\t%s\n", static_cast<void*>(h), IsWindowVisible(h) ? 1 : 0,
              TextOf(h).c_str(), static_cast<unsigned long>(GetWindowLongW(h, GWL_EXSTYLE)),
              box != nullptr ? TextOf(box).c_str() : "");
  return TRUE;
}

// The window of the class, or its control at any depth (a button can sit on a panel).
HWND Find(const wchar_t* cls, int id) {
  HWND window = FindWindowW(cls, nullptr);
  if (window == nullptr || id == 0) return window;
  std::pair<HWND, int> query{nullptr, id};
  EnumChildWindows(
      window,
      [](HWND h, LPARAM q) -> BOOL {
        auto* query = reinterpret_cast<std::pair<HWND, int>*>(q);
        if (GetDlgCtrlID(h) == query->second) query->first = h;
        return query->first == nullptr;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.first;
}

int Post(HWND to, UINT message, WPARAM w, LPARAM l) {
  return to != nullptr && PostMessageW(to, message, w, l) ? 0 : 1;
}

// A click on a button reaches its parent; a menu choice, the window.
int Command(HWND window, HWND control, int id) {
  HWND target = control != nullptr ? GetParent(control) : window;
  return Post(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// list CLASS: HWND, visible, title, extended style, a box's text; control CLASS ID:
// visible, enabled, text (ID 0: the window); items CLASS ID: one a line; select CLASS ID
// N [double]; command CLASS ID; close CLASS; rect CLASS [ID]: left top right bottom.
int Verb(const std::wstring& verb, const wchar_t* cls, int id, int argc, wchar_t** argv) {
  HWND h = Find(cls, id);
  RECT r{};
  if (verb == L"list") return EnumWindows(EachOfClass, reinterpret_cast<LPARAM>(cls)) ? 0 : 1;
  if (verb == L"command") return Command(Find(cls, 0), h, id);
  if (h == nullptr) return 1;
  if (verb == L"control") {
    std::printf("%d\t%d\t%s\n", IsWindowVisible(h) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0,
                TextOf(h).c_str());
  } else if (verb == L"items") {
    for (DWORD_PTR i = 0, n = Ask(h, LB_GETCOUNT, 0, 0); i < n; ++i)
      std::printf("%s\n", TextOf(h, LB_GETTEXTLEN, LB_GETTEXT, i).c_str());
  } else if (verb == L"select" && argc >= 5) {  // a click tells the parent, a double one twice
    const int index = _wtoi(argv[4]);
    const LPARAM from = reinterpret_cast<LPARAM>(h);
    if (Ask(h, LB_SETCURSEL, index, 0) != static_cast<DWORD_PTR>(index)) return 1;
    return Post(GetParent(h), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), from) +
           (argc == 6 ? Post(GetParent(h), WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), from) : 0);
  } else if (verb == L"close") {
    return Post(h, WM_CLOSE, 0, 0);
  } else if (verb == L"rect" && GetWindowRect(h, &r)) {
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  } else {
    return 2;
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 4 && std::wstring(argv[1]) == L"press") {
    HWND box = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(wcstoull(argv[2], nullptr, 16)));
    return Command(box, GetDlgItem(box, _wtoi(argv[3])), _wtoi(argv[3]));
  }
  return argc < 3 ? 2 : Verb(argv[1], argv[2], argc > 3 ? _wtoi(argv[3]) : 0, argc, argv);
}
