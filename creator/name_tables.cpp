// Loading the name files and looking names up in them. A name file is read line by
// line; only "name=description" lines with a description count, names and descriptions
// are kept exactly as written, and the rows keep file order because the lookups'
// first-match rules depend on it.
#include "creator/name_tables.h"

#include <algorithm>
#include <optional>

#include "common/text_utils.h"
#include "creator/creator_state.h"

namespace bnf {

namespace {

// The row a name file's line gives, or nothing for a skipped line.
std::optional<NameRow> ParseNameLine(std::u16string_view line) {
  if (IsBlank(line) || line.front() == u';') return std::nullopt;
  int32_t eq = Pos(u"=", line);
  if (eq <= 1) return std::nullopt;
  NameRow row{Head(line, eq - 1), Tail(line, eq + 1)};
  if (IsBlank(row.Desc)) return std::nullopt;
  return row;
}

// Appends the file's rows to `table` up to the capacity. Returns false when an accepted
// line found the table full, so the caller can say which file was cut.
bool ReadNameFile(const TextFiles& files, std::u16string_view path, std::vector<NameRow>& table) {
  for (const std::u16string& line : files.ReadLines(path)) {
    std::optional<NameRow> row = ParseNameLine(line);
    if (!row) continue;
    if (static_cast<int32_t>(table.size()) >= kNameCapacity) return false;
    table.push_back(std::move(*row));
  }
  return true;
}

void ReadAndReport(const TextFiles& files, std::u16string_view path, std::vector<NameRow>& table,
                   std::u16string_view tableName, Dialogs& dialogs) {
  if (ReadNameFile(files, path, table)) return;
  dialogs.ShowMessage(u"The name file " + std::u16string(path) + u" was not read to its end:\r" +
                      u"the table of " + std::u16string(tableName) + u" holds at most " +
                      IntToText(kNameCapacity) + u" entries.");
}

std::u16string StandardSfrFile(const TextFiles& files, const Directories& dirs) {
  std::u16string wide = dirs.ToolDir + u"StandardSFR16.txt";
  return files.Exists(wide) ? wide : dirs.ToolDir + u"StandardSFR.txt";
}

std::u16string ByteSuffix(char16_t c) {
  switch (c) {
    case u'H':
      return u", High byte";
    case u'L':
      return u", Low byte";
    case u'U':
      return u", Upper byte";
    default:
      return std::u16string(1, c);
  }
}

}  // namespace

void ReadSFR_BITFiles(NameTables& names, const Directories& dirs, const TextFiles& files,
                      bool Standard, Dialogs& dialogs) {
  if (Standard) {
    names.SfrNames.clear();
    names.BitNames.clear();
    names.SfrStdEnd = 1;
    names.BitStdEnd = 1;
  } else {
    names.SfrNames.resize(static_cast<std::size_t>(names.SfrStdEnd - 1));
    names.BitNames.resize(static_cast<std::size_t>(names.BitStdEnd - 1));
  }
  std::u16string sfrFile =
      Standard ? StandardSfrFile(files, dirs) : dirs.ProfileDir + u"\\PrivateSFR.txt";
  if (!files.Exists(sfrFile)) return;
  ReadAndReport(files, sfrFile, names.SfrNames, u"register names", dialogs);
  if (Standard) names.SfrStdEnd = names.SfrNameCount();

  // Opened without an existence test: a missing bit-name file beside its register-name
  // file is an error the caller reports.
  std::u16string bitFile =
      Standard ? dirs.ToolDir + u"StandardBIT.txt" : dirs.ProfileDir + u"\\PrivateBit.txt";
  ReadAndReport(files, bitFile, names.BitNames, u"bit names", dialogs);
  if (Standard) names.BitStdEnd = names.BitNameCount();
}

std::u16string GetDefaultSFR(const NameTables& names, std::u16string_view Name) {
  std::u16string n = Trim(Name);
  if (n.empty()) return {};
  const NameRow* best = nullptr;
  for (const NameRow& row : names.SfrNames) {
    if (!n.starts_with(row.Name)) continue;
    // Strictly longer only: of equally long names the first (standard before private) wins.
    if (best == nullptr || row.Name.size() > best->Name.size()) best = &row;
  }
  if (best == nullptr) return {};
  std::u16string desc = best->Desc;
  std::u16string_view rest = std::u16string_view(n).substr(best->Name.size(), 2);
  for (char16_t c : rest) desc += ByteSuffix(c);
  return desc;
}

namespace {

// The part of a bit name that GetDefaultBit compares: trimmed, from behind its "=" on.
std::u16string LookedUpBitName(std::u16string_view BitName) {
  std::u16string b = Trim(BitName);
  if (int32_t eq = Pos(u"=", b); eq > 0) b = Tail(b, eq + 1);
  return b;
}

// The beginning of a row's name that a bit name must start with.
std::u16string_view Compared(const NameRow& row) {
  return std::u16string_view(row.Name).substr(0, row.Name.find(u'*'));
}

// The description a row gives a bit name that starts with the row's beginning.
std::u16string DefaultFrom(const NameRow& row, std::u16string_view b) {
  std::u16string_view compared = Compared(row);
  if (compared.size() == row.Name.size()) return row.Desc;
  return row.Desc + Tail(b, static_cast<int32_t>(compared.size()) + 1);
}

}  // namespace

std::u16string GetDefaultBit(const NameTables& names, std::u16string_view BitName) {
  if (IsBlank(BitName)) return {};
  std::u16string b = LookedUpBitName(BitName);
  for (const NameRow& row : names.BitNames) {
    if (b.starts_with(Compared(row))) return DefaultFrom(row, b);
  }
  return {};
}

DefaultBits::DefaultBits(const NameTables& names) : names_(names) {
  for (std::size_t i = 0; i < names.BitNames.size(); ++i) {
    auto [at, added] = first_.try_emplace(std::u16string(Compared(names.BitNames[i])), i);
    if (added) lengths_.push_back(at->first.size());
  }
  std::sort(lengths_.begin(), lengths_.end());
  lengths_.erase(std::unique(lengths_.begin(), lengths_.end()), lengths_.end());
}

std::u16string DefaultBits::Find(std::u16string_view BitName) const {
  if (IsBlank(BitName)) return {};
  std::u16string b = LookedUpBitName(BitName);
  // Of the rows whose beginning the name starts with, the walk meets the first.
  std::size_t best = names_.BitNames.size();
  for (std::size_t length : lengths_) {
    if (length > b.size()) break;
    auto found = first_.find(std::u16string_view(b).substr(0, length));
    if (found != first_.end()) best = std::min(best, found->second);
  }
  return best < names_.BitNames.size() ? DefaultFrom(names_.BitNames[best], b) : std::u16string();
}

}  // namespace bnf
