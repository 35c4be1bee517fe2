// The user's locale order without regard to letter case, as Windows sorts names:
// CompareStringW with explicit lengths, so embedded NULs and characters such as
// U+00FE and U+00FF are compared, not taken as the end of the text.
#include "platform/win32/windows_api.h"

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

 private:
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
