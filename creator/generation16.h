// The 16-bit generation's writer: the BitName file's lines from RegisterList and the
// tables the KDX reader and the 16-bit scanner filled, and the generic-register lookup
// that lends a register without a heading of its own the description and bits of its
// generic form (U2MODE takes those of UxMODE). TfBNF::Doe16Bit runs the whole road.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "creator/creator_state.h"
#include "creator/device_tables.h"
#include "platform/platform.h"

namespace bnf {

// The first BitTable row (1 to BitCount) whose owner, letter case of a-z aside, is
// sAReg with one digit replaced by X, else by Y; the leftmost digit that finds a row
// wins. -1 for an empty name or when no candidate is found.
int32_t FindGenericRegisterInBit(const DeviceTables& tables, std::u16string_view sAReg);

// Empties WorkList, switches its sorting off and fills it with the 16-bit file's lines:
// the header, an empty line, then one register block per RegisterList entry. Shows a
// message for every generic register's bit that has no description. The caller
// switches sorting on again. True when the lines hold at least one register line.
bool Write16BitLines(CreatorState& s, Dialogs& dialogs);

}  // namespace bnf
