// The creator's functions of texts and tables on the cases of tests/data/creator: each
// case line holds the arguments and the expected result.
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
using Function =
    std::function<std::u16string(const DeviceTables&, const NameTables&, const Texts&)>;

std::u16string Text(const std::optional<std::u16string>& s) {
  return s.value_or(u"-");
}
std::u16string Text(bool b) {
  return b ? u"true" : u"false";
}
std::u16string Text(int32_t i) {
  return IntToText(i);
}
Texts Split(std::u16string_view s, char16_t by) {
  Texts out;
  for (std::size_t at = 0, end; at <= s.size(); at = end + 1) {
    end = std::min(s.find(by, at), s.size());
    out.emplace_back(s.substr(at, end - at));
  }
  return out;
}
std::u16string Join(const Texts& parts, std::u16string_view by) {
  std::u16string out;
  for (const std::u16string& p : parts) out += (out.empty() ? u"" : std::u16string(by)) + p;
  return out;
}
int32_t Int(std::u16string_view s) {
  int32_t i = 0;
  TryTextToInt(s, i);
  return i;
}

const std::map<std::string, Function>& Functions() {
  using T = const DeviceTables&;
  using N = const NameTables&;
  using A = const Texts&;
  static const std::map<std::string, Function> functions = {
      {"DeviceTypeFromArgument", [](T, N, A a) { return Text(DeviceTypeFromArgument(a[0])); }},
      {"DeviceNumberOf", [](T, N, A a) { return DeviceNumberOf(a[0]); }},
      {"KdxFileName", [](T, N, A a) { return KdxFileName(a[0], a[1]); }},
      {"BnfFileName", [](T, N, A a) { return BnfFileName(a[0], a[1]); }},
      {"FamilyNumber",
       [](T, N, A a) {
         const int32_t n = FamilyNumber(a[0]);
         return Text(n) + (Is8BitFamily(n) ? u" 8-bit" : u" 16-bit");
       }},
      {"TypeText", [](T, N, A a) { return Text(TypeText(a[0], a[1], a[2] == u"8")); }},
      {"MergeEntry",
       [](T, N, A a) {
         const std::u16string entry = MergeEntry(a[0]);
         const MergeParts p = SplitMergeEntry(entry);
         return entry + u";" + p.name + u";" + p.date + u";" + p.directory;
       }},
      {"DeleteNonFam",
       [](T, N, A a) {
         auto collator = MakeCollator();
         SortedStringList list(*collator, false);
         for (const std::u16string& line : Split(a[1], u';')) list.Add(line);
         DeleteNonFam(a[0], list);
         return Join(list.Items(), u";");
       }},
      {"RemoveOlderCopies",
       [](T, N, A a) {
         auto collator = MakeCollator();
         SortedStringList merged(*collator, false);
         for (const std::u16string& e : Split(a[0], u';')) {
           const Texts f = Split(e, u' ');
           merged.Add(f[0] + u"\t" + f[1] + u"\t1\u00FF" + f[2]);
         }
         RemoveOlderCopies(merged);
         Texts kept;
         for (const std::u16string& e : merged.Items())
           kept.push_back(SplitMergeEntry(e).directory);
         return Join(kept, u" ");
       }},
      {"IsSFRLike", [](T, N, A a) { return Text(IsSFRLike(a[0], a[1])); }},
      {"FindRegisterLike", [](T t, N, A a) { return Text(FindRegisterLike(t, a[0])); }},
      {"FindGenericRegisterInBit",
       [](T t, N, A a) { return Text(FindGenericRegisterInBit(t, a[0])); }},
      {"LookUpBitdescInReg",
       [](T t, N, A a) { return LookUpBitdescInReg(t, a[0], a[1], Int(a[2])); }},
      {"LookUpBitdescBitNameNum",
       [](T t, N, A a) { return LookUpBitdescBitNameNum(t, a[0], a[1], a[2], Int(a[3])); }},
      {"GetDefaultSFR", [](T, N n, A a) { return GetDefaultSFR(n, a[0]); }},
      {"GetDefaultBit", [](T, N n, A a) { return GetDefaultBit(n, a[0]); }},
  };
  return functions;
}

NameTables Names(const Texts& rows) {
  NameTables n;
  for (const auto& [tag, table] : {std::pair{u"S ", &n.SfrNames}, {u"T ", &n.BitNames}}) {
    for (const std::u16string& row : test::Tagged(rows, tag)) {
      const Texts f = test::Fields(row);
      table->push_back({f[0], f.size() > 1 ? f[1] : u""});
    }
  }
  n.SfrStdEnd = n.SfrNameCount();
  n.BitStdEnd = n.BitNameCount();
  for (const std::u16string& end : test::Tagged(rows, u"P ")) n.SfrStdEnd = Int(end);
  return n;
}

TEST(Functions, Cases) {
  for (const test::Case& c : test::ReadCases("functions.cases")) {
    const std::string name = c.name.substr(0, c.name.find(':'));
    ASSERT_EQ(1u, Functions().count(name)) << name;
    DeviceTables t;
    test::AppendRows(t, c["tables"]);
    const NameTables names = Names(c["tables"]);
    for (const std::u16string& line : c["cases"]) {
      SCOPED_TRACE(c.name + ": " + test::Narrow(line));
      Texts args = test::Fields(line);
      const std::u16string expected = args.back();
      args.pop_back();
      EXPECT_EQ(expected, Functions().at(name)(t, names, args));
    }
  }
}

TEST(RefusedDeviceNameMessage, NamesTheArgumentAndThatNothingWasWritten) {
  EXPECT_EQ(u"\"C:\\x\\16F84\" is not a device type.\rNo BitName file was written.",
            RefusedDeviceNameMessage(u"C:\\x\\16F84"));
}

}  // namespace
}  // namespace bnf
