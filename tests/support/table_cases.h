// Device tables as text, and the case files in tests/data/creator that drive the table-in,
// table-out tests. A row is one line: "R name|address|description|page",
// "B owner|name|number|description", "N name|page" (rows 1 to the counter less one).
// A case file holds cases, each "=== name" followed by sections "-- word" and their lines;
// "# " at the start of a line is a comment, "{tab}" stands for a tab, "{sp}" for a blank,
// "{uXXXX}" for that character, and a line "{empty}" for an empty line that ends a
// section (other empty lines at a section's end only separate cases).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "creator/device_tables.h"

namespace bnf::test {

using Texts = std::vector<std::u16string>;

std::string Narrow(std::u16string_view s);
std::u16string Widen(std::string_view s);

Texts TablesAsText(const DeviceTables& t);
// Appends the R, B and N rows of `rows` (other lines are left for the caller).
void AppendRows(DeviceTables& t, const Texts& rows);
// Lines starting with `prefix`, less the prefix.
Texts Tagged(const Texts& lines, std::u16string_view prefix);
// The text's parts between "|" (one part for a text without one).
Texts Fields(std::u16string_view text);

struct Case {
  std::string name;
  std::map<std::string, Texts> sections;
  const Texts& operator[](const std::string& section) const;
};

// The cases of tests/data/creator/<file>.
std::vector<Case> ReadCases(std::string_view file);

}  // namespace bnf::test
