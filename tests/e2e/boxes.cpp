// Test tool for the end-to-end scripts, run in the program's Wine prefix. It reads and
// presses message boxes, and drives the program's own windows by control and menu ids,
// because Wine draws every control into one X window and X tools see only titles.
// Commands are posted, never sent, so a handler that opens a modal box cannot block it.
// Run with a single argument (say "help") for the list of verbs.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kUsage[] =
    L"boxes.exe                        visible dialog boxes: HWND<TAB>title<TAB>text\n"
    L"boxes.exe HWND ID                press button ID of box HWND\n"
    L"boxes.exe windows CLASS          top-level windows of CLASS: HWND<TAB>visible<TAB>title\n"
    L"boxes.exe control CLASS ID       visible<TAB>enabled<TAB>text of control ID (0: the "
    L"window)\n"
    L"boxes.exe items CLASS ID         the items of list box ID, one a line\n"
    L"boxes.exe select CLASS ID N [double]  select item N of list box ID as a click does\n"
    L"boxes.exe command CLASS ID       WM_COMMAND ID as a click on a button or menu item\n"
    L"boxes.exe close CLASS            WM_CLOSE, as the close box sends\n"
    L"boxes.exe rect CLASS [ID]        left top right bottom on the screen\n";

// Line breaks are written as \r and \n so that one window stays one output line.
std::string Utf8(const std::wstring& w) {
  std::wstring escaped;
  for (wchar_t c : w) {
    if (c == L'\r') {
      escaped += L"\\r";
    } else if (c == L'\n') {
      escaped += L"\\n";
    } else {
      escaped += c;
    }
  }
  std::string s(escaped.size() * 3 + 1, '\0');
  int n = WideCharToMultiByte(CP_UTF8, 0, escaped.c_str(), static_cast<int>(escaped.size()),
                              s.data(), static_cast<int>(s.size()), nullptr, nullptr);
  s.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return s;
}

// The text of a window of another process: WM_GETTEXT, which the system carries across.
std::wstring TextOf(HWND h) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(h, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &got);
  text.resize(got <= length ? got : length);
  return text;
}

BOOL CALLBACK EachBox(HWND h, LPARAM) {
  wchar_t cls[64] = L"";
  GetClassNameW(h, cls, 64);
  if (!IsWindowVisible(h) || wcscmp(cls, L"#32770") != 0) return TRUE;
  wchar_t title[512] = L"";
  GetWindowTextW(h, title, 512);
  std::wstring text;
  if (HWND s = GetDlgItem(h, 0xFFFF)) text = TextOf(s);  // a message box's text
  std::printf("%p\t%s\t%s\n", static_cast<void*>(h), Utf8(title).c_str(), Utf8(text).c_str());
  return TRUE;
}

struct ClassQuery {
  const wchar_t* cls;
};

BOOL CALLBACK EachOfClass(HWND h, LPARAM param) {
  const auto* query = reinterpret_cast<const ClassQuery*>(param);
  wchar_t cls[64] = L"";
  GetClassNameW(h, cls, 64);
  if (wcscmp(cls, query->cls) != 0) return TRUE;
  wchar_t title[512] = L"";
  GetWindowTextW(h, title, 512);
  std::printf("%p\t%d\t%s\n", static_cast<void*>(h), IsWindowVisible(h) ? 1 : 0,
              Utf8(title).c_str());
  return TRUE;
}

int PressButton(const wchar_t* hwnd, const wchar_t* idText) {
  HWND box = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(wcstoull(hwnd, nullptr, 16)));
  int id = _wtoi(idText);
  return PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(box, id)))
             ? 0
             : 1;
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

// The window of the class, or one of its controls at any depth (a button can sit on a
// panel); id 0 is the window itself.
HWND Find(const wchar_t* cls, int id) {
  HWND window = FindWindowW(cls, nullptr);
  if (window == nullptr || id == 0) return window;
  ChildQuery query{id, nullptr};
  EnumChildWindows(window, EachChild, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

int Control(const wchar_t* cls, int id) {
  HWND h = Find(cls, id);
  if (h == nullptr) return 1;
  std::printf("%d\t%d\t%s\n", IsWindowVisible(h) ? 1 : 0, IsWindowEnabled(h) ? 1 : 0,
              Utf8(TextOf(h)).c_str());
  return 0;
}

int Items(const wchar_t* cls, int id) {
  HWND list = Find(cls, id);
  if (list == nullptr) return 1;
  DWORD_PTR count = 0;
  SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
  for (DWORD_PTR i = 0; i < count; ++i) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 2000, &length);
    std::wstring item(length + 1, L'\0');
    SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()),
                        SMTO_ABORTIFHUNG, 2000, &length);
    item.resize(length);
    std::printf("%s\n", Utf8(item).c_str());
  }
  return 0;
}

// A click on an item selects it and then tells the parent; a double click tells it again.
int Select(const wchar_t* cls, int id, int index, bool twice) {
  HWND list = Find(cls, id);
  if (list == nullptr) return 1;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(list, LB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 2000, &result) ||
      static_cast<LRESULT>(result) == LB_ERR) {
    return 1;
  }
  HWND parent = GetParent(list);
  const LPARAM from = reinterpret_cast<LPARAM>(list);
  if (!PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), from)) return 1;
  if (twice && !PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), from)) return 1;
  return 0;
}

// A button's click reaches its parent (which may pass it on) as WM_COMMAND; a menu
// choice reaches the window as the same message without a control handle.
int Command(const wchar_t* cls, int id) {
  HWND window = Find(cls, 0);
  if (window == nullptr) return 1;
  HWND control = Find(cls, id);
  HWND target = control != nullptr ? GetParent(control) : window;
  return PostMessageW(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(control))
             ? 0
             : 1;
}

int Close(const wchar_t* cls) {
  HWND window = Find(cls, 0);
  return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Rect(const wchar_t* cls, int id) {
  HWND h = Find(cls, id);
  RECT r{};
  if (h == nullptr || !GetWindowRect(h, &r)) return 1;
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  return 0;
}

int Verb(int argc, wchar_t** argv) {
  const std::wstring verb = argv[1];
  const wchar_t* cls = argv[2];
  const int id = argc > 3 ? _wtoi(argv[3]) : 0;
  if (verb == L"windows") {
    ClassQuery query{cls};
    return EnumWindows(EachOfClass, reinterpret_cast<LPARAM>(&query)) ? 0 : 1;
  }
  if (verb == L"control" && argc == 4) return Control(cls, id);
  if (verb == L"items" && argc == 4) return Items(cls, id);
  if (verb == L"select" && (argc == 5 || argc == 6)) {
    return Select(cls, id, _wtoi(argv[4]), argc == 6 && std::wstring(argv[5]) == L"double");
  }
  if (verb == L"command" && argc == 4) return Command(cls, id);
  if (verb == L"close" && argc == 3) return Close(cls);
  if (verb == L"rect" && (argc == 3 || argc == 4)) return Rect(cls, id);
  if (argc == 3) return PressButton(argv[1], argv[2]);
  std::fwprintf(stderr, L"%ls", kUsage);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return EnumWindows(EachBox, 0) ? 0 : 1;
  if (argc == 2) {
    std::fwprintf(stderr, L"%ls", kUsage);
    return 2;
  }
  return Verb(argc, argv);
}
