// Builds the benchmark devices. Registers come in families of four (QAB1CON ...
// QAB4CON); some members have their own datasheet heading, the others only a generic
// one (QABnCON on the 8-bit road, QABxCON on the 16-bit road), so every fallback of
// both generations has work. Prose fills the datasheet to about 5.3 KB per register,
// as in a real datasheet, where most lines are text the scanners pass over.
#include "bench/inputs.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace bnf::bench {

namespace {

constexpr int kMembers = 4;
constexpr int kProseLinesPerFamily = 210;
constexpr int kLinesPerPage = 60;
constexpr std::string_view kCompany = "\xA9 2013 Microchip Technology Inc.";
constexpr std::string_view kDocument = "DS40009999A";

// A fixed sequence of pseudo-random numbers, so every run reads the same text.
class Lcg {
 public:
  uint32_t Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

 private:
  uint32_t state_ = 12345u;
};

std::string Family(int f) {
  std::string name = "Q";
  // From the 677th family on (48x) a third letter keeps the names apart.
  if (f >= 26 * 26) name += static_cast<char>('A' + f / (26 * 26) - 1);
  name += static_cast<char>('A' + f / 26 % 26);
  name += static_cast<char>('A' + f % 26);
  return name;
}

std::string Member(int f, int m, std::string_view suffix) {
  return Family(f) + std::to_string(m) + std::string(suffix);
}

std::string Hex4(int value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out(4, '0');
  for (int i = 3; i >= 0; --i, value >>= 4) out[static_cast<std::size_t>(i)] = kDigits[value & 15];
  return out;
}

// Writes lines with CR LF and page footers every kLinesPerPage lines.
class Text {
 public:
  void Line(std::string_view line) {
    out_ += line;
    out_ += "\r\n";
    if (++lines_ % kLinesPerPage == 0) Footer();
  }
  void Footer() {
    ++page_;
    out_ += std::string(kDocument) + "-page " + std::to_string(page_) + " Preliminary " +
            std::string(kCompany) + "\r\n\r\n";
    ++page_;
    out_ += std::string(kCompany) + " Preliminary " + std::string(kDocument) + "-page " +
            std::to_string(page_) + "\r\n";
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
  int lines_ = 0;
  int page_ = 1;
};

constexpr std::array<std::string_view, 24> kWords = {
    "the",   "module",   "register", "bit",       "clock",  "is",       "when",  "enabled",
    "input", "output",   "value",    "interrupt", "flag",   "selected", "by",    "of",
    "reset", "software", "hardware", "cleared",   "signal", "period",   "timer", "channel"};

void Prose(Text& text, Lcg& rnd, int lines) {
  for (int i = 0; i < lines; ++i) {
    std::string line;
    while (line.size() < 80) {
      line += kWords[static_cast<std::size_t>(rnd.Below(kWords.size()))];
      line += ' ';
    }
    // Some prose holds a colon, so the scanners take it for a bit line.
    if (rnd.Below(20) == 0) line += ": see the table below";
    text.Line(line);
  }
}

void Preamble(Text& text, std::string_view title) {
  text.Line(title);
  text.Line("General Purpose Flash Microcontrollers, generated for the benchmarks");
  text.Line("");
  text.Line(std::string(kCompany) + " Preliminary " + std::string(kDocument));
}

void Contents(Text& text, int families, std::string_view suffix) {
  text.Line("Table of Contents");
  for (int f = 0; f < families; ++f) {
    text.Line("Register " + std::to_string(f + 1) + "-1: " + Member(f, 1, suffix) + ": " +
              Family(f) + "1 Control Register ........................................ " +
              std::to_string(100 + f));
  }
}

// ---- 8-bit ------------------------------------------------------------------------

// The include file's bit names of one member: bit number and name.
struct IncBit {
  int number;
  std::string name;
};

std::vector<IncBit> IncBits(int f, int m) {
  std::string reg = Family(f) + std::to_string(m);
  std::vector<IncBit> bits = {{7, Family(f) + "ON"}, {6, Family(f) + "EN"}};
  for (int b = 5; b >= 0; --b) bits.push_back({b, reg + "B" + std::to_string(b)});
  for (int b = 7; b >= 0; --b) bits.push_back({b, reg + "A" + std::to_string(b)});
  for (int b = 4; b >= 0; --b) bits.push_back({b, reg + "D" + std::to_string(b)});
  return bits;
}

void Heading8(Text& text, int f, int m, std::string_view qualifier, int number) {
  std::string reg = Member(f, m, "CON");
  text.Line("REGISTER " + std::to_string(f + 1) + "-" + std::to_string(number) + ": " + reg + ": " +
            Family(f) + std::to_string(m) + " CONTROL REGISTER" + std::string(qualifier));
  text.Line("R/W-0/0 R/W-0/0 R/W-0/0 R/W-0/0 R/W-0/0 R/W-0/0 R/W-0/0 R/W-0/0");
  text.Line("bit 7 bit 0");
  text.Line("Legend:");
  text.Line("R = Readable bit W = Writable bit U = Unimplemented bit, read as '0'");
  text.Line("bit 7 " + Family(f) + "ON: " + Family(f) + " Module Enable bit");
  text.Line("1 = The module is enabled");
  text.Line("0 = The module is disabled");
  text.Line("bit 6 " + Family(f) + "EN: " + Family(f) + " Output Enable bit");
  for (int b = 5; b >= 0; --b) {
    text.Line("bit " + std::to_string(b) + " " + Family(f) + std::to_string(m) + "B" +
              std::to_string(b) + ": Control bit " + std::to_string(b) + " of " + reg);
    text.Line("1 = Set");
  }
  text.Line("Note 1: The bits of this register are cleared on any device Reset.");
}

void Generic8(Text& text, int f) {
  text.Line("REGISTER " + std::to_string(f + 1) + "-5: " + Family(f) + "nCON: " + Family(f) +
            "n CONTROL REGISTER");
  text.Line("bit 7 " + Family(f) + "ON: " + Family(f) + " Module Enable bit");
  text.Line("bit 6 " + Family(f) + "EN: " + Family(f) + " Output Enable bit");
}

std::string Include8(int families) {
  std::string inc =
      "        LIST\r\n; Generated include file for the benchmarks\r\n"
      ";----- Register Files -----------------------------------------------\r\n";
  for (int f = 0; f < families; ++f) {
    for (int m = 1; m <= kMembers; ++m) {
      // The fourth member shares the first one's address (a register's second name).
      int address = 2 * (f * kMembers + (m == kMembers ? 1 : m));
      inc += Member(f, m, "CON") + "          EQU  H'" + Hex4(address) + "'\r\n";
    }
  }
  for (int f = 0; f < families; ++f) {
    for (int m = 1; m <= kMembers; ++m) {
      inc += ";----- " + Member(f, m, "CON") + " Bits -----------------------------------\r\n";
      for (const IncBit& bit : IncBits(f, m)) {
        inc += bit.name + "          EQU  H'000" + std::to_string(bit.number) + "'\r\n";
      }
    }
  }
  inc += ";==================================================================\r\n";
  return inc;
}

std::string Datasheet8(int families) {
  Text text;
  Lcg rnd;
  Preamble(text, "PIC16(L)F1999 Generated Benchmark Device");
  Contents(text, families, "CON");
  for (int f = 0; f < families; ++f) {
    text.Line(std::to_string(f + 1) + ".0 " + Family(f) + " MODULE");
    Prose(text, rnd, kProseLinesPerFamily / 2);
    if (f % 8 == 0) Heading8(text, f, 1, " (PIC16F1998 ONLY)", 1);
    Heading8(text, f, 1, f % 8 == 0 ? " (PIC16F1999 ONLY)" : "", 2);
    Heading8(text, f, 2, "", 3);
    Prose(text, rnd, kProseLinesPerFamily / 2);
    Generic8(text, f);
  }
  return text.Take();
}

// ---- 16-bit -----------------------------------------------------------------------

constexpr std::array<std::string_view, 4> kSuffixes16 = {"CON", "MODE", "STAT", "BUF"};

std::string Suffix16(int f) {
  return std::string(kSuffixes16[static_cast<std::size_t>(f % 4)]);
}

void Bits16(Text& text, std::string_view family, std::string_view reg) {
  std::string fam(family);
  text.Line("bit 15 " + fam + "ON: " + fam + " Module Enable bit");
  text.Line("1 = Module is enabled");
  text.Line("0 = Module is disabled");
  text.Line("bit 14 Unimplemented: Read as '0'");
  text.Line("bit 13 " + fam + "SIDL: Stop in Idle Mode bit");
  text.Line("bit 12-8 " + fam + "S<4:0>: " + fam + " Source Select bits");
  text.Line("11111 = Reserved");
  text.Line("bit 7-5 " + fam + "M2:" + fam + "M0: " + fam + " Mode Select bits");
  text.Line("bit 4,3 " + fam + "P1:" + fam + "P0: Prescale bits");
  for (int b = 2; b >= 0; --b) {
    text.Line("bit " + std::to_string(b) + " " + std::string(reg) + "F" + std::to_string(b) +
              ": Flag bit " + std::to_string(b));
  }
}

void Heading16(Text& text, int f, std::string_view reg, std::string_view qualifier, int number) {
  text.Line("REGISTER " + std::to_string(f + 1) + "-" + std::to_string(number) + ": " +
            std::string(reg) + ": " + std::string(reg) + " CONTROL REGISTER" +
            std::string(qualifier));
  text.Line("R/W-0 U-0 R/W-0 R/W-0 R/W-0 R/W-0 R/W-0 R/W-0");
  text.Line("bit 15 bit 8");
  text.Line("bit 7 bit 0");
  text.Line("Legend: HS = Hardware Settable bit");
  Bits16(text, Family(f), reg);
  text.Line("Note 1: Writes to this register need an unlock sequence.");
}

std::string Kdx16(int families) {
  std::string kdx = "; Generated device file for the benchmarks\r\n[DEVICE]\r\n[REGSTART]\r\n";
  for (int f = 0; f < families; ++f) {
    for (int m = 1; m <= kMembers; ++m) {
      kdx += Member(f, m, Suffix16(f)) + "\tEQU\t0x" + Hex4(2 * (f * kMembers + m)) + "\r\n";
    }
  }
  kdx += "[REGEND]\r\n[BITSTART]\r\nON=15\r\n[BITEND]\r\n";
  return kdx;
}

// Three families in four: members 1 to 3 have their own headings and member 4 takes
// the generic one's; the fourth family has only the generic heading, and every tenth
// family no heading at all (its registers get the name tables' descriptions).
std::string Datasheet16(int families) {
  Text text;
  Lcg rnd;
  Preamble(text, "PIC24FJ999GA999 FAMILY");
  Contents(text, families, "CON");
  for (int f = 0; f < families; ++f) {
    std::string suffix = Suffix16(f);
    text.Line(std::to_string(f + 1) + ".0 " + Family(f) + " MODULE");
    Prose(text, rnd, kProseLinesPerFamily / 2);
    if (f % 10 != 9) {
      if (f % 4 != 3) {
        if (f % 8 == 0) Heading16(text, f, Member(f, 1, suffix), " (PIC24FJ998GA998 ONLY)", 1);
        for (int m = 1; m < kMembers; ++m) Heading16(text, f, Member(f, m, suffix), "", m + 1);
      }
      Heading16(text, f, Family(f) + "x" + suffix, "", 9);
    }
    Prose(text, rnd, kProseLinesPerFamily / 2);
  }
  return text.Take();
}

}  // namespace

Device8 MakeDevice8(int scale) {
  int families = scale * kRegistersPerScale / kMembers;
  Device8 d;
  d.include = Include8(families);
  d.datasheet = Datasheet8(families);
  d.registers = families * kMembers;
  d.bits = d.registers * static_cast<int>(IncBits(0, 1).size());
  return d;
}

Device16 MakeDevice16(int scale) {
  int families = scale * kRegistersPerScale / kMembers;
  return Device16{Kdx16(families), Datasheet16(families), families * kMembers};
}

std::string StandardSfrText() {
  std::string text = "; Register names and their default descriptions\r\n";
  for (int i = 0; i < 300; ++i) {
    text += "Z" + Family(i) + "REG=Unused register family " + std::to_string(i) + "\r\n";
  }
  for (int f = 0; f < 26; ++f) text += "Q" + std::string(1, 'A' + f) + "=Peripheral register\r\n";
  return text;
}

std::string StandardBitText() {
  std::string text = "; Bit names and their default descriptions\r\n";
  for (int i = 0; i < 300; ++i) {
    text += "Z" + Family(i) + "*=Unused bit family " + std::to_string(i) + " \r\n";
  }
  text += "QAA1D*=Spare bit \r\n";
  return text;
}

}  // namespace bnf::bench
