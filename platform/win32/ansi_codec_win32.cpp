// Conversion between UTF-16 and the ANSI code page with the two-call form of the
// Win32 conversion functions (size first, then convert). No byte-order mark is
// looked for or written: EF BB BF decodes to three characters like any other bytes.
#include "platform/win32/ansi_codec_win32.h"

#include "platform/win32/windows_api.h"

#include "platform/win32/wide.h"

namespace bnf::win32 {

namespace {

// Length of the next piece of `s`: all of it when short enough, else up to and
// including the last line feed in reach (a line feed is never part of a multi-byte
// character nor of a surrogate pair), else as much as fits without cutting a pair.
template <typename Char>
std::size_t PieceLength(std::basic_string_view<Char> s, std::size_t maxPiece) {
  if (s.size() <= maxPiece) return s.size();
  std::size_t lineFeed = s.substr(0, maxPiece).rfind(Char('\n'));
  if (lineFeed != std::basic_string_view<Char>::npos) return lineFeed + 1;
  if constexpr (sizeof(Char) == 2) {
    bool highSurrogateLast = s[maxPiece - 1] >= 0xD800 && s[maxPiece - 1] <= 0xDBFF;
    if (highSurrogateLast && maxPiece > 1) return maxPiece - 1;
  }
  return maxPiece;
}

// Flags 0 on both calls: invalid bytes and unmappable characters become the default
// character instead of failing, and WideCharToMultiByte uses best fit (U+0100 -> 'A').
void AppendDecoded(std::string_view piece, std::u16string& out) {
  const int length = static_cast<int>(piece.size());
  const int needed = ::MultiByteToWideChar(CP_ACP, 0, piece.data(), length, nullptr, 0);
  if (needed <= 0) return;
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(needed));
  const int written =
      ::MultiByteToWideChar(CP_ACP, 0, piece.data(), length, Wide(out.data() + at), needed);
  out.resize(at + static_cast<std::size_t>(written > 0 ? written : 0));
}

void AppendEncoded(std::u16string_view piece, std::string& out) {
  const int length = static_cast<int>(piece.size());
  const wchar_t* text = Wide(piece.data());
  const int needed = ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return;
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(needed));
  const int written =
      ::WideCharToMultiByte(CP_ACP, 0, text, length, out.data() + at, needed, nullptr, nullptr);
  out.resize(at + static_cast<std::size_t>(written > 0 ? written : 0));
}

}  // namespace

std::u16string Win32AnsiCodec::Decode(std::string_view bytes) const {
  std::u16string text;
  while (!bytes.empty()) {
    const std::size_t n = PieceLength(bytes, maxPiece_);
    AppendDecoded(bytes.substr(0, n), text);
    bytes.remove_prefix(n);
  }
  return text;
}

std::string Win32AnsiCodec::Encode(std::u16string_view text) const {
  std::string bytes;
  while (!text.empty()) {
    const std::size_t n = PieceLength(text, maxPiece_);
    AppendEncoded(text.substr(0, n), bytes);
    text.remove_prefix(n);
  }
  return bytes;
}

}  // namespace bnf::win32

namespace bnf {

std::unique_ptr<AnsiCodec> MakeAnsiCodec() {
  return std::make_unique<win32::Win32AnsiCodec>();
}

}  // namespace bnf
