// The device name of a command-line run: the forms taken as a device type and the
// names refused because they are not plainly one.
#include "creator/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace bnf {
namespace {

TEST(DeviceTypeFromArgument, LettersInFrontOfTheFirstDigitAreDropped) {
  struct Case {
    std::u16string argument;
    std::u16string type;
  } cases[] = {
      {u"pic16f877a", u"16F877A"},
      {u"P16F877A", u"16F877A"},
      {u"16F877A", u"16F877A"},
      {u"16f877a", u"16F877A"},
      {u"PIC24FJ64GA002", u"24FJ64GA002"},
      {u"PIC24EP512GP806", u"24EP512GP806"},
      {u"p24ep512gp806", u"24EP512GP806"},
      {u"24EP512GP806", u"24EP512GP806"},
      {u"dsPIC33FJ128GP802", u"33FJ128GP802"},
      {u"1F877", u"1F877"},
      {u"7", u"7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.argument));
    EXPECT_EQ(c.type, DeviceTypeFromArgument(c.argument));
  }
}

// The type becomes part of file paths: anything but letters and digits is refused.
TEST(DeviceTypeFromArgument, RefusesWhatIsNotPlainlyADeviceType) {
  const std::u16string refused[] = {
      u"",          u"PIC",          u"C:\\Temp\\16F877A", u"..\\16F877A",   u"16F877A\\..\\..\\x",
      u"16F/877A",  u"P16F877A.inc", u" 16F877A",          u"16F877A ",      u"PIC 16F877A",
      u"P-16F877A", u"16F877A\t",    u"16F877\u00C4",      u"\u00E916F877A",
  };
  for (const std::u16string& argument : refused) {
    SCOPED_TRACE(::testing::PrintToString(argument));
    EXPECT_EQ(std::nullopt, DeviceTypeFromArgument(argument));
  }
}

TEST(RefusedDeviceNameMessage, NamesTheArgumentAndThatNothingWasWritten) {
  EXPECT_EQ(u"\"C:\\x\\16F84\" is not a device type.\rNo BitName file was written.",
            RefusedDeviceNameMessage(u"C:\\x\\16F84"));
}

}  // namespace
}  // namespace bnf
