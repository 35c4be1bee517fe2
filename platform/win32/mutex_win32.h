// The single-instance guard on Win32: a named kernel mutex in the namespace of the
// current logon session. The running copy holds it; a second copy finds it by name.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace bnf::win32 {

// A guard that holds no mutex until Create; the held handle is closed on destruction.
std::unique_ptr<NamedMutex> MakeWin32NamedMutex();

}  // namespace bnf::win32
