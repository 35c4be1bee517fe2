// The reason part of an error message, from a GetLastError code: the common file
// errors in fixed plain words (the same on every Windows language and under Wine,
// and the same as the native build gives), any other code in the system's words.
#pragma once

#include "platform/win32/windows_api.h"

#include <string>

namespace bnf::win32 {

// The reason in a sentence or two; never empty.
std::u16string ErrorReason(DWORD code);

}  // namespace bnf::win32
