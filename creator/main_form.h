// The main window's logic: its event handlers and the generations they start. It owns
// the tool's state and reaches the window, the dialogs and the files through the
// platform services it is given. Errors that end a handler are shown by Guard.
#pragma once

#include <string>
#include <vector>

#include "common/text_file.h"
#include "creator/creator_state.h"
#include "creator/main_view.h"
#include "platform/platform.h"

namespace bnf {

// The services the logic runs on; owned by the caller (the exe or a test).
struct Services {
  const Collator& collator;
  FileSystem& files;
  const AnsiCodec& codec;
  Dialogs& dialogs;
  MainView& view;
  Folders& folders;
  Registry& registry;
  Shell& shell;
};

class TfBNF {
 public:
  // `args` are the command-line arguments after the program name.
  TfBNF(Services services, std::vector<std::u16string> args);

  CreatorState& state() { return s_; }
  const CreatorState& state() const { return s_; }
  const std::vector<std::u16string>& args() const { return args_; }
  // The process's exit code: 1 for a command-line run (two arguments) that wrote no
  // BitName file, so the program that started it can tell; 0 otherwise.
  int ExitCode() const { return args_.size() == 2 && !s_.req.Written ? 1 : 0; }

  // Start-up, settings and directories.
  void FormCreate();
  void FormClose();
  void FormDestroy();
  bool CheckUserDir();
  void DirectoryforBitNamefiles1Click();

  // The main window's handlers.
  void FormShow();
  void lbFamClick();
  void lbTypeClick();
  void lbTypeDblClick();
  void Button1Click();
  void Exit1Click();
  void PrivateSFRs1Click();
  void PrivateBitNames1Click();
  void About1Click();
  void Help2Click();

  // The family lists.
  void GetIncludes(std::u16string_view family);
  void GetKDXs(std::u16string_view family);

  // The 8-bit generation and the operations both roads share.
  void Doe8Bit();
  bool CheckOriginal();
  void OpenconvertedPDF1Click();
  // The 16-bit generation.
  void Doe16Bit();
  // "Reload Private SFR's and BitNames".
  void ReloadPrivateClick();

  // Runs one handler: an error that ends it is shown in the standard error box (a refused
  // input in a plain box) and the handler's remaining steps are skipped. Returns false
  // when an error was shown.
  template <typename Handler>
  bool Guard(Handler&& handler) {
    try {
      handler();
      return true;
    } catch (...) {
      ReportCurrentException();
      return false;
    }
  }

 private:
  void ReportCurrentException();

  // The family click's two roads (false: the click ends without types), the locating
  // loop of the 8-bit road, and the filling of FileList and the type list.
  bool ListIncludes(std::u16string_view family);
  bool ListKdxs(std::u16string_view family);
  bool LocateMpasmDir(std::u16string_view family);
  void FillFileList(const SortedStringList& merged);
  void FillTypes(std::u16string_view family, bool eightBit);
  // The first show's generation for the device named on the command line.
  void RunCommandLine();
  void OpenPrivateFile(std::u16string_view name);

  Services svc_;
  TextFiles files_;
  std::vector<std::u16string> args_;
  CreatorState s_;
};

}  // namespace bnf
