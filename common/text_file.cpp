#include "common/text_file.h"

#include "common/errors.h"

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

namespace {

// Read as ANSI, UTF-16 text gives lines of single letters: a scan of it finds almost
// nothing, and the file written from it would replace a good one.
void RefuseUtf16(std::u16string_view path, std::string_view bytes) {
  if (!bytes.starts_with("\xFF\xFE") && !bytes.starts_with("\xFE\xFF")) return;
  throw RefusedInputError(u"The file \"" + std::u16string(path) +
                          u"\" is saved as Unicode text. Save it as plain ANSI text and try "
                          u"again.\rNo BitName file was written.");
}

}  // namespace

std::vector<std::u16string> TextFiles::ReadLines(std::u16string_view path) const {
  const std::string bytes = files_.ReadFile(path);
  RefuseUtf16(path, bytes);
  std::u16string text = codec_.Decode(bytes);
  // The IDE reads a line only up to a NUL, so none may reach a written file.
  std::erase(text, u'\0');
  return SplitLines(text);
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
