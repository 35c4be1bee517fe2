// The ANSI code page natively: Windows-1252 through an ICU converter. It must give the
// bytes and characters that MultiByteToWideChar and WideCharToMultiByte give on an
// en-US Windows, so files written by either build are the same.
#include <unicode/ucnv.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/platform.h"

namespace bnf {

namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

void Check(UErrorCode status, const char* what) {
  if (U_FAILURE(status)) {
    throw std::runtime_error(std::string(what) + " failed: " + u_errorName(status));
  }
}

// A converter keeps conversion state, so each call takes its own; ICU caches the table,
// which keeps opening cheap.
Converter OpenCp1252() {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open("windows-1252", &status));
  Check(status, "Opening the windows-1252 converter");
  // ICU's table maps the five unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) to the
  // C1 controls of the same value, as Windows does. Its fallbacks are the best fits
  // Windows applies on encoding (fullwidth letters to ASCII); the rest become '?', not
  // ICU's default SUB control.
  ucnv_setFallback(converter.get(), true);
  ucnv_setSubstChars(converter.get(), "?", 1, &status);
  Check(status, "Setting the substitution character");
  return converter;
}

class IcuAnsiCodec : public AnsiCodec {
 public:
  std::u16string Decode(std::string_view bytes) const override {
    Converter converter = OpenCp1252();
    // A single-byte code page gives one UTF-16 unit per byte.
    std::u16string text(bytes.size(), u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = ucnv_toUChars(converter.get(), text.data(), static_cast<int32_t>(text.size()),
                                   bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    Check(status, "Decoding windows-1252");
    text.resize(static_cast<std::size_t>(length));
    return text;
  }

  std::string Encode(std::u16string_view text) const override {
    Converter converter = OpenCp1252();
    // At most one byte per UTF-16 unit: a surrogate pair becomes a single '?'.
    std::string bytes(text.size(), '\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length =
        ucnv_fromUChars(converter.get(), bytes.data(), static_cast<int32_t>(bytes.size()),
                        text.data(), static_cast<int32_t>(text.size()), &status);
    Check(status, "Encoding windows-1252");
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
  }
};

}  // namespace

std::unique_ptr<AnsiCodec> MakeAnsiCodec() {
  return std::make_unique<IcuAnsiCodec>();
}

}  // namespace bnf
