// The main window's handlers on the test view: the first show and the command-line run
// (both roads, refused names, errors), the type list, the generate button, the menu
// items and their enabled states over a session, and where About and Help open.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "creator/main_form.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using Lines = std::vector<std::u16string>;
using test::Rig;
using test::ShownBox;
using test::TempDir;

std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

std::u16string Datasheet8() {
  return test::SourcePath("examples/datasheets/16F1938.txt");
}
std::u16string Datasheet16() {
  return test::SourcePath("examples/datasheets/24FJ64GA002.txt");
}
std::string Expected(const char* name) {
  return test::ReadBytes(
      test::ToHostPath(test::SourcePath(std::string("examples/expected/") + name)));
}

// The tool after start-up on the example folders, its window as the view creates it.
class MainWindowTest : public ::testing::Test {
 protected:
  explicit MainWindowTest(std::vector<std::u16string> args = {}) : rig(std::move(args)) {
    Directories& d = rig.s().dirs;
    d.Mplab8Dir = test::SourcePath("examples/mpasm") + u"\\";
    d.MplabX64Dir = u"C:\\X\\mpasmx\\";
    d.ActiveMpasmDir = d.Mplab8Dir;
    d.KdxDir = test::SourcePath("examples/kdx") + u"\\";
    d.ToolDir = test::SourcePath("examples/tool") + u"\\";
    d.ProfileDir = test::SourcePath("examples/profile");
    d.BNFLocation = user.path();
    d.IdeBnfDir = ide.path() + u"\\";
    ReadSFR_BITFiles(rig.s().names, d, rig.text, /*Standard=*/true, rig.dialogs);
    ReadSFR_BITFiles(rig.s().names, d, rig.text, /*Standard=*/false, rig.dialogs);
    rig.s().FirstShow = true;

    test::TestView& v = rig.view;
    v.SetCaption(Ctl::Form, u"fBNF");
    v.SetCaption(Ctl::AboutLabel1, u"Korvan\u00AE BitName file creator - ");
    v.SetCaption(Ctl::Button1, u"");
    v.SetVisible(Ctl::Button1, false);
    v.SetEnabled(Ctl::Button1, false);
    v.SetEnabled(Ctl::ReloadPrivate, false);
    v.enabledHistory.clear();
  }

  template <typename Handler>
  bool Run(Handler handler) {
    return rig.form.Guard([&] { (rig.form.*handler)(); });
  }

  bool Written(const char16_t* name) const {
    return std::filesystem::exists(user.native() / std::u16string(name));
  }

  TempDir user;
  TempDir ide;
  Rig rig;
};

TEST_F(MainWindowTest, FirstShowFinishesStartUpOnce) {
  ASSERT_TRUE(Run(&TfBNF::FormShow));

  EXPECT_FALSE(rig.s().FirstShow);
  EXPECT_EQ(u"Korvan\u00AE BitName file creator", rig.view.Caption(Ctl::Form));
  EXPECT_EQ(u"Korvan\u00AE BitName file creator - 0.2.0.7", rig.view.Caption(Ctl::AboutLabel1));
  const Directories& d = rig.s().dirs;
  const Lines log = {u"File locations", u"MPLab 8.xx : " + d.Mplab8Dir, u"MPLabX XP  : ",
                     u"MPLabX 32  : ", u"MPLabX 64  : C:\\X\\mpasmx\\"};
  EXPECT_EQ(log, rig.view.log);
  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_TRUE(rig.view.enabledHistory.empty());

  ASSERT_TRUE(Run(&TfBNF::FormShow));
  EXPECT_EQ(u"Korvan\u00AE BitName file creator - 0.2.0.7", rig.view.Caption(Ctl::AboutLabel1));
  EXPECT_EQ(log, rig.view.log);
}

TEST_F(MainWindowTest, ShowBeforeStartUpCompletedDoesNothing) {
  rig.s().FirstShow = false;
  rig.s().dirs.BNFLocation.clear();

  ASSERT_TRUE(Run(&TfBNF::FormShow));

  EXPECT_EQ(u"fBNF", rig.view.Caption(Ctl::Form));
  EXPECT_TRUE(rig.view.log.empty());
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(MainWindowTest, TypeClickWithNothingSelectedChangesNothing) {
  const auto before = rig.view.controls;
  ASSERT_TRUE(Run(&TfBNF::lbTypeClick));
  rig.view.types = {u"16F1938"};
  ASSERT_TRUE(Run(&TfBNF::lbTypeClick));

  EXPECT_EQ(u"", rig.s().req.DeviceType);
  EXPECT_FALSE(rig.view.Visible(Ctl::Button1));
  EXPECT_EQ(before.size(), rig.view.controls.size());
  EXPECT_TRUE(rig.view.enabledHistory.empty());
}

// A whole interactive session: the family, a type, a generation, another type click,
// the edit items. "Open converted PDF..." goes off at the first type click for good;
// "Reload" comes on with the first edit item for good.
TEST_F(MainWindowTest, InteractiveSessionAndTheMenuStates) {
  test::TestView& v = rig.view;
  v.family = u"16";
  ASSERT_TRUE(Run(&TfBNF::lbFamClick));
  ASSERT_EQ(Lines{u"16F1938"}, v.types);
  EXPECT_TRUE(v.Enabled(Ctl::OpenconvertedPDF1));
  EXPECT_FALSE(v.Visible(Ctl::Button1));

  v.selectedType = 0;
  ASSERT_TRUE(Run(&TfBNF::lbTypeClick));
  EXPECT_EQ(u"16F1938", rig.s().req.DeviceType);
  EXPECT_TRUE(v.Visible(Ctl::Button1));
  EXPECT_TRUE(v.Enabled(Ctl::Button1));
  EXPECT_EQ(u"16F1938", v.Caption(Ctl::Button1));
  EXPECT_EQ(u"", v.Caption(Ctl::Panel1));
  EXPECT_FALSE(v.Enabled(Ctl::OpenconvertedPDF1));
  EXPECT_FALSE(v.Enabled(Ctl::ReloadPrivate));

  rig.dialogs.openFileAnswers.push_back(Datasheet8());
  ASSERT_TRUE(Run(&TfBNF::Button1Click));
  EXPECT_EQ(Expected("P16F1938.bnf"), test::ReadBytes(user.native() / "P16F1938.bnf"));
  EXPECT_EQ(u"Done", v.Caption(Ctl::Button1));
  EXPECT_EQ(u"Done", v.Caption(Ctl::Panel1));
  EXPECT_FALSE(v.Enabled(Ctl::Button1));

  ASSERT_TRUE(Run(&TfBNF::lbTypeClick));
  EXPECT_TRUE(v.Enabled(Ctl::Button1));
  EXPECT_EQ(u"16F1938", v.Caption(Ctl::Button1));
  EXPECT_EQ(u"", v.Caption(Ctl::Panel1));

  ASSERT_TRUE(Run(&TfBNF::PrivateSFRs1Click));
  EXPECT_TRUE(v.Enabled(Ctl::ReloadPrivate));
  rig.shell.result = 2;  // the shell could not open it: nothing is said
  const std::size_t boxes = rig.dialogs.shown.size();
  ASSERT_TRUE(Run(&TfBNF::PrivateBitNames1Click));
  EXPECT_EQ(boxes, rig.dialogs.shown.size());
  EXPECT_TRUE(v.Enabled(Ctl::ReloadPrivate));

  const std::u16string profile = rig.s().dirs.ProfileDir;
  ASSERT_EQ(2u, rig.shell.calls.size());
  EXPECT_EQ(profile + u"\\PrivateSFR.txt", rig.shell.calls[0].file);
  EXPECT_EQ(profile + u"\\PrivateBit.txt", rig.shell.calls[1].file);
  for (const auto& call : rig.shell.calls) {
    EXPECT_EQ(u"", call.parameters);
    EXPECT_EQ(profile, call.folder);
    EXPECT_EQ(1, call.show);
  }

  v.family = u"18";
  ASSERT_TRUE(Run(&TfBNF::lbFamClick));
  EXPECT_FALSE(v.Enabled(Ctl::OpenconvertedPDF1));
  EXPECT_TRUE(v.Enabled(Ctl::ReloadPrivate));
  EXPECT_EQ(0, v.closeRequests + v.quitRequests);
}

TEST_F(MainWindowTest, DoubleClickSelectsTheTypeAndGeneratesOnce) {
  rig.view.types = {u"16F1938"};
  rig.view.selectedType = 0;
  rig.s().req.Is8Bit = true;
  rig.dialogs.openFileAnswers.push_back(Datasheet8());

  ASSERT_TRUE(Run(&TfBNF::lbTypeDblClick));

  std::vector<ShownBox::Kind> kinds;
  for (const ShownBox& b : rig.dialogs.shown) kinds.push_back(b.kind);
  EXPECT_EQ((std::vector<ShownBox::Kind>{ShownBox::OpenFile, ShownBox::Message}), kinds);
  EXPECT_TRUE(Written(u"P16F1938.bnf"));
  EXPECT_FALSE(rig.view.Enabled(Ctl::OpenconvertedPDF1));
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Button1));
}

TEST_F(MainWindowTest, FamilyClickAfterATypeClickKeepsTheTypeButTakesTheNewRoad) {
  rig.view.family = u"16";
  ASSERT_TRUE(Run(&TfBNF::lbFamClick));
  rig.view.selectedType = 0;
  ASSERT_TRUE(Run(&TfBNF::lbTypeClick));
  rig.view.family = u"24F";
  ASSERT_TRUE(Run(&TfBNF::lbFamClick));
  ASSERT_EQ(Lines{u"24FJ64GA002"}, rig.view.types);

  EXPECT_EQ(u"16F1938", rig.view.Caption(Ctl::Button1));
  EXPECT_EQ(u"16F1938", rig.s().req.DeviceType);
  rig.dialogs.openFileAnswers.push_back(Datasheet8());
  ASSERT_TRUE(Run(&TfBNF::Button1Click));

  // The 16-bit road looks for a device file of the 8-bit type and writes nothing.
  const Lines messages = rig.dialogs.Texts(ShownBox::Message);
  ASSERT_EQ(1u, messages.size());
  EXPECT_EQ(0u, messages[0].rfind(u"No device file was found for 16F1938", 0));
  EXPECT_FALSE(Written(u"P16F1938.bnf"));
}

TEST_F(MainWindowTest, ExitClosesTheNormalWay) {
  ASSERT_TRUE(Run(&TfBNF::Exit1Click));
  EXPECT_EQ(1, rig.view.closeRequests);
  EXPECT_EQ(0, rig.view.quitRequests);
}

TEST_F(MainWindowTest, AboutIsCentredAndHelpSharesTheLeftEdge) {
  rig.view.bounds[Win::Main] = {100, 200, 580, 348};
  rig.view.bounds[Win::About] = {0, 0, 267, 61};
  rig.view.bounds[Win::Help] = {0, 0, 651, 339};

  ASSERT_TRUE(Run(&TfBNF::About1Click));
  ASSERT_TRUE(Run(&TfBNF::Help2Click));

  // 100 + 580 div 2 - 267 div 2; 200 + 348 div 2 - 61 div 2; 200 + 174 - 339 div 2.
  EXPECT_EQ(257, rig.view.bounds[Win::About].left);
  EXPECT_EQ(344, rig.view.bounds[Win::About].top);
  EXPECT_EQ(100, rig.view.bounds[Win::Help].left);
  EXPECT_EQ(205, rig.view.bounds[Win::Help].top);
  EXPECT_EQ((std::vector<Win>{Win::About, Win::Help}), rig.view.modalShown);
  EXPECT_EQ(267, rig.view.bounds[Win::About].width);
}

TEST_F(MainWindowTest, OneOrThreeArgumentsStartInteractively) {
  for (Lines args : {Lines{u"16F1938"}, Lines{u"16F1938", Datasheet8(), u"x"}}) {
    SCOPED_TRACE(args.size());
    Rig other(args);
    other.s().dirs = rig.s().dirs;
    other.s().FirstShow = true;

    ASSERT_TRUE(other.form.Guard([&] { other.form.FormShow(); }));

    EXPECT_TRUE(other.view.enabledHistory.empty());
    EXPECT_TRUE(other.dialogs.shown.empty());
    EXPECT_EQ(0, other.view.quitRequests);
    EXPECT_EQ(5u, other.view.log.size());
    EXPECT_FALSE(Written(u"P16F1938.bnf"));
  }
}

// The first show with two arguments: a device name and a converted datasheet.
class CommandLineTest : public MainWindowTest {
 protected:
  explicit CommandLineTest(std::u16string device = u"pic16f1938",
                           std::u16string datasheet = Datasheet8())
      : MainWindowTest({std::move(device), std::move(datasheet)}) {}

  void ExpectListsDisabled() {
    EXPECT_FALSE(rig.view.Enabled(Ctl::lbFam));
    EXPECT_FALSE(rig.view.Enabled(Ctl::lbType));
  }
};

TEST_F(CommandLineTest, EightBitRunGeneratesAndEndsWithoutTheClosingHandler) {
  ASSERT_TRUE(Run(&TfBNF::FormShow));

  EXPECT_EQ(u"16F1938", rig.s().req.DeviceType);
  EXPECT_TRUE(rig.s().req.Is8Bit);
  EXPECT_EQ(Expected("P16F1938.bnf"), test::ReadBytes(user.native() / "P16F1938.bnf"));
  ASSERT_EQ(1u, rig.dialogs.shown.size());
  EXPECT_EQ(ShownBox::Message, rig.dialogs.shown[0].kind);
  EXPECT_EQ(1, rig.view.quitRequests);
  EXPECT_EQ(0, rig.view.closeRequests);
  ExpectListsDisabled();
  EXPECT_FALSE(rig.view.Visible(Ctl::Button1));
  EXPECT_TRUE(rig.s().FileList.Empty());
  EXPECT_EQ(5u, rig.view.log.size());
}

class CommandLine16Test : public CommandLineTest {
 protected:
  CommandLine16Test() : CommandLineTest(u"PIC24FJ64GA002", Datasheet16()) {}
};

TEST_F(CommandLine16Test, SixteenBitRunWritesBothCopies) {
  ASSERT_TRUE(Run(&TfBNF::FormShow));

  EXPECT_EQ(u"24FJ64GA002", rig.s().req.DeviceType);
  EXPECT_FALSE(rig.s().req.Is8Bit);
  EXPECT_TRUE(Written(u"P24FJ64GA002.bnf"));
  EXPECT_TRUE(std::filesystem::exists(ide.native() / "P24FJ64GA002.bnf"));
  EXPECT_TRUE(rig.dialogs.Texts(ShownBox::OpenFile).empty());
  EXPECT_EQ(1, rig.view.quitRequests);
  ExpectListsDisabled();
}

class CommandLineNoDatasheetTest : public CommandLineTest {
 protected:
  CommandLineNoDatasheetTest() : CommandLineTest(u"16F1938", u"") {}
};

TEST_F(CommandLineNoDatasheetTest, EmptySecondArgumentEndsSilently) {
  ASSERT_TRUE(Run(&TfBNF::FormShow));

  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_FALSE(Written(u"P16F1938.bnf"));
  EXPECT_EQ(1, rig.view.quitRequests);
}

class CommandLineNotANumberTest : public CommandLineTest {
 protected:
  CommandLineNotANumberTest() : CommandLineTest(u"1F1938", Datasheet8()) {}
};

TEST_F(CommandLineNotANumberTest, ConversionErrorLeavesTheWindowOpen) {
  EXPECT_FALSE(Run(&TfBNF::FormShow));

  EXPECT_EQ(Lines{u"'1F' is not a valid integer value"}, rig.dialogs.Texts(ShownBox::Error));
  EXPECT_EQ(1u, rig.dialogs.shown.size());
  EXPECT_EQ(0, rig.view.quitRequests + rig.view.closeRequests);
  EXPECT_FALSE(rig.s().FirstShow);
  ExpectListsDisabled();
}

class CommandLineFailingTest : public CommandLineTest {
 protected:
  CommandLineFailingTest() : CommandLineTest(u"16F1938", u"C:\\no\\such\\datasheet.txt") {}
};

TEST_F(CommandLineFailingTest, GenerationErrorLeavesTheWindowOpen) {
  EXPECT_FALSE(Run(&TfBNF::FormShow));

  EXPECT_EQ(1u, rig.dialogs.Texts(ShownBox::Error).size());
  EXPECT_EQ(0, rig.view.quitRequests + rig.view.closeRequests);
  EXPECT_FALSE(Written(u"P16F1938.bnf"));
  ExpectListsDisabled();
}

TEST_F(CommandLineTest, UnusableBitNameFolderLeavesTheCommandLineAlone) {
  rig.s().dirs.BNFLocation = user.File(u"gone");

  EXPECT_FALSE(Run(&TfBNF::FormShow));

  EXPECT_TRUE(rig.s().FirstShow);
  EXPECT_EQ(u"fBNF", rig.view.Caption(Ctl::Form));
  EXPECT_EQ(u"Korvan\u00AE BitName file creator - ", rig.view.Caption(Ctl::AboutLabel1));
  EXPECT_TRUE(rig.view.log.empty());
  EXPECT_TRUE(rig.view.enabledHistory.empty());
  EXPECT_EQ(0, rig.view.quitRequests);
}

TEST(CommandLineRefusal, NamesThatAreNoPlainDeviceTypeWriteNothing) {
  for (const char16_t* device :
       {u"C:\\Temp\\16F1938", u"..\\16F1938", u"16F1938.inc", u"", u" 16F1938", u"PIC"}) {
    SCOPED_TRACE(Narrow(device));
    TempDir user;
    Rig rig({device, Datasheet8()});
    rig.s().dirs.Mplab8Dir = test::SourcePath("examples/mpasm") + u"\\";
    rig.s().dirs.BNFLocation = user.path();
    rig.s().FirstShow = true;

    ASSERT_TRUE(rig.form.Guard([&] { rig.form.FormShow(); }));

    EXPECT_EQ(Lines{u"\"" + std::u16string(device) +
                    u"\" is not a device type.\rNo BitName file was written."},
              rig.dialogs.Texts(ShownBox::Message));
    EXPECT_EQ(1u, rig.dialogs.shown.size());
    EXPECT_EQ(u"", rig.s().req.DeviceType);
    EXPECT_EQ(0, rig.view.quitRequests);
    EXPECT_FALSE(rig.view.Enabled(Ctl::lbFam));
    EXPECT_FALSE(rig.view.Enabled(Ctl::lbType));
    EXPECT_TRUE(std::filesystem::is_empty(user.native()));
  }
}

}  // namespace
}  // namespace bnf
