#include "creator/datasheet_text.h"

#include "common/text_utils.h"

namespace bnf {

namespace {

constexpr std::u16string_view kHeading = u"REGISTER ";
constexpr std::u16string_view kCompany = u"MICROCHIP TECHNOLOGY INC.";
constexpr std::u16string_view kPreliminary = u"PRELIMINARY";

// The page number one blank behind the pattern, up to the next blank (or TAB).
std::optional<int32_t> FooterNumber(std::u16string_view line, std::u16string_view pattern) {
  int32_t at = Pos(pattern, line);
  std::u16string page = Trim(Tail(line, at + static_cast<int32_t>(pattern.size()) + 1));
  int32_t cut = Pos(u" ", page);
  if (cut == 0) cut = Pos(u"\t", page);
  if (cut > 0) page = Head(page, cut - 1);
  int32_t number = 0;
  if (!TryTextToInt(page, number)) return std::nullopt;
  return number;
}

}  // namespace

bool StartsWithHeading(std::u16string_view line) {
  if (line.size() < kHeading.size()) return false;
  for (std::size_t i = 0; i < kHeading.size(); ++i) {
    char16_t c = line[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c != kHeading[i]) return false;
  }
  return true;
}

std::u16string_view TrimmedView(std::u16string_view line) {
  std::size_t first = 0;
  std::size_t last = line.size();
  while (first < last && line[first] <= 32) ++first;
  while (last > first && line[last - 1] <= 32) --last;
  return line.substr(first, last - first);
}

bool IsPlainProse(const PageFooters& footers, std::u16string_view line) {
  if (!footers.Knows() || StartsWithHeading(line)) return false;
  // Most lines of a datasheet take this test: the colon and the pattern are looked for
  // in one pass.
  std::u16string_view pattern = footers.Pattern();
  for (std::size_t i = FindEither(line, u':', pattern[0]); i != std::u16string_view::npos;
       i = FindEither(line, u':', pattern[0], i + 1)) {
    if (line[i] == u':' || line.substr(i).starts_with(pattern)) return false;
  }
  return true;
}

bool PageFooters::Take(std::u16string& line, std::optional<int32_t>& page) {
  page.reset();
  if (pattern_.empty()) {
    if (int32_t p = Pos(kPreliminary, UpperCase(line)); p > 0) {
      line.erase(static_cast<std::size_t>(p - 1), kPreliminary.size());
    }
    int32_t company = Pos(kCompany, UpperCase(line));
    if (company == 0) return false;
    pattern_ = Trim(Tail(line, company + static_cast<int32_t>(kCompany.size()))) + u"-page";
    return true;
  }
  if (!Holds(line, pattern_)) return false;
  page = FooterNumber(line, pattern_);
  return true;
}

bool DeviceFilter::OtherDevice(std::u16string_view line, std::u16string_view deviceNumber) {
  if (StartsWithHeading(line)) {
    otherDevice_ = Holds(UpperCase(line), u"(PIC") && !Holds(line, deviceNumber);
  }
  return otherDevice_;
}

}  // namespace bnf
