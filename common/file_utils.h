// File, shell and dialog procedures that wrap the platform for the creator: the
// directory listing the family lists are built from, opening a file with its
// associated program, the user's temporary folder and an OK/Cancel question.
// They hold no state; paths are in Windows syntax.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/sorted_string_list.h"
#include "platform/platform.h"

namespace bnf {

// Adds one line per file matching `mask` to `list`: the mask's directory part and the
// file name, a TAB, the local modification date and time (the date alone at exactly
// midnight), a TAB and the size in bytes. `filter` holds the attribute bits (hidden 2,
// system 4, directory 16) whose entries are wanted. With `recurse`, subdirectories
// whose names match the mask's pattern are listed too. Never empties the list and
// never fails: a missing or unreadable folder adds nothing. Returns the list's count.
int32_t ListFiles(const Folders& folders, std::u16string_view mask, uint32_t filter, bool recurse,
                  SortedStringList& list);

// Opens `file` with the default action of its type, with the file's own folder as the
// working folder. Returns the shell's result code (above 32: opened).
int32_t ShellOpenFile(Shell& shell, std::u16string_view file, std::u16string_view parameters,
                      int32_t show);

// The user's temporary folder in its long form, ending in "\"; empty when there is none.
std::u16string GetTempDir(const Folders& folders);

// An OK/Cancel box of the kind 0 error, 1 warning, 2 information, 3 confirmation:
// 1 for OK, 2 for Cancel or a box closed any other way.
int32_t AskOkCancel(Dialogs& dialogs, std::u16string_view text, int32_t kind);

}  // namespace bnf
