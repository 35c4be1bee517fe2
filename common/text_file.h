// Text files as the tool reads and writes them: lines in the system's ANSI code page,
// no byte-order mark. CR LF, a lone LF and a lone CR each end a line when reading (as
// the Windows text reader does); every written line ends in CR LF, the last included.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace bnf {

// Splits decoded text into lines by the reading rule above. A final line without a
// line end is a line; an empty text has no lines.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// The lines of a text file one at a time, by the reading rule above, read and decoded a
// block of whole lines at a time: a scan that reads each line once holds two blocks and
// their bytes, neither the file's bytes nor its text whole nor a string per line. The
// lines are the ones SplitLines gives for the whole decoded text: a block ends just
// behind a LF byte, which ends a line in every ANSI code page and is never part of a
// character.
class LineReader {
 public:
  // `start` holds the file's first bytes, already read from `file`.
  LineReader(std::string start, std::unique_ptr<FileReader> file, const AnsiCodec& codec)
      : bytes_(std::move(start)), file_(std::move(file)), codec_(codec) {}
  LineReader(std::string bytes, const AnsiCodec& codec)
      : LineReader({}, std::make_unique<BytesReader>(std::move(bytes)), codec) {}
  // Not copied nor moved once made: the lines point into its blocks.
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;
  // False at the end. `line` stays valid up to the second call after this one, so a line
  // and the one after it can be held together. Throws FileError when reading fails.
  bool Next(std::u16string_view& line);

 private:
  bool NextBlock();
  std::size_t BlockEnd();
  bool ReadMore();

  std::string bytes_;  // read and not yet decoded
  std::unique_ptr<FileReader> file_;
  bool atEnd_ = false;
  const AnsiCodec& codec_;
  std::u16string block_;
  std::u16string previous_;
  std::u16string_view rest_;
};

class TextFiles {
 public:
  TextFiles(FileSystem& files, const AnsiCodec& codec) : files_(files), codec_(codec) {}

  bool Exists(std::u16string_view path) const { return files_.FileExists(path); }
  // Throws FileError when the file cannot be opened or read, RefusedInputError when it
  // begins with a UTF-16 byte-order mark. NUL characters are dropped.
  std::vector<std::u16string> ReadLines(std::u16string_view path) const;
  // The same lines one at a time. Throws as ReadLines does.
  LineReader Lines(std::u16string_view path) const;
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
