// Reads a 16-bit device's KDX device file: the register names and addresses of its
// register section go into RegTable and the sorted RegisterList, and the device type
// becomes DeviceNumber. The file's bit section is not used: on this road bit names
// and descriptions come from the converted datasheet.
#pragma once

#include <string>
#include <string_view>

#include "common/text_file.h"
#include "creator/creator_state.h"

namespace bnf {

// What GetTheKDX found; the generation tells the user when it is not Read.
enum class KdxOutcome {
  Read,               // the register section was read into the tables
  NoFile,             // blank device type, or no such file: nothing changed
  NoRegisterSection,  // the file holds no "[REGSTART" line: the tables are unchanged
};

// KdxDir + "P" + the upper-cased, trimmed type (no second P) + ".KDX"; empty for a
// blank type.
std::u16string KdxFileName(std::u16string_view kdxDir, std::u16string_view sDevice);

// Entry of RegisterList for one register: name, U+00FF, address, U+00FF.
std::u16string RegisterListEntry(std::u16string_view name, std::u16string_view address);

// Reads the device's KDX file. Once its register section is found, RegTable, BitTable
// and RegisterList are emptied and refilled with one row and one entry per register
// line. Throws FileError when the file cannot be read, CapacityError when RegTable is
// full.
KdxOutcome GetTheKDX(CreatorState& s, const TextFiles& files, std::u16string_view sDevice);

}  // namespace bnf
