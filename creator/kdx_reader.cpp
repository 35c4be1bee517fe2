// The KDX device file as this tool sees it: any lines, a line holding "[REGSTART"
// (any letter case), register lines "NAME EQU 0Xhhhh" up to a line holding "[REGEND]"
// (exact case), then a bit section that is passed over. The end of the file ends the
// reading wherever it comes.
#include "creator/kdx_reader.h"

#include <cstddef>
#include <vector>

#include "common/text_utils.h"

namespace bnf {

namespace {

constexpr std::u16string_view kRegStart = u"[REGSTART";
constexpr std::u16string_view kRegEnd = u"[REGEND]";
constexpr std::u16string_view kEqu0x = u" EQU 0X";
constexpr char16_t kRegisterSeparator = u'\u00FF';

// Index of the first line whose upper-case form holds "[REGSTART"; lines.size() when
// none does.
std::size_t FindRegisterSection(const std::vector<std::u16string>& lines) {
  std::size_t i = 0;
  while (i < lines.size() && !Holds(UpperCase(lines[i]), kRegStart)) ++i;
  return i;
}

bool IsRegisterLine(std::u16string_view line) {
  return !IsBlank(line) && line.front() != u';';
}

// Name and address of one register line. The address is the four characters after
// " EQU 0X", trimmed and without a trailing apostrophe (a comment glued to a short
// address). A line without " EQU 0X" is cut the same way at position 0, which makes
// the whole line the name; the files are not expected to hold such lines.
RegRow ReadRegisterLine(std::u16string_view line) {
  std::u16string compressed = CompressSpaces(line);
  int32_t at = Pos(kEqu0x, UpperCase(compressed));
  std::u16string address = Trim(Head(Tail(compressed, at + 7), 4));
  if (!address.empty() && address.back() == u'\'') address.pop_back();
  std::u16string name = Trim(at > 0 ? Head(compressed, at - 1) : compressed);
  return RegRow{std::move(name), std::move(address), {}, {}};
}

void StartFreshDevice(CreatorState& s) {
  s.tables.EmptyRegistersAndBits();
  s.RegisterList.Clear();
}

}  // namespace

std::u16string KdxFileName(std::u16string_view kdxDir, std::u16string_view sDevice) {
  std::u16string type = Trim(UpperCase(sDevice));
  if (type.empty()) return {};
  if (type.front() != u'P') type.insert(type.begin(), u'P');
  return std::u16string(kdxDir) + type + u".KDX";
}

std::u16string RegisterListEntry(std::u16string_view name, std::u16string_view address) {
  std::u16string entry(name);
  entry += kRegisterSeparator;
  entry += address;
  entry += kRegisterSeparator;
  return entry;
}

KdxOutcome GetTheKDX(CreatorState& s, const TextFiles& files, std::u16string_view sDevice) {
  std::u16string path = KdxFileName(s.dirs.KdxDir, sDevice);
  if (path.empty() || !files.Exists(path)) return KdxOutcome::NoFile;
  s.req.DeviceNumber = std::u16string(sDevice);
  std::vector<std::u16string> lines = files.ReadLines(path);
  std::size_t i = FindRegisterSection(lines);
  if (i == lines.size()) return KdxOutcome::NoRegisterSection;
  StartFreshDevice(s);
  for (++i; i < lines.size() && !Holds(lines[i], kRegEnd); ++i) {
    if (!IsRegisterLine(lines[i])) continue;
    const RegRow& row = s.tables.RegTable.Append(ReadRegisterLine(lines[i]));
    s.RegisterList.Add(RegisterListEntry(row.name, row.address));
  }
  return KdxOutcome::Read;
}

}  // namespace bnf
