// Turns GetLastError codes into the reason sentence of the tool's error messages.
// FormatMessageW's text ends in CR LF (and, under Wine, sometimes differs from
// Windows), so the common codes are spelt out here.
#include "platform/win32/error_text_win32.h"

#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"

namespace bnf::win32 {

namespace {

std::u16string SystemText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD flags =
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  // With ALLOCATE_BUFFER the "buffer" argument receives the address of a LocalAlloc block.
  DWORD length =
      ::FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  UniqueLocal owner(buffer);
  std::u16string text(Utf16(buffer ? std::wstring_view(buffer, length) : std::wstring_view()));
  while (!text.empty() && text.back() <= u' ') text.pop_back();
  return text;
}

}  // namespace

std::u16string ErrorReason(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
      return u"The system cannot find the file specified.";
    case ERROR_PATH_NOT_FOUND:
      return u"The system cannot find the path specified.";
    case ERROR_ACCESS_DENIED:
      return u"Access is denied.";
    case ERROR_SHARING_VIOLATION:
      return u"The process cannot access the file because it is being used by another process.";
    default:
      break;
  }
  std::u16string text = SystemText(code);
  if (text.empty()) text = u"System error " + std::u16string(Utf16(std::to_wstring(code))) + u".";
  return text;
}

}  // namespace bnf::win32
