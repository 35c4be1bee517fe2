// Plain text procedures of the tool: trimming, searching, token cutting, hex numbers,
// words and blank runs. Text is UTF-16 code units; where a procedure is defined on
// positions they are 1-based, as its callers count, and 0 means "not found".
// None of them keeps state or fails.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bnf {

// Longest tail that a copy of "the rest of a text" takes anywhere in the tool.
inline constexpr std::size_t kMaxTail = 999;

// Removes every character with a code of 32 or less at both ends.
std::u16string Trim(std::u16string_view s);
// True when Trim(s) is empty.
bool IsBlank(std::u16string_view s);
// Changes only a-z into A-Z.
std::u16string UpperCase(std::u16string_view s);
// 1-based position of the first occurrence of `find` in `s`, exact comparison;
// 0 when absent, when `find` is empty or when `s` is empty.
int32_t Pos(std::u16string_view find, std::u16string_view s);
// True when Pos(find, s) > 0.
bool Holds(std::u16string_view s, std::u16string_view find);
// The text from 1-based position `from` on, at most kMaxTail characters; empty when
// `from` lies behind the text. Positions below 1 count as 1.
std::u16string Tail(std::u16string_view s, int32_t from);
// The first `count` characters (all of them when the text is shorter; none for count < 1).
std::u16string Head(std::u16string_view s, int32_t count);
// Decimal text of a signed integer.
std::u16string IntToText(int64_t value);
// Reads a whole text (trimmed of blanks) as a signed decimal 32-bit integer, as the
// classic string-to-integer conversion does: optional sign, digits only.
bool TryTextToInt(std::u16string_view s, int32_t& value);

// The trimmed path ending in exactly one backslash (a lone "\" for a blank path).
std::u16string AddBackslash(std::u16string_view path);
// Cuts the next token off `s` at `delimiter`, starting at the 1-based cursor
// `tokenPos`. The cursor moves just behind the delimiter, or becomes -1 when the text
// is exhausted (every later call then gives the empty text).
std::u16string NextToken(std::u16string_view s, int32_t& tokenPos, std::u16string_view delimiter);
// Holds(UpperCase(s), upperWord) without the upper-cased copy; `upperWord` holds no
// letter a-z.
bool HoldsUpperCased(std::u16string_view s, std::u16string_view upperWord);
// 1-based start of the last occurrence of `find` in `s`; 0 when none.
int32_t LastPos(std::u16string_view find, std::u16string_view s);
// Value of "$hex" or "0xhex" (any letter case, blanks after the prefix and after the
// digits allowed); 0 for anything else. Only the last eight digits count.
int32_t HexToInt(std::u16string_view s);
// The run of word characters ($, 0-9, :, A-Z, _, a-z) touching the boundary just in
// front of the 1-based position `pos` (1 to length + 1).
std::u16string GetWordAt(std::u16string_view s, int32_t pos);
// Tabs to blanks, runs of blanks to one blank; a blank text gives the empty text.
std::u16string CompressSpaces(std::u16string_view s);
// Apostrophes to blanks; a blank text gives the empty text.
std::u16string QuotesToSpaces(std::u16string_view s);

// 0-based index of the first `a` or `b` in `s` at or behind `from`; npos when none.
// Tests eight characters per step (four without SSE2): every line of a datasheet goes
// through it.
std::size_t FindEither(std::u16string_view s, char16_t a, char16_t b, std::size_t from = 0);

bool InHexDigitSet(char16_t c);
bool InWordCharSet(char16_t c);

}  // namespace bnf
