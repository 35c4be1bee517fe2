// Start-up, settings and directories: where the tool keeps its settings, the per-user
// files it makes, and the caption of the BitName folder's menu item. The handlers
// themselves (FormCreate, FormClose, FormDestroy, CheckUserDir and the folder choice)
// are members of TfBNF and live in startup.cpp.
#pragma once

#include <string>
#include <string_view>

namespace bnf {

// The tool's settings key under HKEY_CURRENT_USER. Its existence is tested under this
// name; it is opened and created with a trailing backslash.
inline constexpr std::u16string_view kSettingsKey = u"Software\\Calmwood\\ZMV BNF Tool";

// The private name files in the per-user folder.
inline constexpr std::u16string_view kPrivateSfrFile = u"PrivateSFR.txt";
inline constexpr std::u16string_view kPrivateBitFile = u"PrivateBit.txt";

// "Directory for BitName files...[" + location + "]".
std::u16string BnfFolderCaption(std::u16string_view location);

}  // namespace bnf
