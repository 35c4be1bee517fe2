// Start-up and closing of the main window: the MPASM and IDE folders found through the
// registry entries of other software (read, never written), the tool's own settings
// key, the per-user folder with the private name files, the check of the BitName
// folder and the settings saved when the window closes.
#include "creator/startup.h"

#include <initializer_list>
#include <memory>
#include <vector>

#include "common/file_utils.h"
#include "common/text_utils.h"
#include "creator/main_form.h"
#include "creator/name_tables.h"

namespace bnf {

namespace {

constexpr std::u16string_view kMplab8Key = u"Software\\MicroChip\\MPLab IDE\\Tool Locations";
constexpr std::u16string_view kMplabXXpKey = u"Software\\MicroChip\\MPLabX";
constexpr std::u16string_view kMplabX32Key = u"Software\\MicroChip\\MPLab X";
constexpr std::u16string_view kMplabX64Key = u"Software\\Wow6432Node\\MicroChip\\MPLAB X";
constexpr std::u16string_view kIdeKey = u"Software\\Felsgate\\KorvanIDE\\Install";
constexpr std::u16string_view kVolatileKey = u"Volatile Environment";

// Where the window goes when the settings hold no edge of their own.
constexpr int32_t kDefaultEdge = 100;

// The four comment lines a new private file starts with.
std::vector<std::u16string> PrivateSfrHeader() {
  return {u"; Include your private SFR definitions in this file",
          u"; The format is SFRname=description", u"; e.g. UCON=USB Control register", u";"};
}
std::vector<std::u16string> PrivateBitHeader() {
  return {u"; Include your private BitNames in this file", u"; The format is BitName=description",
          u"; e.g. EPHSHK=Endpoint Handshake Enable bit", u";"};
}

// The settings key is opened and created under its name with a trailing separator.
std::u16string SettingsKeyPath() {
  return std::u16string(kSettingsKey) + u"\\";
}

// Everything up to and including the last "\" or ":" of a program's path.
std::u16string FolderPart(std::u16string_view path) {
  std::size_t cut = path.find_last_of(u"\\:");
  return cut == std::u16string_view::npos ? std::u16string()
                                          : std::u16string(path.substr(0, cut + 1));
}

// MPLAB 8 records the assembler program; its include files lie beside it. The key is
// opened with full rights, as that version of MPLAB expects of its tools.
std::u16string Mplab8Folder(Registry& registry) {
  auto key = registry.OpenKey(RegRoot::CurrentUser, kMplab8Key, RegAccess::AllAccess);
  if (!key) return {};
  std::u16string assembler = key->ReadString(u"T_MPAsm.MPASM");
  return assembler.empty() ? assembler : AddBackslash(FolderPart(assembler));
}

std::u16string MplabXInstallFolder(Registry& registry, std::u16string_view keyPath) {
  auto key = registry.OpenKey(RegRoot::LocalMachine, keyPath, RegAccess::ReadOnly);
  if (!key) return {};
  std::u16string install = key->ReadString(u"InstallDir");
  return install.empty() ? install : AddBackslash(install);
}

void FindMplabFolders(Registry& registry, Directories& d) {
  d.Mplab8Dir = Mplab8Folder(registry);
  d.MplabXXpDir = MplabXInstallFolder(registry, kMplabXXpKey);
  d.MplabX32Dir = MplabXInstallFolder(registry, kMplabX32Key);
  d.MplabX64Dir = MplabXInstallFolder(registry, kMplabX64Key);
  // On a 64-bit system both names can lead to one installation: list it once.
  if (d.MplabX32Dir == d.MplabX64Dir) d.MplabX32Dir.clear();
  for (std::u16string* dir : {&d.MplabXXpDir, &d.MplabX32Dir, &d.MplabX64Dir}) {
    if (!dir->empty()) *dir += u"mpasmx\\";
  }
  for (const std::u16string* dir : {&d.Mplab8Dir, &d.MplabXXpDir, &d.MplabX32Dir, &d.MplabX64Dir}) {
    if (!dir->empty()) {
      d.ActiveMpasmDir = *dir;
      break;
    }
  }
}

// A missing "Compiler" still gives the folder's tail, behind a lone "\": nothing is
// found there. A missing or blank "Plugin" leaves the IDE's BitName folder unknown, as
// without the key, since a file saved in "\CompilerBitnames\" lands at the drive root.
void FindIdeFolders(Registry& registry, Directories& d) {
  auto key = registry.OpenKey(RegRoot::CurrentUser, kIdeKey, RegAccess::ReadOnly);
  if (!key) return;
  const std::u16string plugin = key->ReadString(u"Plugin");
  if (!IsBlank(plugin)) d.IdeBnfDir = AddBackslash(plugin) + u"CompilerBitnames\\";
  d.KdxDir = AddBackslash(key->ReadString(u"Compiler")) + u"Includes\\KDX\\";
}

int32_t EdgeOrDefault(const RegistryKey& key, std::u16string_view name) {
  return key.ValueExists(name) ? key.ReadInteger(name) : kDefaultEdge;
}

// The standard name tables are read from the folder recorded at the previous start;
// "Location" then records the current folder for the next one.
void ReadSettings(RegistryKey& key, MainView& view, const Folders& folders, Directories& d,
                  SettingsToSave& read) {
  // Each edge is placed as it is read, so a "Left" of the wrong type leaves the top set.
  const int32_t top = EdgeOrDefault(key, u"Top");
  view.SetPosition(Win::Main, view.Bounds(Win::Main).left, top);
  read.Top = true;
  view.SetPosition(Win::Main, EdgeOrDefault(key, u"Left"), top);
  read.Left = true;
  d.BNFLocation = key.ReadString(u"BNFLocation");
  read.BNFLocation = true;
  if (key.ValueExists(u"Location")) {
    std::u16string location = key.ReadString(u"Location");
    d.ToolDir = Head(location, LastPos(u"\\", location));
  }
  const std::u16string current = AddBackslash(folders.CurrentDirectory());
  if (IsBlank(d.ToolDir)) {
    d.ToolDir = current;
    key.WriteString(u"Location", current);
  }
  if (Trim(d.ToolDir) != current) key.WriteString(u"Location", current);
  d.MPAsmDir = key.ReadString(u"MPAsmDir");
  read.MPAsmDir = true;
}

// The first start creates the key and reads nothing; a key that exists but does not
// open leaves the same defaults, without a message.
void LoadSettings(const Services& svc, Directories& d, SettingsToSave& read) {
  const WindowBounds start = svc.view.Bounds(Win::Main);
  read = SettingsToSave{};
  read.StartTop = start.top;
  read.StartLeft = start.left;
  if (!svc.registry.KeyExists(RegRoot::CurrentUser, kSettingsKey)) {
    if (svc.registry.CreateKey(RegRoot::CurrentUser, SettingsKeyPath())) {
      read.Top = read.Left = read.BNFLocation = read.MPAsmDir = true;
      return;
    }
    svc.dialogs.ErrorOkCancel(u"Unable to create key! Exiting.");
    svc.view.Quit();
    return;
  }
  auto key = svc.registry.OpenKey(RegRoot::CurrentUser, SettingsKeyPath(), RegAccess::AllAccess);
  if (key) ReadSettings(*key, svc.view, svc.folders, d, read);
}

// A folder that cannot be made is not reported here: writing the file in it fails.
void MakeFolder(Folders& folders, std::u16string_view path) {
  if (!folders.DirectoryExists(path)) folders.CreateDirectory(path);
}

// A private file the user has already got is never touched, even when empty.
void WriteIfMissing(const TextFiles& files, const std::u16string& path,
                    const std::vector<std::u16string>& lines) {
  if (!files.Exists(path)) files.WriteLines(path, lines);
}

void MakeProfileFolder(const Services& svc, const TextFiles& files, Directories& d) {
  auto key = svc.registry.OpenKey(RegRoot::CurrentUser, kVolatileKey, RegAccess::AllAccess);
  if (!key) return;
  d.ProfileDir = key->ReadString(u"APPDATA") + u"\\Calmwood";
  MakeFolder(svc.folders, d.ProfileDir);
  d.ProfileDir += u"\\Korvan BNF Tool";
  MakeFolder(svc.folders, d.ProfileDir);
  WriteIfMissing(files, d.ProfileDir + u"\\" + std::u16string(kPrivateSfrFile), PrivateSfrHeader());
  WriteIfMissing(files, d.ProfileDir + u"\\" + std::u16string(kPrivateBitFile), PrivateBitHeader());
}

}  // namespace

std::u16string BnfFolderCaption(std::u16string_view location) {
  return u"Directory for BitName files...[" + std::u16string(location) + u"]";
}

void TfBNF::FormCreate() {
  Directories& d = s_.dirs;
  d.MPAsmDir.clear();
  s_.FileList.Clear();
  s_.FileList.SetSorted(false);
  for (SortedStringList* list : {&s_.WorkList, &s_.RegisterList, &s_.BitWorkList}) {
    list->Clear();
    list->SetSorted(true);
  }
  for (std::u16string* dir :
       {&d.ActiveMpasmDir, &d.Mplab8Dir, &d.MplabXXpDir, &d.MplabX32Dir, &d.MplabX64Dir}) {
    dir->clear();
  }
  FindMplabFolders(svc_.registry, d);
  FindIdeFolders(svc_.registry, d);
  LoadSettings(svc_, d, s_.toSave);
  if (d.ActiveMpasmDir.empty() && !d.MPAsmDir.empty()) d.ActiveMpasmDir = d.MPAsmDir;
  MakeProfileFolder(svc_, files_, d);
  svc_.view.SetCaption(Ctl::DirectoryforBitNamefiles1, BnfFolderCaption(d.BNFLocation));
  s_.tables.EmptyAll();
  ReadSFR_BITFiles(s_.names, d, files_, true, svc_.dialogs);
  ReadSFR_BITFiles(s_.names, d, files_, false, svc_.dialogs);
  s_.FirstShow = true;
}

// "Location" is written only at start-up; a key that does not open saves nothing. A
// setting neither read at start-up nor changed since stays as it is stored.
void TfBNF::FormClose() {
  auto key = svc_.registry.OpenKey(RegRoot::CurrentUser, SettingsKeyPath(), RegAccess::AllAccess);
  if (!key) return;
  const SettingsToSave& save = s_.toSave;
  const WindowBounds bounds = svc_.view.Bounds(Win::Main);
  if (save.Top || bounds.top != save.StartTop) key->WriteInteger(u"Top", bounds.top);
  if (save.Left || bounds.left != save.StartLeft) key->WriteInteger(u"Left", bounds.left);
  if (save.BNFLocation) key->WriteString(u"BNFLocation", s_.dirs.BNFLocation);
  if (save.MPAsmDir) key->WriteString(u"MPAsmDir", s_.dirs.MPAsmDir);
}

void TfBNF::FormDestroy() {
  for (SortedStringList* list : {&s_.WorkList, &s_.FileList, &s_.RegisterList, &s_.BitWorkList}) {
    list->Clear();
  }
}

// A test file that cannot be written is an error for the caller to show; only a file
// that was written and then is not there asks for another folder. The temporary
// folder, the last resort, is not tested.
bool TfBNF::CheckUserDir() {
  const std::u16string temp = GetTempDir(svc_.folders);
  std::u16string& location = s_.dirs.BNFLocation;
  if (location.empty()) DirectoryforBitNamefiles1Click();
  while (!location.empty()) {
    const std::u16string testFile = location + u"\\_____test.txt";
    files_.WriteLines(testFile, {u"test accessibility"});
    if (svc_.files.FileExists(testFile)) {
      svc_.folders.DeleteFile(testFile);
      break;
    }
    svc_.dialogs.ShowMessage(
        u"The testfile could not be created, please select a different location");
    location.clear();
    DirectoryforBitNamefiles1Click();
  }
  if (location.empty()) {
    svc_.dialogs.ShowMessage(
        u"You did not choose a location for the BitName files\r"
        u"They will be stored in " +
        temp);
    location = temp;
    s_.toSave.BNFLocation = true;
  }
  svc_.view.SetCaption(Ctl::DirectoryforBitNamefiles1, BnfFolderCaption(location));
  return !location.empty();
}

// The choice holds at once; it is saved only when the window closes.
void TfBNF::DirectoryforBitNamefiles1Click() {
  std::optional<std::u16string> chosen = svc_.dialogs.ChooseFolder(FolderOptions{
      u"Select directory for BitName files. Please do NOT select a directory that needs "
      u"administrator rights",
      /*showFiles=*/false, /*preselected=*/{}});
  if (!chosen) return;
  s_.dirs.BNFLocation = *chosen;
  s_.toSave.BNFLocation = true;
  svc_.view.SetCaption(Ctl::DirectoryforBitNamefiles1, BnfFolderCaption(s_.dirs.BNFLocation));
}

}  // namespace bnf
