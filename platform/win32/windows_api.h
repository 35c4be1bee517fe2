// <windows.h> for the program's own Win32 code: include this instead. It removes the
// A/W name macros that collide with methods of our interfaces; otherwise
// FileSystem::ReplaceFile silently becomes ReplaceFileW in every file that sees
// <windows.h> first, and fails to compile in files that see it later. Call the Win32
// functions of these names by their W names.
#pragma once

#include <windows.h>

#undef CreateDirectory
#undef DeleteFile
#undef ReplaceFile
