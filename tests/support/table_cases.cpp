#include "tests/support/table_cases.h"

#include "tests/support/test_paths.h"

namespace bnf::test {

std::string Narrow(std::u16string_view s) {
  return std::string(s.begin(), s.end());
}

std::u16string Widen(std::string_view s) {
  std::u16string out;
  for (char c : s) out.push_back(static_cast<unsigned char>(c));
  return out;
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

Texts Fields(std::u16string_view text) {
  Texts f;
  for (std::size_t at = 0, bar; at <= text.size(); at = bar + 1) {
    bar = std::min(text.find(u'|', at), text.size());
    f.emplace_back(text.substr(at, bar - at));
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
  for (const std::u16string& line : lines) {
    if (line.starts_with(prefix)) out.push_back(line.substr(prefix.size()));
  }
  return out;
}

const Texts& Case::operator[](const std::string& section) const {
  static const Texts none;
  auto it = sections.find(section);
  return it == sections.end() ? none : it->second;
}

namespace {

std::u16string Unescape(std::u16string_view line) {
  if (line == u"{empty}") return {};
  std::u16string out;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const std::u16string_view rest = line.substr(i);
    if (rest.starts_with(u"{tab}")) {
      out += u'\t';
      i += 4;
    } else if (rest.starts_with(u"{sp}")) {
      out += u' ';
      i += 3;
    } else if (rest.starts_with(u"{u") && rest.size() >= 7 && rest[6] == u'}') {
      out += static_cast<char16_t>(std::stoi(Narrow(rest.substr(2, 4)), nullptr, 16));
      i += 6;
    } else {
      out += line[i];
    }
  }
  return out;
}

bool IsSectionHead(std::string_view line) {
  if (!line.starts_with("-- ") || line.size() == 3) return false;
  for (char c : line.substr(3)) {
    if (c < 'a' || c > 'z') return false;
  }
  return true;
}

}  // namespace

std::vector<Case> ReadCases(std::string_view file) {
  const std::string bytes =
      ReadBytes(ToHostPath(SourcePath("tests/data/creator/" + std::string(file))));
  std::vector<Case> cases;
  Texts* section = nullptr;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string_view line(bytes.data() + at, end - at);
    at = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with("# ") || line == "#") continue;
    if (line.starts_with("=== ")) {
      cases.push_back(Case{std::string(line.substr(4)), {}});
      section = nullptr;
    } else if (IsSectionHead(line) && !cases.empty()) {
      section = &cases.back().sections[std::string(line.substr(3))];
    } else if (section != nullptr) {
      section->push_back(Widen(line));
    }
  }
  for (Case& c : cases) {
    for (auto& [name, lines] : c.sections) {
      while (!lines.empty() && lines.back().empty()) lines.pop_back();
      for (std::u16string& line : lines) line = Unescape(line);
    }
  }
  return cases;
}

}  // namespace bnf::test
