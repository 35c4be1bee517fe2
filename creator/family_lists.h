// The family and type lists: which device files belong to a family, the merge entries
// that sort a directory listing by file name, the removal of older copies of one file,
// and the device type a file name gives in the type list. TfBNF::lbFamClick, GetIncludes
// and GetKDXs are defined beside these (family_lists.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/sorted_string_list.h"
#include "creator/creator_state.h"

namespace bnf {

// The listing masks and the attribute filter that excludes nothing.
inline constexpr std::u16string_view kIncludeMask = u"p*.inc";
inline constexpr std::u16string_view kKdxMask = u"p*.kdx";
inline constexpr uint32_t kAllAttributes = 511;

// The first two characters of a family or device type read as a decimal integer.
// Throws BnfError "'xx' is not a valid integer value" when they are not one.
int32_t FamilyNumber(std::u16string_view familyOrType);
// True for the 8-bit families 10, 12, 16 and 18.
bool Is8BitFamily(int32_t familyNumber);

// Removes every listing line that holds no "\P" followed by `family`, letter case of the
// line (a-z only) not counting: a file name or any path component may carry it.
void DeleteNonFam(std::u16string_view family, SortedStringList& list);

// A listing line rearranged to sort by file name: what follows its last backslash (name,
// TAB, date text, TAB, size), then U+00FF, then the directory with its backslash.
std::u16string MergeEntry(std::u16string_view listingLine);

struct MergeParts {
  std::u16string name;       // before the first TAB
  std::u16string date;       // between the first and second TAB
  std::u16string directory;  // after the first U+00FF
};
MergeParts SplitMergeEntry(std::u16string_view entry);

// Walking a sorted merge list from its end, removes each entry whose file name (letter
// case counting) equals that of the entry after it and whose date text, compared as
// text, is not greater than that one's. The last entry of such a run always stays.
void RemoveOlderCopies(SortedStringList& merged);

// The type list's text for a listed device file (a path or a name), or nothing when the
// file is not accepted: a name beginning with P or p whose first `family` (letter case
// counting) starts at its second character and, on the 8-bit road, whose fourth
// character is F, L, f or l. The text is the name before its first ".", without its
// first character, in upper case.
std::optional<std::u16string> TypeText(std::u16string_view file, std::u16string_view family,
                                       bool eightBit);

// The messages shown when a family click finds no device file.
std::u16string NoIncludeFilesMessage(const Directories& dirs);
std::u16string NoKdxFilesMessage(const Directories& dirs);

}  // namespace bnf
