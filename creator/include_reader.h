// Reads a device's MPASM include file (8-bit families) into the register and bit
// tables and sets DeviceNumber.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/text_file.h"
#include "creator/creator_state.h"

namespace bnf {

// The 8-bit folders searched for include files, in order, skipping empty ones: the four
// of the installed assemblers, then the folder the user located (MPAsmDir).
std::vector<std::u16string> IncludeFolders(const Directories& dirs);

// The include file "P<type>.inc" in the first of IncludeFolders that holds it (letter
// case not counting); empty when none does.
std::u16string FindIncludeFile(const CreatorState& s, const TextFiles& files,
                               std::u16string_view sDevice);

// The device text that the datasheet scanners look for in "(PIC" headings: the part
// after the first upper-case F, else after the first upper-case C, else a sentinel.
std::u16string DeviceNumberOf(std::u16string_view sDevice);

// Fills RegTable and BitTable from the device's include file. Returns silently,
// changing nothing but WorkList, when the type is blank or no folder holds the file.
// A file that ends before its markers keeps the rows read until then. Throws
// FileError when the file cannot be read, CapacityError when a table is full.
void GetInc(CreatorState& s, const TextFiles& files, std::u16string_view sDevice);

}  // namespace bnf
