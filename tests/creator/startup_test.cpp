// Start-up and closing with the registry double and scripted dialogs, on real files:
// every kind of start and what it reads and writes, the MPLAB and IDE folder rules,
// the per-user folder and its private files, and every way the BitName folder check
// can go.
#include "creator/startup.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "common/text_file.h"
#include "common/text_utils.h"
#include "creator/main_form.h"
#include "tests/support/fake_registry.h"
#include "tests/support/fakes.h"
#include "tests/support/table_cases.h"
#include "tests/support/test_paths.h"

namespace bnf {
namespace {

using test::ReadBytes;
using test::ShownBox;
using test::TempDir;
using test::ToHostPath;
using Texts = std::vector<std::u16string>;
using Value = test::FakeRegistry::Value;

constexpr RegRoot kUser = RegRoot::CurrentUser;
constexpr RegRoot kMachine = RegRoot::LocalMachine;
constexpr std::u16string_view kSettings = u"Software\\Calmwood\\ZMV BNF Tool";
constexpr std::u16string_view kVolatile = u"Volatile Environment";

const char16_t kChooserText[] =
    u"Select directory for BitName files. Please do NOT select a directory that needs "
    u"administrator rights";

// The real folders with every creation and deletion recorded; with `create` false
// nothing is made (for paths outside the test's own folders).
class RecordingFolders : public Folders {
 public:
  explicit RecordingFolders(Folders& real) : real_(real) {}
  bool DirectoryExists(std::u16string_view p) const override { return real_.DirectoryExists(p); }
  bool CreateDirectory(std::u16string_view p) override {
    created.emplace_back(p);
    return create && real_.CreateDirectory(p);
  }
  bool DeleteFile(std::u16string_view p) override {
    deleted.emplace_back(p);
    return real_.DeleteFile(p);
  }
  std::u16string CurrentDirectory() const override { return real_.CurrentDirectory(); }
  std::u16string TempDirectory() const override { return real_.TempDirectory(); }
  std::vector<DirEntry> List(std::u16string_view mask, uint32_t filter) const override {
    return real_.List(mask, filter);
  }
  std::u16string ShortDate(const LocalTime& t) const override { return real_.ShortDate(t); }
  std::u16string LongTime(const LocalTime& t) const override { return real_.LongTime(t); }

  Texts created, deleted;
  bool create = true;

 private:
  Folders& real_;
};

// The real files, except that the files named in `vanished` are never found: a test file
// that is written without error and then is not there.
class VanishingFiles : public FileSystem {
 public:
  explicit VanishingFiles(FileSystem& real) : real_(real) {}
  bool FileExists(std::u16string_view p) const override {
    return vanished.count(std::u16string(p)) == 0 && real_.FileExists(p);
  }
  std::string ReadFile(std::u16string_view p) const override { return real_.ReadFile(p); }
  void ReplaceFile(std::u16string_view p, std::string_view bytes) override {
    real_.ReplaceFile(p, bytes);
  }

  std::set<std::u16string> vanished;

 private:
  FileSystem& real_;
};

// One tool on real files with the registry double, the test view and scripted dialogs;
// "APPDATA" of "Volatile Environment" names `appData` unless that is empty.
struct StartupRig {
  explicit StartupRig(const std::u16string& appData) {
    if (!appData.empty()) registry.SetString(kUser, kVolatile, u"APPDATA", appData);
  }
  Directories& dirs() { return form.state().dirs; }
  std::u16string Caption() const { return view.Caption(Ctl::DirectoryforBitNamefiles1); }
  // A value of the settings key; none when the key or the value is missing.
  std::optional<Value> Setting(const std::u16string& name) const {
    const test::FakeRegistry::Values* values = registry.Find(kUser, kSettings);
    if (values == nullptr || values->count(name) == 0) return std::nullopt;
    return values->at(name);
  }
  // The creation handler as the window runs it; the error shown, if any.
  std::u16string Start() {
    form.Guard([this] { form.FormCreate(); });
    auto errors = dialogs.Texts(ShownBox::Error);
    return errors.empty() ? u"" : errors[0];
  }

  std::unique_ptr<Collator> collator = MakeCollator();
  std::unique_ptr<FileSystem> realFiles = MakeFileSystem();
  std::unique_ptr<AnsiCodec> codec = MakeAnsiCodec();
  std::unique_ptr<Folders> realFolders = MakeFolders();
  VanishingFiles files{*realFiles};
  RecordingFolders folders{*realFolders};
  TextFiles text{*realFiles, *codec};
  test::FakeRegistry registry;
  test::FakeShell shell;
  test::TestView view;
  test::ScriptedDialogs dialogs;
  TfBNF form{Services{*collator, files, *codec, dialogs, view, folders, registry, shell}, {}};
};

class StartupTest : public ::testing::Test {
 protected:
  std::u16string ProfileDir() const { return appData.path() + u"\\Calmwood\\Korvan BNF Tool"; }
  bool Exists(const std::u16string& path) const { return rig.realFiles->FileExists(path); }

  TempDir appData;
  StartupRig rig{appData.path()};
  Directories& dirs = rig.dirs();
  const std::u16string current = AddBackslash(rig.realFolders->CurrentDirectory());
};

// What start-up leaves, as the case file writes it, with the temporary and the current
// folder as $APPDATA and $CURRENT.
Texts Outcome(const StartupRig& r, const std::u16string& appData, const std::u16string& current) {
  const Directories& d = r.form.state().dirs;
  const WindowBounds w = r.view.Bounds(Win::Main);
  Texts out = {
      u"dirs " + d.BNFLocation + u"|" + d.ToolDir + u"|" + d.MPAsmDir + u"|" + d.ProfileDir,
      u"mplab " + d.Mplab8Dir + u"|" + d.MplabXXpDir + u"|" + d.MplabX32Dir + u"|" + d.MplabX64Dir +
          u"|" + d.ActiveMpasmDir,
      u"ide " + d.IdeBnfDir + u"|" + d.KdxDir,
      r.view.bounds.count(Win::Main) == 0
          ? u"window as designed"
          : u"window " + IntToText(w.left) + u"," + IntToText(w.top),
      u"caption=" + r.Caption()};
  if (const test::FakeRegistry::Values* values = r.registry.Find(kUser, kSettings)) {
    out.push_back(u"settings");
    for (const auto& [name, value] : *values) {
      const auto* text = std::get_if<std::u16string>(&value);
      out.back() +=
          u" " + name + u"=" + (text ? *text : u"#" + IntToText(std::get<int32_t>(value)));
    }
  }
  // The system's own words after a file error differ between the platforms.
  for (const ShownBox& box : r.dialogs.shown)
    out.push_back(u"box " + box.text.substr(0, box.text.find(u". ")));
  for (const std::u16string& folder : r.folders.created) out.push_back(u"made " + folder);
  if (r.view.quitRequests > 0) out.push_back(u"quit");
  if (!r.form.state().FirstShow) out.push_back(u"no first show");
  for (std::u16string& line : out) {
    for (const auto& [from, to] : {std::pair{appData, u"$APPDATA"}, {current, u"$CURRENT"}}) {
      for (std::size_t at; (at = line.find(from)) != std::u16string::npos;)
        line.replace(at, from.size(), to);
    }
  }
  return out;
}

TEST_F(StartupTest, Cases) {
  const std::u16string here = rig.realFolders->CurrentDirectory();
  for (const test::Case& c : test::ReadCases("startup.cases")) {
    SCOPED_TRACE(c.name);
    TempDir folder;
    StartupRig r(u"");
    for (std::u16string line : c["registry"]) {
      for (std::size_t at; (at = line.find(u"$APPDATA")) != std::u16string::npos;)
        line.replace(at, 8, folder.path());
      for (std::size_t at; (at = line.find(u"$CURRENT")) != std::u16string::npos;)
        line.replace(at, 8, AddBackslash(here));
      const bool create = line.starts_with(u"!create "), access = line.starts_with(u"!access ");
      Texts f = test::Fields(line.substr(create || access ? 8 : 0));
      const RegRoot root = f[0].starts_with(u"HKLM") ? kMachine : kUser;
      const std::u16string key = f[0].substr(5);
      if (create) r.registry.refuseCreate.insert(test::FakeRegistry::Normalise(root, key));
      if (access) r.registry.refuseAllAccess.insert(test::FakeRegistry::Normalise(root, key));
      if (f.size() == 1 && !create && !access) r.registry.AddKey(root, key);
      if (f.size() < 3) continue;
      if (f[2].starts_with(u"#")) {
        r.registry.SetInteger(root, key, f[1], std::stoi(test::Narrow(f[2].substr(1))));
      } else {
        r.registry.SetString(root, key, f[1], f[2]);
      }
    }
    r.folders.create = !c["registry"].empty() && c["registry"][0].ends_with(u"$APPDATA");
    for (const std::u16string& answer : c["okcancel"])
      r.dialogs.okCancelAnswers.push_back(std::stoi(test::Narrow(answer)));
    r.Start();
    EXPECT_EQ(c["expect"], Outcome(r, folder.path(), AddBackslash(here)));
  }
}

TEST_F(StartupTest, FirstStartWritesThePrivateFilesAndLeavesExistingOnesUntouched) {
  rig.Start();
  for (const char* name : {"PrivateSFR.txt", "PrivateBit.txt"}) {
    EXPECT_EQ(ReadBytes(ToHostPath(test::SourcePath("tests/data/creator/" + std::string(name)))),
              ReadBytes(appData.native() / "Calmwood" / "Korvan BNF Tool" / name));
  }

  StartupRig r(appData.path());
  std::filesystem::remove(ToHostPath(ProfileDir() + u"\\PrivateBit.txt"));
  test::WriteBytes(ToHostPath(ProfileDir() + u"\\PrivateSFR.txt"), "");
  test::WriteBytes(ToHostPath(ProfileDir() + u"\\privatebit.TXT"), "TMR0IF=Mine\n");
  r.form.FormCreate();
  EXPECT_TRUE(r.folders.created.empty());
  EXPECT_EQ("", ReadBytes(ToHostPath(ProfileDir() + u"\\PrivateSFR.txt")));
  EXPECT_EQ("TMR0IF=Mine\n", ReadBytes(ToHostPath(ProfileDir() + u"\\privatebit.TXT")));
  EXPECT_EQ(u"Mine", GetDefaultBit(r.form.state().names, u"TMR0IF"));
}

TEST_F(StartupTest, StartFromAnotherFolderReadsTheOldFoldersNameTables) {
  TempDir tool;
  rig.text.WriteLines(tool.File(u"StandardSFR.txt"), {u"TMR=Timer"});
  rig.text.WriteLines(tool.File(u"StandardBIT.txt"), {u"C=Carry"});
  rig.registry.SetString(kUser, kSettings, u"Location", tool.File(u"bnfcreator.exe"));
  rig.form.FormCreate();
  EXPECT_EQ(u"Timer, Low byte", GetDefaultSFR(rig.form.state().names, u"TMRL"));
  EXPECT_EQ(u"Carry", GetDefaultBit(rig.form.state().names, u"C"));
}

TEST_F(StartupTest, FormCloseWritesTheFourValuesOnceTheKeyOpens) {
  const std::u16string key = test::FakeRegistry::Normalise(kUser, kSettings);
  rig.registry.AddKey(kUser, kSettings);
  rig.registry.refuseAllAccess.insert(key);
  rig.view.bounds[Win::Main] = {185, 124, 579, 348};
  rig.form.state().toSave = {true, true, true, true};  // as a start-up that read them

  rig.form.FormClose();
  EXPECT_TRUE(rig.registry.Find(kUser, kSettings)->empty());
  EXPECT_TRUE(rig.dialogs.shown.empty());

  rig.registry.refuseAllAccess.erase(key);
  rig.form.FormClose();
  EXPECT_EQ(Value(124), rig.Setting(u"Top"));
  EXPECT_EQ(Value(185), rig.Setting(u"Left"));
  EXPECT_EQ(Value(u""), rig.Setting(u"BNFLocation"));
  EXPECT_EQ(Value(u""), rig.Setting(u"MPAsmDir"));
  EXPECT_EQ(std::nullopt, rig.Setting(u"Location"));
}

// Every box shown, in order: messages and the folder chooser (by its instruction).
Texts ShownTexts(const test::ScriptedDialogs& dialogs) {
  Texts texts;
  for (const ShownBox& box : dialogs.shown) texts.push_back(box.text);
  return texts;
}

TEST_F(StartupTest, CheckUserDirAcceptsATestedFolderElseTheTemporaryOne) {
  TempDir bnf, other;
  const std::u16string temp = rig.realFolders->TempDirectory();
  const std::u16string retry =
      u"The testfile could not be created, please select a different location";
  const std::u16string noChoice =
      u"You did not choose a location for the BitName files\rThey will be stored in " + temp;
  const std::u16string a = bnf.path(), b = other.path();
  const Texts aTested = {bnf.File(u"_____test.txt")}, bTested = {other.File(u"_____test.txt")};
  struct Case {
    std::u16string location;
    bool vanishes;  // the test file written there is then not found
    std::deque<std::optional<std::u16string>> choices;
    Texts shown;
    std::u16string result;
    Texts deleted;
  };
  const Case cases[] = {
      {a, false, {}, {}, a, aTested},  // an old test file there is overwritten
      {u"", false, {a}, {kChooserText}, a, aTested},
      {u"", false, {}, {kChooserText, noChoice}, temp, {}},
      {a, true, {b}, {retry, kChooserText}, b, bTested},
      {a, true, {}, {retry, kChooserText, noChoice}, temp, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    StartupRig r(appData.path());
    test::WriteBytes(ToHostPath(bnf.File(u"_____test.txt")), "an old test file");
    if (c.vanishes) r.files.vanished.insert(c.location + u"\\_____test.txt");
    r.dirs().BNFLocation = c.location;
    r.dialogs.folderAnswers = c.choices;

    EXPECT_TRUE(r.form.CheckUserDir());

    EXPECT_EQ(c.shown, ShownTexts(r.dialogs));
    EXPECT_EQ(c.result, r.dirs().BNFLocation);
    EXPECT_EQ(u"Directory for BitName files...[" + c.result + u"]", r.Caption());
    EXPECT_EQ(c.deleted, r.folders.deleted);
  }
}

TEST_F(StartupTest, CheckUserDirOnAMissingFolderIsAnErrorThatKeepsTheFolder) {
  TempDir bnf;
  const std::u16string gone = bnf.File(u"gone");
  dirs.BNFLocation = gone;
  rig.view.SetCaption(Ctl::DirectoryforBitNamefiles1, BnfFolderCaption(gone));

  EXPECT_FALSE(rig.form.Guard([&] { rig.form.CheckUserDir(); }));

  ASSERT_EQ(1u, rig.dialogs.shown.size());
  EXPECT_EQ(ShownBox::Error, rig.dialogs.shown[0].kind);
  EXPECT_EQ(gone, dirs.BNFLocation);
  EXPECT_EQ(u"Directory for BitName files...[" + gone + u"]", rig.Caption());
}

TEST_F(StartupTest, MenuFolderChoiceTakesEffectUnlessCancelled) {
  dirs.BNFLocation = u"D:\\bnf";
  rig.view.SetCaption(Ctl::DirectoryforBitNamefiles1, u"before");

  rig.form.DirectoryforBitNamefiles1Click();
  EXPECT_EQ(u"D:\\bnf", dirs.BNFLocation);
  EXPECT_EQ(u"before", rig.Caption());

  rig.dialogs.folderAnswers = {u"C:\\"};
  rig.form.DirectoryforBitNamefiles1Click();
  EXPECT_EQ(u"C:\\", dirs.BNFLocation);
  EXPECT_EQ(u"Directory for BitName files...[C:\\]", rig.Caption());
  // Folders only, and no start folder.
  ASSERT_EQ(2u, rig.dialogs.folderRequests.size());
  EXPECT_FALSE(rig.dialogs.folderRequests[1].showFiles);
  EXPECT_EQ(u"", rig.dialogs.folderRequests[1].preselected);
}

}  // namespace
}  // namespace bnf
