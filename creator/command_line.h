// The device name of a command-line run. Another program starts the tool with a device
// name and a converted datasheet; the name becomes part of the device-file and BitName
// file paths, so only a plain device type is taken from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bnf {

// The device type a command-line device name stands for: a-z made upper case, then the
// letters in front of the first digit dropped ("PIC24EP512GP806", "p24ep512gp806" and
// "24EP512GP806" all give 24EP512GP806). Nothing when the result is not a plain device
// type: a digit first, then only the letters A-Z and digits.
std::optional<std::u16string> DeviceTypeFromArgument(std::u16string_view argument);

// The plain message that refuses a device name; it says that nothing was written.
std::u16string RefusedDeviceNameMessage(std::u16string_view argument);

}  // namespace bnf
