// The main window's logic on the platform's real files, codec and collator and the test
// doubles; ExampleRig adds the examples' files and BitName folders of its own.
#pragma once

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "creator/main_form.h"
#include "creator/name_tables.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fakes.h"
#include "tests/support/test_paths.h"

namespace bnf::test {

using Texts = std::vector<std::u16string>;

// The real files, but those in `vanished` are never found, as if gone once written.
class VanishingFiles : public FileSystem {
 public:
  bool FileExists(std::u16string_view p) const override {
    return !vanished.contains(std::u16string(p)) && real->FileExists(p);
  }
  std::string ReadFile(std::u16string_view p) const override { return real->ReadFile(p); }
  void ReplaceFile(std::u16string_view p, std::string_view bytes) override {
    real->ReplaceFile(p, bytes);
  }

  std::unique_ptr<FileSystem> real = MakeFileSystem();
  std::set<std::u16string> vanished;
};

inline void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  for (std::size_t at; (at = text.find(from)) != std::u16string::npos;)
    text.replace(at, from.size(), to);
}

struct Rig {
  explicit Rig(std::vector<std::u16string> args = {})
      : form(Services{*collator, files, *codec, dialogs, view, *folders, registry, shell},
             std::move(args)) {}

  CreatorState& s() { return form.state(); }

  std::unique_ptr<Collator> collator = MakeCollator();
  VanishingFiles files;
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  std::unique_ptr<Folders> folders = MakeFolders();
  TextFiles text{files, *codec};
  FakeRegistry registry;
  FakeShell shell;
  TestView view;
  ScriptedDialogs dialogs;
  TfBNF form;
};

// The tool after start-up on the examples: both device folders, the name tables read.
struct ExampleRig {
  explicit ExampleRig(std::vector<std::u16string> args = {}) : rig(std::move(args)) {
    Directories& d = rig.s().dirs;
    d.Mplab8Dir = d.ActiveMpasmDir = SourcePath("examples/mpasm") + u"\\";
    d.KdxDir = SourcePath("examples/kdx") + u"\\";
    d.ToolDir = SourcePath("examples/tool") + u"\\";
    d.ProfileDir = SourcePath("examples/profile");
    d.BNFLocation = user.path();
    d.IdeBnfDir = ide.path() + u"\\";
    for (bool standard : {true, false})
      ReadSFR_BITFiles(rig.s().names, d, rig.text, standard, rig.dialogs);
  }
  static std::u16string Datasheet(std::string_view device) {
    return SourcePath("examples/datasheets/" + std::string(device) + ".txt");
  }
  // The expected BitName file of an example device; "" for another file.
  static std::string Expected(std::string_view file) {
    const auto path = ToHostPath(SourcePath("examples/expected/" + std::string(file)));
    return std::filesystem::exists(path) ? ReadBytes(path) : "";
  }

  TempDir user, ide;
  Rig rig;
};

}  // namespace bnf::test
