// bnfcreator.exe: the entry point. It only wires: one copy per logon (a named mutex), the
// Win32 services, the main window with the tool's logic, the about and help windows and
// the message loop. Everything the tool does happens in TfBNF's handlers.
#include "platform/win32/windows_api.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <exception>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "creator/main_form.h"
#include "creator/ui/about_window_win32.h"
#include "creator/ui/help_window_win32.h"
#include "creator/ui/main_window_win32.h"
#include "creator/ui/version.h"
#include "platform/platform.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/error_text_win32.h"
#include "platform/win32/mutex_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/wide.h"

namespace bnf::win32 {
namespace {

constexpr char16_t kMutexName[] = u"KorvanBNFCreator";
constexpr char16_t kAlreadyRunning[] =
    u"Korvan\u00AE BitName file creator is already running.\rNo BitName file was written.";

// The arguments after the program's name, split the way the C runtime splits them.
std::vector<std::u16string> CommandLineArguments() {
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (argv == nullptr) return {};
  const UniqueLocal owner(reinterpret_cast<HLOCAL>(argv));
  std::vector<std::u16string> args;
  for (int i = 1; i < count; ++i) args.emplace_back(Utf16(argv[i]));
  return args;
}

// A window the program cannot do without was not made: one box, then the end.
int StartFailure(std::u16string_view what, DWORD code) {
  // A window destroyed on the way here has asked to end; that request would close the
  // box at once.
  MSG quit;
  ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  const std::u16string text = std::u16string(what) + u"\r\n" + ErrorReason(code);
  const std::u16string title(kAppTitle);
  ::MessageBoxW(nullptr, Wide(text), Wide(title), MB_OK | MB_ICONERROR);
  return 1;
}

// OLE on the GUI thread, for the new-style folder chooser.
class OleSession {
 public:
  OleSession() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession() {
    if (initialised_) ::OleUninitialize();
  }

 private:
  bool initialised_;
};

// Until the application is told to end. Tab moves between the main window's controls.
int RunMessageLoop(const MainWindow& main) {
  MSG msg{};
  BOOL got = 0;
  while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    HWND window = main.hwnd();
    if (window != nullptr && ::IsDialogMessageW(window, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

// The windows and the loop, once this copy holds the mutex.
int RunApplication(HINSTANCE instance, std::vector<std::u16string> args) {
  OleSession ole;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);

  // The secondary windows outlive the main window, which owns them and may destroy them.
  AboutWindow about;
  HelpWindow help;
  MainWindow main;
  const auto owner = [&main] { return main.hwnd(); };
  const auto collator = MakeCollator();
  const auto files = MakeFileSystem();
  const auto codec = MakeAnsiCodec();
  const auto folders = MakeFolders();
  const auto registry = MakeWin32Registry();
  const auto shell = MakeWin32Shell(owner);
  const auto dialogs = MakeWin32Dialogs(owner, std::u16string(kAppTitle));
  TfBNF form(Services{*collator, *files, *codec, *dialogs, main, *folders, *registry, *shell},
             std::move(args));

  if (!main.Create(instance, form)) {
    return StartFailure(u"The main window could not be made.", ::GetLastError());
  }
  if (!about.Create(instance, main.hwnd()) || !help.Create(instance, main.hwnd())) {
    const DWORD code = ::GetLastError();
    ::DestroyWindow(main.hwnd());
    return StartFailure(u"The about or help window could not be made.", code);
  }
  main.SetSecondaryWindows(&about, &help);
  // Start-up may have asked to end (the settings key could not be made): the window is
  // then never shown, and the loop only takes the request.
  if (!main.QuitRequested()) {
    ::ShowWindow(main.hwnd(), SW_SHOW);
    ::UpdateWindow(main.hwnd());
  }
  const int code = RunMessageLoop(main);
  // Ended by a request rather than by closing: the window goes now, its destruction
  // handler with it.
  if (main.hwnd() != nullptr) ::DestroyWindow(main.hwnd());
  return code != 0 ? code : form.ExitCode();
}

// Another copy runs in this logon and is left alone. A program that started this copy
// with a device and a datasheet (exactly two arguments) waits for a BitName file: it is
// told that none came, and so is the user; a copy started by hand ends silently.
int AlreadyRunning(const std::vector<std::u16string>& args) {
  if (args.size() != 2) return 0;
  MakeWin32Dialogs(nullptr, std::u16string(kAppTitle))->ShowMessage(kAlreadyRunning);
  return 1;
}

int Run(HINSTANCE instance) {
  const auto mutex = MakeWin32NamedMutex();
  std::vector<std::u16string> args = CommandLineArguments();
  if (mutex->OpenExisting(kMutexName)) return AlreadyRunning(args);
  mutex->Create(kMutexName);
  const int code = RunApplication(instance, std::move(args));
  mutex->Release();
  return code;
}

}  // namespace
}  // namespace bnf::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    return bnf::win32::Run(instance);
  } catch (const std::exception&) {
    // Only out of memory and the like before any window exists; the handlers report
    // their own errors.
    return 1;
  }
}
