// The 16-bit generation: the generic-register lookup's candidate order, the writer's
// register blocks (own description, page only, generic, default description, nothing),
// bit order and duplicates, and the whole road with scripted dialogs: both files, the
// messages, and the runs that end early or fail.
#include "creator/generation16.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "creator/kdx_reader.h"
#include "creator/name_tables.h"
#include "tests/support/rig.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::Rig;
using test::ShownBox;
using test::TempDir;

using Lines = std::vector<std::u16string>;

std::string Narrow(std::u16string_view s) {
  return std::string(s.begin(), s.end());
}

TEST(FindGenericRegisterInBit, XBeforeYLeftmostDigitFirstOneDigitAtATime) {
  struct Case {
    std::u16string name;
    Lines owners;
    int32_t expected;
  } cases[] = {
      {u"IC1CON1", {u"IC1CONY", u"IC1CONX", u"ICYCON1", u"ICXCON1"}, 4},
      {u"IC1CON1", {u"IC1CONY", u"IC1CONX", u"ICYCON1"}, 3},
      {u"IC1CON1", {u"IC1CONY", u"IC1CONX"}, 2},
      {u"IC1CON1", {u"IC1CONY"}, 1},
      {u"U2MODE", {u"other", u"uxmode"}, 2},
      {u"U2MODE", {u"UyMODE", u"UxMODE"}, 2},
      {u"DMA10CNT", {u"DMAxCNT", u"DMAXXCNT"}, -1},
      {u"DMA10CNT", {u"DMAxCNT", u"DMA1xCNT"}, 2},
      {u"u2mode", {u"UxMODE"}, 1},
      {u"UMODE", {u"UxMODE", u"UMODE"}, -1},
      {u"", {u""}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.name));
    DeviceTables t;
    for (const std::u16string& owner : c.owners) t.BitTable.Append(BitRow{owner, {}, {}, {}});
    EXPECT_EQ(c.expected, FindGenericRegisterInBit(t, c.name));
  }
}

class Writer16Test : public ::testing::Test {
 protected:
  // A register of the KDX file, with what its heading gave.
  void Reg(std::u16string name, std::u16string address, std::u16string desc, std::u16string page) {
    rig.s().RegisterList.Add(RegisterListEntry(name, address));
    rig.s().tables.RegTable.Append(RegRow{name, address, desc, page});
  }
  // A generic heading's row: not in RegisterList, no address.
  void GenericRow(std::u16string name, std::u16string desc, std::u16string page) {
    rig.s().tables.RegTable.Append(RegRow{name, u"", desc, page});
  }
  // One register's block: its bits ("name|number|description") and the placeholder.
  void Block(std::u16string owner, const Lines& bits) {
    for (const std::u16string& bit : bits) {
      std::size_t a = bit.find(u'|');
      std::size_t b = bit.find(u'|', a + 1);
      rig.s().tables.BitTable.Append(
          BitRow{owner, bit.substr(0, a), bit.substr(a + 1, b - a - 1), bit.substr(b + 1)});
    }
    rig.s().tables.BitTable.Append(BitRow{owner, {}, {}, {}});
  }

  Lines Write() {
    Write16BitLines(rig.s(), rig.dialogs);
    return rig.s().WorkList.Items();
  }

  Rig rig;
};

TEST_F(Writer16Test, OwnDescriptionBitsInNumberOrderWithoutLeadingZero) {
  Reg(u"T1CON", u"0104", u"TIMER1 CONTROL REGISTER ", u"115");
  Reg(u"PR1", u"0102", u"PERIOD REGISTER 1", u"-1");
  Block(u"T1CON", {u"TON|15|Timer1 On bit", u"TCS|01| Clock Source ", u"TSYNC|02|",
                   u"T32|10|32-bit", u"TZERO|00|zero", u"TSEVEN|07|seven"});

  EXPECT_EQ(
      (Lines{u"** BITNAMES **", u"", u"PR1=\"PERIOD REGISTER 1\" 0x0102 (page -1)", u"",
             u"T1CON=\"TIMER1 CONTROL REGISTER \" 0x0104 (page 115)", u"TZERO=T1CON.0,\"zero\"",
             u"TCS=T1CON.1,\" Clock Source \"", u"TSYNC=T1CON.2,\"\"", u"TSEVEN=T1CON.7,\"seven\"",
             u"T32=T1CON.10,\"32-bit\"", u"TON=T1CON.15,\"Timer1 On bit\"", u""}),
      Write());
  EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(Writer16Test, PageOnlyWritesBitsAndNothingWritesNothing) {
  EXPECT_EQ((Lines{u"** BITNAMES **", u""}), Write());

  Reg(u"OSCTUN", u"0748", u"", u"92");
  Reg(u"PR2", u"010C", u"", u"-1");
  Reg(u"XYZ", u"0300", u"", u"");
  Block(u"OSCTUN", {u"TUN0|00|Tuning bit"});

  EXPECT_EQ((Lines{u"** BITNAMES **", u"", u"TUN0=OSCTUN.0,\"Tuning bit\"", u""}), Write());
}

TEST_F(Writer16Test, GenericRegisterLendsDescriptionAndBits) {
  Reg(u"U1MODE", u"0220", u"", u"");
  Reg(u"U2MODE", u"0230", u"", u"");
  Reg(u"IC1CON", u"0140", u"", u"");
  GenericRow(u"UxMODE", u"UARTx MODE REGISTER", u"170");
  GenericRow(u"ICxCON", u"", u"50");
  Block(u"UxMODE", {u"UARTEN|15|UARTx Enable bit", u"RXINV|04| ", u"STSEL|00|Stop bit"});
  Block(u"ICxCON", {u"ICM0|00|Mode bit"});
  Block(u"U2MODE", {u"OWN|03|own bit of U2MODE"});

  EXPECT_EQ((Lines{u"** BITNAMES **", u"", u"IC1CON=\"\" 0x0140", u"ICM0=IC1CON.0,\"Mode bit\"",
                   u"", u"U1MODE=\"UARTx MODE REGISTER\" 0x0220", u"STSEL=U1MODE.0,\"Stop bit\"",
                   u"RXINV=U1MODE.4,\" \"", u"UARTEN=U1MODE.15,\"UARTx Enable bit\"", u"",
                   u"U2MODE=\"UARTx MODE REGISTER\" 0x0230", u"STSEL=U2MODE.0,\"Stop bit\"",
                   u"RXINV=U2MODE.4,\" \"", u"UARTEN=U2MODE.15,\"UARTx Enable bit\"",
                   u"OWN=U2MODE.3,\"own bit of U2MODE\"", u""}),
            Write());
  EXPECT_EQ((Lines{u"U1MODE: 4", u"U2MODE: 4"}), rig.dialogs.Texts(ShownBox::Message));
}

TEST_F(Writer16Test, DefaultDescriptionBringsItsEmptyLine) {
  rig.s().names.SfrNames = {{u"TMR", u"Timer"}};
  Reg(u"TMR1", u"0100", u"", u"");
  Reg(u"TMR2", u"0106", u"", u"");
  Block(u"TMR2", {u"B0|00|bit zero"});

  EXPECT_EQ((Lines{u"** BITNAMES **", u"", u"TMR1=\"Timer1\" 0x0100", u"",
                   u"TMR2=\"Timer2\" 0x0106", u"", u"B0=TMR2.0,\"bit zero\"", u""}),
            Write());
}

TEST_F(Writer16Test, RecordsEqualButForLetterCaseGiveOneLine) {
  Reg(u"T1CON", u"0104", u"TIMER1", u"1");
  Block(u"T1CON", {u"TON|15|Timer On", u"TON|15|TIMER ON", u"ton|15|timer on", u"TON|15|Other"});

  EXPECT_EQ((Lines{u"** BITNAMES **", u"", u"T1CON=\"TIMER1\" 0x0104 (page 1)",
                   u"TON=T1CON.15,\"Other\"", u"TON=T1CON.15,\"Timer On\"", u""}),
            Write());
}

TEST_F(Writer16Test, RegisterListedTwiceWithTwoAddresses) {
  Reg(u"SPLIM", u"0020", u"STACK POINTER LIMIT", u"30");
  Reg(u"SPLIM", u"0022", u"", u"");
  Block(u"SPLIM", {u"LIM0|00|Limit bit"});

  EXPECT_EQ(
      (Lines{u"** BITNAMES **", u"", u"SPLIM=\"STACK POINTER LIMIT\" 0x0020 (page 30)",
             u"LIM0=SPLIM.0,\"Limit bit\"", u"", u"SPLIM=\"STACK POINTER LIMIT\" 0x0022 (page 30)",
             u"LIM0=SPLIM.0,\"Limit bit\"", u""}),
      Write());
}

// The whole road on the example device, with the IDE's and the user's BitName folders
// in temporary folders and the dialogs scripted.
class Road16Test : public ::testing::Test {
 protected:
  Road16Test() {
    Directories& d = rig.s().dirs;
    d.KdxDir = test::SourcePath("examples/kdx") + u"\\";
    d.ToolDir = test::SourcePath("examples/tool") + u"\\";
    d.BNFLocation = user.path();
    d.IdeBnfDir = ide.path() + u"\\";
    ReadSFR_BITFiles(rig.s().names, d, rig.text, /*Standard=*/true, rig.dialogs);
    rig.s().req.DeviceType = u"24FJ64GA002";
  }

  void ChooseDatasheet() {
    rig.dialogs.openFileAnswers.push_back(test::SourcePath("examples/datasheets/24FJ64GA002.txt"));
  }
  std::filesystem::path UserFile() const { return user.native() / "P24FJ64GA002.bnf"; }
  std::filesystem::path IdeFile() const { return ide.native() / "P24FJ64GA002.bnf"; }
  static std::string Expected() {
    return test::ReadBytes(
        test::ToHostPath(test::SourcePath("examples/expected/P24FJ64GA002.bnf")));
  }

  bool Run() {
    return rig.form.Guard([&] { rig.form.Doe16Bit(); });
  }

  TempDir user;
  TempDir ide;
  Rig rig;
};

TEST_F(Road16Test, ExampleDeviceGivesTheExpectedFileInBothFolders) {
  ChooseDatasheet();

  ASSERT_TRUE(Run());

  EXPECT_EQ(Expected(), test::ReadBytes(UserFile()));
  EXPECT_EQ(Expected(), test::ReadBytes(IdeFile()));
  EXPECT_EQ((Lines{u"U1MODE: 4", u"U2MODE: 4",
                   u"The BitName file is copied to the ZMV location " + ide.path() +
                       u"\\\r\rA copy of the BitName file is saved as " + user.path() +
                       u"\\P24FJ64GA002.bnf"}),
            rig.dialogs.Texts(ShownBox::Message));
  EXPECT_EQ(1u, rig.dialogs.Texts(ShownBox::OpenFile).size());
  EXPECT_TRUE(rig.dialogs.Texts(ShownBox::YesNo).empty());
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Button1));
  EXPECT_FALSE(rig.view.Enabled(Ctl::Button1));
  EXPECT_EQ(user.path() + u"\\P24FJ64GA002.bnf", rig.s().req.OutFile);
  EXPECT_TRUE(rig.s().WorkList.Sorted());
}

TEST_F(Road16Test, ExistingIdeFileReplacedOnlyAfterYes) {
  test::WriteBytes(IdeFile(), "good\r\n");
  rig.dialogs.yesNoAnswers = {false};

  ASSERT_TRUE(Run());

  EXPECT_EQ((Lines{u"The Bitname file for 24FJ64GA002 already exists.\rContinue anyway?"}),
            rig.dialogs.Texts(ShownBox::YesNo));
  EXPECT_TRUE(rig.dialogs.Texts(ShownBox::OpenFile).empty());
  EXPECT_EQ("good\r\n", test::ReadBytes(IdeFile()));
  EXPECT_FALSE(std::filesystem::exists(UserFile()));

  rig.dialogs.yesNoAnswers = {true};
  ChooseDatasheet();
  ASSERT_TRUE(Run());
  EXPECT_EQ(Expected(), test::ReadBytes(IdeFile()));
}

TEST_F(Road16Test, NoDatasheetChosenEndsSilentlyAfterTheDeviceFile) {
  ASSERT_TRUE(Run());

  EXPECT_TRUE(rig.dialogs.Texts(ShownBox::Message).empty());
  EXPECT_FALSE(std::filesystem::exists(UserFile()));
  EXPECT_FALSE(std::filesystem::exists(IdeFile()));
  EXPECT_EQ(21u, rig.s().RegisterList.Count());
  EXPECT_EQ(u"", rig.view.Caption(Ctl::Button1));
}

// The IDE's good file stays, even after Yes to "Continue anyway?".
TEST_F(Road16Test, NoDeviceFileOrNoRegistersWritesNothing) {
  struct Case {
    std::u16string device;
    const char* kdx;  // nullptr: no device file
    std::u16string before, after;
  };
  const char* noRegisters = "[REGSTART]\r\n; no registers\r\n[REGEND]\r\n[BITSTART]\r\nTON=15\r\n";
  rig.s().dirs.KdxDir = user.path() + u"\\";
  for (const Case& c : {
           Case{u"24FJ99", nullptr, u"No device file was found for 24FJ99 (", u")."},
           Case{u"24FJ98", "no register section\r\n[REGEND]\r\n", u"The device file for 24FJ98 (",
                u") holds no register list."},
           Case{u"24FJ97", noRegisters, u"The device file for 24FJ97 (",
                u") holds no register list."},
       }) {
    SCOPED_TRACE(Narrow(c.device));
    const std::u16string kdx = user.File(u"P" + c.device + u".KDX");
    if (c.kdx) test::WriteBytes(test::ToHostPath(kdx), c.kdx);
    const std::u16string bnf = u"P" + c.device + u".bnf";
    test::WriteBytes(test::ToHostPath(ide.File(bnf)), "good\r\n");
    test::WriteBytes(test::ToHostPath(user.File(bnf)), "good\r\n");
    rig.s().req.DeviceType = c.device;
    rig.dialogs.shown.clear();
    rig.dialogs.yesNoAnswers = {true};
    ChooseDatasheet();

    ASSERT_TRUE(Run());

    EXPECT_EQ((Lines{c.before + kdx + c.after + u"\rNo BitName file was written."}),
              rig.dialogs.Texts(ShownBox::Message));
    EXPECT_EQ(1u, rig.dialogs.Texts(ShownBox::YesNo).size());
    EXPECT_EQ("good\r\n", test::ReadBytes(test::ToHostPath(ide.File(bnf))));
    EXPECT_EQ("good\r\n", test::ReadBytes(test::ToHostPath(user.File(bnf))));
  }
}

TEST_F(Road16Test, UnknownIdeFolderSavesOnlyTheUsersCopy) {
  rig.s().dirs.IdeBnfDir = u"";
  ChooseDatasheet();

  ASSERT_TRUE(Run());

  EXPECT_EQ(Expected(), test::ReadBytes(UserFile()));
  EXPECT_EQ((Lines{u"U1MODE: 4", u"U2MODE: 4",
                   u"The BitName file is saved as " + user.path() +
                       u"\\P24FJ64GA002.bnf\r\rThe ZMV location is not known, so the file was "
                       u"not copied there. To become effective you must copy it to the "
                       u"Plugin\\CompilerBitnames directory yourself."}),
            rig.dialogs.Texts(ShownBox::Message));
}

TEST_F(Road16Test, FailedSaveEndsTheRunWithWorkListSortedAgain) {
  rig.s().dirs.BNFLocation = user.path() + u"\\missing";
  ChooseDatasheet();

  EXPECT_FALSE(Run());

  EXPECT_EQ(1u, rig.dialogs.Texts(ShownBox::Error).size());
  EXPECT_EQ((Lines{u"U1MODE: 4", u"U2MODE: 4"}), rig.dialogs.Texts(ShownBox::Message));
  EXPECT_FALSE(std::filesystem::exists(IdeFile()));
  EXPECT_EQ(u"Done", rig.view.Caption(Ctl::Button1));
  EXPECT_TRUE(rig.s().WorkList.Sorted());
}

}  // namespace
}  // namespace bnf
