// Start-up and closing on real files with the registry double: every kind of start
// (startup.cases), the name files, the BitName folder check and what closing saves.
#include "creator/startup.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/text_utils.h"
#include "tests/support/rig.h"
#include "tests/support/table_cases.h"

namespace bnf {
namespace {

using test::TempDir;
using test::Texts;
using Value = test::FakeRegistry::Value;

constexpr RegRoot kUser = RegRoot::CurrentUser;
constexpr std::u16string_view kSettings = u"Software\\Calmwood\\ZMV BNF Tool";

TEST(Startup, Cases) {
  const std::u16string current = AddBackslash(MakeFolders()->CurrentDirectory());
  for (const test::Case& c : test::ReadCases("startup.cases")) {
    SCOPED_TRACE(c.name);
    TempDir appData;
    test::Rig r;
    for (std::u16string line : c["registry"]) {
      test::ReplaceAll(line, u"$APPDATA", appData.path());
      test::ReplaceAll(line, u"$CURRENT", current);
      const bool create = line.starts_with(u"!create "), access = line.starts_with(u"!access ");
      const Texts f = test::Fields(line.substr(create || access ? 8 : 0));
      const RegRoot root = f[0].starts_with(u"HKLM") ? RegRoot::LocalMachine : kUser;
      const std::u16string key = f[0].substr(5);
      if (create || access) {
        (create ? r.registry.refuseCreate : r.registry.refuseAllAccess)
            .insert(test::FakeRegistry::Normalise(root, key));
      }
      if (!create) r.registry.Key(root, key);
      if (f.size() == 3)
        r.registry.Key(root, key)[f[1]] =
            f[2].starts_with(u"#") ? Value(std::stoi(test::Narrow(f[2].substr(1)))) : Value(f[2]);
    }
    r.form.Guard([&] { r.form.FormCreate(); });

    const Directories& d = r.s().dirs;
    const WindowBounds w = r.view.Bounds(Win::Main);
    Texts out = {
        u"dirs " + d.BNFLocation + u"|" + d.ToolDir + u"|" + d.MPAsmDir + u"|" + d.ProfileDir,
        u"mplab " + d.Mplab8Dir + u"|" + d.MplabXXpDir + u"|" + d.MplabX32Dir + u"|" +
            d.MplabX64Dir + u"|" + d.ActiveMpasmDir,
        u"ide " + d.IdeBnfDir + u"|" + d.KdxDir,
        r.view.bounds.contains(Win::Main) ? u"window " + IntToText(w.left) + u"," + IntToText(w.top)
                                          : u"window as designed",
        u"caption=" + r.view.Caption(Ctl::DirectoryforBitNamefiles1)};
    if (const test::FakeRegistry::Values* values = r.registry.Find(kUser, kSettings)) {
      out.push_back(u"settings");
      for (const auto& [name, value] : *values) {
        const auto* text = std::get_if<std::u16string>(&value);
        out.back() +=
            u" " + name + u"=" + (text ? *text : u"#" + IntToText(std::get<int32_t>(value)));
      }
    }
    for (const std::u16string& text : r.dialogs.Texts()) out.push_back(u"box " + text);
    if (r.view.quitRequests > 0) out.push_back(u"quit");
    if (!r.s().FirstShow) out.push_back(u"no first show");
    for (std::u16string& line : out) {
      test::ReplaceAll(line, appData.path(), u"$APPDATA");
      test::ReplaceAll(line, current, u"$CURRENT");
    }
    EXPECT_EQ(c["expect"], out);
  }
}

// The first start writes the private name files; later ones keep the user's (even empty, in
// another case) and read the standard ones of the previous start's folder: Unicode ends it.
TEST(Startup, NameFiles) {
  TempDir appData, tool;
  const auto profile = appData.native() / "Calmwood" / "Korvan BNF Tool";
  const auto start = [&](bool again) {
    auto r = std::make_unique<test::Rig>();
    r->registry.Key(kUser, u"Volatile Environment")[u"APPDATA"] = appData.path();
    if (again) r->registry.Key(kUser, kSettings)[u"Location"] = tool.File(u"bnfcreator.exe");
    r->form.Guard([&] { r->form.FormCreate(); });
    return r;
  };
  start(false);
  for (const std::string name : {"PrivateSFR.txt", "PrivateBit.txt"}) {
    EXPECT_EQ(test::ReadBytes(test::ToHostPath(test::SourcePath("tests/data/creator/" + name))),
              test::ReadBytes(profile / name));
  }
  test::WriteBytes(profile / "PrivateSFR.txt", "");
  std::filesystem::remove(profile / "PrivateBit.txt");
  test::WriteBytes(profile / "privatebit.TXT", "TMR0IF=Mine\n");
  test::WriteBytes(tool.native() / "StandardSFR.txt", "TMR=Timer\r\n");
  test::WriteBytes(tool.native() / "StandardBIT.txt", "\xFF\xFE");

  const std::unique_ptr<test::Rig> r = start(true);
  EXPECT_EQ("", test::ReadBytes(profile / "PrivateSFR.txt"));
  EXPECT_EQ("TMR0IF=Mine\n", test::ReadBytes(profile / "privatebit.TXT"));
  EXPECT_EQ(u"Timer, Low byte", GetDefaultSFR(r->s().names, u"TMRL"));
  EXPECT_FALSE(r->s().FirstShow);
  EXPECT_EQ(Texts{u"The file \"" + tool.File(u"StandardBIT.txt") +
                  u"\" is saved as Unicode text. Save it as plain ANSI text and try again.\r"
                  u"No BitName file was written."},
            r->dialogs.Texts());
}

// A folder is taken once a test file written there is found (and removed); else the
// user is asked for another, and without one the temporary folder is taken (and saved).
TEST(Startup, CheckUserDirAcceptsATestedFolderElseTheTemporaryOne) {
  TempDir bnf, other;
  const std::u16string a = bnf.path(), b = other.path(), temp = MakeFolders()->TempDirectory();
  const auto check = [&](std::u16string location, bool vanishes,
                         std::deque<std::optional<std::u16string>> choices) {
    test::Rig r;
    test::WriteBytes(bnf.native() / "_____test.txt", "an old test file");
    if (vanishes) r.files.vanished.insert(location + u"\\_____test.txt");
    r.s().dirs.BNFLocation = location;
    r.dialogs.folderAnswers = choices;
    EXPECT_TRUE(r.form.CheckUserDir());
    Texts out = r.dialogs.Texts();
    out.push_back(r.s().dirs.BNFLocation + (r.s().toSave.BNFLocation ? u" saved" : u""));
    out.push_back(r.view.Caption(Ctl::DirectoryforBitNamefiles1));
    for (const TempDir* dir : {&bnf, &other}) {
      if (std::filesystem::exists(dir->native() / "_____test.txt"))
        out.push_back(u"left in " + dir->path());
    }
    return out;
  };
  const std::u16string chooser =
      u"Select directory for BitName files. Please do NOT select a directory that needs "
      u"administrator rights";
  const std::u16string retry =
      u"The testfile could not be created, please select a different location";
  const std::u16string none =
      u"You did not choose a location for the BitName files\rThey will be stored in " + temp;
  EXPECT_EQ((Texts{a, BnfFolderCaption(a)}),
            check(a, false, {}));  // an old test file is overwritten
  EXPECT_EQ((Texts{chooser, a + u" saved", BnfFolderCaption(a)}), check(u"", false, {a}));
  EXPECT_EQ((Texts{chooser, none, temp + u" saved", BnfFolderCaption(temp), u"left in " + a}),
            check(u"", false, {}));
  EXPECT_EQ((Texts{retry, chooser, b + u" saved", BnfFolderCaption(b), u"left in " + a}),
            check(a, true, {b}));
  EXPECT_EQ(
      (Texts{retry, chooser, none, temp + u" saved", BnfFolderCaption(temp), u"left in " + a}),
      check(a, true, {}));
}

// Closing writes, once the key opens with full rights, what start-up read (at the first start
// all) and what the user changed; "Top" of the wrong type ends start-up before any read.
TEST(Startup, ClosingWritesWhatStartUpReadOrTheUserChanged) {
  using Values = std::vector<Value>;  // Top, Left, BNFLocation, MPAsmDir after closing
  const auto close = [](std::optional<Value> top, const std::function<void(test::Rig&)>& user) {
    test::Rig r;
    if (top) {
      r.registry.Key(kUser, kSettings) = {{u"Top", *top},
                                          {u"Left", 300},
                                          {u"BNFLocation", u"D:\\bnf"},
                                          {u"MPAsmDir", u"D:\\mpasm"}};
    }
    r.form.Guard([&] { r.form.FormCreate(); });
    if (user) user(r);
    r.form.FormClose();
    Values after;
    for (const char16_t* name : {u"Top", u"Left", u"BNFLocation", u"MPAsmDir"})
      after.push_back(r.registry.Find(kUser, kSettings)->at(name));
    return after;
  };
  const auto move = [](test::Rig& r) { r.view.SetPosition(Win::Main, 50, 60); };
  const auto refuse = [&](test::Rig& r) {
    r.registry.refuseAllAccess.insert(test::FakeRegistry::Normalise(kUser, kSettings));
    move(r);
  };
  const auto choose = [](test::Rig& r) {
    r.dialogs.folderAnswers = {u"E:\\new"};
    r.form.DirectoryforBitNamefiles1Click();
    EXPECT_EQ(BnfFolderCaption(u"E:\\new"), r.view.Caption(Ctl::DirectoryforBitNamefiles1));
  };
  EXPECT_EQ((Values{0, 0, u"", u""}), close(std::nullopt, nullptr));
  EXPECT_EQ((Values{210, 300, u"D:\\bnf", u"D:\\mpasm"}), close(210, refuse));
  EXPECT_EQ((Values{u"x", 300, u"D:\\bnf", u"D:\\mpasm"}), close(u"x", nullptr));
  EXPECT_EQ((Values{60, 50, u"D:\\bnf", u"D:\\mpasm"}), close(u"x", move));
  EXPECT_EQ((Values{u"x", 300, u"E:\\new", u"D:\\mpasm"}), close(u"x", choose));
  // What was read is written back even where the window kept its designed place.
  const auto other = [](test::Rig& r) { r.registry.Key(kUser, kSettings)[u"Top"] = 5; };
  EXPECT_EQ((Values{0, 300, u"D:\\bnf", u"D:\\mpasm"}), close(0, other));
}

}  // namespace
}  // namespace bnf
