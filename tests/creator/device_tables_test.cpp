// The device tables' last bit of a block and capacities, and the indexes of the finders
// and of the 8-bit fallbacks against the plain walks they replace.
#include "creator/device_tables.h"

#include <gtest/gtest.h>

#include <array>

#include "common/text_utils.h"
#include "creator/generation8.h"
#include "tests/support/error_of.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

using test::Texts;

TEST(DeviceTables, LastBitOfABlock) {
  DeviceTables t;
  test::AppendRows(
      t, {u"B STATUS|B0", u"B STATUS|B1", u"B STATUS|B2", u"B INTCON|B0", u"B INTCON|B1"});
  const std::tuple<std::u16string, int32_t, int32_t> cases[] = {
      {u"STATUS", 1, 3},  {u"STATUS", 3, 3},   {u"INTCON", 4, 5},
      {u"INTCON", 6, 5},  {u"STATUS", 4, 3},   {u"INTCON", 7, -1},
      {u"INTCON", 0, -1}, {u"INTCON", -1, -1}, {u"", 6, -1}};
  for (const auto& [name, first, expected] : cases)
    EXPECT_EQ(expected, t.FindLastBit4Reg(name, first)) << test::Narrow(name) << " " << first;
}

TEST(DeviceTables, AppendingBeyondCapacityThrowsNamingTheTable) {
  DeviceTables t;
  auto overflow = [](auto& table) {
    const std::u16string error = test::ErrorOf([&] {
      for (int i = 0; i <= kBitCapacity; ++i) table.Append({});
    });
    return IntToText(table.Counter() - 1) + u": " + error;
  };
  const std::u16string end = u" rows. Nothing was written for this device.";
  EXPECT_EQ(u"4096: The register table is full: it holds at most 4096" + end, overflow(t.RegTable));
  EXPECT_EQ(u"65536: The bit table is full: it holds at most 65536" + end, overflow(t.BitTable));
  EXPECT_EQ(u"4096: The table of unmatched register headings is full: it holds at most 4096" + end,
            overflow(t.NotFound));
}

// The walk the finders replace: the first row up to and including the counter with `key`.
template <typename Row>
int32_t Walk(const Table<Row>& table, std::u16string_view key) {
  for (int32_t i = 1; i <= table.Counter(); ++i) {
    if (KeyOf(table[i]) == key) return i;
  }
  return -1;
}

// Appends (the key also changed through Append's reference), changes in place with
// lookups between them, and the tables emptied with changes pending.
void ChangeAtRandom(DeviceTables& t, test::Random& random, const Texts& keys) {
  const std::u16string& key = random.Pick(keys);
  const int32_t action = random.Below(20), row = 1 + random.Below(t.BitCount());
  if (action < 8 || row == t.BitCount()) {
    t.RegTable.Append(RegRow{key, {}, {}, {}});
    t.BitTable.Append(BitRow{random.Pick(keys), {}, {}, {}}).owner = key;
  } else if (action < 16) {
    t.BitTable.At(row).owner = key;
    t.RegTable.At(row).name = random.Pick(keys);
    if (action % 2 == 0) t.FindRegister(key);
  } else if (action < 19) {
    t.BitTable.At(row).description = key;
  } else if (random.Below(4) == 0) {
    t.EmptyRegistersAndBits();
  }
}

// Duplicate, blank and case-different keys: blank ones are found by FindFirstBit4Reg only.
TEST(TableIndex, FindersAnswerAsAWalkThroughRandomChanges) {
  const Texts keys = {u"A", u"B", u"C", u"", u" ", u"a", u"A ", u"\t"};
  DeviceTables t;
  test::ExpectAsTheWalk(7, 1500, [&](test::Random& random) {
    for (int32_t n = random.Below(3); n >= 0; --n) ChangeAtRandom(t, random, keys);
    std::vector<std::array<int32_t, 3>> indexed, walked;
    for (const std::u16string& k : keys) {
      const int32_t reg = IsBlank(k) ? -1 : Walk(t.RegTable, k), bit = Walk(t.BitTable, k);
      walked.push_back({reg, bit, IsBlank(k) ? -1 : bit});
      indexed.push_back({t.FindRegister(k), t.FindFirstBit4Reg(k), t.FindRegisterInBit(k)});
    }
    return std::pair{indexed, walked};
  });
}

// The 8-bit completions as first written: each pass over all rows, every lookup a walk.
void WalkingCompletions(DeviceTables& t, const NameTables& names) {
  for (int pass = 0; pass < 3; ++pass) {
    for (int32_t i = 1; i < t.BitCount(); ++i) {
      BitRow& b = t.BitTable.At(i);
      if (!b.description.empty()) continue;
      b.description = pass == 0   ? GetDefaultBit(names, b.name)
                      : pass == 1 ? LookUpBitdescInReg(t, b.owner, b.number, i)
                                  : LookUpBitdescBitNameNum(t, b.owner, b.name, b.number, i);
    }
  }
  for (int32_t i = 1; i < t.RegCount(); ++i) {
    RegRow& reg = t.RegTable.At(i);
    if (!reg.page.empty()) continue;
    reg.page = FindRegSameAddressWithPage(t, reg.address);
    if (!reg.page.empty()) continue;
    for (int32_t j = 1; j < t.NotFoundCount(); ++j) {
      if (IsSFRLike(reg.name, t.NotFound[j].name)) reg.page = t.NotFound[j].page;
    }
  }
}

// Bit-name rows exact and with "*" (prefixes of one another, duplicates, an empty
// beginning), bit names blank and in "=" forms.
TEST(IndexedFallbacks, DescriptionsAndPagesAsTheWalkingLookupsGiveThem) {
  const Texts registers = {u"TMR1",    u"TMR2",    u"TMR12", u"TMR1L", u"TMR", u"CCP1",
                           u"CCP1CON", u"CCP2CON", u" TMR1", u"PIR1",  u"X",   u"x"};
  const Texts bits = {u"ON", u"EN", u"GO", u"NOT_GO", u"ON "}, forms = {u"", u" ", u"N=", u" Q= "};
  const Texts parts = {u"", u"A", u"AB", u"EN", u"NOT_", u"RB0"},
              ends = {u"", u"*", u"*X", u"0", u"1*", u"X"};
  const Texts numbers = {u"0", u"1", u"7", u"8", u" 1", u"01", u""};
  const Texts generic = {u"TMRn", u"TMRx", u"CCPnCON", u"CCPxCON", u"PIRnn", u"nCON",
                         u"TMR1", u"n",    u"xx",      u"TMRnL",   u"PIn1"};
  test::ExpectAsTheWalk(11, 500, [&](test::Random& random) {
    NameTables defaults;
    for (int32_t i = random.Below(10); i >= 0; --i) {
      const std::u16string name = random.Pick(parts) + random.Pick(ends);
      if (!name.empty()) defaults.BitNames.push_back({name, u"n" + IntToText(i)});
    }
    DeviceTables indexed;
    for (int32_t i = random.Below(40); i >= 0; --i) {
      std::u16string name = random.Pick(forms) + random.Pick(parts) + random.Pick(ends);
      if (random.Below(2) == 0) name = random.Pick(bits);
      indexed.BitTable.Append(BitRow{random.Pick(registers), name, random.Pick(numbers),
                                     random.Below(3) == 0 ? u"d" + IntToText(i) : u""});
    }
    for (int32_t i = random.Below(20); i >= 0; --i) {
      indexed.RegTable.Append(RegRow{random.Pick(registers), random.Pick(numbers), u"",
                                     random.Below(3) == 0 ? u"p" + IntToText(i) : u""});
    }
    for (int32_t i = random.Below(8); i > 0; --i) {
      indexed.NotFound.Append(
          NotFoundRow{random.Pick(generic), random.Below(5) == 0 ? u"" : u"g" + IntToText(i)});
    }
    DeviceTables walked = indexed;
    CompleteBitDescriptions(indexed, defaults);
    CompletePages(indexed);
    WalkingCompletions(walked, defaults);
    return std::pair{test::TablesAsText(indexed), test::TablesAsText(walked)};
  });
}

}  // namespace
}  // namespace bnf
