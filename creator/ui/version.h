// The tool's version and title as the windows show them. The version resource of the
// exe (app/bnfcreator.rc) carries the same version and must be changed with it.
#pragma once

#include <string_view>

namespace bnf {

inline constexpr std::u16string_view kVersion = u"0.2.0.7";
inline constexpr std::u16string_view kAppTitle = u"Korvan\u00AE BitName file creator";

}  // namespace bnf
