// bnfcreator.exe: the entry point of the Windows program. For now it builds the
// platform services the tool's logic runs on and ends; the single-instance guard,
// the windows and the message loop are wired here as they come.
#include "platform/win32/windows_api.h"

#include <exception>

#include "platform/platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    const auto collator = bnf::MakeCollator();
    const auto files = bnf::MakeFileSystem();
    const auto codec = bnf::MakeAnsiCodec();
    return 0;
  } catch (const std::exception&) {
    return 1;
  }
}
