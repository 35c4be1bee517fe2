// Runs that must leave the BitName files as they were: refused inputs, a device file whose
// registers nothing describes, no BitName folder, a start-up error. A command-line run
// that wrote nothing ends with exit code 1. Closing after a start-up error keeps what
// the settings hold.
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

// `text` with every "<in>" replaced by the folder of a case's input files.
std::u16string In(std::u16string text, const TempDir& in) {
  for (std::size_t at; (at = text.find(u"<in>")) != std::u16string::npos;)
    text.replace(at, 4, in.path());
  return text;
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
  std::string UserFile(const std::u16string& type) const {
    return test::ReadBytes(user.native() / (u"P" + type + u".bnf"));
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
  const std::u16string unicode =
      u"\" is saved as Unicode text. Save it as plain ANSI text and try again.\r"
      u"No BitName file was written.";
  using Prepare = std::function<void(Tool&, const TempDir&)>;
  const Prepare none = [](Tool&, const TempDir&) {};
  // The input folder, with one file, as the KDX or the MPASM folder.
  const auto kdx = [](std::string bytes) -> Prepare {
    return [bytes](Tool& t, const TempDir& in) {
      test::WriteBytes(in.native() / "P24FJ64GA002.KDX", bytes);
      t.rig.s().dirs.KdxDir = in.path() + u"\\";
    };
  };
  // Start-up as the window runs it, after `before` set the registry and files up.
  const auto startUp = [](Prepare before) -> Prepare {
    return [before](Tool& t, const TempDir& in) {
      before(t, in);
      t.rig.s().FirstShow = false;
      t.rig.form.Guard([&] { t.rig.form.FormCreate(); });
    };
  };
  struct Case {
    std::u16string device;
    std::string sheet;         // the datasheet's bytes, saved as ds.txt in the input folder
    std::u16string sheetName;  // the datasheet argument: a file of the input folder, or ""
    Prepare prepare;
    std::u16string box;  // the last box's text ("" none, "*" any), <in>: the input folder
    std::string file8;   // the user's P16F1938.bnf afterwards
  } cases[] = {
      {u"24FJ64GA002", sheet16, u"ds.txt",
       kdx("[REGSTART]\r\nQXZ7 EQU 0x0010\r\nQQR EQU 0x0012\r\n[REGEND]\r\n"),
       u"The device file for 24FJ64GA002 (<in>\\P24FJ64GA002.KDX) gives no register that the "
       u"datasheet or the name tables describe.\rNo BitName file was written.",
       "good"},
      {u"24FJ64GA002", kUtf16, u"ds.txt", none, u"The file \"<in>\\ds.txt" + unicode, "good"},
      {u"24FJ64GA002", sheet16, u"ds.txt", kdx(kUtf16),
       u"The file \"<in>\\P24FJ64GA002.KDX" + unicode, "good"},
      {u"16F1938", "\xFE\xFF" + sheet8, u"ds.txt", none, u"The file \"<in>\\ds.txt" + unicode,
       "good"},
      {u"16F1938", sheet8, u"ds.txt",
       [](Tool& t, const TempDir& in) {
         test::WriteBytes(in.native() / "P16F1938.inc", kUtf16);
         t.rig.s().dirs.Mplab8Dir = in.path() + u"\\";
       },
       u"The file \"<in>\\P16F1938.inc" + unicode, "good"},
      // NUL bytes are dropped as the text is read; a UTF-8 byte-order mark is text.
      {u"16F1938", nul8, u"ds.txt", none, u"The BitName file is saved as ", good8},
      {u"16F1938", "\xEF\xBB\xBF" + sheet8, u"ds.txt", none, u"The BitName file is saved as ",
       good8},
      {u"C:\\x\\16F1938", sheet8, u"ds.txt", none,
       u"\"C:\\x\\16F1938\" is not a device type.\rNo BitName file was written.", "good"},
      {u"24FJ99GA002", sheet16, u"ds.txt", kdx(""),
       u"No device file was found for 24FJ99GA002 (<in>\\P24FJ99GA002.KDX).\r"
       u"No BitName file was written.",
       "good"},
      {u"16F1938", sheet8, u"", none, u"", "good"},
      {u"16F1938", sheet8, u"missing.txt", none, u"*", "good"},
      {u"16F1938", sheet8, u"ds.txt", startUp([](Tool& t, const TempDir&) {
         t.rig.registry.SetString(kUser, kSettings, u"Top", u"x");
       }),
       u"Invalid data type for 'Top'", "good"},
      {u"16F1938", sheet8, u"ds.txt", startUp([](Tool& t, const TempDir& in) {
         test::WriteBytes(in.native() / "StandardSFR.txt", kUtf16);
         t.rig.registry.SetString(kUser, kSettings, u"Location", in.File(u"bnfcreator.exe"));
       }),
       u"The file \"<in>\\StandardSFR.txt" + unicode, "good"},
      // A window left half set up by a start-up error.
      {u"16F1938", sheet8, u"ds.txt",
       [](Tool& t, const TempDir&) {
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
    TempDir in;
    test::WriteBytes(in.native() / "ds.txt", c.sheet);
    Tool t({c.device, c.sheetName.empty() ? u"" : in.File(c.sheetName)});
    c.prepare(t, in);

    t.rig.form.Guard([&] { t.rig.form.FormShow(); });

    const std::vector<test::ShownBox>& shown = t.rig.dialogs.shown;
    EXPECT_EQ(c.box.empty(), shown.empty());
    if (!shown.empty() && c.box != u"*") {
      EXPECT_EQ(In(c.box, in), shown.back().text.substr(0, In(c.box, in).size()));
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
  const std::vector<Value> stored = {u"x", 300, u"D:\\bnf", u"D:\\mpasm"};
  const std::u16string names[] = {u"Top", u"Left", u"BNFLocation", u"MPAsmDir"};
  struct Case {
    std::vector<Value> stored;  // Top, Left, BNFLocation, MPAsmDir; also afterwards
    std::function<void(test::Rig&)> user;
    std::vector<Value> after;
  } cases[] = {
      {stored, [](test::Rig&) {}, stored},
      {stored,
       [](test::Rig& r) { r.view.SetPosition(Win::Main, 50, 60); },
       {60, 50, u"D:\\bnf", u"D:\\mpasm"}},
      {stored,
       [](test::Rig& r) {
         r.dialogs.folderAnswers = {u"E:\\new"};
         r.form.DirectoryforBitNamefiles1Click();
       },
       {u"x", 300, u"E:\\new", u"D:\\mpasm"}},
      // "Top" is read and placed, then "Left" stops start-up.
      {{210, u"y", u"D:\\bnf", u""}, [](test::Rig&) {}, {210, u"y", u"D:\\bnf", u""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    test::Rig r;
    for (std::size_t i = 0; i < 4; ++i) {
      if (const auto* text = std::get_if<std::u16string>(&c.stored[i]))
        r.registry.SetString(kUser, kSettings, names[i], *text);
      else
        r.registry.SetInteger(kUser, kSettings, names[i], std::get<int32_t>(c.stored[i]));
    }
    EXPECT_FALSE(r.form.Guard([&] { r.form.FormCreate(); }));
    c.user(r);

    r.form.FormClose();

    for (std::size_t i = 0; i < 4; ++i)
      EXPECT_EQ(c.after[i], r.registry.Find(kUser, kSettings)->at(names[i])) << i;
  }
}

}  // namespace
}  // namespace bnf
