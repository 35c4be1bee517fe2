// Turning a command-line device name into a device type. Anything that is not plainly
// a device type (a path, blanks, dots, separators) is refused rather than cleaned up:
// a guessed type would name a file the caller never meant.
#include "creator/command_line.h"

#include "common/text_utils.h"

namespace bnf {

namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool IsUpperLetter(char16_t c) {
  return c >= u'A' && c <= u'Z';
}

bool IsPlainDeviceType(std::u16string_view type) {
  if (type.empty() || !IsDigit(type.front())) return false;
  for (char16_t c : type) {
    if (!IsDigit(c) && !IsUpperLetter(c)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::u16string> DeviceTypeFromArgument(std::u16string_view argument) {
  std::u16string type = UpperCase(argument);
  std::size_t first = 0;
  while (first < type.size() && IsUpperLetter(type[first])) ++first;
  type.erase(0, first);
  if (!IsPlainDeviceType(type)) return std::nullopt;
  return type;
}

std::u16string RefusedDeviceNameMessage(std::u16string_view argument) {
  return u"\"" + std::u16string(argument) + u"\" is not a device type.\r" +
         u"No BitName file was written.";
}

}  // namespace bnf
