// The 16-bit generation: the generic-register lookup's candidate order, the writer on
// the cases of tests/data/creator, and the whole road with scripted dialogs: both files,
// the messages, and the runs that end early or fail.
#include "creator/generation16.h"

#include <gtest/gtest.h>

#include "creator/kdx_reader.h"
#include "tests/support/example_rig.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

using test::ShownBox;
using test::Texts;

TEST(Write16BitLines, Cases) {
  for (const test::Case& c : test::ReadCases("writer16.cases")) {
    SCOPED_TRACE(c.name);
    test::Rig rig;
    test::AppendRows(rig.s().tables, c["tables"]);
    for (int32_t i = 1; i < rig.s().tables.RegCount(); ++i) {
      const RegRow& r = rig.s().tables.RegTable[i];
      if (!r.address.empty()) rig.s().RegisterList.Add(RegisterListEntry(r.name, r.address));
    }
    for (const std::u16string& row : test::Tagged(c["tables"], u"S ")) {
      rig.s().names.SfrNames.push_back(
          {row.substr(0, row.find(u'|')), row.substr(row.find(u'|') + 1)});
    }
    Write16BitLines(rig.s(), rig.dialogs);
    EXPECT_EQ(c["expect"], rig.s().WorkList.Items());
    EXPECT_EQ(c["messages"], rig.dialogs.Texts(ShownBox::Message));
  }
}

class Road16Test : public ::testing::Test, protected test::ExampleRig {
 protected:
  Road16Test() { rig.s().req.DeviceType = u"24FJ64GA002"; }
  void ChooseDatasheet() { rig.dialogs.openFileAnswers.push_back(Datasheet("24FJ64GA002")); }
  std::string Bytes(const test::TempDir& dir, std::u16string_view name = u"P24FJ64GA002.bnf") {
    const std::u16string file = dir.File(name);
    return rig.text.Exists(file) ? test::ReadBytes(test::ToHostPath(file)) : "none";
  }
  bool Run() { return Handle(&TfBNF::Doe16Bit); }
};

TEST_F(Road16Test, ExampleDeviceGivesTheExpectedFileInBothFolders) {
  ChooseDatasheet();
  ASSERT_TRUE(Run());
  EXPECT_EQ(Expected("P24FJ64GA002.bnf"), Bytes(user));
  EXPECT_EQ(Expected("P24FJ64GA002.bnf"), Bytes(ide));
  EXPECT_EQ((Texts{u"U1MODE: 4", u"U2MODE: 4",
                   u"The BitName file is copied to the ZMV location " + ide.path() +
                       u"\\\r\rA copy of the BitName file is saved as " + user.path() +
                       u"\\P24FJ64GA002.bnf"}),
            rig.dialogs.Texts(ShownBox::Message));
  EXPECT_EQ(
      (std::vector{ShownBox::OpenFile, ShownBox::Message, ShownBox::Message, ShownBox::Message}),
      ShownKinds());
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Button1));
  EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
  EXPECT_EQ(user.path() + u"\\P24FJ64GA002.bnf", rig.s().req.OutFile);
  EXPECT_TRUE(rig.s().WorkList.Sorted());
}

TEST_F(Road16Test, ExistingIdeFileReplacedOnlyAfterYesAndNoDatasheetEndsSilently) {
  test::WriteBytes(ide.native() / "P24FJ64GA002.bnf", "good\r\n");
  rig.dialogs.yesNoAnswers = {false, true, true};
  ASSERT_TRUE(Run());
  EXPECT_EQ(Texts{u"The Bitname file for 24FJ64GA002 already exists.\rContinue anyway?"},
            rig.dialogs.Texts(ShownBox::YesNo));
  EXPECT_EQ(std::vector{ShownBox::YesNo}, ShownKinds());
  ASSERT_TRUE(Run());  // Yes, but no datasheet chosen: the device file is read all the same
  EXPECT_EQ((std::vector{ShownBox::YesNo, ShownBox::YesNo, ShownBox::OpenFile}), ShownKinds());
  EXPECT_EQ(21u, rig.s().RegisterList.Count());
  EXPECT_EQ(u"", rig.view.Caption(Ctl::Button1));
  EXPECT_EQ("good\r\n", Bytes(ide));
  EXPECT_EQ("none", Bytes(user));
  ChooseDatasheet();
  ASSERT_TRUE(Run());
  EXPECT_EQ(Expected("P24FJ64GA002.bnf"), Bytes(ide));
}

// The IDE's good file stays, even after Yes to "Continue anyway?".
TEST_F(Road16Test, NoDeviceFileOrNoRegistersWritesNothing) {
  const std::tuple<std::u16string, const char*, std::u16string, std::u16string> cases[] = {
      {u"24FJ99", nullptr, u"No device file was found for 24FJ99 (", u")."},
      {u"24FJ98", "no register section\r\n[REGEND]\r\n", u"The device file for 24FJ98 (",
       u") holds no register list."},
      {u"24FJ97", "[REGSTART]\r\n; none\r\n[REGEND]\r\n[BITSTART]\r\nTON=15\r\n",
       u"The device file for 24FJ97 (", u") holds no register list."},
  };
  rig.s().dirs.KdxDir = user.path() + u"\\";
  for (const auto& [device, kdx, before, after] : cases) {
    SCOPED_TRACE(test::Narrow(device));
    const std::u16string kdxFile = user.File(u"P" + device + u".KDX");
    if (kdx) test::WriteBytes(test::ToHostPath(kdxFile), kdx);
    const std::u16string bnf = u"P" + device + u".bnf";
    test::WriteBytes(test::ToHostPath(ide.File(bnf)), "good\r\n");
    test::WriteBytes(test::ToHostPath(user.File(bnf)), "good\r\n");
    rig.s().req.DeviceType = device;
    rig.dialogs.shown.clear();
    rig.dialogs.yesNoAnswers = {true};
    ChooseDatasheet();
    ASSERT_TRUE(Run());
    EXPECT_EQ((Texts{before + kdxFile + after + u"\rNo BitName file was written."}),
              rig.dialogs.Texts(ShownBox::Message));
    EXPECT_EQ("good\r\n", Bytes(ide, bnf));
    EXPECT_EQ("good\r\n", Bytes(user, bnf));
  }
}

TEST_F(Road16Test, UnknownIdeFolderSavesOnlyTheUsersCopy) {
  rig.s().dirs.IdeBnfDir = u"";
  ChooseDatasheet();
  ASSERT_TRUE(Run());
  EXPECT_EQ(Expected("P24FJ64GA002.bnf"), Bytes(user));
  EXPECT_EQ(u"The BitName file is saved as " + user.path() +
                u"\\P24FJ64GA002.bnf\r\rThe ZMV location is not known, so the file was not "
                u"copied there. To become effective you must copy it to the "
                u"Plugin\\CompilerBitnames directory yourself.",
            rig.dialogs.Texts(ShownBox::Message).back());
}

TEST_F(Road16Test, FailedSaveEndsTheRunWithWorkListSortedAgain) {
  rig.s().dirs.BNFLocation = user.path() + u"\\missing";
  ChooseDatasheet();
  EXPECT_FALSE(Run());
  EXPECT_EQ(1u, rig.dialogs.Texts(ShownBox::Error).size());
  EXPECT_EQ((Texts{u"U1MODE: 4", u"U2MODE: 4"}), rig.dialogs.Texts(ShownBox::Message));
  EXPECT_EQ("none", Bytes(ide));
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Button1));
  EXPECT_TRUE(rig.s().WorkList.Sorted());
}

}  // namespace
}  // namespace bnf
