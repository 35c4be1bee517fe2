// Runs that must leave the BitName files as they were (refused inputs, registers nothing
// describes, no BitName folder, start-up errors) and end a command-line run with 1;
// closing after a start-up error keeps the stored settings.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "creator/main_form.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::TempDir;
using Value = test::FakeRegistry::Value;

constexpr RegRoot kUser = RegRoot::CurrentUser;
constexpr std::u16string_view kSettings = u"Software\\Calmwood\\ZMV BNF Tool";

std::string Example(const char* relative) {
  return test::ReadBytes(test::ToHostPath(test::SourcePath(relative)));
}

// A tool on the examples' folders and name tables, with BitName folders of its own;
// the user's holds a good file of each example device.
struct Tool {
  explicit Tool(std::vector<std::u16string> args) : rig(std::move(args)) {
    Directories& d = rig.s().dirs;
    d.Mplab8Dir = test::SourcePath("examples/mpasm") + u"\\";
    d.KdxDir = test::SourcePath("examples/kdx") + u"\\";
    d.ToolDir = test::SourcePath("examples/tool") + u"\\";
    d.ProfileDir = test::SourcePath("examples/profile");
    d.BNFLocation = user.path();
    d.IdeBnfDir = ide.path() + u"\\";
    for (bool standard : {true, false})
      ReadSFR_BITFiles(rig.s().names, d, rig.text, standard, rig.dialogs);
    rig.s().FirstShow = true;
    for (const char* name : {"P16F1938.bnf", "P24FJ64GA002.bnf"})
      test::WriteBytes(user.native() / name, "good");
  }
  TempDir user, ide;
  test::Rig rig;
};

const std::string kUtf16 = "\xFF\xFE" + std::string("S\0T\0A\0T\0U\0S\0\r\0\n\0", 16);

TEST(Refusals, WriteNothingAndACommandLineRunEndsWithOne) {
  const std::string sheet8 = Example("examples/datasheets/16F1938.txt");
  const std::string sheet16 = Example("examples/datasheets/24FJ64GA002.txt");
  const std::string good8 = Example("examples/expected/P16F1938.bnf");
  std::string nul8 = sheet8;
  nul8.insert(nul8.find("Zero bit") + 2, std::string("\0\0", 2));
  const TempDir in;  // the cases' input files
  const std::u16string unicode =
      u"\" is saved as Unicode text. Save it as plain ANSI text and try again.\r"
      u"No BitName file was written.";
  using Prepare = std::function<void(Tool&)>;
  const Prepare none = nullptr;
  // A file of the input folder, which then serves as the folder `dir`.
  const auto put = [&in](const char* name, std::string bytes, std::u16string Directories::*dir) {
    return [&in, name, bytes, dir](Tool& t) {
      test::WriteBytes(in.native() / name, bytes);
      t.rig.s().dirs.*dir = in.path() + u"\\";
    };
  };
  const auto kdx = [&](std::string bytes) {
    return put("P24FJ64GA002.KDX", bytes, &Directories::KdxDir);
  };
  struct Case {
    std::u16string device;
    std::string sheet;         // the datasheet's bytes, saved as ds.txt in the input folder
    std::u16string sheetName;  // the datasheet argument: a file of the input folder, or ""
    Prepare prepare;
    std::u16string box;  // the last box's text, or how it begins ("" none, "*" any)
    std::string file8;   // the user's P16F1938.bnf afterwards
  } cases[] = {
      {u"24FJ64GA002", sheet16, u"ds.txt",
       kdx("[REGSTART]\r\nQXZ7 EQU 0x0010\r\nQQR EQU 0x0012\r\n[REGEND]\r\n"),
       u"The device file for 24FJ64GA002 (" + in.File(u"P24FJ64GA002.KDX") +
           u") gives no register that the datasheet or the name tables describe.\r"
           u"No BitName file was written.",
       "good"},
      {u"24FJ64GA002", kUtf16, u"ds.txt", none, u"The file \"" + in.File(u"ds.txt") + unicode,
       "good"},
      {u"24FJ64GA002", sheet16, u"ds.txt", kdx(kUtf16),
       u"The file \"" + in.File(u"P24FJ64GA002.KDX") + unicode, "good"},
      {u"16F1938", "\xFE\xFF" + sheet8, u"ds.txt", none,
       u"The file \"" + in.File(u"ds.txt") + unicode, "good"},
      {u"16F1938", sheet8, u"ds.txt", put("P16F1938.inc", kUtf16, &Directories::Mplab8Dir),
       u"The file \"" + in.File(u"P16F1938.inc") + unicode, "good"},
      // NUL bytes are dropped as the text is read.
      {u"16F1938", nul8, u"ds.txt", none, u"The BitName file is saved as ", good8},
      {u"C:\\x\\16F1938", sheet8, u"ds.txt", none,
       u"\"C:\\x\\16F1938\" is not a device type.\rNo BitName file was written.", "good"},
      {u"24FJ99GA002", sheet16, u"ds.txt", kdx(""),
       u"No device file was found for 24FJ99GA002 (" + in.File(u"P24FJ99GA002.KDX") +
           u").\rNo BitName file was written.",
       "good"},
      {u"16F1938", sheet8, u"", none, u"", "good"},
      {u"16F1938", sheet8, u"missing.txt", none, u"*", "good"},
      // Start-up errors (the window runs start-up when the settings key exists).
      {u"16F1938", sheet8, u"ds.txt",
       [](Tool& t) { t.rig.registry.SetString(kUser, kSettings, u"Top", u"x"); },
       u"Invalid data type for 'Top'", "good"},
      {u"16F1938", sheet8, u"ds.txt",
       [&](Tool& t) {
         test::WriteBytes(in.native() / "StandardSFR.txt", kUtf16);
         t.rig.registry.SetString(kUser, kSettings, u"Location", in.File(u"bnfcreator.exe"));
       },
       u"The file \"" + in.File(u"StandardSFR.txt") + unicode, "good"},
      // A window left half set up by a start-up error.
      {u"16F1938", sheet8, u"ds.txt",
       [](Tool& t) {
         t.rig.s().FirstShow = false;
         t.rig.s().dirs.BNFLocation = u" ";
         t.rig.s().req = Request{u"16F1938", u"", u"", u"", true};
         t.rig.form.Button1Click();
       },
       u"No folder for BitName files is set. Choose one with Settings > Directory for BitName "
       u"files... first.\rNo BitName file was written.",
       "good"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    test::WriteBytes(in.native() / "ds.txt", c.sheet);
    Tool t({c.device, c.sheetName.empty() ? u"" : in.File(c.sheetName)});
    if (c.prepare) c.prepare(t);
    if (t.rig.registry.HasKey(kUser, kSettings)) {
      t.rig.s().FirstShow = false;
      t.rig.form.Guard([&] { t.rig.form.FormCreate(); });
    }

    t.rig.form.Guard([&] { t.rig.form.FormShow(); });

    const std::vector<test::ShownBox>& shown = t.rig.dialogs.shown;
    ASSERT_EQ(c.box.empty(), shown.empty());
    if (c.box != u"*" && !c.box.empty()) {
      EXPECT_EQ(c.box, shown.back().text.substr(0, c.box.size()));
    }
    EXPECT_EQ(c.file8 == "good" ? 1 : 0, t.rig.form.ExitCode());
    EXPECT_EQ(c.file8, test::ReadBytes(t.user.native() / "P16F1938.bnf"));
    EXPECT_EQ("good", test::ReadBytes(t.user.native() / "P24FJ64GA002.bnf"));
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(t.user.native()), {}));
    EXPECT_TRUE(std::filesystem::is_empty(t.ide.native()));
  }
}

// Closing writes back what start-up read and what the user changed, nothing else.
TEST(Refusals, ClosingAfterAStartUpErrorKeepsTheStoredSettings) {
  using Values = std::vector<Value>;  // Top, Left, BNFLocation, MPAsmDir
  const std::u16string names[] = {u"Top", u"Left", u"BNFLocation", u"MPAsmDir"};
  const struct {
    std::function<void(test::Rig&)> user;
    Values after;
  } cases[] = {
      {[](test::Rig&) {}, {u"x", 300, u"D:\\bnf", u"D:\\mpasm"}},
      {[](test::Rig& r) { r.view.SetPosition(Win::Main, 50, 60); },
       {60, 50, u"D:\\bnf", u"D:\\mpasm"}},
      {[](test::Rig& r) {
         r.dialogs.folderAnswers = {u"E:\\new"};
         r.form.DirectoryforBitNamefiles1Click();
       },
       {u"x", 300, u"E:\\new", u"D:\\mpasm"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    test::Rig r;
    r.registry.SetString(kUser, kSettings, u"Top", u"x");  // stops start-up at once
    r.registry.SetInteger(kUser, kSettings, u"Left", 300);
    r.registry.SetString(kUser, kSettings, u"BNFLocation", u"D:\\bnf");
    r.registry.SetString(kUser, kSettings, u"MPAsmDir", u"D:\\mpasm");
    EXPECT_FALSE(r.form.Guard([&] { r.form.FormCreate(); }));
    c.user(r);

    r.form.FormClose();

    Values after;
    for (const std::u16string& name : names)
      after.push_back(r.registry.Find(kUser, kSettings)->at(name));
    EXPECT_EQ(c.after, after);
  }
}

}  // namespace
}  // namespace bnf
