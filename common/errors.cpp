#include "common/errors.h"

namespace bnf {

BnfError::BnfError(std::u16string message) : message_(std::move(message)) {
  narrow_.reserve(message_.size());
  for (char16_t c : message_) narrow_ += c < 128 ? static_cast<char>(c) : '?';
}

}  // namespace bnf
