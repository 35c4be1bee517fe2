// Inputs that fuzzing found to break the 16-bit scanner: a bit range whose count
// overflowed a 32-bit integer, and ranges long enough to spell out millions of bit names
// before the bit table's limit was reached (out of memory), or to walk their growing
// block once per bit (minutes). Such a range is passed over; long ranges within the
// limit are stored as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "creator/datasheet16.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Lines = std::vector<std::u16string>;

class Datasheet16RegressionTest : public ::testing::Test {
 protected:
  void Scan(const Lines& lines) {
    rig.s().tables.RegTable.Append(RegRow{u"T1CON", u"0104", u"", u""});
    rig.s().tables.RegTable.Append(RegRow{u"OSCCON", u"0742", u"", u""});
    rig.s().req.DeviceNumber = u"24FJ64GA002";
    rig.s().req.PdfTextFile = dir.File(u"sheet.txt");
    rig.text.WriteLines(rig.s().req.PdfTextFile, lines);
    ReadThePDF16(rig.s(), rig.text, rig.view);
  }
  const BitRow& Bit(int32_t i) { return rig.s().tables.BitTable[i]; }

  test::Rig rig;
  test::TempDir dir;
};

TEST_F(Datasheet16RegressionTest, RangesLongerThanTheBitTableArePassedOver) {
  for (const char16_t* range : {u"2147483647-0", u"3--2147483648", u"65536-0", u"99999999-2"}) {
    SCOPED_TRACE(std::string(range, range + std::char_traits<char16_t>::length(range)));
    rig.s().tables.EmptyAll();
    Scan({u"REGISTER 12-1: T1CON: TIMER1 CONTROL REGISTER",
          u"bit " + std::u16string(range) + u" TCKPS: Prescale bits", u"bit 1 TCS: Clock bit"});
    // The placeholder made for the range line, then the next line's bit in it.
    ASSERT_EQ(3, rig.s().tables.BitCount());
    EXPECT_EQ(u"TCS", Bit(1).name);
    EXPECT_EQ(u"01", Bit(1).number);
    EXPECT_EQ(u"", Bit(2).name);
  }
}

TEST_F(Datasheet16RegressionTest, LongRangeWithinTheLimitIsStoredAndUpdated) {
  Scan({u"REGISTER 12-1: T1CON: TIMER1 CONTROL REGISTER", u"bit 2999-0 TCKPS: Prescale bits",
        u"bit 3000 TON: On bit", u"REGISTER 8-1: OSCCON: OSCILLATOR CONTROL REGISTER",
        u"bit 0 OSWEN: Switch bit", u"REGISTER 12-1: T1CON: TIMER1 CONTROL REGISTER",
        u"bit 2999-0 TCKPS: Again"});
  // 3,000 range bits, TON and the placeholder, then OSCCON's bit and placeholder.
  ASSERT_EQ(3005, rig.s().tables.BitCount());
  EXPECT_EQ(u"TCKPS0", Bit(1).name);
  EXPECT_EQ(u"00", Bit(1).number);
  EXPECT_EQ(u"TCKPS2999", Bit(3000).name);
  EXPECT_EQ(u"2999", Bit(3000).number);
  EXPECT_EQ(u"TON", Bit(3001).name);
  EXPECT_EQ(u"", Bit(3002).name);
  EXPECT_EQ(u"OSWEN", Bit(3003).name);
  // Met again, T1CON only has its bits' descriptions replaced, untrimmed.
  EXPECT_EQ(u" Again", Bit(1).description);
  EXPECT_EQ(u" Again", Bit(3000).description);
  EXPECT_EQ(u"On bit", Bit(3001).description);
}

TEST_F(Datasheet16RegressionTest, RangeThatFillsTheBitTableEndsInTheTablesError) {
  EXPECT_THROW(
      Scan({u"REGISTER 12-1: T1CON: TIMER1 CONTROL REGISTER", u"bit 65535-0 TCKPS: Prescale bits"}),
      CapacityError);
  EXPECT_EQ(kBitCapacity + 1, rig.s().tables.BitCount());
}

}  // namespace
}  // namespace bnf
