// The BitName file's name and line forms, shared by both writers, and the 8-bit
// writer's lines. Descriptions go between the quotes unescaped: the IDE reads the
// files as they have always been written.
#include "creator/bnf_file.h"

#include "common/text_utils.h"

namespace bnf {

std::u16string BnfFileName(std::u16string_view folder, std::u16string_view deviceType) {
  return AddBackslash(folder) + u"P" + std::u16string(deviceType) + u".bnf";
}

std::u16string RegisterLine(std::u16string_view name, std::u16string_view description,
                            std::u16string_view address, bool withAddress,
                            std::u16string_view page) {
  std::u16string line(name);
  line += u"=\"";
  line += description;
  line += u'"';
  if (withAddress) {
    line += u" 0x";
    line += address;
  }
  if (!page.empty()) {
    line += u" (page ";
    line += page;
    line += u')';
  }
  return line;
}

std::u16string BitLine(std::u16string_view bitName, std::u16string_view regName,
                       std::u16string_view number, std::u16string_view description) {
  std::u16string line(bitName);
  line += u'=';
  line += regName;
  line += u'.';
  line += number;
  line += u",\"";
  line += description;
  line += u'"';
  return line;
}

namespace {

// Only the first run of the register's bit rows: a second block under the same owner
// (a register whose bits came under two headings) is left out, as in every file so far.
void AddFirstBitRun(const DeviceTables& tables, const std::u16string& regName,
                    std::vector<std::u16string>& lines) {
  int32_t first = tables.FindFirstBit4Reg(regName);
  if (first < 1) return;
  for (int32_t i = first; i < tables.BitCount() && tables.BitTable[i].owner == regName; ++i) {
    const BitRow& bit = tables.BitTable[i];
    lines.push_back(BitLine(bit.name, regName, bit.number, Trim(bit.description)));
  }
}

}  // namespace

std::vector<std::u16string> Write8BitLines(const DeviceTables& tables) {
  std::vector<std::u16string> lines{std::u16string(kBnfHeader)};
  for (int32_t r = 1; r < tables.RegCount(); ++r) {
    const RegRow& reg = tables.RegTable[r];
    if (reg.name.empty()) continue;
    lines.push_back(
        RegisterLine(reg.name, Trim(reg.description), reg.address, !reg.address.empty(), reg.page));
    AddFirstBitRun(tables, reg.name, lines);
    lines.emplace_back();
  }
  return lines;
}

}  // namespace bnf
