// The 8-bit datasheet scanner. The text is what a PDF reader saves, so nothing in it is
// reliable beyond a few line shapes: the company line gives the footer pattern, footers
// give pages, "REGISTER " headings name registers, and the lines up to the next heading
// may describe that register's bits. Every step works on 1-based positions, as the line
// rules are stated that way.
#include "creator/datasheet8.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_utils.h"
#include "creator/datasheet_text.h"

namespace bnf {

namespace {

constexpr std::array<std::u16string_view, 7> kFilterWords = {
    u"FIGURE", u"NOTE", u"LEGEND", u"MICROCHIP", u"UNIMPL", u"......", u"="};

struct Scan {
  PageFooters footers;
  int64_t CurrentPage = -1;  // wide enough for a footer number of 2147483647 plus one
  std::u16string CurrentRegister;
  DeviceFilter devices;
};

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool InHeadingNameStart(char16_t c) {
  return c >= u'A' && c <= u'z';
}

// The 1-based character at `pos`, or 0 outside the text.
char16_t CharAt(std::u16string_view s, int64_t pos) {
  return pos >= 1 && pos <= static_cast<int64_t>(s.size()) ? s[static_cast<std::size_t>(pos - 1)]
                                                           : u'\0';
}

// Addresses, device lists and note references stand in parentheses; dropping them keeps
// the filter words from seeing them.
void RemoveParenthesised(std::u16string& line) {
  int32_t a = Pos(u"(", line);
  if (a == 0) return;
  int32_t b = LastPos(u")", line);
  if (b > a) {
    line.erase(static_cast<std::size_t>(a - 1), static_cast<std::size_t>(b - a + 1));
  } else {
    line = Head(line, a - 1);
  }
}

char16_t UpperChar(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// True when `word` (upper case) stands in `line` at index `at`, in any letter case.
bool WordAt(std::u16string_view line, std::size_t at, std::u16string_view word) {
  if (line.size() - at < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (UpperChar(line[at + i]) != word[i]) return false;
  }
  return true;
}

bool IsFiltered(std::u16string_view line) {
  // Most lines of a datasheet are prose without a colon: the cheap test first.
  if (!Holds(line, u":")) return true;
  // One pass over the line for all the words, no upper-cased copy.
  for (std::size_t at = 0; at < line.size(); ++at) {
    const char16_t first = UpperChar(line[at]);
    for (std::u16string_view word : kFilterWords) {
      if (word[0] == first && WordAt(line, at, word)) return true;
    }
  }
  return false;
}

bool IsConfigurationHeading(std::u16string_view text) {
  std::u16string upper = UpperCase(text);
  if (upper.size() > 6 && upper.starts_with(u"CONFIG") && IsDigit(upper[6])) return true;
  return upper.starts_with(u"CONFIGURATION");
}

void TakeHeading(CreatorState& s, Scan& scan, std::u16string line, LineReader& lines) {
  if (Holds(UpperCase(line), u"DEVICE")) return;
  // Short headings are the number alone; the name and description are on the next line.
  if (std::u16string_view more; line.size() < 16 && lines.Next(more)) line += more;
  std::u16string text = Tail(line, 10);
  std::size_t start = 0;
  while (start < text.size() && !InHeadingNameStart(text[start])) ++start;
  // Nothing name-like behind the heading number: passed over like a filtered line.
  if (start == text.size()) return;
  text = Tail(text, static_cast<int32_t>(start) + 1);
  scan.CurrentRegister = text;
  if (IsConfigurationHeading(text)) return;

  text = Trim(text);
  int32_t colon = Pos(u":", text);
  std::u16string name = colon > 0 ? Head(text, colon - 1) : text;
  std::u16string description = Trim(Tail(text, colon + 1));
  if (int32_t paren = LastPos(u"(", description); paren > 0) {
    description = Head(description, paren - 1);
  }
  scan.CurrentRegister = name;

  DeviceTables& t = s.tables;
  int32_t row = t.FindRegister(name);
  if (row >= 1 && row < t.RegCount()) {
    RegRow& reg = t.RegTable.At(row);
    reg.description = description;
    reg.page = IntToText(scan.CurrentPage);
  } else if (Holds(name, u"n") || Holds(name, u"x")) {
    t.NotFound.Append({name, IntToText(scan.CurrentPage)});
  }
}

// Tries one bit record against a bit line: the named-bit form, then, for a name ending
// in a digit and still without a description, the range and pair forms.
void TakeBitDescription(BitRow& bit, std::u16string_view line) {
  std::u16string n = bit.name;
  if (n.empty()) return;
  int32_t p = Pos(n, line);
  if (p == 0 && Holds(n, u"NOT_")) {
    n.erase(static_cast<std::size_t>(Pos(u"NOT_", n) - 1), 4);
    p = Pos(n, line);
  }
  if (n.empty()) return;
  const auto nameLength = static_cast<int32_t>(n.size());

  if (p > 0 && CharAt(line, int64_t{p} + nameLength) == u':') {
    int32_t c = Pos(u": ", line);
    if (c > 0 && UpperCase(GetWordAt(line, c)) == UpperCase(n + u":")) {
      bit.description = Tail(line, c + 2);
      return;
    }
  }
  if (!bit.description.empty()) return;
  if (!IsDigit(n.back())) return;
  std::u16string base = Head(n, nameLength - 1);
  const auto baseLength = static_cast<int64_t>(base.size());

  // "base<1:0>: text"
  int32_t g = Pos(u">", line);
  if (Holds(line, u"<") && g > 0 && CharAt(line, int64_t{g} + 1) == u':') {
    if (Holds(line, base)) bit.description = Tail(line, g + 2);
    return;
  }
  // "base1:base0: text": the second colon stands where a name as long as this one ends.
  int32_t c = Pos(u":", line);
  int64_t h = c + 2 + baseLength;
  if (c > baseLength + 1 && h < static_cast<int64_t>(line.size()) && CharAt(line, h) == u':') {
    bit.description = Trim(Tail(line, static_cast<int32_t>(h) + 1));
  }
}

// What TakeBitDescription's forms need of a bit line, found once for all the register's
// bits: with it most bits are ruled out without searching the line for their names.
struct BitLineShape {
  explicit BitLineShape(std::u16string_view line) : line(line) {
    if (int32_t c = Pos(u": ", line); c > 0) namedWord = GetWordAt(line, c);
    int32_t g = Pos(u">", line);
    rangeForm = Holds(line, u"<") && g > 0 && CharAt(line, int64_t{g} + 1) == u':';
    colon = Pos(u":", line);
  }

  // The named-bit form takes a description only when the word in front of the first
  // ": " is the name and a colon, in any letter case.
  bool MayName(std::u16string_view n) const {
    if (n.empty() || namedWord.size() != n.size() + 1 || namedWord.back() != u':') return false;
    for (std::size_t i = 0; i < n.size(); ++i) {
      if (UpperChar(n[i]) != UpperChar(namedWord[i])) return false;
    }
    return true;
  }
  // The range and pair forms need a name ending in a digit and a line of their shape.
  bool MayRange(std::u16string_view n) const {
    if (n.empty() || !IsDigit(n.back())) return false;
    if (rangeForm) return true;
    const auto baseLength = static_cast<int64_t>(n.size()) - 1;
    int64_t h = colon + 2 + baseLength;
    return colon > baseLength + 1 && h < static_cast<int64_t>(line.size()) &&
           CharAt(line, h) == u':';
  }
  // False only when TakeBitDescription would leave `bit` as it is: neither the name nor
  // the name without its "NOT_" (the one the forms try when the name is absent) fits.
  bool MayDescribe(const BitRow& bit) const {
    std::u16string_view n = bit.name;
    const bool tryRange = bit.description.empty();
    if (MayName(n) || (tryRange && MayRange(n))) return true;
    int32_t notAt = Pos(u"NOT_", n);
    if (notAt == 0) return false;
    std::u16string m(n);
    m.erase(static_cast<std::size_t>(notAt - 1), 4);
    return MayName(m) || (tryRange && MayRange(m));
  }

  std::u16string_view line;
  std::u16string namedWord;
  bool rangeForm = false;
  int32_t colon = 0;
};

void TakeBitLine(CreatorState& s, Scan& scan, std::u16string_view line) {
  if (scan.CurrentRegister.empty()) return;
  // The datasheets head this register OPTION while the include files call it OPTION_REG.
  if (scan.CurrentRegister == u"OPTION") scan.CurrentRegister = u"OPTION_REG";
  DeviceTables& t = s.tables;
  int32_t first = t.FindFirstBit4Reg(scan.CurrentRegister);
  if (first < 1) return;
  int32_t last = t.FindLastBit4Reg(scan.CurrentRegister, first);
  const BitLineShape shape(line);
  for (int32_t i = first; i <= last && i < t.BitCount(); ++i) {
    if (shape.MayDescribe(t.BitTable[i])) TakeBitDescription(t.BitTable.At(i), line);
  }
}

// One line of the file by the steps in their order; a short heading takes the next line
// from `lines` as its continuation.
void HandleLine(CreatorState& s, Scan& scan, std::u16string_view raw, LineReader& lines) {
  std::u16string_view trimmed = TrimmedView(raw);
  if (trimmed.empty() || IsPlainProse(scan.footers, trimmed)) return;
  std::u16string line(trimmed);
  std::optional<int32_t> footer;
  if (scan.footers.Take(line, footer)) {
    // The headings after a footer stand on the page that follows it.
    if (footer) scan.CurrentPage = int64_t{*footer} + 1;
    return;
  }
  // The device test sees the parenthesised device list; the filter words do not.
  const bool otherDevice = scan.devices.OtherDevice(line, s.req.DeviceNumber);
  RemoveParenthesised(line);
  if (otherDevice) return;
  if (IsFiltered(line)) return;
  if (StartsWithHeading(line)) {
    TakeHeading(s, scan, std::move(line), lines);
  } else {
    TakeBitLine(s, scan, line);
  }
}

}  // namespace

void ReadThePDF8(CreatorState& s, const TextFiles& files, MainView& view) {
  Scan scan;
  view.SetEnabled(Ctl::Button1, false);
  LineReader lines = files.Lines(s.req.PdfTextFile);  // a refused file changes nothing
  // Generic headings are a page source for this device only; rows of an earlier
  // datasheet would hand its pages to this device's registers.
  s.tables.NotFound.Clear();
  for (std::u16string_view line; lines.Next(line);) HandleLine(s, scan, line, lines);
  view.SetEnabled(Ctl::Button1, true);
}

}  // namespace bnf
