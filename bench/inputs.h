// Generated devices for the benchmarks: an 8-bit device (include file and datasheet
// text) and a 16-bit device (KDX file and datasheet text) at a chosen scale, shaped like
// the real files: register families with generic headings, bit aliases, bits without
// a datasheet line, other devices' headings, page footers and long prose between.
#pragma once

#include <string>

namespace bnf::bench {

// Registers at scale 1; scale 16 gives 960, near the thousand of a large device.
inline constexpr int kRegistersPerScale = 60;

struct Device8 {
  std::string include;    // the MPASM include file, ANSI bytes with CR LF
  std::string datasheet;  // the converted datasheet
  int registers = 0;
  int bits = 0;  // bit lines of the include file, one BitTable row each
};

struct Device16 {
  std::string kdx;
  std::string datasheet;
  int registers = 0;
};

// The device type whose files these are (file names "P" + type + extension).
inline constexpr char16_t kType8[] = u"16F1999";
inline constexpr char16_t kType16[] = u"24FJ999GA999";

Device8 MakeDevice8(int scale);
Device16 MakeDevice16(int scale);

// Standard name tables of a realistic size (a few hundred rows each).
std::string StandardSfrText();
std::string StandardBitText();

}  // namespace bnf::bench
