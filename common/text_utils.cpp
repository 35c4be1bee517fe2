// Text procedures shared by the readers, scanners and writers. Positions at the
// interface are 1-based; inside, the code works on 0-based indices.
#include "common/text_utils.h"

#include <bit>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bnf {

namespace {

bool IsTrimmed(char16_t c) {
  return c <= 32;
}

constexpr uint64_t kLowBits = 0x0001000100010001u;
constexpr uint64_t kHighBits = 0x8000800080008000u;

// True when one of the four 16-bit lanes of `v` is zero (exact as a whole; a borrow only
// blurs which lane).
bool HasZeroLane(uint64_t v) {
  return ((v - kLowBits) & ~v & kHighBits) != 0;
}

}  // namespace

std::size_t FindEither(std::u16string_view s, char16_t a, char16_t b, std::size_t from) {
  std::size_t i = from;
#if defined(__SSE2__)
  const __m128i vectorA = _mm_set1_epi16(static_cast<short>(a));
  const __m128i vectorB = _mm_set1_epi16(static_cast<short>(b));
  for (; i + 8 <= s.size(); i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + i));
    const __m128i hit = _mm_or_si128(_mm_cmpeq_epi16(v, vectorA), _mm_cmpeq_epi16(v, vectorB));
    // Two mask bits per character.
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
    if (mask != 0) return i + static_cast<std::size_t>(std::countr_zero(mask)) / 2;
  }
#endif
  const uint64_t lanesA = kLowBits * a;
  const uint64_t lanesB = kLowBits * b;
  for (; i + 4 <= s.size(); i += 4) {
    uint64_t v = 0;
    std::memcpy(&v, s.data() + i, sizeof v);
    if (HasZeroLane(v ^ lanesA) || HasZeroLane(v ^ lanesB)) break;
  }
  for (; i < s.size(); ++i) {
    if (s[i] == a || s[i] == b) return i;
  }
  return std::u16string_view::npos;
}

std::u16string Trim(std::u16string_view s) {
  std::size_t first = 0;
  std::size_t last = s.size();
  while (first < last && IsTrimmed(s[first])) ++first;
  while (last > first && IsTrimmed(s[last - 1])) --last;
  return std::u16string(s.substr(first, last - first));
}

bool IsBlank(std::u16string_view s) {
  for (char16_t c : s) {
    if (!IsTrimmed(c)) return false;
  }
  return true;
}

std::u16string UpperCase(std::u16string_view s) {
  std::u16string out(s);
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return out;
}

int32_t Pos(std::u16string_view find, std::u16string_view s) {
  if (find.empty() || s.empty()) return 0;
  // The scanners ask each line for several words: candidates by their first character,
  // eight characters at a time.
  for (std::size_t at = FindEither(s, find[0], find[0]);
       at != std::u16string_view::npos && s.size() - at >= find.size();
       at = FindEither(s, find[0], find[0], at + 1)) {
    if (s.substr(at, find.size()) == find) return static_cast<int32_t>(at + 1);
  }
  return 0;
}

bool Holds(std::u16string_view s, std::u16string_view find) {
  return Pos(find, s) > 0;
}

bool HoldsUpperCased(std::u16string_view s, std::u16string_view upperWord) {
  if (upperWord.empty() || s.size() < upperWord.size()) return false;
  auto upper = [](char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
  };
  const char16_t first = upperWord[0];
  const char16_t firstLower =
      first >= u'A' && first <= u'Z' ? static_cast<char16_t>(first - u'A' + u'a') : first;
  for (std::size_t at = FindEither(s, first, firstLower);
       at != std::u16string_view::npos && s.size() - at >= upperWord.size();
       at = FindEither(s, first, firstLower, at + 1)) {
    std::size_t i = 1;
    while (i < upperWord.size() && upper(s[at + i]) == upperWord[i]) ++i;
    if (i == upperWord.size()) return true;
  }
  return false;
}

std::u16string Tail(std::u16string_view s, int32_t from) {
  std::size_t start = from < 1 ? 0 : static_cast<std::size_t>(from - 1);
  if (start >= s.size()) return {};
  return std::u16string(s.substr(start, kMaxTail));
}

std::u16string Head(std::u16string_view s, int32_t count) {
  if (count < 1) return {};
  return std::u16string(s.substr(0, static_cast<std::size_t>(count)));
}

std::u16string IntToText(int64_t value) {
  std::string narrow = std::to_string(value);
  return std::u16string(narrow.begin(), narrow.end());
}

bool TryTextToInt(std::u16string_view text, int32_t& value) {
  std::u16string s = Trim(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  if (i == s.size()) return false;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < u'0' || s[i] > u'9') return false;
    v = v * 10 + (s[i] - u'0');
    if (v > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min()) {
    return false;
  }
  value = static_cast<int32_t>(v);
  return true;
}

std::u16string AddBackslash(std::u16string_view path) {
  std::u16string t = Trim(path);
  if (t.empty() || t.back() != u'\\') t += u'\\';
  return t;
}

std::u16string NextToken(std::u16string_view s, int32_t& tokenPos, std::u16string_view delimiter) {
  const auto length = static_cast<int64_t>(s.size());
  if (tokenPos < 1 || tokenPos > length) {
    tokenPos = -1;
    return {};
  }
  std::u16string_view rest = s.substr(static_cast<std::size_t>(tokenPos - 1));
  int32_t p = Pos(delimiter, rest);
  if (p == 0) {
    tokenPos = -1;
    return std::u16string(rest);
  }
  tokenPos += p;
  return std::u16string(rest.substr(0, static_cast<std::size_t>(p - 1)));
}

int32_t LastPos(std::u16string_view find, std::u16string_view s) {
  if (find.empty() || s.empty()) return 0;
  std::size_t at = s.rfind(find);
  return at == std::u16string_view::npos ? 0 : static_cast<int32_t>(at + 1);
}

bool InHexDigitSet(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

bool InWordCharSet(char16_t c) {
  return c == u'$' || c == u':' || c == u'_' || (c >= u'0' && c <= u'9') ||
         (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

int32_t HexToInt(std::u16string_view text) {
  std::u16string u = UpperCase(text);
  if (IsBlank(u)) return 0;
  u += u"  ";
  std::u16string digits;
  if (u[0] == u'$') {
    digits = Trim(Tail(u, 2));
  } else if (u[0] == u'0' && u[1] == u'X') {
    digits = Trim(Tail(u, 3));
  } else {
    return 0;
  }
  uint32_t value = 0;
  for (char16_t c : digits) {
    if (!InHexDigitSet(c)) return 0;
    uint32_t digit = c <= u'9' ? c - u'0' : c - u'A' + 10;
    value = (value << 4) | digit;
  }
  return static_cast<int32_t>(value);
}

std::u16string GetWordAt(std::u16string_view s, int32_t pos) {
  if (pos < 1 || pos > static_cast<int64_t>(s.size()) + 1) return {};
  // In the padded text " s ", 0-based index pos-1 holds s[pos-2] and index pos holds
  // s[pos-1]: the characters on either side of the boundary in front of pos.
  std::u16string t;
  t.reserve(s.size() + 2);
  t.append(1, u' ').append(s).append(1, u' ');
  std::size_t left = static_cast<std::size_t>(pos - 1);
  std::size_t begin = left + 1;
  while (begin > 0 && InWordCharSet(t[begin - 1])) --begin;
  std::size_t end = static_cast<std::size_t>(pos);
  while (end < t.size() && InWordCharSet(t[end])) ++end;
  return t.substr(begin, end - begin);
}

std::u16string CompressSpaces(std::u16string_view s) {
  if (IsBlank(s)) return {};
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (c == u'\t') c = u' ';
    if (c == u' ' && !out.empty() && out.back() == u' ') continue;
    out += c;
  }
  return out;
}

std::u16string QuotesToSpaces(std::u16string_view s) {
  if (IsBlank(s)) return {};
  std::u16string out(s);
  for (char16_t& c : out) {
    if (c == u'\'') c = u' ';
  }
  return out;
}

}  // namespace bnf
