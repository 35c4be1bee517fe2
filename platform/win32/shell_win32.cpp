// ShellExecuteW with the default verb. Its result is an HINSTANCE only in name: a code
// above 32 for success, else one of the SE_ERR_ codes (2: file not found, 31: no
// program associated), handed back unchanged.
#include "platform/win32/shell_win32.h"

#include <shellapi.h>

#include "platform/win32/wide.h"

namespace bnf::win32 {

namespace {

// An empty text means "none" to the shell for the parameters and the working folder
// alike; a null pointer says so on every version.
const wchar_t* OrNull(const std::u16string& s) {
  return s.empty() ? nullptr : Wide(s);
}

class Win32Shell final : public Shell {
 public:
  explicit Win32Shell(std::function<HWND()> owner) : owner_(std::move(owner)) {}

  int32_t OpenFile(std::u16string_view file, std::u16string_view parameters,
                   std::u16string_view folder, int32_t show) override {
    const std::u16string f(file), p(parameters), d(folder);
    HWND owner = owner_ ? owner_() : nullptr;
    // A null verb is the type's default verb, which is "open" only when the type
    // registers no other default.
    HINSTANCE result = ::ShellExecuteW(owner, nullptr, Wide(f), OrNull(p), OrNull(d), show);
    return static_cast<int32_t>(reinterpret_cast<INT_PTR>(result));
  }

 private:
  std::function<HWND()> owner_;
};

}  // namespace

std::unique_ptr<Shell> MakeWin32Shell(std::function<HWND()> owner) {
  return std::make_unique<Win32Shell>(std::move(owner));
}

}  // namespace bnf::win32
