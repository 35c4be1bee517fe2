// The registry through the Win32 API: keys under HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE, text values (REG_SZ) and integer values (REG_DWORD). Keys of
// other software are opened without creating them; only the tool's own key is created.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace bnf::win32 {

// The registry of this process's view (64-bit keys in the 64-bit program).
std::unique_ptr<Registry> MakeWin32Registry();

}  // namespace bnf::win32
