// The errors that end a user's action. Each carries the text the standard error box
// shows; the handler layer catches them at the event boundary (see TfBNF::Guard).
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace bnf {

class BnfError : public std::exception {
 public:
  explicit BnfError(std::u16string message);
  const std::u16string& message() const { return message_; }
  const char* what() const noexcept override { return narrow_.c_str(); }

 private:
  std::u16string message_;
  std::string narrow_;  // for what(): non-ASCII characters become '?'
};

// A file that could not be opened, read, created or written.
class FileError : public BnfError {
 public:
  using BnfError::BnfError;
};

// A table row beyond the data model's capacity was asked for.
class CapacityError : public BnfError {
 public:
  using BnfError::BnfError;
};

// An input the user can put right (a file in a form the tool does not read): shown in a
// plain box, as the tool's other refusals are, rather than as an error.
class RefusedInputError : public BnfError {
 public:
  using BnfError::BnfError;
};

}  // namespace bnf
