// Start-up and closing with the registry double and scripted dialogs, on real files:
// every kind of start and what it reads and writes, the MPLAB and IDE folder rules,
// the per-user folder and its private files, and every way the BitName folder check
// can go.
#include "creator/startup.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/errors.h"
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

constexpr RegRoot kUser = RegRoot::CurrentUser;
constexpr RegRoot kMachine = RegRoot::LocalMachine;
constexpr std::u16string_view kSettings = u"Software\\Calmwood\\ZMV BNF Tool";
constexpr std::u16string_view kVolatile = u"Volatile Environment";
constexpr std::u16string_view kMplab8 = u"Software\\MicroChip\\MPLab IDE\\Tool Locations";
constexpr std::u16string_view kXp = u"Software\\MicroChip\\MPLabX";
constexpr std::u16string_view kX32 = u"Software\\MicroChip\\MPLab X";
constexpr std::u16string_view kX64 = u"Software\\Wow6432Node\\MicroChip\\MPLAB X";
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

// The real folders with every creation recorded; with `create` false nothing is made
// (for paths outside the test's own folders).
class RecordingFolders : public Folders {
 public:
  explicit RecordingFolders(Folders& real) : real_(real) {}
  bool DirectoryExists(std::u16string_view p) const override { return real_.DirectoryExists(p); }
  bool CreateDirectory(std::u16string_view p) override {
    created.emplace_back(p);
    return create && real_.CreateDirectory(p);
  }
  bool DeleteFile(std::u16string_view p) override { return real_.DeleteFile(p); }
  std::u16string CurrentDirectory() const override { return real_.CurrentDirectory(); }
  std::u16string TempDirectory() const override { return real_.TempDirectory(); }
  std::vector<DirEntry> List(std::u16string_view mask, uint32_t filter) const override {
    return real_.List(mask, filter);
  }
  std::u16string ShortDate(const LocalTime& t) const override { return real_.ShortDate(t); }
  std::u16string LongTime(const LocalTime& t) const override { return real_.LongTime(t); }

  Texts created;
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
  std::u16string Start() {
    dialogs.shown.clear();
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
  Directories& dirs() { return rig.dirs(); }
  // A value of the settings key; "(none)" or nothing when the key or the value is missing.
  std::u16string SettingsText(const std::u16string& name) const {
    const test::FakeRegistry::Values* values = registry.Find(kUser, kSettings);
    if (values == nullptr || values->count(name) == 0) return u"(none)";
    return std::get<std::u16string>(values->at(name));
  }
  std::optional<int32_t> SettingsInteger(const std::u16string& name) const {
    const test::FakeRegistry::Values* values = registry.Find(kUser, kSettings);
    if (values == nullptr || values->count(name) == 0) return std::nullopt;
    return std::get<int32_t>(values->at(name));
  }
  std::u16string ProfileDir() const { return appData.path() + u"\\Calmwood\\Korvan BNF Tool"; }
  bool Exists(const std::u16string& path) const { return rig.realFiles->FileExists(path); }

  TempDir appData;
  StartupRig rig{appData.path()};
  test::FakeRegistry& registry = rig.registry;
  test::TestView& view = rig.view;
  test::ScriptedDialogs& dialogs = rig.dialogs;
  TfBNF& form = rig.form;
  const std::u16string current = AddBackslash(rig.realFolders->CurrentDirectory());
};

TEST_F(StartupTest, FirstStartCreatesTheEmptyKeyAndThePrivateFiles) {
  form.FormCreate();

  ASSERT_TRUE(registry.HasKey(kUser, kSettings));
  EXPECT_TRUE(registry.Find(kUser, kSettings)->empty());
  EXPECT_EQ(0u, view.bounds.count(Win::Main));  // the window keeps its design place
  EXPECT_EQ((Texts{u"", u"", u""}), (Texts{dirs().BNFLocation, dirs().ToolDir, dirs().MPAsmDir}));
  EXPECT_EQ(u"Directory for BitName files...[]", rig.Caption());
  EXPECT_EQ(ProfileDir(), dirs().ProfileDir);
  EXPECT_EQ((Texts{appData.path() + u"\\Calmwood", ProfileDir()}), rig.folders.created);
  EXPECT_EQ(kSfrHeader, ReadBytes(ToHostPath(ProfileDir() + u"\\PrivateSFR.txt")));
  EXPECT_EQ(kBitHeader, ReadBytes(ToHostPath(ProfileDir() + u"\\PrivateBit.txt")));
  EXPECT_TRUE(form.state().FirstShow);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(0, view.quitRequests);
}

TEST_F(StartupTest, SecondStartReadsTheSettingsAndRecordsTheFolder) {
  registry.SetInteger(kUser, kSettings, u"Top", 210);
  registry.SetInteger(kUser, kSettings, u"Left", 330);
  registry.SetString(kUser, kSettings, u"BNFLocation", u"D:\\bnf");
  registry.SetString(kUser, kSettings, u"MPAsmDir", u"D:\\mpasm");

  form.FormCreate();

  EXPECT_EQ(330, view.Bounds(Win::Main).left);
  EXPECT_EQ(210, view.Bounds(Win::Main).top);
  EXPECT_EQ(u"D:\\bnf", dirs().BNFLocation);
  EXPECT_EQ(u"D:\\mpasm", dirs().MPAsmDir);
  EXPECT_EQ(current, dirs().ToolDir);
  EXPECT_EQ(current, SettingsText(u"Location"));
  EXPECT_EQ(u"Directory for BitName files...[D:\\bnf]", rig.Caption());
  EXPECT_TRUE(form.state().FirstShow);
}

TEST_F(StartupTest, MissingValuesGiveTheDefaults) {
  registry.SetInteger(kUser, kSettings, u"Left", 300);

  form.FormCreate();

  EXPECT_EQ(300, view.Bounds(Win::Main).left);
  EXPECT_EQ(100, view.Bounds(Win::Main).top);
  EXPECT_EQ(u"", dirs().BNFLocation);
  EXPECT_EQ(u"", dirs().MPAsmDir);
  EXPECT_EQ(u"(none)", SettingsText(u"BNFLocation"));
}

TEST_F(StartupTest, LocationGivesTheToolFolderAndRecordsTheCurrentOne) {
  struct Case {
    std::u16string location;
    std::u16string toolDir;
    std::u16string locationAfter;
  };
  const Case cases[] = {
      {current + u"bnfcreator.exe", current, current + u"bnfcreator.exe"},  // same folder
      {u"C:\\Tools\\tool.exe", u"C:\\Tools\\", current},                    // another folder
      {u"C:\\Tools\\", u"C:\\Tools\\", current},
      {u"tool.exe", current, current},  // no folder at all
      {u"", current, current},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.location.begin(), c.location.end()));
    StartupRig r(appData.path());
    r.registry.SetString(kUser, kSettings, u"Location", c.location);

    r.form.FormCreate();

    EXPECT_EQ(c.toolDir, r.dirs().ToolDir);
    EXPECT_EQ(c.locationAfter,
              std::get<std::u16string>(r.registry.Find(kUser, kSettings)->at(u"Location")));
  }
}

TEST_F(StartupTest, StartFromAnotherFolderReadsTheOldFoldersNameTables) {
  TempDir tool;
  rig.text.WriteLines(tool.File(u"StandardSFR.txt"), {u"TMR=Timer"});
  rig.text.WriteLines(tool.File(u"StandardBIT.txt"), {u"C=Carry"});
  registry.SetString(kUser, kSettings, u"Location", tool.File(u"bnfcreator.exe"));

  form.FormCreate();

  EXPECT_EQ(tool.path() + u"\\", dirs().ToolDir);
  EXPECT_EQ(current, SettingsText(u"Location"));
  EXPECT_EQ(u"Timer, Low byte", GetDefaultSFR(form.state().names, u"TMRL"));
  EXPECT_EQ(u"Carry", GetDefaultBit(form.state().names, u"C"));
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

TEST_F(StartupTest, KeyThatDoesNotOpenKeepsTheDefaultsAndClosingTriesAgain) {
  registry.SetInteger(kUser, kSettings, u"Top", 210);
  registry.SetString(kUser, kSettings, u"BNFLocation", u"D:\\bnf");
  registry.SetString(kUser, kSettings, u"MPAsmDir", u"D:\\mpasm");
  const std::u16string key = test::FakeRegistry::Normalise(kUser, kSettings);
  registry.refuseAllAccess.insert(key);

  form.FormCreate();

  EXPECT_EQ(0u, view.bounds.count(Win::Main));
  EXPECT_EQ((Texts{u"", u"", u""}), (Texts{dirs().BNFLocation, dirs().ToolDir, dirs().MPAsmDir}));
  EXPECT_EQ(u"(none)", SettingsText(u"Location"));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(0, view.quitRequests);
  EXPECT_TRUE(form.state().FirstShow);

  dirs().BNFLocation = u"E:\\out";
  form.FormClose();
  EXPECT_EQ(u"D:\\bnf", SettingsText(u"BNFLocation"));

  registry.refuseAllAccess.erase(key);
  form.FormClose();
  EXPECT_EQ(u"E:\\out", SettingsText(u"BNFLocation"));
  EXPECT_EQ(u"", SettingsText(u"MPAsmDir"));
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
      {{N, N, N, N, N}, {u"", u"", u"", u"", u""}},
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
  } sources[] = {{kUser, kMplab8, u"T_MPAsm.MPASM"},
                 {kMachine, kXp, u"InstallDir"},
                 {kMachine, kX32, u"InstallDir"},
                 {kMachine, kX64, u"InstallDir"},
                 {kUser, kSettings, u"MPAsmDir"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.expected));
    StartupRig r(appData.path());
    for (std::size_t i = 0; i < c.values.size(); ++i) {
      if (c.values[i] != N) {
        r.registry.SetString(sources[i].root, sources[i].key, sources[i].name, c.values[i]);
      }
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
      {true, nullptr, nullptr, u"\\CompilerBitnames\\", u"\\Includes\\KDX\\"},
      {true, nullptr, u"C:\\C", u"\\CompilerBitnames\\", u"C:\\C\\Includes\\KDX\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.bnfDir.begin(), c.bnfDir.end()));
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

  form.FormCreate();

  EXPECT_TRUE(rig.folders.created.empty());
  EXPECT_EQ("", ReadBytes(ToHostPath(ProfileDir() + u"\\PrivateSFR.txt")));
  EXPECT_EQ("TMR0IF=Mine\n", ReadBytes(ToHostPath(ProfileDir() + u"\\privatebit.TXT")));
  EXPECT_EQ(u"Mine", GetDefaultBit(form.state().names, u"TMR0IF"));
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
  struct Case {
    RegRoot root;
    std::u16string_view key;
    std::u16string name;
    bool asText;  // else an integer
  };
  const Case cases[] = {
      {kUser, kSettings, u"Top", true},
      {kMachine, kX32, u"InstallDir", false},
      {kUser, kVolatile, u"APPDATA", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
    StartupRig r(appData.path());
    if (c.asText) {
      r.registry.SetString(c.root, c.key, c.name, u"120");
    } else {
      r.registry.SetInteger(c.root, c.key, c.name, 120);
    }

    EXPECT_EQ(u"Invalid data type for '" + c.name + u"'", r.Start());
    EXPECT_FALSE(r.form.state().FirstShow);
    EXPECT_EQ(u"", r.Caption());
    EXPECT_FALSE(Exists(ProfileDir() + u"\\PrivateSFR.txt"));
  }
}

TEST_F(StartupTest, FormCloseWritesTheFourValuesEmptyTextsIncluded) {
  registry.AddKey(kUser, kSettings);
  view.bounds[Win::Main] = {185, 124, 579, 348};

  form.FormClose();

  EXPECT_EQ(124, SettingsInteger(u"Top"));
  EXPECT_EQ(185, SettingsInteger(u"Left"));
  EXPECT_EQ(u"", SettingsText(u"BNFLocation"));
  EXPECT_EQ(u"", SettingsText(u"MPAsmDir"));
  EXPECT_EQ(u"(none)", SettingsText(u"Location"));
}

// The BitName folder check.
class CheckUserDirTest : public StartupTest {
 protected:
  std::u16string Temp() const { return rig.realFolders->TempDirectory(); }
  static std::u16string TestFile(const TempDir& d) { return d.File(u"_____test.txt"); }
  std::u16string NoChoiceMessage() const {
    return u"You did not choose a location for the BitName files\rThey will be stored in " + Temp();
  }
  std::u16string Caption() const { return rig.Caption(); }

  TempDir bnf;
  TempDir other;
};

TEST_F(CheckUserDirTest, WritableFolderIsAcceptedWithoutAWord) {
  test::WriteBytes(ToHostPath(TestFile(bnf)), "an old test file");
  dirs().BNFLocation = bnf.path();

  EXPECT_TRUE(form.CheckUserDir());

  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(Exists(TestFile(bnf)));
  EXPECT_EQ(bnf.path(), dirs().BNFLocation);
  EXPECT_EQ(u"Directory for BitName files...[" + bnf.path() + u"]", Caption());
}

TEST_F(CheckUserDirTest, EmptyLocationAsksForAFolder) {
  dialogs.folderAnswers = {bnf.path()};

  EXPECT_TRUE(form.CheckUserDir());

  ASSERT_EQ(1u, dialogs.folderRequests.size());
  EXPECT_EQ(kChooserText, dialogs.folderRequests[0].instruction);
  EXPECT_FALSE(dialogs.folderRequests[0].showFiles);
  EXPECT_EQ(u"", dialogs.folderRequests[0].preselected);
  EXPECT_EQ(1u, dialogs.shown.size());
  EXPECT_EQ(bnf.path(), dirs().BNFLocation);
  EXPECT_FALSE(Exists(TestFile(bnf)));
}

TEST_F(CheckUserDirTest, CancelledChoiceFallsBackToTheTemporaryFolder) {
  EXPECT_TRUE(form.CheckUserDir());

  EXPECT_EQ(Texts{NoChoiceMessage()}, dialogs.Texts(ShownBox::Message));
  EXPECT_EQ(Temp(), dirs().BNFLocation);
  EXPECT_EQ(u"Directory for BitName files...[" + Temp() + u"]", Caption());
}

TEST_F(CheckUserDirTest, VanishedTestFileAsksForAnotherFolder) {
  rig.files.vanished.insert(TestFile(bnf));
  dirs().BNFLocation = bnf.path();
  dialogs.folderAnswers = {other.path()};

  EXPECT_TRUE(form.CheckUserDir());

  EXPECT_EQ(Texts{u"The testfile could not be created, please select a different location"},
            dialogs.Texts(ShownBox::Message));
  EXPECT_EQ(1u, dialogs.folderRequests.size());
  EXPECT_EQ(other.path(), dirs().BNFLocation);
  EXPECT_FALSE(Exists(TestFile(other)));
  EXPECT_EQ(u"Directory for BitName files...[" + other.path() + u"]", Caption());
}

TEST_F(CheckUserDirTest, VanishedTestFileAndNoOtherChoice) {
  rig.files.vanished.insert(TestFile(bnf));
  dirs().BNFLocation = bnf.path();

  EXPECT_TRUE(form.CheckUserDir());

  EXPECT_EQ((Texts{u"The testfile could not be created, please select a different location",
                   NoChoiceMessage()}),
            dialogs.Texts(ShownBox::Message));
  EXPECT_EQ(Temp(), dirs().BNFLocation);
}

TEST_F(CheckUserDirTest, MissingFolderIsAnErrorThatKeepsTheFolder) {
  const std::u16string gone = bnf.File(u"gone");
  dirs().BNFLocation = gone;
  view.SetCaption(Ctl::DirectoryforBitNamefiles1, BnfFolderCaption(gone));

  EXPECT_FALSE(form.Guard([&] { form.CheckUserDir(); }));

  ASSERT_EQ(1u, dialogs.shown.size());
  EXPECT_EQ(ShownBox::Error, dialogs.shown[0].kind);
  EXPECT_EQ(gone, dirs().BNFLocation);
  EXPECT_EQ(u"Directory for BitName files...[" + gone + u"]", Caption());
}

TEST_F(CheckUserDirTest, MenuChoiceCancelledChangesNothing) {
  dirs().BNFLocation = bnf.path();
  view.SetCaption(Ctl::DirectoryforBitNamefiles1, u"before");

  form.DirectoryforBitNamefiles1Click();
  EXPECT_EQ(bnf.path(), dirs().BNFLocation);
  EXPECT_EQ(u"before", Caption());

  dialogs.folderAnswers = {u"C:\\"};
  form.DirectoryforBitNamefiles1Click();
  EXPECT_EQ(u"C:\\", dirs().BNFLocation);
  EXPECT_EQ(u"Directory for BitName files...[C:\\]", Caption());
}

}  // namespace
}  // namespace bnf
