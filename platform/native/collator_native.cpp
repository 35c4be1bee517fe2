// The sorted lists' comparison natively: ICU's collator for the user's locale at
// secondary strength (letter case ignored, accents counting), tailored and wrapped so
// that it orders the tool's texts as CompareStringW(LOCALE_USER_DEFAULT,
// NORM_IGNORECASE) does on Windows. tests/platform/collation_test.cpp holds the orders
// both builds must give.
#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/tblcoll.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "common/text_utils.h"
#include "platform/platform.h"

namespace bnf {

namespace {

// Windows sorts the blank, the tab and the ASCII punctuation nearly by code, with
// + < = > behind the rest; ICU groups them otherwise (it puts _ first and ; after it).
constexpr std::u16string_view kWindowsPunctuationOrder = u" \t!\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";

icu::UnicodeString WindowsTailoring() {
  // Windows sorts the thorn as "th"; ICU has it as a letter of its own after z.
  std::u16string rules = u"&th<<<\u00FE<<<\u00DE";
  // Placed before the first whitespace, so that other symbols (U+00AE, U+00D7) stay
  // between this run and the digits, where Windows has them too.
  rules += u"&[before 1]'\t'";
  for (char16_t c : kWindowsPunctuationOrder) {
    rules += u"<'";
    rules += c;
    rules += u'\'';
  }
  return icu::UnicodeString(rules.data(), static_cast<int32_t>(rules.size()));
}

// ICU reads the C locale as en_US_POSIX, whose collation is plain code order; Windows
// under the same environment uses en-US.
icu::Locale UserLocale() {
  icu::Locale locale = icu::Locale::getDefault();
  std::string_view language = locale.getLanguage();
  if (language.empty() || language == "root" || std::string_view(locale.getVariant()) == "POSIX") {
    return icu::Locale("en", "US");
  }
  return locale;
}

std::unique_ptr<icu::Collator> MakeTailoredCollator() {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Collator> base(icu::Collator::createInstance(UserLocale(), status));
  if (U_FAILURE(status)) throw std::runtime_error("No ICU collator for the user's locale");
  icu::UnicodeString rules;
  if (auto* tailored = dynamic_cast<icu::RuleBasedCollator*>(base.get())) {
    rules = tailored->getRules();
  }
  rules += WindowsTailoring();
  auto collator = std::make_unique<icu::RuleBasedCollator>(rules, icu::Collator::SECONDARY, status);
  if (U_FAILURE(status)) {
    throw std::runtime_error(std::string("Bad collation tailoring: ") + u_errorName(status));
  }
  return collator;
}

// Windows weighs hyphens and apostrophes only when the texts are equal without them.
bool IsMark(char16_t c) {
  return c == u'-' || c == u'\'';
}

// Every comparison looks for marks in both texts: four characters at a time.
bool HasMarks(std::u16string_view s) {
  return FindEither(s, u'-', u'\'') != std::u16string_view::npos;
}

std::u16string WithoutMarks(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (!IsMark(c)) out += c;
  }
  return out;
}

constexpr std::size_t kShortText = 256;

// WithoutMarks into `out`, which holds at least s.size() characters.
std::u16string_view CopyWithoutMarks(std::u16string_view s, char16_t* out) {
  std::size_t n = 0;
  for (char16_t c : s) {
    out[n] = c;
    n += IsMark(c) ? 0 : 1;
  }
  return {out, n};
}

std::size_t NextMark(std::u16string_view s, std::size_t from) {
  return std::min(FindEither(s, u'-', u'\'', from), s.size());
}

// The tie-break, as measured on Windows: the text whose first differing mark stands
// earlier sorts after ("co-op" > "coo-p"), at the same place the apostrophe sorts
// first, and a text with more marks sorts after ("co-op" > "coop").
int CompareMarks(std::u16string_view a, std::u16string_view b) {
  std::size_t i = NextMark(a, 0);
  std::size_t j = NextMark(b, 0);
  while (i < a.size() && j < b.size()) {
    if (i != j) return i < j ? 1 : -1;
    if (a[i] != b[j]) return a[i] == u'-' ? 1 : -1;
    i = NextMark(a, i + 1);
    j = NextMark(b, j + 1);
  }
  return static_cast<int>(i < a.size()) - static_cast<int>(j < b.size());
}

// CompareMarks as bytes: per mark, its position counted down from the top (an earlier
// mark sorts after) and its kind (the apostrophe first), then a zero byte, below every
// mark's first byte (a text with more marks sorts after).
void AppendMarks(std::u16string_view s, std::string& key) {
  for (std::size_t i = NextMark(s, 0); i < s.size(); i = NextMark(s, i + 1)) {
    const auto down = static_cast<uint32_t>(0xFFFFFFFFu - i);
    for (int shift = 24; shift >= 0; shift -= 8) key += static_cast<char>((down >> shift) & 0xFF);
    key += s[i] == u'-' ? '\x02' : '\x01';
  }
  key += '\0';
}

class IcuCollator : public Collator {
 public:
  IcuCollator() : collator_(MakeTailoredCollator()) {}

  int Compare(std::u16string_view a, std::u16string_view b) const override {
    if (!HasMarks(a) && !HasMarks(b)) return Collate(a, b);
    // Short texts, such as a block's joined bit records, are taken apart on the stack:
    // most sorted comparisons would otherwise make two strings.
    if (a.size() <= kShortText && b.size() <= kShortText) {
      char16_t plainA[kShortText];
      char16_t plainB[kShortText];
      int order = Collate(CopyWithoutMarks(a, plainA), CopyWithoutMarks(b, plainB));
      return order != 0 ? order : CompareMarks(a, b);
    }
    int order = Collate(WithoutMarks(a), WithoutMarks(b));
    return order != 0 ? order : CompareMarks(a, b);
  }

  // ICU's key of the text without its marks (zero-terminated, no zero inside, so it
  // decides whenever it differs), then the marks' tie-break.
  std::optional<std::string> SortKey(std::u16string_view text) const override {
    if (text.size() > 0x7FFFFFFF) return std::nullopt;
    std::u16string plain = HasMarks(text) ? WithoutMarks(text) : std::u16string(text);
    const auto length = static_cast<int32_t>(plain.size());
    std::string key(plain.size() * 3 + 16, '\0');
    int32_t size =
        collator_->getSortKey(plain.data(), length, reinterpret_cast<uint8_t*>(key.data()),
                              static_cast<int32_t>(key.size()));
    if (size <= 0) return std::nullopt;
    if (static_cast<std::size_t>(size) > key.size()) {
      key.assign(static_cast<std::size_t>(size), '\0');
      collator_->getSortKey(plain.data(), length, reinterpret_cast<uint8_t*>(key.data()), size);
    }
    key.resize(static_cast<std::size_t>(size));
    AppendMarks(text, key);
    return key;
  }

 private:
  int Collate(std::u16string_view a, std::u16string_view b) const {
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult order = collator_->compare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                                                static_cast<int32_t>(b.size()), status);
    if (U_FAILURE(status)) throw std::runtime_error("ICU comparison failed");
    return static_cast<int>(order);
  }

  std::unique_ptr<icu::Collator> collator_;
};

}  // namespace

std::unique_ptr<Collator> MakeCollator() {
  return std::make_unique<IcuCollator>();
}

}  // namespace bnf
