// The user's locale order without regard to letter case, as Windows sorts names:
// CompareStringW with explicit lengths, so embedded NULs and characters such as
// U+00FE and U+00FF are compared, not taken as the end of the text; sort keys from
// LCMapStringEx with the same locale and flags for the lists' batch sorts.
#include "platform/win32/windows_api.h"

#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace bnf {

namespace {

using win32::Wide;

class Win32Collator final : public Collator {
 public:
  int Compare(std::u16string_view a, std::u16string_view b) const override {
    if (a.size() > kMaxLength || b.size() > kMaxLength) return Ordinal(a, b);
    const int result =
        ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Text(a), static_cast<int>(a.size()),
                         Text(b), static_cast<int>(b.size()));
    if (result == 0) return Ordinal(a, b);
    return result - CSTR_EQUAL;  // CSTR_LESS_THAN 1, CSTR_EQUAL 2, CSTR_GREATER_THAN 3
  }

  // LCMapStringEx's key with the same locale and flags; its keys compare as the
  // comparison does. Texts the key cannot stand for (a NUL inside, beyond the call's
  // lengths) have none, and the list compares them.
  std::optional<std::string> SortKey(std::u16string_view text) const override {
    if (text.size() > kMaxLength || text.find(u'\0') != std::u16string_view::npos) {
      return std::nullopt;
    }
    // A length of 0 is refused; the empty text is passed as an empty NUL-terminated one.
    const int length = text.empty() ? -1 : static_cast<int>(text.size());
    const int size = Map(Text(text), length, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::string key(static_cast<std::size_t>(size), '\0');
    if (Map(Text(text), length, key.data(), size) != size) return std::nullopt;
    // The key ends in a zero byte, as ordered comparison of the keys expects.
    return key;
  }

 private:
  static int Map(const wchar_t* text, int length, char* key, int size) {
    return ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text, length,
                           reinterpret_cast<LPWSTR>(key), size, nullptr, nullptr, 0);
  }

  // A length of -1 would mean "up to the NUL"; the call counts in int.
  static constexpr std::size_t kMaxLength = 0x7FFFFFFF;

  // An empty view may have no data; CompareStringW rejects a null pointer even with
  // length 0.
  static const wchar_t* Text(std::u16string_view s) { return s.empty() ? L"" : Wide(s.data()); }

  // Only for calls CompareStringW refuses: a stable order is better than none.
  static int Ordinal(std::u16string_view a, std::u16string_view b) {
    const int c = a.compare(b);
    return (c > 0) - (c < 0);
  }
};

}  // namespace

std::unique_ptr<Collator> MakeCollator() {
  return std::make_unique<Win32Collator>();
}

}  // namespace bnf
