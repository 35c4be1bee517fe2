// The indexes behind the finders and the fallbacks must give the answers of the walks
// they replace: the first match after duplicates, after Clear and after keys changed
// in place (the 16-bit placeholder filling), and, over many generated tables, the same
// rows as a plain walk (finders), as the walking lookups (8-bit completions) and as
// FindRegisterLike (the 16-bit scanner's generic headings). The include reader sorts a
// heading's bits at once; the order must be the one inserting each into WorkList gives.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/text_utils.h"
#include "creator/datasheet16.h"
#include "creator/device_tables.h"
#include "creator/generation8.h"
#include "creator/include_reader.h"
#include "creator/name_tables.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Texts = std::vector<std::u16string>;

std::string Narrow(std::u16string_view s) {
  return std::string(s.begin(), s.end());
}

// The first row up to and including the counter whose key is `key`.
template <typename Row>
int32_t Walk(const Table<Row>& table, std::u16string_view key) {
  for (int32_t i = 1; i <= table.Counter(); ++i) {
    if (KeyOf(table[i]) == key) return i;
  }
  return -1;
}

void ExpectFindersWalk(const DeviceTables& t, const Texts& keys) {
  for (const std::u16string& key : keys) {
    SCOPED_TRACE("key '" + Narrow(key) + "'");
    int32_t reg = Walk(t.RegTable, key);
    int32_t bit = Walk(t.BitTable, key);
    ASSERT_EQ(IsBlank(key) ? -1 : reg, t.FindRegister(key));
    ASSERT_EQ(bit, t.FindFirstBit4Reg(key));
    ASSERT_EQ(IsBlank(key) ? -1 : bit, t.FindRegisterInBit(key));
  }
}

TEST(TableIndex, FirstOfDuplicatesAfterAppendAndClear) {
  DeviceTables t;
  for (const char16_t* name : {u"A", u"B", u"A", u"", u"B"}) {
    t.RegTable.Append(RegRow{name, {}, {}, {}});
    t.BitTable.Append(BitRow{name, u"b", u"0", {}});
  }
  EXPECT_EQ(1, t.FindRegister(u"A"));
  EXPECT_EQ(2, t.FindRegister(u"B"));
  EXPECT_EQ(2, t.FindRegisterInBit(u"B"));
  EXPECT_EQ(4, t.FindFirstBit4Reg(u""));  // a stored empty owner before the counter's
  EXPECT_EQ(-1, t.FindRegister(u""));

  t.EmptyRegistersAndBits();
  EXPECT_EQ(-1, t.FindRegister(u"A"));
  EXPECT_EQ(-1, t.FindFirstBit4Reg(u"A"));
  EXPECT_EQ(1, t.FindFirstBit4Reg(u""));
  t.RegTable.Append(RegRow{u"B", {}, {}, {}});
  t.RegTable.Append(RegRow{u"A", {}, {}, {}});
  EXPECT_EQ(2, t.FindRegister(u"A"));
  EXPECT_EQ(1, t.FindRegister(u"B"));
}

TEST(TableIndex, KeysChangedInPlaceAreSeenByTheNextLookup) {
  DeviceTables t;
  for (const char16_t* owner : {u"A", u"B", u"A", u"C"}) {
    t.BitTable.Append(BitRow{owner, u"b", u"0", {}});
  }
  ASSERT_EQ(1, t.FindFirstBit4Reg(u"A"));
  t.BitTable.At(1).owner = u"C";  // the first A goes: the next one is found
  EXPECT_EQ(3, t.FindFirstBit4Reg(u"A"));
  EXPECT_EQ(1, t.FindFirstBit4Reg(u"C"));          // and it is now the first C
  t.BitTable.At(3) = BitRow{u"", u"b", u"0", {}};  // a whole row replaced
  EXPECT_EQ(-1, t.FindFirstBit4Reg(u"A"));
  EXPECT_EQ(3, t.FindFirstBit4Reg(u""));
  t.BitTable.At(2).description = u"not a key";
  t.BitTable.At(2).owner = u"A";
  t.BitTable.At(2).owner = u"B";  // changed twice before a lookup: back as it was
  EXPECT_EQ(2, t.FindFirstBit4Reg(u"B"));
  EXPECT_EQ(-1, t.FindFirstBit4Reg(u"A"));
  t.BitTable.Append(BitRow{u"D", {}, {}, {}}).owner = u"A";  // through Append's reference
  EXPECT_EQ(5, t.FindFirstBit4Reg(u"A"));
  EXPECT_EQ(-1, t.FindFirstBit4Reg(u"D"));
}

TEST(TableIndex, KeyEpochMovesOnlyWhenAKeyChangesOrTheTableEmpties) {
  Table<RegRow> table(10, u"test table");
  uint64_t start = table.KeyEpoch();
  table.Append(RegRow{u"A", {}, {}, {}});
  table.At(1).description = u"d";
  EXPECT_EQ(start, table.KeyEpoch());
  table.At(1).name = u"B";
  uint64_t changed = table.KeyEpoch();
  EXPECT_NE(start, changed);
  table.Clear();
  EXPECT_NE(changed, table.KeyEpoch());
}

TEST(TableIndex, PlaceholderFillingThatTakesAnotherOwnersRowMovesIt) {
  // A block without its placeholder, followed by another owner's row without a name:
  // the filling writes A's bit over it, so that row leaves B's block.
  DeviceTables t;
  t.BitTable.Append(BitRow{u"A", u"X", u"01", u"one"});
  t.BitTable.Append(BitRow{u"B", u"", u"", u""});
  t.BitTable.Append(BitRow{u"B", u"Y", u"02", u"two"});
  ASSERT_EQ(2, t.FindRegisterInBit(u"B"));
  UpdateBitDesc(t, u"A", u"Z", u"3", u"three", 1, true);
  EXPECT_EQ(3, t.FindRegisterInBit(u"B"));
  EXPECT_EQ(1, t.FindRegisterInBit(u"A"));
  EXPECT_EQ(2, t.FindLastBit4Reg(u"A", 1));
  ExpectFindersWalk(t, {u"A", u"B", u"", u"Z"});
}

TEST(TableIndex, CopiesKeepTheirOwnIndex) {
  DeviceTables original;
  original.RegTable.Append(RegRow{u"A", {}, {}, {}});
  original.FindRegister(u"A");
  DeviceTables copy = original;
  copy.RegTable.At(1).name = u"B";
  EXPECT_EQ(1, original.FindRegister(u"A"));
  EXPECT_EQ(-1, original.FindRegister(u"B"));
  EXPECT_EQ(1, copy.FindRegister(u"B"));
  EXPECT_EQ(-1, copy.FindRegister(u"A"));
}

// Random appends, in-place changes of keys and of other fields, and emptying, with the
// finders compared to a walk after every step.
TEST(TableIndex, AnswersAsAWalkThroughRandomChanges) {
  const Texts keys = {u"A", u"B", u"C", u"", u" ", u"a", u"A "};
  std::mt19937 random(7);
  auto pick = [&](std::size_t n) { return static_cast<int32_t>(random() % n); };
  DeviceTables t;
  for (int step = 0; step < 3000; ++step) {
    SCOPED_TRACE("step " + std::to_string(step));
    const std::u16string& key = keys[static_cast<std::size_t>(pick(keys.size()))];
    int32_t action = pick(20);
    if (action < 8) {
      t.RegTable.Append(RegRow{key, {}, {}, {}});
      t.BitTable.Append(BitRow{key, {}, {}, {}});
    } else if (action < 16 && t.BitCount() > 1) {
      int32_t row = 1 + pick(static_cast<std::size_t>(t.BitCount() - 1));
      t.BitTable.At(row).owner = key;
      t.RegTable.At(row).name = keys[static_cast<std::size_t>(pick(keys.size()))];
      if (action % 2 == 0) t.FindRegister(key);  // a lookup between changes
    } else if (action < 19 && t.BitCount() > 1) {
      t.BitTable.At(1 + pick(static_cast<std::size_t>(t.BitCount() - 1))).description = key;
    } else if (pick(4) == 0) {
      t.EmptyRegistersAndBits();
    }
    ExpectFindersWalk(t, keys);
  }
}

// The 8-bit completions as they were first written: every lookup walks the tables.
void WalkingBitDescriptions(DeviceTables& t, const NameTables& names) {
  auto fill = [&t](auto lookup) {
    for (int32_t i = 1; i < t.BitCount(); ++i) {
      BitRow& bit = t.BitTable.At(i);
      if (!bit.description.empty()) continue;
      std::u16string d = lookup(bit, i);
      if (!d.empty()) bit.description = d;
    }
  };
  fill([&](const BitRow& bit, int32_t) { return GetDefaultBit(names, bit.name); });
  fill([&](const BitRow& bit, int32_t ix) {
    return LookUpBitdescInReg(t, bit.owner, bit.number, ix);
  });
  fill([&](const BitRow& bit, int32_t ix) {
    return LookUpBitdescBitNameNum(t, bit.owner, bit.name, bit.number, ix);
  });
}

void WalkingPages(DeviceTables& t) {
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

class RandomTables {
 public:
  explicit RandomTables(unsigned seed) : random_(seed) {}

  const std::u16string& Pick(const Texts& from) { return from[random_() % from.size()]; }
  bool OneIn(unsigned n) { return random_() % n == 0; }

  DeviceTables Bits() {
    const Texts owners = {u"TMR1", u"TMR2", u"TMR12", u"CCP1", u" TMR1", u"PIR1", u"X"};
    const Texts names = {u"ON", u"EN", u"GO", u"NOT_GO", u"ON "};
    const Texts numbers = {u"0", u"1", u"7", u"8", u" 1", u"01", u""};
    DeviceTables t;
    int rows = 1 + static_cast<int>(random_() % 40);
    for (int i = 0; i < rows; ++i) {
      std::u16string description = OneIn(3) ? u"d" + IntToText(i) : u"";
      t.BitTable.Append(BitRow{Pick(owners), Pick(names), Pick(numbers), description});
    }
    return t;
  }

  DeviceTables Registers() {
    const Texts names = {u"TMR1", u"TMR2", u"TMR1L", u"CCP1CON", u"CCP2CON", u"PIR1", u"x"};
    const Texts generic = {u"TMRn", u"TMRx", u"CCPnCON", u"CCPxCON", u"PIRnn", u"nCON",
                           u"TMR1", u"n",    u"xx",      u"TMRnL",   u"PIn1"};
    const Texts addresses = {u"0001", u"0002", u"0003", u""};
    DeviceTables t;
    int rows = 1 + static_cast<int>(random_() % 20);
    for (int i = 0; i < rows; ++i) {
      std::u16string page = OneIn(3) ? u"p" + IntToText(i) : u"";
      t.RegTable.Append(RegRow{Pick(names), Pick(addresses), {}, page});
    }
    int generics = static_cast<int>(random_() % 8);
    for (int i = 0; i < generics; ++i) {
      t.NotFound.Append(NotFoundRow{Pick(generic), OneIn(5) ? u"" : u"g" + IntToText(i)});
    }
    return t;
  }

 private:
  std::mt19937 random_;
};

Texts BitTexts(const DeviceTables& t) {
  Texts out;
  for (int32_t i = 1; i < t.BitCount(); ++i) out.push_back(t.BitTable[i].description);
  return out;
}

Texts PageTexts(const DeviceTables& t) {
  Texts out;
  for (int32_t i = 1; i < t.RegCount(); ++i) out.push_back(t.RegTable[i].page);
  return out;
}

TEST(IndexedFallbacks, BitDescriptionsAsTheWalkingLookupsGiveThem) {
  NameTables names;
  names.BitNames = {{u"EN", u"enable"}, {u"NOT_*", u"negated "}};
  RandomTables random(11);
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    DeviceTables indexed = random.Bits();
    DeviceTables walked = indexed;
    CompleteBitDescriptions(indexed, names);
    WalkingBitDescriptions(walked, names);
    ASSERT_EQ(BitTexts(walked), BitTexts(indexed));
  }
}

TEST(IndexedFallbacks, PagesAsTheWalkingLookupsGiveThem) {
  RandomTables random(13);
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    DeviceTables indexed = random.Registers();
    DeviceTables walked = indexed;
    CompletePages(indexed);
    WalkingPages(walked);
    ASSERT_EQ(PageTexts(walked), PageTexts(indexed));
  }
}

// The 16-bit scanner's headings: the register's own row, else a generic row of its own
// when FindRegisterLike finds a register it stands for, else a NotFound row. The scan
// must file every heading as FindRegisterLike over the growing table says.
TEST(IndexedFallbacks, GenericHeadingsAsFindRegisterLikeFilesThem) {
  const Texts registers = {u"U1MODE", u"U2MODE", u"IC1CON", u"A", u"AB", u"NX", u"U1STA"};
  const Texts headings = {u"UxMODE", u"UyMODE", u"UXMODE", u"ICxCON", u"ICNCON", u"Ux",
                          u"x",      u"N",      u"NX",     u"Nn",     u"UxSTA",  u"U1MODE",
                          u"Y",      u"Bx",     u"yB",     u"UnMODE", u"IxxCON", u"ICnCOx"};
  RandomTables random(17);
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    test::Rig rig;
    test::TempDir dir;
    DeviceTables& t = rig.s().tables;
    DeviceTables expected;
    for (int i = 0; i < 4; ++i) {
      const std::u16string& name = random.Pick(registers);
      t.RegTable.Append(RegRow{name, u"0100", {}, {}});
      expected.RegTable.Append(RegRow{name, u"0100", {}, {}});
    }
    Texts lines;
    for (int i = 0; i < 12; ++i) {
      const std::u16string& name = random.Pick(headings);
      lines.push_back(u"REGISTER 1-" + IntToText(i) + u": " + name + u": HEADING " + IntToText(i));
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
    ASSERT_EQ(expected.RegCount(), t.RegCount());
    ASSERT_EQ(expected.NotFoundCount(), t.NotFoundCount());
    for (int32_t i = 1; i < t.RegCount(); ++i)
      EXPECT_EQ(expected.RegTable[i].name, t.RegTable[i].name);
    for (int32_t i = 1; i < t.NotFoundCount(); ++i) {
      EXPECT_EQ(expected.NotFound[i].name, t.NotFound[i].name);
    }
  }
}

TEST(SortedAtOnce, IncludeBitBlocksAsInsertingIntoWorkListOrdersThem) {
  // Letter case of a-z aside, equal names: ä and Ä compare equal, É and E do not.
  const Texts names = {u"A",  u"B",     u"\u00C4", u"\u00E4", u"\u00C9", u"E",     u"A_B",
                       u"AB", u"NOT_A", u"A-B",    u"A1",     u"A10",    u"\u00FF"};
  std::mt19937 random(19);
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    test::Rig rig;
    test::TempDir dir;
    SortedStringList inserted(*rig.collator);
    Texts lines = {u";----- Register Files -----", u"REG EQU H'0001'", u";----- REG Bits -----"};
    for (int i = 0; i < 30; ++i) {
      const std::u16string& name = names[random() % names.size()];
      std::u16string digit = IntToText(static_cast<int64_t>(random() % 10));
      lines.push_back(name + u" EQU H'000" + digit + u"'");
      inserted.Add(u"REG;" + digit + u";" + name);
    }
    lines.push_back(u";=====");
    rig.text.WriteLines(dir.File(u"P16F1.inc"), lines);
    rig.s().dirs.Mplab8Dir = dir.path() + u"\\";
    GetInc(rig.s(), rig.text, u"16F1");
    Texts stored;
    for (int32_t i = 1; i < rig.s().tables.BitCount(); ++i) {
      const BitRow& b = rig.s().tables.BitTable[i];
      stored.push_back(b.owner + u";" + b.number + u";" + b.name);
    }
    ASSERT_EQ(inserted.Items(), stored);
  }
}

}  // namespace
}  // namespace bnf
