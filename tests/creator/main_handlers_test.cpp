// The main window's handlers on the test view: the first show and the command-line run
// (both roads, refused names, errors), the type list, the generate button, the menu
// items and their enabled states over a session, and where About and Help open.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "creator/main_form.h"
#include "tests/support/example_rig.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

using Lines = std::vector<std::u16string>;
using Kinds = std::vector<test::ShownBox::Kind>;
using test::ShownBox;
using test::TempDir;

std::u16string Datasheet8() {
  return test::ExampleRig::Datasheet("16F1938");
}
std::u16string Datasheet16() {
  return test::ExampleRig::Datasheet("24FJ64GA002");
}

// The names of the files in a folder, sorted.
Lines Files(const TempDir& dir) {
  Lines names;
  for (const auto& e : std::filesystem::directory_iterator(dir.native())) {
    names.push_back(e.path().filename().u16string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The example rig before its first show, its window as the view creates it.
struct Started : test::ExampleRig {
  explicit Started(Lines args = {}) : ExampleRig(std::move(args)) {
    rig.s().FirstShow = true;
    test::TestView& v = rig.view;
    v.SetCaption(Ctl::Form, u"fBNF");
    v.SetCaption(Ctl::AboutLabel1, u"Korvan\u00AE BitName file creator - ");
    v.SetVisible(Ctl::Button1, false);
    v.SetEnabled(Ctl::Button1, false);
    v.SetEnabled(Ctl::ReloadPrivate, false);
    v.enabledHistory.clear();
  }
};

class MainWindowTest : public ::testing::Test, protected Started {};

// No arguments, one or three: the tool starts interactively, the lists stay enabled.
TEST(FirstShow, FinishesStartUpOnceAndRunsInteractivelyWithoutTwoArguments) {
  for (const Lines& args : {Lines{}, Lines{u"16F1938"}, Lines{u"16F1938", Datasheet8(), u"x"}}) {
    SCOPED_TRACE(args.size());
    Started s(args);
    for (int show = 0; show < 2; ++show) ASSERT_TRUE(s.Handle(&TfBNF::FormShow));

    EXPECT_FALSE(s.rig.s().FirstShow);
    EXPECT_EQ(u"Korvan\u00AE BitName file creator", s.rig.view.Caption(Ctl::Form));
    EXPECT_EQ(u"Korvan\u00AE BitName file creator - 0.2.0.7", s.rig.view.Caption(Ctl::AboutLabel1));
    EXPECT_EQ((Lines{u"File locations", u"MPLab 8.xx : " + s.rig.s().dirs.Mplab8Dir,
                     u"MPLabX XP  : ", u"MPLabX 32  : ", u"MPLabX 64  : C:\\X\\mpasmx\\"}),
              s.rig.view.log);
    EXPECT_TRUE(s.rig.dialogs.shown.empty());
    EXPECT_TRUE(s.rig.view.enabledHistory.empty());
    EXPECT_EQ(0, s.rig.view.quitRequests);
    EXPECT_TRUE(Files(s.user).empty());
  }
}

// Before start-up completed, or while the BitName folder is unusable, the show leaves the
// window as designed and the command line alone; only the latter tries again later.
TEST(FirstShow, WithoutAUsableBitNameFolderLeavesTheWindowAndTheCommandLineAlone) {
  for (bool startedUp : {false, true}) {
    SCOPED_TRACE(startedUp);
    Started s({u"16F1938", Datasheet8()});
    s.rig.s().FirstShow = startedUp;
    s.rig.s().dirs.BNFLocation = startedUp ? s.user.File(u"gone") : u"";

    EXPECT_EQ(!startedUp, s.Handle(&TfBNF::FormShow));

    EXPECT_EQ(startedUp, s.rig.s().FirstShow);
    EXPECT_EQ(u"fBNF", s.rig.view.Caption(Ctl::Form));
    EXPECT_EQ(u"Korvan\u00AE BitName file creator - ", s.rig.view.Caption(Ctl::AboutLabel1));
    EXPECT_TRUE(s.rig.view.log.empty());
    EXPECT_TRUE(s.rig.view.enabledHistory.empty());
    EXPECT_EQ(0, s.rig.view.quitRequests);
    EXPECT_EQ(startedUp ? Kinds{ShownBox::Error} : Kinds{}, s.ShownKinds());
  }
}

// Two arguments: one generation without the open-file dialog, then the application ends
// without the closing handler (nothing saved); the lists and the button take no part.
TEST(CommandLine, GeneratesAndEndsTheApplication) {
  struct Case {
    std::u16string device, datasheet, type;
    bool eightBit;
    Lines written;         // to the user's folder; the 16-bit road copies to the IDE's
    std::size_t messages;  // the 16-bit example has two bits without a description
  } cases[] = {
      {u"pic16f1938", Datasheet8(), u"16F1938", true, {u"P16F1938.bnf"}, 1},
      {u"PIC24FJ64GA002", Datasheet16(), u"24FJ64GA002", false, {u"P24FJ64GA002.bnf"}, 3},
      // An empty datasheet name: the generation stops without a message of its own.
      {u"16F1938", u"", u"16F1938", true, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.device));
    Started s({c.device, c.datasheet});

    ASSERT_TRUE(s.Handle(&TfBNF::FormShow));

    EXPECT_EQ(c.type, s.rig.s().req.DeviceType);
    EXPECT_EQ(c.eightBit, s.rig.s().req.Is8Bit);
    EXPECT_EQ(c.written, Files(s.user));
    EXPECT_EQ(c.eightBit ? Lines{} : c.written, Files(s.ide));
    for (const std::u16string& file : c.written) {
      EXPECT_EQ(test::ExampleRig::Expected(test::Narrow(file)),
                test::ReadBytes(s.user.native() / file));
    }
    EXPECT_EQ(Kinds(c.messages, ShownBox::Message), s.ShownKinds());
    EXPECT_EQ(1, s.rig.view.quitRequests);
    EXPECT_EQ(0, s.rig.view.closeRequests);
    EXPECT_FALSE(s.rig.view.Enabled(Ctl::lbFam));
    EXPECT_FALSE(s.rig.view.Enabled(Ctl::lbType));
    EXPECT_FALSE(s.rig.view.Visible(Ctl::Button1));
    EXPECT_TRUE(s.rig.s().FileList.Empty());
    EXPECT_EQ(5u, s.rig.view.log.size());
  }
}

// A family number that is no number, a failed generation or a refused device name: one
// box, nothing written, and the window stays open with both lists disabled.
TEST(CommandLine, WithoutAGenerationTheWindowStaysOpen) {
  struct Case {
    std::u16string device, datasheet;
    bool handled;  // false: the error went to the standard error box
    std::u16string type;
    ShownBox::Kind kind;
    std::optional<std::u16string> text;
  } cases[] = {
      {u"1F1938", Datasheet8(), false, u"1F1938", ShownBox::Error,
       u"'1F' is not a valid integer value"},
      {u"16F1938", u"C:\\no\\such\\datasheet.txt", false, u"16F1938", ShownBox::Error,
       std::nullopt},
      // The name becomes part of a file path: only a plain device type is taken.
      {u"C:\\Temp\\16F1938", Datasheet8(), true, u"", ShownBox::Message,
       u"\"C:\\Temp\\16F1938\" is not a device type.\rNo BitName file was written."},
      {u"..\\16F1938", Datasheet8(), true, u"", ShownBox::Message,
       u"\"..\\16F1938\" is not a device type.\rNo BitName file was written."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.device));
    Started s({c.device, c.datasheet});

    EXPECT_EQ(c.handled, s.Handle(&TfBNF::FormShow));

    EXPECT_EQ(c.type, s.rig.s().req.DeviceType);
    ASSERT_EQ(Kinds{c.kind}, s.ShownKinds());
    if (c.text) {
      EXPECT_EQ(*c.text, s.rig.dialogs.shown[0].text);
    }
    EXPECT_EQ(0, s.rig.view.quitRequests + s.rig.view.closeRequests);
    EXPECT_FALSE(s.rig.s().FirstShow);
    EXPECT_FALSE(s.rig.view.Enabled(Ctl::lbFam));
    EXPECT_FALSE(s.rig.view.Enabled(Ctl::lbType));
    EXPECT_TRUE(Files(s.user).empty());
    EXPECT_TRUE(Files(s.ide).empty());
  }
}

// A whole interactive session: type clicks with nothing listed or selected, the family,
// a type, a generation, a double click, the edit items, another family, Exit. "Open
// converted PDF..." goes off at the first type click for good; "Reload" comes on with the
// first edit item for good.
TEST_F(MainWindowTest, InteractiveSessionAndTheMenuStates) {
  test::TestView& v = rig.view;
  ASSERT_TRUE(Handle(&TfBNF::lbTypeClick));
  v.family = u"16";
  ASSERT_TRUE(Handle(&TfBNF::lbFamClick));
  ASSERT_EQ(Lines{u"16F1938"}, v.types);
  ASSERT_TRUE(Handle(&TfBNF::lbTypeClick));
  EXPECT_EQ(u"", rig.s().req.DeviceType);
  EXPECT_EQ(u"", v.Caption(Ctl::Button1));
  EXPECT_TRUE(v.enabledHistory.empty());
  EXPECT_TRUE(v.Enabled(Ctl::OpenconvertedPDF1));
  EXPECT_FALSE(v.Visible(Ctl::Button1));

  v.selectedType = 0;
  ASSERT_TRUE(Handle(&TfBNF::lbTypeClick));
  EXPECT_EQ(u"16F1938", rig.s().req.DeviceType);
  EXPECT_TRUE(v.Visible(Ctl::Button1));
  EXPECT_TRUE(v.Enabled(Ctl::Button1));
  EXPECT_EQ(u"16F1938", v.Caption(Ctl::Button1));
  EXPECT_EQ(u"", v.Caption(Ctl::Panel1));
  EXPECT_FALSE(v.Enabled(Ctl::OpenconvertedPDF1));
  EXPECT_FALSE(v.Enabled(Ctl::ReloadPrivate));

  rig.dialogs.openFileAnswers.push_back(Datasheet8());
  ASSERT_TRUE(Handle(&TfBNF::Button1Click));
  EXPECT_EQ(Expected("P16F1938.bnf"), test::ReadBytes(user.native() / "P16F1938.bnf"));
  EXPECT_EQ(u"Done", v.Caption(Ctl::Button1));
  EXPECT_EQ(u"Done", v.Caption(Ctl::Panel1));
  EXPECT_FALSE(v.Enabled(Ctl::Button1));

  // The type click re-arms the button; its one generation stops, no datasheet chosen.
  ASSERT_TRUE(Handle(&TfBNF::lbTypeDblClick));
  EXPECT_EQ((Kinds{ShownBox::OpenFile, ShownBox::Message, ShownBox::OpenFile}), ShownKinds());
  EXPECT_TRUE(v.Enabled(Ctl::Button1));
  EXPECT_EQ(u"16F1938", v.Caption(Ctl::Button1));
  EXPECT_EQ(u"", v.Caption(Ctl::Panel1));

  ASSERT_TRUE(Handle(&TfBNF::PrivateSFRs1Click));
  EXPECT_TRUE(v.Enabled(Ctl::ReloadPrivate));
  rig.shell.result = 2;  // the shell could not open it: nothing is said
  ASSERT_TRUE(Handle(&TfBNF::PrivateBitNames1Click));
  EXPECT_EQ(3u, rig.dialogs.shown.size());
  EXPECT_TRUE(v.Enabled(Ctl::ReloadPrivate));
  const std::u16string profile = rig.s().dirs.ProfileDir;
  ASSERT_EQ(2u, rig.shell.calls.size());
  EXPECT_EQ(profile + u"\\PrivateSFR.txt", rig.shell.calls[0].file);
  EXPECT_EQ(profile + u"\\PrivateBit.txt", rig.shell.calls[1].file);
  for (const auto& call : rig.shell.calls) {
    EXPECT_EQ(u"", call.parameters);
    EXPECT_EQ(1, call.show);
  }

  // A family click keeps the type and the button, but the button now takes the 16-bit
  // road, which finds no device file for the 8-bit type and writes nothing.
  v.family = u"24F";
  ASSERT_TRUE(Handle(&TfBNF::lbFamClick));
  ASSERT_EQ(Lines{u"24FJ64GA002"}, v.types);
  EXPECT_EQ(u"16F1938", v.Caption(Ctl::Button1));
  EXPECT_FALSE(v.Enabled(Ctl::OpenconvertedPDF1));
  EXPECT_TRUE(v.Enabled(Ctl::ReloadPrivate));
  rig.dialogs.openFileAnswers.push_back(Datasheet8());
  ASSERT_TRUE(Handle(&TfBNF::Button1Click));
  const Lines messages = rig.dialogs.Texts(ShownBox::Message);
  ASSERT_EQ(2u, messages.size());
  EXPECT_EQ(0u, messages[1].rfind(u"No device file was found for 16F1938", 0));
  EXPECT_EQ(Lines{u"P16F1938.bnf"}, Files(user));
  EXPECT_TRUE(Files(ide).empty());

  ASSERT_TRUE(Handle(&TfBNF::Exit1Click));
  EXPECT_EQ(1, v.closeRequests);
  EXPECT_EQ(0, v.quitRequests);
}

TEST_F(MainWindowTest, AboutIsCentredAndHelpSharesTheLeftEdge) {
  rig.view.bounds[Win::Main] = {100, 200, 580, 348};
  rig.view.bounds[Win::About] = {0, 0, 267, 61};
  rig.view.bounds[Win::Help] = {0, 0, 651, 339};

  ASSERT_TRUE(Handle(&TfBNF::About1Click));
  ASSERT_TRUE(Handle(&TfBNF::Help2Click));

  // 100 + 580 div 2 - 267 div 2; 200 + 348 div 2 - 61 div 2; 200 + 174 - 339 div 2.
  EXPECT_EQ(257, rig.view.bounds[Win::About].left);
  EXPECT_EQ(344, rig.view.bounds[Win::About].top);
  EXPECT_EQ(100, rig.view.bounds[Win::Help].left);
  EXPECT_EQ(205, rig.view.bounds[Win::Help].top);
  EXPECT_EQ((std::vector<Win>{Win::About, Win::Help}), rig.view.modalShown);
  EXPECT_EQ(267, rig.view.bounds[Win::About].width);
}

}  // namespace
}  // namespace bnf
