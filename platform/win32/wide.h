// The one place where the core's UTF-16 text meets the Win32 API's wchar_t. Both are
// 16-bit code units on Windows, so the pointers are reinterpreted; nothing is copied
// or converted.
#pragma once

#include <string>
#include <string_view>

namespace bnf::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be UTF-16 on Windows");

inline const wchar_t* Wide(const char16_t* s) {
  return reinterpret_cast<const wchar_t*>(s);
}
inline wchar_t* Wide(char16_t* s) {
  return reinterpret_cast<wchar_t*>(s);
}
// A NUL-terminated string for a ...W call.
inline const wchar_t* Wide(const std::u16string& s) {
  return Wide(s.c_str());
}

inline const char16_t* Utf16(const wchar_t* s) {
  return reinterpret_cast<const char16_t*>(s);
}
inline std::u16string_view Utf16(std::wstring_view s) {
  return {Utf16(s.data()), s.size()};
}

}  // namespace bnf::win32
