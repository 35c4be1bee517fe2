// The creator's functions of texts and tables (each case line of functions.cases holds
// the arguments and the result), the BitName file's line forms and the 8-bit writer.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "common/text_utils.h"
#include "creator/bnf_file.h"
#include "creator/command_line.h"
#include "creator/datasheet16.h"
#include "creator/family_lists.h"
#include "creator/generation16.h"
#include "creator/generation8.h"
#include "creator/include_reader.h"
#include "creator/kdx_reader.h"
#include "creator/name_tables.h"
#include "platform/platform.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

using test::Texts;
using Args = const Texts&;

NameTables Names(const Texts& rows) {
  NameTables n;
  for (const auto& [tag, table] : {std::pair{u"S ", &n.SfrNames}, {u"T ", &n.BitNames}}) {
    for (const std::u16string& row : test::Tagged(rows, tag)) {
      const Texts f = test::Fields(row);
      table->push_back({f[0], f.size() > 1 ? f[1] : u""});
    }
  }
  return n;
}

TEST(Functions, Cases) {
  for (const test::Case& c : test::ReadCases("functions.cases")) {
    DeviceTables t;
    test::AppendRows(t, c["tables"]);
    const NameTables n = Names(c["tables"]);
    const std::map<std::string, std::function<std::u16string(Args)>> functions = {
        {"DeviceTypeFromArgument",
         [](Args a) { return DeviceTypeFromArgument(a[0]).value_or(u"-"); }},
        {"DeviceNumberOf", [](Args a) { return DeviceNumberOf(a[0]); }},
        {"KdxFileName", [](Args a) { return KdxFileName(a[0], a[1]); }},
        {"BnfFileName", [](Args a) { return BnfFileName(a[0], a[1]); }},
        {"FamilyNumber",
         [](Args a) {
           const int32_t family = FamilyNumber(a[0]);
           return IntToText(family) + (Is8BitFamily(family) ? u" 8-bit" : u" 16-bit");
         }},
        {"TypeText", [](Args a) { return TypeText(a[0], a[1], a[2] == u"8").value_or(u"-"); }},
        {"MergeEntry",
         [](Args a) {
           const std::u16string entry = MergeEntry(a[0]);
           const MergeParts p = SplitMergeEntry(entry);
           return entry + u";" + p.name + u";" + p.date + u";" + p.directory;
         }},
        {"DeleteNonFam",
         [](Args a) {
           auto collator = MakeCollator();
           SortedStringList list(*collator, false);
           for (const std::u16string& line : test::Fields(a[1], u';')) list.Add(line);
           DeleteNonFam(a[0], list);
           std::u16string kept;
           for (const std::u16string& line : list.Items())
             kept += (kept.empty() ? u"" : u";") + line;
           return kept;
         }},
        {"RemoveOlderCopies",
         [](Args a) {
           auto collator = MakeCollator();
           SortedStringList merged(*collator, false);
           for (const std::u16string& e : test::Fields(a[0], u';')) {
             const Texts f = test::Fields(e, u' ');
             merged.Add(f[0] + u"\t" + f[1] + u"\t1\u00FF" + f[2]);
           }
           RemoveOlderCopies(merged);
           std::u16string kept;
           for (const std::u16string& e : merged.Items())
             kept += (kept.empty() ? u"" : u" ") + SplitMergeEntry(e).directory;
           return kept;
         }},
        {"IsSFRLike", [](Args a) { return IsSFRLike(a[0], a[1]) ? u"true" : u"false"; }},
        {"FindRegisterLike", [&](Args a) { return IntToText(FindRegisterLike(t, a[0])); }},
        {"FindGenericRegisterInBit",
         [&](Args a) { return IntToText(FindGenericRegisterInBit(t, a[0])); }},
        {"LookUpBitdescInReg",
         [&](Args a) { return LookUpBitdescInReg(t, a[0], a[1], std::stoi(test::Narrow(a[2]))); }},
        {"LookUpBitdescBitNameNum",
         [&](Args a) {
           return LookUpBitdescBitNameNum(t, a[0], a[1], a[2], std::stoi(test::Narrow(a[3])));
         }},
        {"GetDefaultSFR", [&](Args a) { return GetDefaultSFR(n, a[0]); }},
        {"GetDefaultBit", [&](Args a) { return GetDefaultBit(n, a[0]); }},
    };
    const std::string name = c.name.substr(0, c.name.find(':'));
    ASSERT_EQ(1u, functions.count(name)) << name;
    for (const std::u16string& line : c["cases"]) {
      SCOPED_TRACE(c.name + ": " + test::Narrow(line));
      Texts args = test::Fields(line);
      const std::u16string expected = args.back();
      args.pop_back();
      EXPECT_EQ(expected, functions.at(name)(args));
    }
  }
}

// The 16-bit writer always asks for the address part, even when the address is empty.
TEST(BnfLines, AddressPartWithEmptyAddressAndNegativePage) {
  EXPECT_EQ(u"GENERIC=\"\" 0x (page -3)", RegisterLine(u"GENERIC", u"", u"", true, u"-3"));
  EXPECT_EQ(u"=.,\"\"", BitLine(u"", u"", u"", u""));
}

TEST(Write8BitLines, Cases) {
  for (const test::Case& c : test::ReadCases("writer8.cases")) {
    SCOPED_TRACE(c.name);
    DeviceTables t;
    test::AppendRows(t, c["tables"]);
    EXPECT_EQ(c["expect"], Write8BitLines(t));
  }
}

}  // namespace
}  // namespace bnf
