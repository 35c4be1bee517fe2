#include "common/text_file.h"

#include <algorithm>
#include <utility>

#include "common/errors.h"
#include "common/text_utils.h"

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

// Bytes decoded at once: large enough that the codec's set-up per call does not count.
constexpr std::size_t kBlockBytes = 64 * 1024;

}  // namespace

bool LineReader::ReadMore() {
  if (atEnd_) return false;
  const std::size_t at = bytes_.size();
  bytes_.resize(at + kBlockBytes);
  const std::size_t got = file_->Read(bytes_.data() + at, kBlockBytes);
  bytes_.resize(at + got);
  atEnd_ = got == 0;
  return !atEnd_;
}

// Where the next block's bytes end: behind the first LF from kBlockBytes on, or at the
// end of the file.
std::size_t LineReader::BlockEnd() {
  std::size_t from = kBlockBytes - 1;
  for (;;) {
    if (bytes_.size() > from) {
      std::size_t lf = bytes_.find('\n', from);
      if (lf != std::string::npos) return lf + 1;
      from = bytes_.size();
    }
    if (!ReadMore()) return bytes_.size();
  }
}

bool LineReader::NextBlock() {
  for (std::size_t end = BlockEnd(); end > 0; end = BlockEnd()) {
    previous_.swap(block_);
    block_ = codec_.Decode(std::string_view(bytes_).substr(0, end));
    bytes_.erase(0, end);
    // The IDE reads a line only up to a NUL, so none may reach a written file.
    if (FindEither(block_, u'\0', u'\0') != std::u16string::npos) std::erase(block_, u'\0');
    rest_ = block_;
    if (!rest_.empty()) return true;
  }
  return false;
}

bool LineReader::Next(std::u16string_view& line) {
  if (rest_.empty() && !NextBlock()) return false;
  const std::size_t end = FindEither(rest_, u'\r', u'\n');
  if (end == std::u16string_view::npos) {
    line = rest_;
    rest_ = {};
    return true;
  }
  line = rest_.substr(0, end);
  bool pair = rest_[end] == u'\r' && end + 1 < rest_.size() && rest_[end + 1] == u'\n';
  rest_.remove_prefix(end + (pair ? 2 : 1));
  return true;
}

LineReader TextFiles::Lines(std::u16string_view path) const {
  std::unique_ptr<FileReader> file = files_.OpenFile(path);
  // Enough of the file for the byte-order mark, read before anything is read from it.
  std::string start;
  while (start.size() < 2) {
    char piece[2];
    const std::size_t got = file->Read(piece, 2 - start.size());
    if (got == 0) break;
    start.append(piece, got);
  }
  RefuseUtf16(path, start);
  return {std::move(start), std::move(file), codec_};
}

std::vector<std::u16string> TextFiles::ReadLines(std::u16string_view path) const {
  LineReader reader = Lines(path);
  std::vector<std::u16string> lines;
  std::u16string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  return lines;
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
