// Device tables as text, the case files of tests/data/creator, and random rounds that
// hold an index's answers against a plain walk. Rows as text: "R name|address|
// description|page", "B owner|name|number|description", "N name|page".
// A case file holds cases "=== name", each with sections "-- word" and their lines;
// "# " starts a comment line, "{tab}", "{sp}" and "{uXXXX}" stand for those characters,
// and a line "{empty}" for an empty line at a section's end (others only separate cases).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "creator/device_tables.h"

namespace bnf::test {

using Texts = std::vector<std::u16string>;

std::string Narrow(std::u16string_view s);
std::u16string Widen(std::string_view s);

Texts TablesAsText(const DeviceTables& t);
// Appends the R, B and N rows of `rows` (other lines are left for the caller).
void AppendRows(DeviceTables& t, const Texts& rows);
// Lines starting with `prefix`, less the prefix.
Texts Tagged(const Texts& lines, std::u16string_view prefix);
// The text's parts between the separators (one part for a text without one).
Texts Fields(std::u16string_view text, char16_t separator = u'|');

struct Case {
  std::string name;
  std::map<std::string, Texts> sections;
  const Texts& operator[](const std::string& section) const {
    static const Texts none;
    auto it = sections.find(section);
    return it == sections.end() ? none : it->second;
  }
};

std::vector<Case> ReadCases(std::string_view file);

struct Random {
  int32_t Below(int32_t n) { return static_cast<int32_t>(engine() % static_cast<unsigned>(n)); }
  const std::u16string& Pick(const Texts& from) { return from[engine() % from.size()]; }
  std::mt19937 engine;
};

// `round` makes random input and answers for it through the index under test and by a
// plain walk; the two must be equal in every round.
template <typename Round>
void ExpectAsTheWalk(unsigned seed, int rounds, Round round) {
  Random random{std::mt19937(seed)};
  for (int i = 0; i < rounds; ++i) {
    const auto [indexed, walked] = round(random);
    ASSERT_EQ(walked, indexed) << "round " << i;
  }
}

}  // namespace bnf::test
