// The 8-bit completions on their cases; the whole road runs in main_handlers_test.cpp.
#include "creator/generation8.h"

#include <gtest/gtest.h>

#include "tests/support/table_cases.h"

namespace bnf {
namespace {

TEST(Completions, Cases) {
  for (const test::Case& c : test::ReadCases("completion8.cases")) {
    SCOPED_TRACE(c.name);
    DeviceTables t;
    NameTables names;
    test::AppendRows(t, c["tables"]);
    for (const auto& [tag, rows] : {std::pair{u"S ", &names.SfrNames}, {u"T ", &names.BitNames}}) {
      for (const std::u16string& row : test::Tagged(c["tables"], tag)) {
        rows->push_back({row.substr(0, row.find(u'|')), row.substr(row.find(u'|') + 1)});
      }
    }
    CompleteRegisterDescriptions(t, names);
    CompleteBitDescriptions(t, names);
    CompletePages(t);
    EXPECT_EQ(c["expect"], test::TablesAsText(t));
  }
}

}  // namespace
}  // namespace bnf
