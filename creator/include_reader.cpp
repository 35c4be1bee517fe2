// Reads an MPASM include file: the preamble up to the register marker, one register
// row per register line, then the bit lines grouped by their Bits headings up to the
// ";======" end marker. Markers are found in any letter case. Bit lines of a heading
// are stored in the order the sorted WorkList gives them.
#include "creator/include_reader.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "common/text_utils.h"
#include "creator/datasheet_text.h"

namespace bnf {

namespace {

constexpr std::u16string_view kNoDeviceNumber = u"Silly value that will never show up anyway";
constexpr std::u16string_view kEquH = u" EQU H";

// Up to `count` characters from the 1-based position `from` (positions below 1 count
// as 1), as Head(Tail(s, from), count) cuts them.
std::u16string_view Mid(std::u16string_view s, int32_t from, int32_t count) {
  std::size_t start = from < 1 ? 0 : static_cast<std::size_t>(from - 1);
  if (start >= s.size() || count < 1) return {};
  return s.substr(start, std::min(static_cast<std::size_t>(count), kMaxTail));
}

// The value field behind " EQU H" and one more character (the apostrophe, or the
// blank that replaced it). Without " EQU H" the cut falls on characters 7 to 10,
// which is how such a line has always been read.
std::u16string_view ValueField(std::u16string_view line, std::u16string_view upperLine) {
  return Mid(line, Pos(kEquH, upperLine) + 7, 4);
}

// The register named by an upper-cased Bits heading: the text after its first blank
// (the whole line when it has none), cut before " BITS"; empty without " BITS".
std::u16string HeadingOwner(std::u16string_view upperHeading) {
  std::u16string rest = Tail(upperHeading, Pos(u" ", upperHeading) + 1);
  return Head(rest, Pos(u" BITS", rest) - 1);
}

RegRow RegisterRow(std::u16string_view line) {
  std::u16string compressed = CompressSpaces(line);
  std::u16string upper = UpperCase(compressed);
  std::u16string address = Trim(ValueField(compressed, upper));
  if (!address.empty() && address.back() == u'\'') address.pop_back();
  int32_t equ = Pos(kEquH, upper);
  std::u16string name = Trim(equ > 0 ? Head(compressed, equ) : compressed);
  return RegRow{std::move(name), std::move(address), {}, {}};
}

// "OWNER;number;NAME" for a processed bit line (compressed, unquoted, trimmed, upper).
std::u16string BitEntry(std::u16string_view owner, std::u16string_view line) {
  std::u16string_view bitName = line.substr(0, static_cast<std::size_t>(Pos(u" ", line)));
  if (!bitName.empty()) bitName.remove_suffix(1);
  int32_t value = HexToInt(std::u16string(u"$").append(ValueField(line, line)));
  std::u16string number = IntToText(value);
  std::u16string entry;
  entry.reserve(owner.size() + number.size() + bitName.size() + 2);
  return entry.append(owner).append(u";").append(number).append(u";").append(bitName);
}

// A bit line as BitEntry reads it: UpperCase(Trim(QuotesToSpaces(CompressSpaces(line))))
// made in one pass into `out`, whose memory serves every line. The blanks an apostrophe
// becomes are not compressed, as they appear only after the compression.
void BitLineText(std::u16string_view line, std::u16string& out) {
  out.clear();
  bool afterBlank = false;
  for (char16_t c : line) {
    if (c == u'\t') c = u' ';
    if (c == u' ' && afterBlank) continue;
    afterBlank = c == u' ';
    if (c == u'\'') c = u' ';
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    out += c;
  }
  std::u16string_view trimmed = TrimmedView(out);
  if (trimmed.size() == out.size()) return;
  const auto first = static_cast<std::size_t>(trimmed.data() - out.data());
  out.erase(first + trimmed.size()).erase(0, first);
}

// Moves a heading's gathered bit entries through WorkList, which orders them (and drops
// an entry equal to an earlier one), into BitTable. WorkList is left empty, as it is once
// a heading is stored, even when a table is full.
void FlushWorkList(CreatorState& s, std::vector<std::u16string>& pending) {
  s.WorkList.AddAll(std::move(pending));
  pending.clear();
  std::vector<std::u16string> entries = s.WorkList.TakeAll();
  for (const std::u16string& entry : entries) {
    s.TokenPos = 1;
    std::u16string owner = NextToken(entry, s.TokenPos, u";");
    std::u16string number = NextToken(entry, s.TokenPos, u";");
    std::u16string name = NextToken(entry, s.TokenPos, u";");
    s.tables.BitTable.Append(BitRow{std::move(owner), std::move(name), std::move(number), {}});
  }
}

// False when the file ends before the register marker.
bool SkipPreamble(LineReader& in) {
  std::u16string_view line;
  while (in.Next(line)) {
    std::u16string upper = UpperCase(line);
    if (Holds(upper, u"REGISTER FILES") || Holds(upper, u"---BANK")) return true;
  }
  return false;
}

// Appends the register rows; returns the first Bits heading as read, or nothing when
// the file ends first (the rows read so far stay).
std::optional<std::u16string> ReadRegisters(DeviceTables& tables, LineReader& in) {
  std::u16string_view line;
  while (in.Next(line)) {
    if (IsBlank(line)) continue;
    // Before the comment test: the heading counts whatever its first character is.
    if (Holds(UpperCase(line), u"BITS")) return std::u16string(line);
    if (line[0] == u';') continue;
    tables.RegTable.Append(RegisterRow(line));
  }
  return std::nullopt;
}

// The first heading is cut as read, neither compressed nor trimmed: extra blanks after
// its dashes end up in the owner, as they always have.
std::u16string FirstHeadingOwner(std::u16string_view heading) {
  if (heading.empty() || heading[0] != u';') return {};
  return HeadingOwner(UpperCase(heading));
}

void ReadBits(CreatorState& s, LineReader& in, std::u16string owner) {
  bool ended = false;
  std::u16string_view line;
  std::u16string l;
  std::vector<std::u16string> pending;
  while (!ended && in.Next(line)) {
    BitLineText(line, l);
    if (l.empty()) continue;
    if (Holds(l, u";======")) ended = true;
    if (l[0] != u';') {
      pending.push_back(BitEntry(owner, l));
    } else if (Holds(l, u"BITS")) {
      FlushWorkList(s, pending);
      owner = HeadingOwner(l);
    }
  }
  FlushWorkList(s, pending);
}

}  // namespace

std::vector<std::u16string> IncludeFolders(const Directories& dirs) {
  std::vector<std::u16string> folders;
  for (const std::u16string* dir :
       {&dirs.Mplab8Dir, &dirs.MplabXXpDir, &dirs.MplabX32Dir, &dirs.MplabX64Dir}) {
    if (!dir->empty()) folders.push_back(*dir);
  }
  // The folder the user located keeps serving after the click that located it, also
  // in later runs, since the tool stores it with its settings.
  if (!IsBlank(dirs.MPAsmDir)) folders.push_back(AddBackslash(dirs.MPAsmDir));
  return folders;
}

std::u16string FindIncludeFile(const CreatorState& s, const TextFiles& files,
                               std::u16string_view sDevice) {
  std::u16string name = Trim(UpperCase(sDevice));
  if (name.empty()) return {};
  if (name[0] != u'P') name = std::u16string(1, u'P').append(name);
  for (const std::u16string& dir : IncludeFolders(s.dirs)) {
    std::u16string path = dir + name + u".inc";
    if (files.Exists(path)) return path;
  }
  return {};
}

std::u16string DeviceNumberOf(std::u16string_view sDevice) {
  for (std::u16string_view letter : {u"F", u"C"}) {
    int32_t at = Pos(letter, sDevice);
    if (at > 0) return Tail(sDevice, at + 1);
  }
  return std::u16string(kNoDeviceNumber);
}

void GetInc(CreatorState& s, const TextFiles& files, std::u16string_view sDevice) {
  s.WorkList.Clear();
  std::u16string path = FindIncludeFile(s, files, sDevice);
  if (path.empty()) return;
  s.req.DeviceNumber = DeviceNumberOf(sDevice);
  LineReader in = files.Lines(path);  // a refused file leaves the tables as they were
  s.tables.EmptyRegistersAndBits();
  if (!SkipPreamble(in)) return;
  std::optional<std::u16string> heading = ReadRegisters(s.tables, in);
  if (!heading) return;
  ReadBits(s, in, FirstHeadingOwner(*heading));
}

}  // namespace bnf
