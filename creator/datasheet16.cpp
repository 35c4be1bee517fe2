// The 16-bit datasheet scanner. A line passes, in this order: the page footers, the
// "(PIC" device filter, the skip words; then it is a register heading or a candidate
// bit line. Unlike the 8-bit scanner it removes no parenthesised text and builds the
// bit records itself, since the KDX file gives none. Positions follow the 1-based text
// procedures of common/text_utils.h.
#include "creator/datasheet16.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/text_utils.h"
#include "creator/datasheet_text.h"

namespace bnf {

namespace {

bool StartsWith(std::u16string_view s, std::u16string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// The heading-name start range: A to z, which takes in [ \ ] ^ _ and the grave accent.
bool IsHeadingLetter(char16_t c) {
  return c >= u'A' && c <= u'z';
}

bool IsPlaceholderLetter(char16_t c) {
  return c == u'N' || c == u'X' || c == u'Y' || c == u'n' || c == u'x' || c == u'y';
}

// The datasheets say "Select bits" where the file wants one bit's "Select bit": the
// first "bits" loses its "s", wherever it stands.
std::u16string FirstBitsToBit(std::u16string text) {
  int32_t at = Pos(u"bits", text);
  if (at > 0) text.erase(static_cast<std::size_t>(at + 2), 1);
  return text;
}

// The text before a 1-based position's character, and after it.
std::u16string Before(std::u16string_view s, int32_t pos) {
  return Head(s, pos - 1);
}

struct BitName {
  std::u16string name;
  std::u16string number;
};

// What one bit line gives: its records in the order they are stored, all with the same
// description.
struct BitLineReading {
  std::vector<BitName> bits;
  std::u16string description;
};

// The two numbers of a range ("12-8") or list ("15,13") token.
struct NumberPair {
  int32_t first = 0;
  int32_t second = 0;
  bool isList = false;
  // The bits a range names, wide enough for any two 32-bit parts.
  int64_t Count() const { return int64_t{first} - second + 1; }
};

// Nothing when either part is not a decimal integer (a third list item, an empty
// part) or a range is longer than any register: such a line is passed over.
std::optional<NumberPair> ReadNumberPair(std::u16string_view token) {
  NumberPair pair;
  int32_t sep = Pos(u"-", token);
  if (sep == 0) {
    sep = Pos(u",", token);
    pair.isList = true;
  }
  if (!TryTextToInt(Before(token, sep), pair.first) ||
      !TryTextToInt(Tail(token, sep + 1), pair.second)) {
    return std::nullopt;
  }
  // A range of more bits than the whole bit table holds is no register's; spelled out
  // name by name it would exhaust the memory before the table's limit is reached.
  if (!pair.isList && pair.Count() > kBitCapacity) return std::nullopt;
  return pair;
}

// Names base + i + suffix at numbers second + i for a range; for a list only the two
// listed bits, base + "1" + suffix at the first number and base + "0" + suffix at the
// second, as the datasheets' "<1:0>" lists mean.
std::vector<BitName> NameBits(const NumberPair& numbers, std::u16string_view base,
                              std::u16string_view suffix) {
  auto named = [&](std::u16string_view index, int64_t number) {
    return BitName{std::u16string(base) + std::u16string(index) + std::u16string(suffix),
                   IntToText(number)};
  };
  if (numbers.isList) {
    return {named(u"1", numbers.first), named(u"0", numbers.second)};
  }
  std::vector<BitName> bits;
  for (int64_t i = 0; i < numbers.Count(); ++i) {
    bits.push_back(named(IntToText(i), numbers.second + i));
  }
  return bits;
}

// Splits the first name of a range without brackets around its number: the last digit,
// or the last two digits when the range has 10 or more bits and both are digits.
void SplitFirstName(std::u16string_view name, int64_t count, std::u16string& base,
                    std::u16string& suffix) {
  std::size_t last = name.size();
  while (last > 0 && !IsDigit(name[last - 1])) --last;
  if (last == 0) {
    base = std::u16string(name);
    suffix.clear();
    return;
  }
  std::size_t digit = last - 1;
  std::size_t start = (count >= 10 && digit > 0 && IsDigit(name[digit - 1])) ? digit - 1 : digit;
  base = std::u16string(name.substr(0, start));
  suffix = std::u16string(name.substr(digit + 1));
}

// The line scanned from the cursor that points behind the number token.
class BitLineReader {
 public:
  BitLineReader(const std::u16string& line, int32_t& tokenPos) : line_(line), pos_(tokenPos) {}

  std::optional<BitLineReading> Read() {
    pos_ = 1;
    NextToken(line_, pos_, u" ");
    std::u16string token = NextToken(line_, pos_, u" ");
    if (!Holds(token, u"-") && !Holds(token, u",")) return Single(token);
    std::optional<NumberPair> numbers = ReadNumberPair(token);
    if (!numbers) return std::nullopt;
    if (Holds(line_, u"<") && Holds(line_, u">")) return Bracketed(*numbers);
    return Unbracketed(*numbers);
  }

 private:
  // "bit 15 ADON: text": one character after the colon is dropped, nothing trimmed.
  BitLineReading Single(const std::u16string& number) {
    std::u16string name = NextToken(line_, pos_, u":");
    return {{BitName{std::move(name), number}}, Tail(line_, pos_ + 1)};
  }

  // "bit 12-8 CSS<12:8>: text": names count from 0 whatever the bracket says.
  BitLineReading Bracketed(const NumberPair& numbers) {
    std::u16string base = NextToken(line_, pos_, u"<");
    NextToken(line_, pos_, u">");
    std::u16string description = FirstBitsToBit(Trim(Tail(line_, pos_ + 1)));
    return {NameBits(numbers, base, u""), std::move(description)};
  }

  // "bit 7-5 SSRC2:SSRC0: text" and "bit 7-0 DATA: text".
  BitLineReading Unbracketed(const NumberPair& numbers) {
    std::u16string firstName = NextToken(line_, pos_, u":");
    std::u16string base;
    std::u16string suffix;
    SplitFirstName(firstName, numbers.Count(), base, suffix);
    std::u16string description = Tail(line_, Pos(u":", line_) + 1);
    int32_t second = Pos(u":", description);
    if (second > 0) {
      description = Tail(description, second + 1);
    } else {
      std::u16string lowest = base + u"0" + suffix;
      int32_t at = Pos(lowest, line_);
      if (at > 0) description = Trim(Tail(line_, at + static_cast<int32_t>(lowest.size()) + 1));
    }
    return {NameBits(numbers, base, suffix), FirstBitsToBit(std::move(description))};
  }

  const std::u16string& line_;
  int32_t& pos_;
};

// Fills the first row without a name from ixFrom on (the block's placeholder) with the
// bit and appends a new placeholder. The rows from ixFrom to just before `searchFrom`
// are known to hold names, so the walk starts there; it is moved on for the next call,
// which keeps a long range of bits from walking its growing block once per bit.
void AppendBit(DeviceTables& t, std::u16string_view sReg, std::u16string_view sBit,
               std::u16string_view sBitNum, std::u16string_view sDesc, int32_t ixFrom,
               int32_t& searchFrom) {
  if (ixFrom < 1 || t.BitTable[ixFrom].owner != sReg) return;
  int32_t i = std::max(ixFrom, searchFrom);
  while (i < t.BitCount() && !t.BitTable[i].name.empty()) ++i;
  std::u16string number(sBitNum);
  if (number.size() == 1) number.insert(number.begin(), u'0');
  BitRow bit{std::u16string(sReg), std::u16string(sBit), std::move(number), Trim(sDesc)};
  if (i < t.BitCount()) {
    t.BitTable.At(i) = std::move(bit);
  } else {
    t.BitTable.Append(std::move(bit));
  }
  searchFrom = t.BitTable[i].name.empty() ? i : i + 1;
  t.BitTable.Append(BitRow{std::u16string(sReg), {}, {}, {}});
}

// The rows of sReg's block from ixFrom on, in order, until another owner or the counter.
template <typename Visit>
void ForBlock(const DeviceTables& t, std::u16string_view sReg, int32_t ixFrom, Visit visit) {
  for (int32_t i = ixFrom; i >= 1 && i < t.BitCount() && t.BitTable[i].owner == sReg; ++i) {
    if (!visit(i)) return;
  }
}

// Gives the first record of each named bit in sReg's block the description, for every bit
// of a line at once: one walk over the block finds the first record of each name, so a
// long range does not walk the block once per bit.
void ReplaceBitDescs(DeviceTables& t, std::u16string_view sReg, const std::vector<BitName>& bits,
                     std::u16string_view sDesc, int32_t ixFrom) {
  std::unordered_map<std::u16string, int32_t> firstRow;
  for (const BitName& bit : bits) firstRow.try_emplace(bit.name, 0);
  ForBlock(t, sReg, ixFrom, [&](int32_t i) {
    auto wanted = firstRow.find(t.BitTable[i].name);
    if (wanted != firstRow.end() && wanted->second == 0) wanted->second = i;
    return true;
  });
  for (const auto& [name, row] : firstRow) {
    if (row > 0) t.BitTable.At(row).description = std::u16string(sDesc);
  }
}

// FindRegisterLike for a scan that asks for many headings while RegTable grows: per
// shape of the asked name (its length and where its placeholder letters stand), the
// first row of each name as that shape sees it. Rows appended since are added on the
// next question; a changed name or an emptied table starts the shapes afresh.
class RegisterLikeIndex {
 public:
  int32_t Find(const DeviceTables& t, std::u16string_view sRegPDF) {
    // The empty name is only met by rows without a name: the plain walk answers it.
    if (sRegPDF.empty()) return FindRegisterLike(t, sRegPDF);
    if (t.RegTable.KeyEpoch() != epoch_ || shapes_.size() > kMaxShapes) {
      shapes_.clear();
      epoch_ = t.RegTable.KeyEpoch();
    }
    std::u16string shape = ShapeOf(sRegPDF);
    Shape& entry = shapes_[shape];
    for (; entry.rowsSeen + 1 < t.RegCount(); ++entry.rowsSeen) {
      const std::u16string& name = t.RegTable[entry.rowsSeen + 1].name;
      if (name.size() == shape.size())
        entry.first.try_emplace(Masked(name, shape), entry.rowsSeen + 1);
    }
    auto found = entry.first.find(Masked(sRegPDF, shape));
    return found == entry.first.end() ? -1 : found->second;
  }

 private:
  // Kept small: an input with ever new shapes costs a walk per question, as without.
  static constexpr std::size_t kMaxShapes = 256;

  struct Shape {
    int32_t rowsSeen = 0;
    std::unordered_map<std::u16string, int32_t> first;
  };

  // One character per position: 1 where the name holds a placeholder letter.
  static std::u16string ShapeOf(std::u16string_view name) {
    std::u16string shape(name.size(), u'0');
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (IsPlaceholderLetter(name[i])) shape[i] = u'1';
    }
    return shape;
  }
  // The name with the shape's placeholder positions blanked out: two names of the shape's
  // length are alike exactly when their masked forms are equal.
  static std::u16string Masked(std::u16string_view name, std::u16string_view shape) {
    std::u16string masked(name);
    for (std::size_t i = 0; i < shape.size(); ++i) {
      if (shape[i] == u'1') masked[i] = u'\0';
    }
    return masked;
  }

  uint64_t epoch_ = 0;
  std::map<std::u16string, Shape> shapes_;
};

class Scanner {
 public:
  Scanner(CreatorState& s, LineReader& lines) : s_(s), t_(s.tables), lines_(lines) {}

  void Run() {
    for (std::u16string_view raw; lines_.Next(raw);) {
      std::u16string_view trimmed = TrimmedView(raw);
      if (trimmed.empty() || IsPlainProse(footers_, trimmed)) continue;
      std::u16string line(trimmed);
      HandleLine(line);
    }
  }

 private:
  void HandleLine(std::u16string& line) {
    std::optional<int32_t> footer;
    if (footers_.Take(line, footer)) {
      // Unlike the 8-bit road, a heading takes the footer's own number.
      if (footer) currentPage_ = *footer;
      return;
    }
    if (devices_.OtherDevice(line, s_.req.DeviceNumber)) return;
    // Skipped anyway; most lines of a datasheet are prose without a colon.
    if (!Holds(line, u":")) return;
    if (Skipped(line)) return;
    if (StartsWithHeading(line)) {
      Heading(line);
    } else {
      BitLine(line);
    }
  }

  // Words in any letter case, looked for without an upper-cased copy of the line.
  static bool Skipped(std::u16string_view line) {
    auto startsWith = [&](std::u16string_view word) {
      return HoldsUpperCased(line.substr(0, word.size()), word);
    };
    return startsWith(u"FIGURE") || startsWith(u"NOTE") || startsWith(u"LEGEND") ||
           HoldsUpperCased(line, u"MICROCHIP") || HoldsUpperCased(line, u"UNIMPL") ||
           Holds(line, u"......") || !Holds(line, u":");
  }

  // The rest of the file's next line as it stands, or nothing at the end of the file.
  std::u16string_view NextRawLine() {
    std::u16string_view line;
    return lines_.Next(line) ? line : std::u16string_view();
  }

  static bool NamesNoRegister(std::u16string_view upper) {
    bool config = upper.size() > 6 && StartsWith(upper, u"CONFIG") && IsDigit(upper[6]);
    return config || Holds(upper, u"CONFIGURATION WORD") || Holds(upper, u"DEVICE ID") ||
           Holds(upper, u"DEVICE REVISION");
  }

  void Heading(std::u16string line) {
    if (Holds(UpperCase(line), u"DEVICE")) return;
    if (line.size() < 16) line += NextRawLine();
    std::u16string text = Tail(line, 10);
    std::size_t letter = 0;
    while (letter < text.size() && !IsHeadingLetter(text[letter])) ++letter;
    if (letter == text.size()) return;
    text.erase(0, letter);
    currentRegister_ = text;
    if (NamesNoRegister(UpperCase(text))) return;
    text = Trim(text);
    int32_t colon = Pos(u":", text);
    std::u16string name = colon > 0 ? Before(text, colon) : text;
    std::u16string description = colon > 0 ? Trim(Tail(text, colon + 1)) : text;
    int32_t remark = LastPos(u"(", description);
    if (remark > 0) description = Before(description, remark);
    currentRegister_ = name;
    RecordHeading(name, description);
  }

  // The register's own row, else a generic row of its own beside the registers it
  // stands for, else a NotFound row.
  void RecordHeading(const std::u16string& name, const std::u16string& description) {
    std::u16string page = IntToText(currentPage_);
    int32_t row = t_.FindRegister(name);
    if (row > 0) {
      t_.RegTable.At(row).description = description;
      t_.RegTable.At(row).page = page;
    } else if (registersLike_.Find(t_, name) > 0) {
      t_.RegTable.Append(RegRow{name, {}, description, page});
    } else {
      t_.NotFound.Append(NotFoundRow{name, page});
    }
  }

  // The first record of the current register's block, made with its placeholder when
  // the register has none yet; -1 when the register is not in RegTable at all.
  int32_t Block() {
    int32_t first = t_.FindRegisterInBit(currentRegister_);
    if (first > 0) return first;
    if (t_.FindRegister(currentRegister_) < 1) return -1;
    first = t_.BitCount();
    t_.BitTable.Append(BitRow{currentRegister_, {}, {}, {}});
    lastNewRegister_ = currentRegister_;
    return first;
  }

  void BitLine(const std::u16string& line) {
    if (currentRegister_.empty()) return;
    if (currentRegister_ == u"OPTION") currentRegister_ = u"OPTION_REG";
    if (StartsWith(line, u"bit 15 bit 8") || StartsWith(line, u"bit 7 bit 0")) return;
    if (!StartsWith(line, u"bit ")) return;
    int32_t block = Block();
    if (block < 1) return;
    // Only the register whose block was made last can grow; a register met again
    // later only has its bits' descriptions refreshed.
    bool append = currentRegister_ == lastNewRegister_;
    std::optional<BitLineReading> reading = BitLineReader(line, s_.TokenPos).Read();
    if (!reading) return;
    if (!append) {
      ReplaceBitDescs(t_, currentRegister_, reading->bits, reading->description, block);
      return;
    }
    if (appendBlock_ != block) {
      appendBlock_ = block;
      appendFrom_ = block;
    }
    for (const BitName& bit : reading->bits) {
      AppendBit(t_, currentRegister_, bit.name, bit.number, reading->description, block,
                appendFrom_);
    }
  }

  CreatorState& s_;
  DeviceTables& t_;
  LineReader& lines_;
  PageFooters footers_;
  int32_t currentPage_ = -1;
  std::u16string currentRegister_;
  std::u16string lastNewRegister_;
  DeviceFilter devices_;
  RegisterLikeIndex registersLike_;
  // Where AppendBit's walk for the block at appendBlock_ may start (see AppendBit).
  int32_t appendBlock_ = 0;
  int32_t appendFrom_ = 0;
};

}  // namespace

void ReadThePDF16(CreatorState& s, const TextFiles& files, MainView& view) {
  view.SetEnabled(Ctl::Button1, false);
  LineReader lines = files.Lines(s.req.PdfTextFile);
  Scanner(s, lines).Run();
  view.SetEnabled(Ctl::Button1, true);
}

int32_t FindRegisterLike(const DeviceTables& tables, std::u16string_view sRegPDF) {
  for (int32_t row = 1; row <= tables.RegCount(); ++row) {
    const std::u16string& name = tables.RegTable[row].name;
    if (name.size() != sRegPDF.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < name.size(); ++i) {
      same = name[i] == sRegPDF[i] || IsPlaceholderLetter(sRegPDF[i]);
    }
    if (same) return row;
  }
  return -1;
}

}  // namespace bnf
