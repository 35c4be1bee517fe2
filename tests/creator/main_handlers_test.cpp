// The main window's handlers: the first show, command-line runs on both roads (what each
// shows, writes and ends with), a session of clicks and menu items, About and Help.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/text_utils.h"
#include "creator/main_form.h"
#include "tests/support/rig.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

using test::ExampleRig;
using test::ShownBox;
using test::Texts;

const std::u16string kTitle = u"Korvan\u00AE BitName file creator";
const std::u16string kNone = u"\rNo BitName file was written.";
const std::u16string kSaved8 =
    u"The BitName file is saved as $USER\\P16F1938.bnf\r\rTo become effective you must copy it "
    u"to the Plugin\\CompilerBitnames directory";

// Start-up is finished once, by the first show that finds the BitName folder usable (an
// error at each show before); without two arguments the tool then waits for the user.
TEST(FirstShow, FinishesStartUpOnceAndRunsInteractivelyWithoutTwoArguments) {
  const std::u16string sheet = ExampleRig::Datasheet("16F1938");
  const auto show = [&](Texts args, bool startedUp, bool usableFolder) {
    ExampleRig e(args);
    test::Rig& r = e.rig;
    r.s().FirstShow = startedUp;
    if (!usableFolder) r.s().dirs.BNFLocation = e.user.File(u"gone");
    r.view.SetCaption(Ctl::AboutLabel1, kTitle + u" - ");
    for (int show = 0; show < 2; ++show) r.form.Guard([&] { r.form.FormShow(); });
    EXPECT_TRUE(r.view.Enabled(Ctl::lbFam) && r.view.Enabled(Ctl::lbType) &&
                r.view.quitRequests == 0);
    EXPECT_TRUE(std::filesystem::is_empty(e.user.native()));
    Texts out = {r.view.Caption(Ctl::Form), r.view.Caption(Ctl::AboutLabel1)};
    out.push_back(u"log");
    for (const std::u16string& line : r.view.log) out.back() += u"|" + line;
    for (const ShownBox& b : r.dialogs.shown)
      out.push_back(b.kind == ShownBox::Error ? u"error" : b.text);
    if (r.s().FirstShow) out.push_back(u"first show to come");
    return out;
  };
  const Texts shown = {kTitle, kTitle + u" - 0.2.0.7",
                       u"log|File locations|MPLab 8.xx : " + test::SourcePath("examples/mpasm") +
                           u"\\|MPLabX XP  : |MPLabX 32  : |MPLabX 64  : "};
  EXPECT_EQ(shown, show({u"16F1938", sheet, u"x"}, true, true));
  EXPECT_EQ((Texts{u"", kTitle + u" - ", u"log"}), show({u"16F1938", sheet}, false, true));
  EXPECT_EQ((Texts{u"", kTitle + u" - ", u"log", u"error", u"error", u"first show to come"}),
            show({u"16F1938", sheet}, true, false));
}

// Two arguments: one generation without the open-file dialog, then the application ends
// unless an error is shown; a run that writes nothing keeps the good files and ends with 1.
// Errors are compared up to the system's own words, which differ between the platforms.
TEST(CommandLine, RunsOneGenerationAndEnds) {
  const test::TempDir in;  // the cases' input files
  const std::u16string sheet8 = ExampleRig::Datasheet("16F1938");
  const std::u16string sheet16 = ExampleRig::Datasheet("24FJ64GA002");
  const auto run = [](std::u16string device, std::u16string sheet,
                      std::function<void(ExampleRig&)> prepare = nullptr) {
    ExampleRig e({device, sheet});
    test::Rig& r = e.rig;
    for (const char* name : {"P16F1938.bnf", "P24FJ64GA002.bnf"})
      test::WriteBytes(e.user.native() / name, "good");
    r.s().FirstShow = true;
    if (prepare) prepare(e);

    r.form.Guard([&] { r.form.FormShow(); });

    EXPECT_FALSE(r.view.Enabled(Ctl::lbFam) || r.view.Enabled(Ctl::lbType));
    Texts out;
    for (const ShownBox& b : r.dialogs.shown)
      out.push_back(b.kind == ShownBox::Error ? u"error " + b.text.substr(0, b.text.find(u". "))
                                              : b.text);
    for (const auto& [where, dir] : {std::pair{u"ide ", &e.ide}, {u"user ", &e.user}}) {
      for (const auto& f : std::filesystem::directory_iterator(dir->native())) {
        const std::string bytes = test::ReadBytes(f.path());
        const std::string name = f.path().filename().string();
        if (bytes != "good")
          out.push_back(where + test::Widen(name) +
                        (bytes == e.Expected(name) ? u"" : u" (other)"));
      }
    }
    if (!r.view.Caption(Ctl::Button1).empty()) {
      out.push_back(u"button " + r.view.Caption(Ctl::Button1) +
                    (r.view.Enabled(Ctl::Button1) ? u" on" : u" off") + u", panel " +
                    r.view.Caption(Ctl::Panel1));
    }
    if (!r.s().WorkList.Empty() || !r.s().WorkList.Sorted()) out.push_back(u"WorkList");
    out.push_back(u"exit " + IntToText(r.form.ExitCode()) +
                  (r.view.quitRequests > 0 ? u", quit" : u", window open"));
    for (std::u16string& line : out) {
      test::ReplaceAll(line, e.user.path(), u"$USER");
      test::ReplaceAll(line, e.ide.path(), u"$IDE");
    }
    return out;
  };
  // A file of the input folder, which then serves as the folder `dir` (if any).
  const auto put = [&in](std::string name, std::string bytes,
                         std::u16string Directories::*dir = nullptr) {
    return [&in, name, bytes, dir](ExampleRig& e) {
      test::WriteBytes(in.native() / name, bytes);
      if (dir) e.rig.s().dirs.*dir = in.path() + u"\\";
    };
  };
  const auto kdx = [&](std::string bytes) {
    return put("P24FJ64GA002.KDX", bytes, &Directories::KdxDir);
  };
  const std::u16string kdxFile = in.File(u"P24FJ64GA002.KDX");
  const std::u16string unicode =
      u"\" is saved as Unicode text. Save it as plain ANSI text and try again." + kNone;

  EXPECT_EQ((Texts{kSaved8, u"user P16F1938.bnf", u"button Done off, panel Done", u"exit 0, quit"}),
            run(u"pic16f1938", sheet8));
  // The 16-bit example has two bits without a description.
  EXPECT_EQ((Texts{u"U1MODE: 4", u"U2MODE: 4",
                   u"The BitName file is copied to the ZMV location $IDE\\\r\rA copy of "
                   u"the BitName file is saved as $USER\\P24FJ64GA002.bnf",
                   u"ide P24FJ64GA002.bnf", u"user P24FJ64GA002.bnf", u"button Done off, panel ",
                   u"exit 0, quit"}),
            run(u"PIC24FJ64GA002", sheet16));
  EXPECT_EQ((Texts{u"U1MODE: 4", u"U2MODE: 4",
                   u"The BitName file is saved as $USER\\P24FJ64GA002.bnf\r\rThe ZMV "
                   u"location is not known, so the file was not copied there. To become "
                   u"effective you must copy it to the Plugin\\CompilerBitnames "
                   u"directory yourself.",
                   u"user P24FJ64GA002.bnf", u"button Done off, panel ", u"exit 0, quit"}),
            run(u"24FJ64GA002", sheet16, [](ExampleRig& e) { e.rig.s().dirs.IdeBnfDir = u""; }));
  // The IDE's copy cannot be saved: the user's copy stays, but the IDE has no file.
  EXPECT_EQ((Texts{u"U1MODE: 4", u"U2MODE: 4",
                   u"error Cannot create file \"$IDE\\gone\\P24FJ64GA002.bnf\"",
                   u"user P24FJ64GA002.bnf", u"button Done off, panel ", u"exit 1, window open"}),
            run(u"24FJ64GA002", sheet16,
                [](ExampleRig& e) { e.rig.s().dirs.IdeBnfDir = e.ide.path() + u"\\gone\\"; }));
  // No device file, or none with a register.
  EXPECT_EQ(
      (Texts{u"No include file was found for 16F1937 (P16F1937.inc)." + kNone, u"exit 1, quit"}),
      run(u"16F1937", sheet8));
  EXPECT_EQ((Texts{u"The include file for 16F1938 (" + in.File(u"P16F1938.inc") +
                       u") holds no register list." + kNone,
                   u"exit 1, quit"}),
            run(u"16F1938", sheet8,
                put("P16F1938.inc", "W EQU H'0000'\r\n;----- STATUS Bits ---\r\nC EQU H'0000'\r\n",
                    &Directories::Mplab8Dir)));
  EXPECT_EQ((Texts{u"No device file was found for 24FJ99GA002 (" +
                       test::SourcePath("examples/kdx/P24FJ99GA002.KDX") + u")." + kNone,
                   u"exit 1, quit"}),
            run(u"24FJ99GA002", sheet16));
  EXPECT_EQ(
      (Texts{u"The device file for 24FJ64GA002 (" + kdxFile + u") holds no register list." + kNone,
             u"exit 1, quit"}),
      run(u"24FJ64GA002", sheet16,
          kdx("[REGSTART]\r\n; none\r\n[REGEND]\r\n[BITSTART]\r\nTON=15\r\n")));
  EXPECT_EQ(
      (Texts{u"The device file for 24FJ64GA002 (" + kdxFile +
                 u") gives no register that the datasheet or the name tables describe." + kNone,
             u"button 24FJ64GA002 on, panel ", u"exit 1, quit"}),
      run(u"24FJ64GA002", sheet16,
          kdx("[REGSTART]\r\nQXZ7 EQU 0x0010\r\nQQR EQU 0x0012\r\n[REGEND]\r\n")));
  // Refused inputs: a name that is no device type, files saved as Unicode text.
  EXPECT_EQ((Texts{u"\"C:\\x\\16F1938\" is not a device type." + kNone, u"exit 1, window open"}),
            run(u"C:\\x\\16F1938", sheet8));
  EXPECT_EQ((Texts{u"The file \"" + in.File(u"ds.txt") + unicode, u"exit 1, window open"}),
            run(u"16F1938", in.File(u"ds.txt"), put("ds.txt", "\xFE\xFF")));
  EXPECT_EQ((Texts{u"The file \"" + in.File(u"P16F1938.inc") + unicode, u"exit 1, window open"}),
            run(u"16F1938", sheet8, put("P16F1938.inc", "\xFF\xFE", &Directories::Mplab8Dir)));
  EXPECT_EQ((Texts{u"The file \"" + kdxFile + unicode, u"exit 1, window open"}),
            run(u"24FJ64GA002", sheet16, kdx("\xFF\xFE")));
  EXPECT_EQ((Texts{u"error '1F' is not a valid integer value", u"exit 1, window open"}),
            run(u"1F1938", sheet8));
  // No datasheet named: the generation stops without a message of its own.
  EXPECT_EQ(Texts{u"exit 1, quit"}, run(u"24FJ64GA002", u""));
}

// Type clicks, the button with the IDE's file there (No; Yes and a datasheet), a double
// click with the choice cancelled, the menu items, the button without a BitName folder.
TEST(MainWindow, InteractiveSession) {
  ExampleRig e;
  test::Rig& r = e.rig;
  test::TestView& v = r.view;
  const auto handle = [&](void (TfBNF::*handler)()) {
    EXPECT_TRUE(r.form.Guard([&] { (r.form.*handler)(); }));
    return r.s().req.DeviceType + u"|" + v.Caption(Ctl::Button1) +
           (v.Visible(Ctl::Button1) ? u" shown" : u" hidden") +
           (v.Enabled(Ctl::Button1) ? u" on|" : u" off|") + v.Caption(Ctl::Panel1) +
           (v.Enabled(Ctl::OpenconvertedPDF1) ? u"|pdf on" : u"|pdf off") +
           (v.Enabled(Ctl::ReloadPrivate) ? u"|reload on" : u"|reload off");
  };
  r.text.WriteLines(e.ide.File(u"P16F1938.bnf"), {u"** BITNAMES **"});
  r.dialogs.yesNoAnswers = {false, true, true};
  r.dialogs.openFileAnswers = {ExampleRig::Datasheet("16F1938"), std::nullopt};
  v.family = u"16";
  v.SetVisible(Ctl::Button1, false);
  v.SetEnabled(Ctl::Button1, false);
  v.SetEnabled(Ctl::ReloadPrivate, false);

  EXPECT_EQ(u"| hidden off||pdf on|reload off", handle(&TfBNF::lbFamClick));
  EXPECT_EQ(Texts{u"16F1938"}, v.types);
  EXPECT_EQ(u"| hidden off||pdf on|reload off", handle(&TfBNF::lbTypeClick));
  v.selectedType = 0;
  EXPECT_EQ(u"16F1938|16F1938 shown on||pdf off|reload off", handle(&TfBNF::lbTypeClick));
  EXPECT_EQ(u"16F1938|16F1938 shown on||pdf off|reload off", handle(&TfBNF::Button1Click));
  EXPECT_EQ(u"16F1938|Done shown off|Done|pdf off|reload off", handle(&TfBNF::Button1Click));
  EXPECT_EQ(e.Expected("P16F1938.bnf"), test::ReadBytes(e.user.native() / "P16F1938.bnf"));
  const OpenFileOptions& o = *r.dialogs.lastOpenFile;
  EXPECT_EQ(u"txt", o.defaultExtension);
  EXPECT_TRUE(o.fileMustExist && o.hideReadOnly && o.resizable);
  EXPECT_EQ(u"16F1938|16F1938 shown on||pdf off|reload off", handle(&TfBNF::lbTypeDblClick));
  EXPECT_EQ(u"16F1938|16F1938 shown on||pdf off|reload on", handle(&TfBNF::PrivateSFRs1Click));
  r.shell.result = 2;  // the shell could not open it: nothing is said
  handle(&TfBNF::PrivateBitNames1Click);
  ASSERT_EQ(2u, r.shell.calls.size());
  EXPECT_EQ(r.s().dirs.ProfileDir + u"\\PrivateSFR.txt", r.shell.calls[0].file);
  EXPECT_EQ(r.s().dirs.ProfileDir + u"\\PrivateBit.txt", r.shell.calls[1].file);
  for (const auto& call : r.shell.calls) EXPECT_EQ(1, call.show);
  r.s().dirs.BNFLocation = u" ";
  handle(&TfBNF::Button1Click);
  handle(&TfBNF::Exit1Click);
  EXPECT_EQ(1, v.closeRequests);
  EXPECT_EQ(0, v.quitRequests);

  const std::u16string question = u"The Bitname file for 16F1938 already exists.\rContinue anyway?";
  const std::u16string filter = u"Converted PDF files (*.txt)|*.txt";
  std::u16string saved = kSaved8;
  test::ReplaceAll(saved, u"$USER", e.user.path());
  EXPECT_EQ((Texts{question, question, filter, saved, question, filter,
                   u"No folder for BitName files is set. Choose one with Settings > Directory "
                   u"for BitName files... first." +
                       kNone}),
            r.dialogs.Texts());
}

TEST(MainWindow, AboutIsCentredAndHelpSharesTheLeftEdge) {
  test::Rig r;
  r.view.bounds[Win::Main] = {100, 200, 580, 348};
  r.view.bounds[Win::About] = {0, 0, 267, 61};
  r.view.bounds[Win::Help] = {0, 0, 651, 339};

  r.form.About1Click();
  r.form.Help2Click();

  // 100 + 580 div 2 - 267 div 2; 200 + 348 div 2 - 61 div 2; 200 + 174 - 339 div 2.
  const WindowBounds about = r.view.bounds[Win::About], help = r.view.bounds[Win::Help];
  EXPECT_EQ((std::vector<int32_t>{257, 344, 267, 100, 205}),
            (std::vector<int32_t>{about.left, about.top, about.width, help.left, help.top}));
  EXPECT_EQ((std::vector<Win>{Win::About, Win::Help}), r.view.modalShown);
}

}  // namespace
}  // namespace bnf
