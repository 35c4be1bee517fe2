// The 8-bit generation: the generic-name match, the fallbacks and their search
// directions, the completions on the cases of tests/data/creator, the existing-file
// question and the chooser, and the whole road on the example device.
#include "creator/generation8.h"

#include <gtest/gtest.h>

#include "tests/support/example_rig.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

using test::ShownBox;
using test::Texts;

TEST(Completions, Cases) {
  for (const test::Case& c : test::ReadCases("completion8.cases")) {
    SCOPED_TRACE(c.name);
    DeviceTables t;
    NameTables names;
    test::AppendRows(t, c["tables"]);
    for (const auto& [tag, rows] : {std::pair{u"S ", &names.SfrNames}, {u"T ", &names.BitNames}}) {
      for (const std::u16string& row : test::Tagged(c["tables"], tag)) {
        rows->push_back({row.substr(0, row.find(u'|')), row.substr(row.find(u'|') + 1)});
      }
    }
    CompleteRegisterDescriptions(t, names);
    CompleteBitDescriptions(t, names);
    CompletePages(t);
    EXPECT_EQ(c["expect"], test::TablesAsText(t));
  }
}

class Road8Test : public ::testing::Test, protected test::ExampleRig {
 protected:
  explicit Road8Test(std::vector<std::u16string> args = {}) : ExampleRig(std::move(args)) {
    rig.s().req.DeviceType = u"16F1938";
    rig.s().req.Is8Bit = true;
    rig.view.SetCaption(Ctl::Button1, u"16F1938");
    rig.view.enabledHistory.clear();
  }
  bool Generate() { return Handle(&TfBNF::Doe8Bit); }
  std::u16string OutFile() const { return user.File(u"P16F1938.bnf"); }
  std::u16string ClosingMessage() const {
    return u"The BitName file is saved as " + OutFile() +
           u"\r\rTo become effective you must copy it to the Plugin\\CompilerBitnames directory";
  }
};

TEST_F(Road8Test, ExistingIdeFileAsksFirstAndOnlyYesWithADatasheetGoesOn) {
  rig.text.WriteLines(ide.File(u"P16F1938.bnf"), {u"** BITNAMES **"});
  rig.dialogs.yesNoAnswers = {false, true, true};
  rig.s().req.PdfTextFile = Datasheet("16F1938");
  ASSERT_TRUE(Generate());  // No: nothing else is shown
  ASSERT_TRUE(Generate());  // Yes, then the chooser is cancelled
  EXPECT_EQ(u"", rig.s().req.PdfTextFile);
  EXPECT_FALSE(rig.text.Exists(OutFile()));
  EXPECT_EQ(u"16F1938", rig.view.Caption(Ctl::Button1));
  EXPECT_TRUE(rig.view.enabledHistory.empty());
  EXPECT_EQ(1, rig.s().tables.RegCount());

  rig.dialogs.openFileAnswers.push_back(Datasheet("16F1938"));
  ASSERT_TRUE(Generate());
  EXPECT_EQ(Expected("P16F1938.bnf"), test::ReadBytes(test::ToHostPath(OutFile())));
  EXPECT_EQ((std::vector{ShownBox::YesNo, ShownBox::YesNo, ShownBox::OpenFile, ShownBox::YesNo,
                         ShownBox::OpenFile, ShownBox::Message}),
            ShownKinds());
  EXPECT_EQ(u"The Bitname file for 16F1938 already exists.\rContinue anyway?",
            rig.dialogs.shown[0].text);
  EXPECT_EQ(ClosingMessage(), rig.dialogs.shown.back().text);
  const OpenFileOptions& o = *rig.dialogs.lastOpenFile;
  EXPECT_EQ(u"Converted PDF files (*.txt)|*.txt", o.filter);
  EXPECT_EQ(u"txt", o.defaultExtension);
  EXPECT_TRUE(o.fileMustExist && o.hideReadOnly && o.resizable);
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Button1));
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Panel1));
  EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
  EXPECT_EQ(rig.s().Memo1, rig.text.ReadLines(OutFile()));
}

class Road8CommandLineTest : public Road8Test {
 protected:
  Road8CommandLineTest() : Road8Test({u"16F1938", u"datasheet.txt"}) {}
};

// An unreadable datasheet or a failed save: the error box, no closing message.
TEST_F(Road8CommandLineTest, ErrorsEndTheRunWithoutTheClosingMessage) {
  for (bool unreadable : {true, false}) {
    SCOPED_TRACE(unreadable);
    rig.s().req.PdfTextFile = unreadable ? user.File(u"missing.txt") : Datasheet("16F1938");
    if (!unreadable) rig.s().dirs.BNFLocation = user.File(u"no such folder");
    rig.dialogs.shown.clear();
    EXPECT_FALSE(Generate());
    EXPECT_EQ(std::vector{ShownBox::Error}, ShownKinds());
    EXPECT_FALSE(rig.text.Exists(OutFile()));
    EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
    EXPECT_EQ(unreadable ? u"16F1938" : u"Done", rig.view.Caption(Ctl::Button1));
    EXPECT_EQ(unreadable ? u"" : u"Done", rig.view.Caption(Ctl::Panel1));
  }
}

TEST_F(Road8CommandLineTest, NoIncludeFileOrOneWithoutRegistersWritesNothingAndSaysSo) {
  rig.s().req.PdfTextFile = Datasheet("16F1938");
  ASSERT_TRUE(Generate());
  const int32_t regCount = rig.s().tables.RegCount();
  rig.s().req.DeviceType = u"16F1937";
  rig.dialogs.shown.clear();
  ASSERT_TRUE(Generate());
  EXPECT_EQ(Texts{u"No include file was found for 16F1937 (P16F1937.inc).\r"
                  u"No BitName file was written."},
            rig.dialogs.Texts(ShownBox::Message));
  EXPECT_FALSE(rig.text.Exists(user.File(u"P16F1937.bnf")));
  EXPECT_EQ(regCount, rig.s().tables.RegCount());

  const std::string junk[] = {
      "", "W EQU H'0000'\r\n;----- STATUS Bits ---\r\nC EQU H'0000'\r\n",
      ";----- Register Files ---\r\n;----- STATUS Bits ---\r\nC EQU H'0000'\r\n;=====\r\n",
      std::string("\x00\x81\x9f\xff\r\x00EQU H\n\x80", 11)};
  test::TempDir mpasm;
  rig.s().dirs.Mplab8Dir = mpasm.path() + u"\\";
  rig.s().req.DeviceType = u"16F1938";
  rig.view.SetCaption(Ctl::Button1, u"16F1938");
  for (const std::string& bytes : junk) {
    test::WriteBytes(mpasm.native() / "P16F1938.inc", bytes);
    test::WriteBytes(test::ToHostPath(OutFile()), "old\r\n");
    rig.dialogs.shown.clear();
    ASSERT_TRUE(Generate());
    EXPECT_EQ(Texts{u"The include file for 16F1938 (" + mpasm.path() +
                    u"\\P16F1938.inc) holds no register list.\rNo BitName file was written."},
              rig.dialogs.Texts(ShownBox::Message));
    EXPECT_EQ("old\r\n", test::ReadBytes(test::ToHostPath(OutFile())));
    EXPECT_EQ(u"16F1938", rig.view.Caption(Ctl::Button1));
  }
}

}  // namespace
}  // namespace bnf
