#include "tests/support/table_cases.h"

#include <sstream>

#include "tests/support/test_paths.h"

namespace bnf::test {

std::string Narrow(std::u16string_view s) {
  return std::string(s.begin(), s.end());
}

std::u16string Widen(std::string_view s) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(s.data());
  return std::u16string(bytes, bytes + s.size());
}

Texts TablesAsText(const DeviceTables& t) {
  Texts out;
  for (int32_t i = 1; i < t.RegCount(); ++i) {
    const RegRow& r = t.RegTable[i];
    out.push_back(u"R " + r.name + u"|" + r.address + u"|" + r.description + u"|" + r.page);
  }
  for (int32_t i = 1; i < t.BitCount(); ++i) {
    const BitRow& b = t.BitTable[i];
    out.push_back(u"B " + b.owner + u"|" + b.name + u"|" + b.number + u"|" + b.description);
  }
  for (int32_t i = 1; i < t.NotFoundCount(); ++i) {
    out.push_back(u"N " + t.NotFound[i].name + u"|" + t.NotFound[i].page);
  }
  return out;
}

Texts Fields(std::u16string_view text, char16_t separator) {
  Texts f;
  for (std::size_t at = 0, end; at <= text.size(); at = end + 1) {
    end = std::min(text.find(separator, at), text.size());
    f.emplace_back(text.substr(at, end - at));
  }
  return f;
}

void AppendRows(DeviceTables& t, const Texts& rows) {
  for (const std::u16string& row : rows) {
    Texts f = Fields(std::u16string_view(row).substr(std::min<std::size_t>(2, row.size())));
    f.resize(4);
    if (row.starts_with(u"R ")) t.RegTable.Append(RegRow{f[0], f[1], f[2], f[3]});
    if (row.starts_with(u"B ")) t.BitTable.Append(BitRow{f[0], f[1], f[2], f[3]});
    if (row.starts_with(u"N ")) t.NotFound.Append(NotFoundRow{f[0], f[1]});
  }
}

Texts Tagged(const Texts& lines, std::u16string_view prefix) {
  Texts out;
  for (const std::u16string& line : lines)
    if (line.starts_with(prefix)) out.push_back(line.substr(prefix.size()));
  return out;
}

namespace {

std::u16string Unescape(std::string_view line) {
  std::u16string out;
  for (std::size_t at = 0, end; at < line.size(); at = end + 1) {
    end = line[at] == '{' ? std::min(line.find('}', at), line.size() - 1) : at;
    const std::string_view word = line.substr(at, end - at + 1);
    if (word == "{tab}" || word == "{sp}") {
      out += word == "{tab}" ? u'\t' : u' ';
    } else if (word.size() == 7 && word[1] == 'u') {
      out += static_cast<char16_t>(std::stoi(std::string(word.substr(2, 4)), nullptr, 16));
    } else if (word != "{empty}") {
      out += Widen(word);
    }
  }
  return out;
}

}  // namespace

std::vector<Case> ReadCases(std::string_view file) {
  std::istringstream in(
      ReadBytes(ToHostPath(SourcePath("tests/data/creator/" + std::string(file)))));
  std::vector<Case> cases;
  Texts* section = nullptr;
  std::size_t blanks = 0;  // kept only when a line of the section follows them
  for (std::string line; std::getline(in, line);) {
    if (line.ends_with('\r')) line.pop_back();
    if (line.starts_with("# ") || line == "#") continue;
    if (line.starts_with("=== ")) {
      cases.push_back(Case{line.substr(4), {}});
      section = nullptr;
    } else if (line.starts_with("-- ") &&
               line.find_first_not_of("abcdefghijklmnopqrstuvwxyz", 3) == std::string::npos) {
      section = &cases.back().sections[line.substr(3)];
      blanks = 0;
    } else if (section != nullptr && line.empty()) {
      ++blanks;
    } else if (section != nullptr) {
      section->insert(section->end(), std::exchange(blanks, 0), u"");
      section->push_back(Unescape(line));
    }
  }
  return cases;
}

}  // namespace bnf::test
