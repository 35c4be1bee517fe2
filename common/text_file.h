// Text files as the tool reads and writes them: lines in the system's ANSI code page,
// no byte-order mark. CR LF, a lone LF and a lone CR each end a line when reading (as
// the Windows text reader does); every written line ends in CR LF, the last included.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace bnf {

// Splits decoded text into lines by the reading rule above. A final line without a
// line end is a line; an empty text has no lines.
std::vector<std::u16string> SplitLines(std::u16string_view text);

class TextFiles {
 public:
  TextFiles(FileSystem& files, const AnsiCodec& codec) : files_(files), codec_(codec) {}

  bool Exists(std::u16string_view path) const { return files_.FileExists(path); }
  // Throws FileError when the file cannot be opened or read.
  std::vector<std::u16string> ReadLines(std::u16string_view path) const;
  // Replaces the file as a whole, only once the new text is complete. Throws FileError.
  void WriteLines(std::u16string_view path, const std::vector<std::u16string>& lines) const;
  // The bytes WriteLines saves, and their saving: a text written to several files is
  // encoded once.
  std::string Encode(const std::vector<std::u16string>& lines) const;
  void WriteEncoded(std::u16string_view path, std::string_view bytes) const;

 private:
  FileSystem& files_;
  const AnsiCodec& codec_;
};

}  // namespace bnf
