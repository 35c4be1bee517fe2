// For runs nobody watches (the benchmark, the fuzz targets): a view that keeps no log,
// dialogs that answer at once, Yes to questions and Cancel otherwise.
#pragma once

#include <string>

#include "tests/support/fakes.h"

namespace bnf::test {

class SilentView : public TestView {
 public:
  void SetEnabled(Ctl, bool) override {}
  void AddLogLine(std::u16string_view) override {}
};

class SilentDialogs : public ScriptedDialogs {
 public:
  bool AskYesNo(std::u16string_view) override { return true; }
};

}  // namespace bnf::test
