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
  WriteEncoded(path, Encode(lines));
}

std::string TextFiles::Encode(const std::vector<std::u16string>& lines) const {
  std::size_t size = 0;
  for (const std::u16string& line : lines) size += line.size() + 2;
  std::u16string text;
  text.reserve(size);
  for (const std::u16string& line : lines) {
    text += line;
    text += u"\r\n";
  }
  return codec_.Encode(text);
}

void TextFiles::WriteEncoded(std::u16string_view path, std::string_view bytes) const {
  files_.ReplaceFile(path, bytes);
}

}  // namespace bnf
