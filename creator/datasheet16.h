// The 16-bit datasheet scanner: reads a 16-bit device's converted datasheet once and
// takes register descriptions and pages from its headings and every bit record (name,
// two-digit number, description) from its "bit ..." lines. Each register's records form
// one block in BitTable that ends in a placeholder record holding only the owner.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/text_file.h"
#include "creator/creator_state.h"
#include "creator/device_tables.h"
#include "creator/main_view.h"

namespace bnf {

// Scans PdfTextFile into the tables that the KDX reader left. Button1 is disabled while
// it runs. Throws FileError when the file cannot be read (Button1 then stays disabled)
// and CapacityError when a table is full; what was stored until then stays.
void ReadThePDF16(CreatorState& s, const TextFiles& files, MainView& view);

// First RegTable row (1 to RegCount) of the same length as sRegPDF that differs from it
// only where sRegPDF holds a placeholder letter (N, X, Y, n, x, y); -1 when none.
int32_t FindRegisterLike(const DeviceTables& tables, std::u16string_view sRegPDF);

}  // namespace bnf
