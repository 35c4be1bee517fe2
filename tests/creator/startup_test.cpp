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
constexpr std::u16string_view kX32 = u"Software\\MicroChip\\MPLab X";
constexpr std::u16string_view kIde = u"Software\\Felsgate\\KorvanIDE\\Install";

const char kSfrHeader[] =
    "; Include your private SFR definitions in this file\r\n"
    "; The format is SFRname=description\r\n"
    "; e.g. UCON=USB Control register\r\n"
    ";\r\n";
const char kBitHeader[] =
    "; Include your private BitNames in this file\r\n"
    "; The format is BitName=description\r\n"
    "; e.g. EPHSHK=Endpoint Handshake Enable bit\r\n"
    ";\r\n";
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

// A value of either type, as an earlier run or another program left it.
void Set(test::FakeRegistry& registry, RegRoot root, std::u16string_view key,
         std::u16string_view name, const Value& value) {
  if (const auto* text = std::get_if<std::u16string>(&value)) {
    registry.SetString(root, key, name, *text);
  } else {
    registry.SetInteger(root, key, name, std::get<int32_t>(value));
  }
}

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

TEST_F(StartupTest, FirstStartCreatesTheEmptyKeyAndThePrivateFiles) {
  EXPECT_EQ(u"", rig.Start());

  ASSERT_TRUE(rig.registry.HasKey(kUser, kSettings));
  EXPECT_TRUE(rig.registry.Find(kUser, kSettings)->empty());
  EXPECT_EQ(0u, rig.view.bounds.count(Win::Main));  // the window keeps its design place
  EXPECT_EQ((Texts{u"", u"", u""}), (Texts{dirs.BNFLocation, dirs.ToolDir, dirs.MPAsmDir}));
  EXPECT_EQ(u"Directory for BitName files...[]", rig.Caption());
  EXPECT_EQ(ProfileDir(), dirs.ProfileDir);
  EXPECT_EQ((Texts{appData.path() + u"\\Calmwood", ProfileDir()}), rig.folders.created);
  EXPECT_EQ(kSfrHeader, ReadBytes(ToHostPath(ProfileDir() + u"\\PrivateSFR.txt")));
  EXPECT_EQ(kBitHeader, ReadBytes(ToHostPath(ProfileDir() + u"\\PrivateBit.txt")));
  EXPECT_TRUE(rig.form.state().FirstShow);
  EXPECT_TRUE(rig.dialogs.shown.empty());
  EXPECT_EQ(0, rig.view.quitRequests);
}

TEST_F(StartupTest, LaterStartsReadTheSettingsAndRecordTheFolder) {
  using Settings = std::vector<std::pair<std::u16string, Value>>;
  const Settings all = {
      {u"Top", 210}, {u"Left", 330}, {u"BNFLocation", u"D:\\bnf"}, {u"MPAsmDir", u"D:\\mpasm"}};
  const std::u16string exe = current + u"bnfcreator.exe";
  const Texts none = {u"", current, u""};
  const Texts tools = {u"", u"C:\\Tools\\", u""};
  struct Case {
    Settings settings;
    bool opens;
    std::pair<int32_t, int32_t> leftTop;  // 0, 0: the window keeps its design place
    Texts dirs;                           // BNFLocation, ToolDir, MPAsmDir
    std::optional<Value> location;        // "Location" afterwards
  };
  const Case cases[] = {
      {all, true, {330, 210}, {u"D:\\bnf", current, u"D:\\mpasm"}, current},  // second start
      {{{u"Left", 300}}, true, {300, 100}, none, current},
      {{{u"Location", exe}}, true, {100, 100}, none, exe},  // from the same folder
      {{{u"Location", u"C:\\Tools\\tool.exe"}}, true, {100, 100}, tools, current},
      {{{u"Location", u"C:\\Tools\\"}}, true, {100, 100}, tools, current},
      {{{u"Location", u"tool.exe"}}, true, {100, 100}, none, current},
      {{{u"Location", u""}}, true, {100, 100}, none, current},
      {all, false, {0, 0}, {u"", u"", u""}, std::nullopt},  // the key does not open
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    StartupRig r(appData.path());
    for (const auto& [name, value] : c.settings) Set(r.registry, kUser, kSettings, name, value);
    if (!c.opens)
      r.registry.refuseAllAccess.insert(test::FakeRegistry::Normalise(kUser, kSettings));

    r.Start();

    EXPECT_TRUE(r.dialogs.shown.empty());
    EXPECT_EQ(c.leftTop,
              std::make_pair(r.view.Bounds(Win::Main).left, r.view.Bounds(Win::Main).top));
    EXPECT_EQ(c.dirs, (Texts{r.dirs().BNFLocation, r.dirs().ToolDir, r.dirs().MPAsmDir}));
    EXPECT_EQ(c.location, r.Setting(u"Location"));
    EXPECT_EQ(u"Directory for BitName files...[" + c.dirs[0] + u"]", r.Caption());
    EXPECT_TRUE(r.form.state().FirstShow);
  }
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

TEST_F(StartupTest, KeyThatCannotBeCreatedEndsTheApplicationAfterStartUp) {
  for (int32_t answer : {1, 2}) {
    SCOPED_TRACE(answer);
    StartupRig r(appData.path());
    r.registry.refuseCreate.insert(test::FakeRegistry::Normalise(kUser, kSettings));
    r.dialogs.okCancelAnswers = {answer};

    r.form.FormCreate();

    EXPECT_EQ(Texts{u"Unable to create key! Exiting."}, r.dialogs.Texts(ShownBox::ErrorOkCancel));
    EXPECT_EQ(1u, r.dialogs.shown.size());
    EXPECT_EQ(1, r.view.quitRequests);
    // Start-up still runs to its end.
    EXPECT_EQ(u"Directory for BitName files...[]", r.Caption());
    EXPECT_TRUE(Exists(ProfileDir() + u"\\PrivateBit.txt"));
    EXPECT_TRUE(r.form.state().FirstShow);
  }
}

TEST_F(StartupTest, MplabFolders) {
  constexpr const char16_t* N = nullptr;  // the value is missing
  struct Case {
    // "T_MPAsm.MPASM", the three "InstallDir" values and the settings' "MPAsmDir".
    std::vector<const char16_t*> values;
    // Mplab8Dir, MplabXXpDir, MplabX32Dir, MplabX64Dir, ActiveMpasmDir.
    Texts expected;
  };
  const Case cases[] = {
      {{u"C:\\MPLAB\\MPASM Suite\\MPASMWIN.exe", N, N, N, N},
       {u"C:\\MPLAB\\MPASM Suite\\", u"", u"", u"", u"C:\\MPLAB\\MPASM Suite\\"}},
      {{u"D:MPASMWIN.exe", N, N, N, N}, {u"D:\\", u"", u"", u"", u"D:\\"}},
      {{u"MPASMWIN.exe", N, N, N, N}, {u"\\", u"", u"", u"", u"\\"}},
      {{u"", N, N, N, N}, {u"", u"", u"", u"", u""}},
      {{N, N, u"C:\\X", u"C:\\X\\", N}, {u"", u"", u"", u"C:\\X\\mpasmx\\", u"C:\\X\\mpasmx\\"}},
      {{N, N, u"C:\\X", u"c:\\x", N},
       {u"", u"", u"C:\\X\\mpasmx\\", u"c:\\x\\mpasmx\\", u"C:\\X\\mpasmx\\"}},
      {{u"C:\\M8\\a.exe", u"C:\\XP", u"C:\\X32", N, u"D:\\mpasm"},
       {u"C:\\M8\\", u"C:\\XP\\mpasmx\\", u"C:\\X32\\mpasmx\\", u"", u"C:\\M8\\"}},
      {{N, u"C:\\XP", N, u"C:\\X64", N},
       {u"", u"C:\\XP\\mpasmx\\", u"", u"C:\\X64\\mpasmx\\", u"C:\\XP\\mpasmx\\"}},
      // Without any MPLAB the folder the user located is in effect.
      {{N, N, N, N, u"D:\\mpasm"}, {u"", u"", u"", u"", u"D:\\mpasm"}},
  };
  const struct {
    RegRoot root;
    std::u16string_view key;
    const char16_t* name;
  } sources[] = {{kUser, u"Software\\MicroChip\\MPLab IDE\\Tool Locations", u"T_MPAsm.MPASM"},
                 {kMachine, u"Software\\MicroChip\\MPLabX", u"InstallDir"},
                 {kMachine, kX32, u"InstallDir"},
                 {kMachine, u"Software\\Wow6432Node\\MicroChip\\MPLAB X", u"InstallDir"},
                 {kUser, kSettings, u"MPAsmDir"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    StartupRig r(appData.path());
    for (std::size_t i = 0; i < c.values.size(); ++i) {
      if (c.values[i])
        r.registry.SetString(sources[i].root, sources[i].key, sources[i].name, c.values[i]);
    }

    r.form.FormCreate();

    const Directories& d = r.dirs();
    EXPECT_EQ(c.expected,
              (Texts{d.Mplab8Dir, d.MplabXXpDir, d.MplabX32Dir, d.MplabX64Dir, d.ActiveMpasmDir}));
  }
}

TEST_F(StartupTest, IdeFolders) {
  struct Case {
    bool key;
    const char16_t *plugin, *compiler;
    std::u16string bnfDir, kdxDir;
  };
  const Case cases[] = {
      {false, nullptr, nullptr, u"", u""},
      {true, u"C:\\IDE\\Plugins", u"C:\\IDE\\Compiler\\", u"C:\\IDE\\Plugins\\CompilerBitnames\\",
       u"C:\\IDE\\Compiler\\Includes\\KDX\\"},
      // Without a usable "Plugin" the IDE's BitName folder is unknown, as without the key.
      {true, nullptr, nullptr, u"", u"\\Includes\\KDX\\"},
      {true, u"", u"C:\\C", u"", u"C:\\C\\Includes\\KDX\\"},
      {true, u" ", nullptr, u"", u"\\Includes\\KDX\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    StartupRig r(appData.path());
    if (c.key) r.registry.AddKey(kUser, kIde);
    if (c.plugin) r.registry.SetString(kUser, kIde, u"Plugin", c.plugin);
    if (c.compiler) r.registry.SetString(kUser, kIde, u"Compiler", c.compiler);

    r.form.FormCreate();

    EXPECT_EQ(c.bnfDir, r.dirs().IdeBnfDir);
    EXPECT_EQ(c.kdxDir, r.dirs().KdxDir);
  }
}

TEST_F(StartupTest, ExistingPrivateFilesAreLeftUntouched) {
  std::filesystem::create_directories(ToHostPath(ProfileDir()));
  test::WriteBytes(ToHostPath(ProfileDir() + u"\\PrivateSFR.txt"), "");
  test::WriteBytes(ToHostPath(ProfileDir() + u"\\privatebit.TXT"), "TMR0IF=Mine\n");

  rig.form.FormCreate();

  EXPECT_TRUE(rig.folders.created.empty());
  EXPECT_EQ("", ReadBytes(ToHostPath(ProfileDir() + u"\\PrivateSFR.txt")));
  EXPECT_EQ("TMR0IF=Mine\n", ReadBytes(ToHostPath(ProfileDir() + u"\\privatebit.TXT")));
  EXPECT_EQ(u"Mine", GetDefaultBit(rig.form.state().names, u"TMR0IF"));
}

TEST_F(StartupTest, WithoutAppDataTheProfileHangsFromTheDriveRoot) {
  StartupRig r(u"");
  r.registry.AddKey(kUser, kVolatile);
  r.folders.create = false;  // never make folders at the root of the test machine

  const std::u16string error = r.Start();

  EXPECT_EQ(u"\\Calmwood\\Korvan BNF Tool", r.dirs().ProfileDir);
  EXPECT_EQ((Texts{u"\\Calmwood", u"\\Calmwood\\Korvan BNF Tool"}), r.folders.created);
  // The folder that was not made shows as the private file that cannot be created.
  EXPECT_NE(std::u16string::npos, error.find(u"\\Calmwood\\Korvan BNF Tool\\PrivateSFR.txt"));
  EXPECT_FALSE(r.form.state().FirstShow);
}

TEST_F(StartupTest, WithoutVolatileEnvironmentNoProfileIsMade) {
  StartupRig r(u"");

  r.form.FormCreate();

  EXPECT_EQ(u"", r.dirs().ProfileDir);
  EXPECT_TRUE(r.folders.created.empty());
  EXPECT_TRUE(r.form.state().FirstShow);
}

TEST_F(StartupTest, ValueOfTheWrongTypeEndsStartUpAtThatStep) {
  const struct {
    RegRoot root;
    std::u16string_view key;
    std::u16string name;
    Value value;
  } cases[] = {
      {kUser, kSettings, u"Top", u"120"},
      {kMachine, kX32, u"InstallDir", 120},
      {kUser, kVolatile, u"APPDATA", 120},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
    StartupRig r(appData.path());
    Set(r.registry, c.root, c.key, c.name, c.value);

    EXPECT_EQ(u"Invalid data type for '" + c.name + u"'", r.Start());
    EXPECT_FALSE(r.form.state().FirstShow);
    EXPECT_EQ(u"", r.Caption());
    EXPECT_FALSE(Exists(ProfileDir() + u"\\PrivateSFR.txt"));
  }
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
