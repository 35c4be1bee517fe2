// The bit-name index must answer as GetDefaultBit's walk over the rows: over random
// tables of exact and "*" rows (prefixes of one another, duplicates, an empty beginning)
// and random bit names, blanks and "=" forms included.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "creator/name_tables.h"

namespace bnf {
namespace {

TEST(DefaultBits, AnswersAsTheWalk) {
  const std::vector<std::u16string> parts = {u"", u"A", u"AB", u"ABC", u"B", u"RB0", u"X"};
  const std::vector<std::u16string> ends = {u"", u"*", u"*X", u"0", u"1*"};
  std::mt19937 random(7);
  auto pick = [&](const std::vector<std::u16string>& from) { return from[random() % from.size()]; };
  for (int table = 0; table < 200; ++table) {
    NameTables names;
    for (int row = 0, rows = 1 + static_cast<int>(random() % 12); row < rows; ++row) {
      std::u16string name = pick(parts) + pick(ends);
      if (!name.empty()) names.BitNames.push_back({name, u"d" + std::u16string(1, u'a' + row)});
    }
    const DefaultBits index(names);
    for (int ask = 0; ask < 50; ++ask) {
      std::u16string bit =
          pick({u"", u" ", u"N=", u" Q= "}) + pick(parts) + pick(ends) + pick(parts);
      ASSERT_EQ(GetDefaultBit(names, bit), index.Find(bit)) << table << " " << ask;
    }
  }
}

}  // namespace
}  // namespace bnf
