// Opening a file with the program that the user's system associates with its type,
// through the shell's default verb.
#pragma once

#include <functional>
#include <memory>

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace bnf::win32 {

// `owner` gives the window that owns any message the shell shows (null: none); it is
// asked at each call, since the main window is made after the services.
std::unique_ptr<Shell> MakeWin32Shell(std::function<HWND()> owner);

}  // namespace bnf::win32
