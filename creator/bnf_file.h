// The BitName file: its name, line forms and the 8-bit writer. Both roads write with
// these line forms; the files are saved in the ANSI code page with CR LF line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "creator/device_tables.h"

namespace bnf {

inline constexpr std::u16string_view kBnfHeader = u"** BITNAMES **";

// AddBackslash(folder) + "P" + deviceType + ".bnf".
std::u16string BnfFileName(std::u16string_view folder, std::u16string_view deviceType);

// name="description" followed by " 0x<address>" when `withAddress` and
// " (page <page>)" when page is not empty. The description is written as given.
std::u16string RegisterLine(std::u16string_view name, std::u16string_view description,
                            std::u16string_view address, bool withAddress,
                            std::u16string_view page);
// bitname=register.number,"description"
std::u16string BitLine(std::u16string_view bitName, std::u16string_view regName,
                       std::u16string_view number, std::u16string_view description);

// The 8-bit file's lines: the header, then per named RegTable row its register line
// (address and page parts when not empty), the first run of its bit rows and an empty
// line. Descriptions are trimmed; rows with an empty name give no line at all.
std::vector<std::u16string> Write8BitLines(const DeviceTables& tables);

}  // namespace bnf
