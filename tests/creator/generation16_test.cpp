// The 16-bit writer's lines and messages on their cases; the road is in main_handlers_test.
#include "creator/generation16.h"

#include <gtest/gtest.h>

#include "creator/kdx_reader.h"
#include "tests/support/rig.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

TEST(Write16BitLines, Cases) {
  for (const test::Case& c : test::ReadCases("writer16.cases")) {
    SCOPED_TRACE(c.name);
    test::Rig rig;
    test::AppendRows(rig.s().tables, c["tables"]);
    for (int32_t i = 1; i < rig.s().tables.RegCount(); ++i) {
      const RegRow& r = rig.s().tables.RegTable[i];
      if (!r.address.empty()) rig.s().RegisterList.Add(RegisterListEntry(r.name, r.address));
    }
    for (const std::u16string& row : test::Tagged(c["tables"], u"S ")) {
      rig.s().names.SfrNames.push_back(
          {row.substr(0, row.find(u'|')), row.substr(row.find(u'|') + 1)});
    }
    Write16BitLines(rig.s(), rig.dialogs);
    EXPECT_EQ(c["expect"], rig.s().WorkList.Items());
    EXPECT_EQ(c["messages"], rig.dialogs.Texts(test::ShownBox::Message));
  }
}

}  // namespace
}  // namespace bnf
