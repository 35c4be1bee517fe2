#include "common/text_file.h"

namespace bnf {

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    char16_t c = text[i];
    if (c != u'\r' && c != u'\n') {
      ++i;
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    i += (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::u16string> TextFiles::ReadLines(std::u16string_view path) const {
  return SplitLines(codec_.Decode(files_.ReadFile(path)));
}

void TextFiles::WriteLines(std::u16string_view path,
                           const std::vector<std::u16string>& lines) const {
  std::u16string text;
  for (const std::u16string& line : lines) {
    text += line;
    text += u"\r\n";
  }
  files_.ReplaceFile(path, codec_.Encode(text));
}

}  // namespace bnf
