// The 8-bit datasheet scanner: reads the device's converted datasheet text once and
// takes register descriptions and pages, bit descriptions and the generic register
// headings (names with a lower-case n or x placeholder) from it.
#pragma once

#include "common/text_file.h"
#include "creator/creator_state.h"
#include "creator/main_view.h"

namespace bnf {

// Scans the file named by PdfTextFile against RegTable and BitTable (filled by the
// include reader) and DeviceNumber. Starts NotFound afresh, so generic headings come from
// this datasheet only. Button1 is disabled while the scan runs and enabled at its end.
// Throws FileError when the file cannot be read (Button1 then stays disabled) and
// CapacityError when NotFound is full.
void ReadThePDF8(CreatorState& s, const TextFiles& files, MainView& view);

}  // namespace bnf
