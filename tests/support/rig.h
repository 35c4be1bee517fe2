// A main-window logic object on the platform's real files, codec and collator, with
// the test view and scripted dialogs: what most creator tests start from.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "creator/main_form.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fakes.h"
#include "tests/support/test_paths.h"

namespace bnf::test {

struct Rig {
  explicit Rig(std::vector<std::u16string> args = {})
      : collator(MakeCollator()),
        files(MakeFileSystem()),
        codec(MakeAnsiCodec()),
        folders(MakeFolders()),
        text(*files, *codec),
        form(Services{*collator, *files, *codec, dialogs, view, *folders, registry, shell},
             std::move(args)) {}

  CreatorState& s() { return form.state(); }

  std::unique_ptr<Collator> collator;
  std::unique_ptr<FileSystem> files;
  std::unique_ptr<AnsiCodec> codec;
  std::unique_ptr<Folders> folders;
  TextFiles text;
  FakeRegistry registry;
  FakeShell shell;
  TestView view;
  ScriptedDialogs dialogs;
  TfBNF form;
};

}  // namespace bnf::test
