// The finders' answers at the table edges (emptied state, blank names, the empty row at
// the counter, the last block) and the capacity limits of the three tables.
#include "creator/device_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace bnf {
namespace {

void AddBits(DeviceTables& t, std::u16string_view owner, int count) {
  for (int i = 0; i < count; ++i) {
    t.BitTable.Append(BitRow{std::u16string(owner),
                             u"B" + std::u16string(1, u'0' + i),
                             std::u16string(1, u'0' + i),
                             {}});
  }
}

TEST(DeviceTables, EmptiedStateFindsNothingButRowZeroAsLastBit) {
  DeviceTables t;
  EXPECT_EQ(1, t.RegCount());
  EXPECT_EQ(1, t.BitCount());
  EXPECT_EQ(1, t.NotFoundCount());
  EXPECT_EQ(-1, t.FindRegister(u"STATUS"));
  EXPECT_EQ(-1, t.FindFirstBit4Reg(u"STATUS"));
  EXPECT_EQ(-1, t.FindRegisterInBit(u"STATUS"));
  EXPECT_EQ(0, t.FindLastBit4Reg(u"STATUS", 1));
  EXPECT_EQ(1, t.FindFirstBit4Reg(u""));
}

TEST(DeviceTables, EmptyAllAndEmptyRegistersAndBitsResetTheCounters) {
  DeviceTables t;
  t.RegTable.Append(RegRow{u"A", u"0001", {}, {}});
  AddBits(t, u"A", 2);
  t.NotFound.Append(NotFoundRow{u"TMRxCON", u"12"});
  t.EmptyRegistersAndBits();
  EXPECT_EQ(1, t.RegCount());
  EXPECT_EQ(1, t.BitCount());
  EXPECT_EQ(2, t.NotFoundCount());
  EXPECT_EQ(u"", t.RegTable[1].name);
  t.EmptyAll();
  EXPECT_EQ(1, t.NotFoundCount());
  EXPECT_EQ(u"", t.NotFound[1].name);
}

TEST(DeviceTables, FindRegisterComparesExactlyAndTakesTheFirst) {
  DeviceTables t;
  t.RegTable.Append(RegRow{u"PORTA", u"000C", {}, {}});
  t.RegTable.Append(RegRow{u"STATUS", u"0003", {}, {}});
  t.RegTable.Append(RegRow{u"STATUS", u"0083", {}, {}});
  struct Case {
    std::u16string name;
    int32_t expected;
  };
  for (const Case& c :
       {Case{u"STATUS", 2}, Case{u"PORTA", 1}, Case{u"status", -1}, Case{u"STATUS ", -1},
        Case{u" STATUS", -1}, Case{u"", -1}, Case{u"   ", -1}, Case{u"\t", -1}}) {
    SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
    EXPECT_EQ(c.expected, t.FindRegister(c.name));
  }
}

TEST(DeviceTables, BitFindersOverBlocks) {
  DeviceTables t;
  AddBits(t, u"STATUS", 3);  // rows 1-3
  AddBits(t, u"INTCON", 2);  // rows 4-5
  ASSERT_EQ(6, t.BitCount());

  EXPECT_EQ(4, t.FindFirstBit4Reg(u"INTCON"));
  EXPECT_EQ(4, t.FindRegisterInBit(u"INTCON"));
  EXPECT_EQ(-1, t.FindFirstBit4Reg(u"intcon"));
  EXPECT_EQ(-1, t.FindRegisterInBit(u"INTCON "));
  // Blank: only FindFirstBit4Reg compares it, and it matches the empty row at the counter.
  EXPECT_EQ(6, t.FindFirstBit4Reg(u""));
  EXPECT_EQ(-1, t.FindFirstBit4Reg(u" "));
  EXPECT_EQ(-1, t.FindRegisterInBit(u""));
  EXPECT_EQ(-1, t.FindRegisterInBit(u"  "));

  struct Case {
    std::u16string name;
    int32_t first, expected;
  };
  for (const Case& c : {
           Case{u"STATUS", 1, 3},  // block in the middle ends at the next owner
           Case{u"STATUS", 3, 3},
           Case{u"INTCON", 4, 5},   // last block ends at the empty row at the counter
           Case{u"INTCON", 6, 5},   // iFirst == BitCount
           Case{u"STATUS", 4, 3},   // another owner at iFirst
           Case{u"INTCON", 7, -1},  // above BitCount
           Case{u"INTCON", 0, -1},  // FindFirstBit4Reg's "none" passed on
           Case{u"INTCON", -1, -1},
           Case{u"", 6, -1},  // the empty row has the owner: no row differs
       }) {
    SCOPED_TRACE(std::string(c.name.begin(), c.name.end()) + " from " + std::to_string(c.first));
    EXPECT_EQ(c.expected, t.FindLastBit4Reg(c.name, c.first));
  }
}

TEST(DeviceTables, AppendingBeyondCapacityThrowsNamingTheTable) {
  DeviceTables t;
  for (int i = 0; i < kRegCapacity; ++i) t.RegTable.Append(RegRow{u"R", {}, {}, {}});
  for (int i = 0; i < kNotFoundCapacity; ++i) t.NotFound.Append(NotFoundRow{u"N", u"1"});
  EXPECT_EQ(4097, t.RegCount());
  EXPECT_EQ(4097, t.NotFoundCount());
  try {
    t.RegTable.Append(RegRow{u"R", {}, {}, {}});
    FAIL() << "no CapacityError";
  } catch (const CapacityError& e) {
    EXPECT_EQ(
        u"The register table is full: it holds at most 4096 rows. Nothing was written for "
        u"this device.",
        e.message());
  }
  EXPECT_THROW(t.NotFound.Append(NotFoundRow{u"N", u"1"}), CapacityError);
  EXPECT_EQ(4097, t.RegCount());

  for (int i = 0; i < kBitCapacity; ++i) t.BitTable.Append(BitRow{u"R", u"B", u"0", {}});
  EXPECT_EQ(65537, t.BitCount());
  EXPECT_THROW(t.BitTable.Append(BitRow{u"R", u"B", u"0", {}}), CapacityError);
}

}  // namespace
}  // namespace bnf
