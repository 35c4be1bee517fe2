// What both datasheet scanners read alike in a converted datasheet: the company line that
// gives the footer pattern, the page footers, register headings, and the "(PIC" device
// filter that silences another device's register sections.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bnf {

// True for a line starting with "REGISTER " at column 1, in any letter case.
bool StartsWithHeading(std::u16string_view line);

class PageFooters {
 public:
  // Until the company line is read, "PRELIMINARY" is taken out of `line` and the company
  // line sets the pattern (the document number followed by "-page"); afterwards a line
  // holding the pattern is a footer. True when `line` was the company line or a footer:
  // it then carries nothing else. `page` gets a footer's number when it reads as one.
  bool Take(std::u16string& line, std::optional<int32_t>& page);

  // True once the company line was read: a line without the pattern is then no footer.
  bool Knows() const { return !pattern_.empty(); }
  const std::u16string& Pattern() const { return pattern_; }

 private:
  std::u16string pattern_;
};

// `line` without the characters of code 32 or less at both ends, as Trim cuts it.
std::u16string_view TrimmedView(std::u16string_view line);

// A trimmed line that is neither the company line, a footer nor a heading, and holds no
// colon: both scanners pass it over, whatever their state, so it need not be copied.
bool IsPlainProse(const PageFooters& footers, std::u16string_view line);

class DeviceFilter {
 public:
  // Called for every line that is not a footer. A heading holding "(PIC" selects the
  // section for this device when it names `deviceNumber`, else silences every line up to
  // the next heading. True while the line belongs to another device's section.
  bool OtherDevice(std::u16string_view line, std::u16string_view deviceNumber);

 private:
  bool otherDevice_ = false;
};

}  // namespace bnf
