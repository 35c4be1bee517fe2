// Test tool for the end-to-end scripts: lists the visible dialog boxes as
// "HWND<TAB>title<TAB>text" lines, or, given a box and a button id, presses it.
// Wine draws every control into one X window, so X tools cannot read a box's text.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

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

BOOL CALLBACK EachWindow(HWND h, LPARAM) {
  wchar_t cls[64] = L"";
  GetClassNameW(h, cls, 64);
  if (!IsWindowVisible(h) || wcscmp(cls, L"#32770") != 0) return TRUE;
  wchar_t title[512] = L"";
  GetWindowTextW(h, title, 512);
  static wchar_t text[65536];
  text[0] = 0;
  if (HWND s = GetDlgItem(h, 0xFFFF)) {  // a message box keeps its text in static 0xFFFF
    SendMessageTimeoutW(s, WM_GETTEXT, 65536, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        1000, nullptr);
  }
  std::printf("%p\t%s\t%s\n", static_cast<void*>(h), Utf8(title).c_str(), Utf8(text).c_str());
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return EnumWindows(EachWindow, 0) ? 0 : 1;
  HWND box = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(wcstoull(argv[1], nullptr, 16)));
  int id = _wtoi(argv[2]);
  return PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(box, id)))
             ? 0
             : 1;
}
