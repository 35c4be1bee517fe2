// The tool after start-up on the example files of examples/: both device folders, the
// name tables read, and BitName folders of its own for the user and the IDE.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "creator/name_tables.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf::test {

struct ExampleRig {
  explicit ExampleRig(std::vector<std::u16string> args = {}) : rig(std::move(args)) {
    Directories& d = rig.s().dirs;
    d.Mplab8Dir = d.ActiveMpasmDir = SourcePath("examples/mpasm") + u"\\";
    d.MplabX64Dir = u"C:\\X\\mpasmx\\";
    d.KdxDir = SourcePath("examples/kdx") + u"\\";
    d.ToolDir = SourcePath("examples/tool") + u"\\";
    d.ProfileDir = SourcePath("examples/profile");
    d.BNFLocation = user.path();
    d.IdeBnfDir = ide.path() + u"\\";
    ReadSFR_BITFiles(rig.s().names, d, rig.text, true, rig.dialogs);
    ReadSFR_BITFiles(rig.s().names, d, rig.text, false, rig.dialogs);
  }
  static std::u16string Datasheet(std::string_view device) {
    return SourcePath("examples/datasheets/" + std::string(device) + ".txt");
  }
  static std::string Expected(std::string_view file) {
    return ReadBytes(ToHostPath(SourcePath("examples/expected/" + std::string(file))));
  }
  template <typename Handler>
  bool Handle(Handler handler) {
    return rig.form.Guard([&] { (rig.form.*handler)(); });
  }
  std::vector<ShownBox::Kind> ShownKinds() const {
    std::vector<ShownBox::Kind> kinds;
    for (const ShownBox& b : rig.dialogs.shown) kinds.push_back(b.kind);
    return kinds;
  }

  TempDir user;
  TempDir ide;
  Rig rig;
};

}  // namespace bnf::test
