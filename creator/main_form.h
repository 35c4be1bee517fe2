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

  // The 8-bit generation and the operations both roads share.
  void Doe8Bit();
  bool CheckOriginal();
  void OpenconvertedPDF1Click();
  // The 16-bit generation.
  void Doe16Bit();
  // "Reload Private SFR's and BitNames".
  void ReloadPrivateClick();

  // Runs one handler: an error that ends it is shown in the standard error box and the
  // handler's remaining steps are skipped. Returns false when an error was shown.
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

  Services svc_;
  TextFiles files_;
  std::vector<std::u16string> args_;
  CreatorState s_;
};

}  // namespace bnf
