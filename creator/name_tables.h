// The standard and private name tables: register and bit names with default
// descriptions, the standard rows first, then the private rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bnf {

struct NameRow {
  std::u16string Name;
  std::u16string Desc;
};

inline constexpr int32_t kNameCapacity = 4096;

struct NameTables {
  std::vector<NameRow> SfrNames;  // row i (1-based) is SfrNames[i - 1]
  std::vector<NameRow> BitNames;
  int32_t SfrStdEnd = 1;  // first private row
  int32_t BitStdEnd = 1;

  int32_t SfrNameCount() const { return static_cast<int32_t>(SfrNames.size()) + 1; }
  int32_t BitNameCount() const { return static_cast<int32_t>(BitNames.size()) + 1; }
};

}  // namespace bnf
