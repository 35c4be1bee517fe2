// Fuzzes the text procedures with texts of any UTF-16 code units, and positions and
// cursors in range and out of it; each must keep the promises its callers rely on.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_support.h"

using namespace bnf;

namespace {

std::u16string Text(FuzzedDataProvider& in, std::size_t maxLength) {
  std::u16string text;
  while (text.size() < maxLength && in.remaining_bytes() >= 2)
    text += static_cast<char16_t>(in.ConsumeIntegral<uint16_t>());
  return text;
}

void CheckNextToken(std::u16string_view s, int32_t cursor, std::u16string_view delimiter) {
  // Every call moves the cursor on or ends the text, so the loop ends.
  for (std::size_t calls = 0; calls <= s.size() + 1; ++calls) {
    int32_t before = cursor;
    std::u16string token = NextToken(s, cursor, delimiter);
    if (cursor == -1) {
      fuzz::Check(token.empty() || (before >= 1 && before <= static_cast<int64_t>(s.size())),
                  "no token from a cursor out of range");
      return;
    }
    fuzz::Check(cursor > before, "the cursor moves on");
    fuzz::Check(cursor <= static_cast<int64_t>(s.size()) + 1, "the cursor stays in the text");
    fuzz::Check(token == s.substr(static_cast<std::size_t>(before - 1), token.size()),
                "the token is the text at the cursor");
  }
  fuzz::Check(false, "NextToken ends every text");
}

void CheckWordAt(std::u16string_view s, int32_t pos) {
  std::u16string word = GetWordAt(s, pos);
  for (char16_t c : word) fuzz::Check(InWordCharSet(c), "a word holds word characters only");
  fuzz::Check(word.empty() || s.find(word) != std::u16string_view::npos || pos < 1 ||
                  pos > static_cast<int64_t>(s.size()) + 1,
              "the word is in the text");
}

void CheckSpaces(std::u16string_view s) {
  std::u16string compressed = CompressSpaces(s);
  fuzz::Check(compressed.empty() == IsBlank(s), "only a blank text compresses to nothing");
  fuzz::Check(compressed.find(u"  ") == std::u16string::npos, "no two blanks stay together");
  fuzz::Check(compressed.find(u'\t') == std::u16string::npos, "no tab stays");
  fuzz::Check(compressed.size() <= s.size(), "compressing never lengthens");
  std::u16string unquoted = QuotesToSpaces(s);
  fuzz::Check(unquoted.empty() ? IsBlank(s) : unquoted.size() == s.size(),
              "quotes become blanks one for one");
  fuzz::Check(unquoted.find(u'\'') == std::u16string::npos, "no apostrophe stays");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  int32_t rawPos = in.ConsumeIntegral<int32_t>();
  std::u16string delimiter = Text(in, in.ConsumeIntegralInRange<std::size_t>(0, 3));
  std::u16string find = Text(in, in.ConsumeIntegralInRange<std::size_t>(0, 4));
  std::u16string s = Text(in, 1 << 14);

  CheckNextToken(s, rawPos, delimiter);
  CheckNextToken(s, 1, delimiter.empty() ? u";" : delimiter);
  CheckWordAt(s, static_cast<int32_t>(1 + static_cast<uint32_t>(rawPos) % (s.size() + 1)));
  CheckWordAt(s, rawPos);
  CheckSpaces(s);

  int32_t last = LastPos(find, s);
  int32_t first = Pos(find, s);
  fuzz::Check((last == 0) == (first == 0), "LastPos finds what Pos finds");
  fuzz::Check(last >= first, "the last occurrence is not before the first");
  fuzz::Check(last == 0 || s.substr(static_cast<std::size_t>(last - 1), find.size()) == find,
              "LastPos points at the text looked for");
  for (const char16_t* prefix : {u"", u"$", u"0x"}) HexToInt(prefix + s);
  std::u16string path = AddBackslash(s);
  fuzz::Check(!path.empty() && path.back() == u'\\', "a path ends in a backslash");
  fuzz::Check(Trim(s).empty() == IsBlank(s), "trimming leaves nothing only of a blank text");
  return 0;
}
