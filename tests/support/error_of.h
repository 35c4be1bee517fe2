// The message of the error an action ends with, so that tests compare whole messages.
#pragma once

#include <string>

#include "common/errors.h"

namespace bnf::test {

template <typename Action>
std::u16string ErrorOf(Action&& action) {
  try {
    action();
  } catch (const BnfError& e) {
    return e.message();
  }
  return u"(no error)";
}

}  // namespace bnf::test
