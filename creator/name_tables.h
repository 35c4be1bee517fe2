// The standard and private name tables: register and bit names with default
// descriptions, the standard rows first, then the private rows. Both roads take default
// register descriptions from here, the 8-bit road default bit descriptions too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/text_file.h"
#include "platform/platform.h"

namespace bnf {

struct Directories;

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

// Reads the standard (true) or the private (false) name files into the tables: the
// standard read starts both tables afresh, the private read replaces the private rows.
// A missing register-name file reads nothing of its kind, silently. Throws FileError
// when the bit-name file beside an existing register-name file cannot be read. A file
// with more accepted lines than its table has rows left is read up to the limit and
// the user is told once, through `dialogs`, which file was cut.
void ReadSFR_BITFiles(NameTables& names, const Directories& dirs, const TextFiles& files,
                      bool Standard, Dialogs& dialogs);

// The default description of a register: the row with the longest name that begins the
// trimmed name, plus up to two following characters (H, L and U spelled out as byte
// names). Empty when no row applies.
std::u16string GetDefaultSFR(const NameTables& names, std::u16string_view Name);

// The default description of a bit: the first row whose name (up to a "*") begins the
// trimmed bit name; a "*" appends the rest of the bit name. Empty when no row applies.
std::u16string GetDefaultBit(const NameTables& names, std::u16string_view BitName);

// GetDefaultBit for many bits over tables that stay as they are: the rows by their name
// up to a "*", so a bit name is looked up by its own beginnings instead of against every
// row. Answers exactly as GetDefaultBit.
class DefaultBits {
 public:
  explicit DefaultBits(const NameTables& names);
  std::u16string Find(std::u16string_view BitName) const;

 private:
  struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view s) const {
      return std::hash<std::u16string_view>{}(s);
    }
  };
  const NameTables& names_;
  // A row's name up to its "*" to the first row with that beginning.
  std::unordered_map<std::u16string, std::size_t, ViewHash, std::equal_to<>> first_;
  std::vector<std::size_t> lengths_;  // of those beginnings, ascending
};

}  // namespace bnf
