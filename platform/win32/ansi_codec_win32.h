// The system's ANSI code page (CP_ACP) through MultiByteToWideChar and
// WideCharToMultiByte: undefined bytes and unmappable characters get the code page's
// own best fit or default character, so any input converts and nothing fails.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace bnf::win32 {

class Win32AnsiCodec final : public AnsiCodec {
 public:
  // The conversion calls count in int, and one UTF-16 unit can need three bytes, so
  // longer texts go through them in pieces of at most this many units.
  static constexpr std::size_t kMaxPiece = std::size_t{1} << 28;

  // `maxPiece` is lowered only by tests, to see long texts cut into pieces.
  explicit Win32AnsiCodec(std::size_t maxPiece = kMaxPiece) : maxPiece_(maxPiece) {}

  std::u16string Decode(std::string_view bytes) const override;
  std::string Encode(std::u16string_view text) const override;

 private:
  std::size_t maxPiece_;
};

}  // namespace bnf::win32
