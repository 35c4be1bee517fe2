// The device tables: the emptied state, the finders at the table edges, the capacity
// limits, and the indexes behind the finders, the 8-bit fallbacks, the 16-bit generic
// headings and the include reader's bit blocks, which must answer as the plain walks
// they replace, over many random tables.
#include "creator/device_tables.h"

#include <gtest/gtest.h>

#include <random>

#include "common/text_utils.h"
#include "creator/datasheet16.h"
#include "creator/generation8.h"
#include "creator/include_reader.h"
#include "tests/support/rig.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

using test::Texts;

struct Random {
  explicit Random(unsigned seed) : engine(seed) {}
  int32_t Below(int32_t n) { return static_cast<int32_t>(engine() % static_cast<unsigned>(n)); }
  const std::u16string& Pick(const Texts& from) { return from[engine() % from.size()]; }
  bool OneIn(unsigned n) { return engine() % n == 0; }
  std::mt19937 engine;
};

// The first row up to and including the counter whose key is `key`.
template <typename Row>
int32_t Walk(const Table<Row>& table, std::u16string_view key) {
  for (int32_t i = 1; i <= table.Counter(); ++i) {
    if (KeyOf(table[i]) == key) return i;
  }
  return -1;
}

TEST(DeviceTables, EmptiedStatesAndTheLastBitOfABlock) {
  DeviceTables t;
  EXPECT_EQ(0, t.FindLastBit4Reg(u"STATUS", 1));
  EXPECT_EQ(1, t.FindFirstBit4Reg(u""));
  test::AppendRows(t, {u"R A|0001", u"B STATUS|B0", u"B STATUS|B1", u"B STATUS|B2", u"B INTCON|B0",
                       u"B INTCON|B1", u"N TMRxCON|12"});
  const std::tuple<std::u16string, int32_t, int32_t> cases[] = {
      {u"STATUS", 1, 3},  {u"STATUS", 3, 3},   {u"INTCON", 4, 5},
      {u"INTCON", 6, 5},  {u"STATUS", 4, 3},   {u"INTCON", 7, -1},
      {u"INTCON", 0, -1}, {u"INTCON", -1, -1}, {u"", 6, -1}};
  for (const auto& [name, first, expected] : cases) {
    EXPECT_EQ(expected, t.FindLastBit4Reg(name, first)) << test::Narrow(name) << " " << first;
  }
  EXPECT_EQ(6, t.FindFirstBit4Reg(u""));  // the empty row at the counter
  t.EmptyRegistersAndBits();
  EXPECT_EQ((Texts{u"N TMRxCON|12"}), test::TablesAsText(t));
  EXPECT_EQ(u"", t.RegTable[1].name);
  t.EmptyAll();
  EXPECT_EQ(Texts{}, test::TablesAsText(t));
  EXPECT_EQ(u"", t.NotFound[1].name);
}

TEST(DeviceTables, AppendingBeyondCapacityThrowsNamingTheTable) {
  DeviceTables t;
  for (int i = 0; i < kRegCapacity; ++i) t.RegTable.Append(RegRow{u"R", {}, {}, {}});
  for (int i = 0; i < kNotFoundCapacity; ++i) t.NotFound.Append(NotFoundRow{u"N", u"1"});
  for (int i = 0; i < kBitCapacity; ++i) t.BitTable.Append(BitRow{u"R", u"B", u"0", {}});
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
  EXPECT_THROW(t.BitTable.Append(BitRow{u"R", u"B", u"0", {}}), CapacityError);
  EXPECT_EQ(4097, t.RegCount());
  EXPECT_EQ(4097, t.NotFoundCount());
  EXPECT_EQ(65537, t.BitCount());
}

TEST(TableIndex, KeysChangedInPlaceAreSeenByTheNextLookup) {
  DeviceTables t;
  test::AppendRows(t, {u"B A", u"B B", u"B A", u"B C"});
  ASSERT_EQ(1, t.FindFirstBit4Reg(u"A"));
  t.BitTable.At(1).owner = u"C";  // the first A goes: the next one is found
  EXPECT_EQ(3, t.FindFirstBit4Reg(u"A"));
  EXPECT_EQ(1, t.FindFirstBit4Reg(u"C"));
  t.BitTable.At(3) = BitRow{u"", u"b", u"0", {}};  // a whole row replaced
  EXPECT_EQ(-1, t.FindFirstBit4Reg(u"A"));
  EXPECT_EQ(3, t.FindFirstBit4Reg(u""));
  t.BitTable.At(2).owner = u"A";
  t.BitTable.At(2).owner = u"B";  // changed twice before a lookup: back as it was
  EXPECT_EQ(2, t.FindFirstBit4Reg(u"B"));
  EXPECT_EQ(-1, t.FindFirstBit4Reg(u"A"));
  t.BitTable.Append(BitRow{u"D", {}, {}, {}}).owner = u"A";  // through Append's reference
  EXPECT_EQ(5, t.FindFirstBit4Reg(u"A"));
  EXPECT_EQ(-1, t.FindFirstBit4Reg(u"D"));
}

// Duplicates, blank and case-different keys, changes in place, lookups between changes
// and tables emptied with changes pending: the finders answer as the walk does, blank names found
// by none but FindFirstBit4Reg.
TEST(TableIndex, AnswersAsAWalkThroughRandomChanges) {
  const Texts keys = {u"A", u"B", u"C", u"", u" ", u"a", u"A ", u"\t"};
  Random random(7);
  DeviceTables t;
  for (int step = 0; step < 3000; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    const std::u16string& key = random.Pick(keys);
    const int32_t action = random.Below(20);
    if (action < 8) {
      t.RegTable.Append(RegRow{key, {}, {}, {}});
      t.BitTable.Append(BitRow{key, {}, {}, {}});
    } else if (action < 16 && t.BitCount() > 1) {
      const int32_t row = 1 + random.Below(t.BitCount() - 1);
      t.BitTable.At(row).owner = key;
      t.RegTable.At(row).name = random.Pick(keys);
      if (action % 2 == 0) t.FindRegister(key);
    } else if (action < 19 && t.BitCount() > 1) {
      t.BitTable.At(1 + random.Below(t.BitCount() - 1)).description = key;
    } else if (random.OneIn(4)) {
      t.EmptyRegistersAndBits();
    }
    if (random.OneIn(3)) continue;  // changes pending also when the table is emptied
    for (const std::u16string& k : keys) {
      const int32_t bit = Walk(t.BitTable, k);
      ASSERT_EQ(IsBlank(k) ? -1 : Walk(t.RegTable, k), t.FindRegister(k)) << test::Narrow(k);
      ASSERT_EQ(bit, t.FindFirstBit4Reg(k)) << test::Narrow(k);
      ASSERT_EQ(IsBlank(k) ? -1 : bit, t.FindRegisterInBit(k)) << test::Narrow(k);
    }
  }
}

template <typename Row>
Texts Column(const Table<Row>& table, std::u16string Row::*field) {
  Texts out;
  for (int32_t i = 1; i < table.Counter(); ++i) out.push_back(table[i].*field);
  return out;
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

TEST(IndexedFallbacks, DescriptionsAndPagesAsTheWalkingLookupsGiveThem) {
  const Texts owners = {u"TMR1", u"TMR2", u"TMR12", u"CCP1", u" TMR1", u"PIR1", u"X"};
  const Texts bits = {u"ON", u"EN", u"GO", u"NOT_GO", u"ON "};
  const Texts numbers = {u"0", u"1", u"7", u"8", u" 1", u"01", u""};
  const Texts registers = {u"TMR1",    u"TMR2", u"TMR1L", u"CCP1CON",
                           u"CCP2CON", u"PIR1", u"x",     u"TMR"};
  const Texts generic = {u"TMRn", u"TMRx", u"CCPnCON", u"CCPxCON", u"PIRnn", u"nCON",
                         u"TMR1", u"n",    u"xx",      u"TMRnL",   u"PIn1"};
  const Texts addresses = {u"0001", u"0002", u"0003", u""};
  NameTables defaults;
  defaults.BitNames = {{u"EN", u"enable"}, {u"NOT_*", u"negated "}};
  Random random(11);
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    DeviceTables indexed;
    for (int32_t i = random.Below(40); i >= 0; --i) {
      indexed.BitTable.Append(BitRow{random.Pick(owners), random.Pick(bits), random.Pick(numbers),
                                     random.OneIn(3) ? u"d" + IntToText(i) : u""});
    }
    for (int32_t i = random.Below(20); i >= 0; --i) {
      indexed.RegTable.Append(RegRow{random.Pick(registers),
                                     random.Pick(addresses),
                                     {},
                                     random.OneIn(3) ? u"p" + IntToText(i) : u""});
    }
    for (int32_t i = random.Below(8); i > 0; --i) {
      indexed.NotFound.Append(
          NotFoundRow{random.Pick(generic), random.OneIn(5) ? u"" : u"g" + IntToText(i)});
    }
    DeviceTables walked = indexed;
    CompleteBitDescriptions(indexed, defaults);
    CompletePages(indexed);
    WalkingCompletions(walked, defaults);
    ASSERT_EQ(Column(walked.BitTable, &BitRow::description),
              Column(indexed.BitTable, &BitRow::description));
    ASSERT_EQ(Column(walked.RegTable, &RegRow::page), Column(indexed.RegTable, &RegRow::page));
  }
}

// Each heading is the register's own row, else a generic row of its own when
// FindRegisterLike over the growing table finds a register it stands for, else NotFound.
TEST(IndexedFallbacks, GenericHeadingsAsFindRegisterLikeFilesThem) {
  const Texts registers = {u"U1MODE", u"U2MODE", u"IC1CON", u"A", u"AB", u"NX", u"U1STA"};
  const Texts headings = {u"UxMODE", u"UyMODE", u"UXMODE", u"ICxCON", u"ICNCON", u"Ux",
                          u"x",      u"N",      u"NX",     u"Nn",     u"UxSTA",  u"U1MODE",
                          u"Y",      u"Bx",     u"yB",     u"UnMODE", u"IxxCON", u"ICnCOx"};
  Random random(17);
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    test::Rig rig;
    test::TempDir dir;
    DeviceTables expected;
    for (int i = 0; i < 4; ++i) {
      const RegRow row{random.Pick(registers), u"0100", {}, {}};
      rig.s().tables.RegTable.Append(row);
      expected.RegTable.Append(row);
    }
    Texts lines;
    for (int i = 0; i < 12; ++i) {
      const std::u16string& name = random.Pick(headings);
      lines.push_back(u"REGISTER 1-" + IntToText(i) + u": " + name + u": HEADING");
      if (expected.FindRegister(name) > 0) continue;
      if (FindRegisterLike(expected, name) > 0) {
        expected.RegTable.Append(RegRow{name, {}, {}, {}});
      } else {
        expected.NotFound.Append(NotFoundRow{name, {}});
      }
    }
    rig.s().req.PdfTextFile = dir.File(u"sheet.txt");
    rig.text.WriteLines(rig.s().req.PdfTextFile, lines);
    ReadThePDF16(rig.s(), rig.text, rig.view);
    EXPECT_EQ(Column(expected.RegTable, &RegRow::name),
              Column(rig.s().tables.RegTable, &RegRow::name));
    EXPECT_EQ(Column(expected.NotFound, &NotFoundRow::name),
              Column(rig.s().tables.NotFound, &NotFoundRow::name));
  }
}

TEST(SortedAtOnce, IncludeBitBlocksAsInsertingIntoWorkListOrdersThem) {
  // Letter case of a-z aside, equal names: ä and Ä compare equal, É and E do not.
  const Texts names = {u"A",  u"B",     u"\u00C4", u"\u00E4", u"\u00C9", u"E",     u"A_B",
                       u"AB", u"NOT_A", u"A-B",    u"A1",     u"A10",    u"\u00FF"};
  Random random(19);
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    test::Rig rig;
    test::TempDir dir;
    SortedStringList inserted(*rig.collator);
    Texts lines = {u";----- Register Files -----", u"REG EQU H'0001'", u";----- REG Bits -----"};
    for (int i = 0; i < 30; ++i) {
      const std::u16string& name = random.Pick(names);
      const std::u16string digit = IntToText(random.Below(10));
      lines.push_back(name + u" EQU H'000" + digit + u"'");
      inserted.Add(u"REG;" + digit + u";" + name);
    }
    lines.push_back(u";=====");
    rig.text.WriteLines(dir.File(u"P16F1.inc"), lines);
    rig.s().dirs.Mplab8Dir = dir.path() + u"\\";
    GetInc(rig.s(), rig.text, u"16F1");
    Texts stored;
    for (const std::u16string& row : test::TablesAsText(rig.s().tables)) {
      if (!row.starts_with(u"B ")) continue;
      const Texts f = test::Fields(row.substr(2));
      stored.push_back(f[0] + u";" + f[2] + u";" + f[1]);
    }
    ASSERT_EQ(inserted.Items(), stored);
  }
}

}  // namespace
}  // namespace bnf
