// The main window's own handlers: the first show with the command-line run, the type
// list, the generate button and the menu items that do not belong to the start-up, the
// generations or the family lists. They throw what ends them; Guard reports it.
#include <string>

#include "common/file_utils.h"
#include "common/text_utils.h"
#include "creator/command_line.h"
#include "creator/family_lists.h"
#include "creator/main_form.h"
#include "creator/startup.h"
#include "creator/ui/version.h"

namespace bnf {

void TfBNF::FormShow() {
  if (!s_.FirstShow) return;
  if (!CheckUserDir()) return;
  MainView& view = svc_.view;
  view.SetCaption(Ctl::AboutLabel1, view.Caption(Ctl::AboutLabel1) + std::u16string(kVersion));
  s_.FirstShow = false;
  view.SetCaption(Ctl::Form, kAppTitle);
  const Directories& dirs = s_.dirs;
  view.AddLogLine(u"File locations");
  view.AddLogLine(u"MPLab 8.xx : " + dirs.Mplab8Dir);
  view.AddLogLine(u"MPLabX XP  : " + dirs.MplabXXpDir);
  view.AddLogLine(u"MPLabX 32  : " + dirs.MplabX32Dir);
  view.AddLogLine(u"MPLabX 64  : " + dirs.MplabX64Dir);
  if (args_.size() == 2) RunCommandLine();
}

// Ends the application only after a generation that raised no error: an error (or a
// refused name) leaves the window open, its lists disabled, for the user to read.
void TfBNF::RunCommandLine() {
  MainView& view = svc_.view;
  view.SetEnabled(Ctl::lbFam, false);
  view.SetEnabled(Ctl::lbType, false);
  // The type becomes part of file paths: anything but a plain type is refused.
  std::optional<std::u16string> type = DeviceTypeFromArgument(args_[0]);
  if (!type) {
    svc_.dialogs.ShowMessage(RefusedDeviceNameMessage(args_[0]));
    return;
  }
  Request& req = s_.req;
  req.DeviceType = *type;
  req.Is8Bit = Is8BitFamily(FamilyNumber(req.DeviceType));
  req.PdfTextFile = args_[1];
  Button1Click();
  view.Quit();
}

void TfBNF::lbTypeClick() {
  std::optional<std::u16string> type = svc_.view.SelectedType();
  if (!type) return;
  s_.req.DeviceType = *type;
  MainView& view = svc_.view;
  view.SetVisible(Ctl::Button1, true);
  view.SetEnabled(Ctl::Button1, true);
  view.SetCaption(Ctl::Panel1, u"");
  // The datasheet is asked for by the generation from now on.
  view.SetEnabled(Ctl::OpenconvertedPDF1, false);
  view.SetCaption(Ctl::Button1, s_.req.DeviceType);
}

void TfBNF::lbTypeDblClick() {
  lbTypeClick();
  Button1Click();
}

void TfBNF::Button1Click() {
  // Only a start-up error leaves the folder unset; the file would land at the drive root.
  if (IsBlank(s_.dirs.BNFLocation)) {
    svc_.dialogs.ShowMessage(
        u"No folder for BitName files is set. Choose one with Settings > Directory for "
        u"BitName files... first.\rNo BitName file was written.");
    return;
  }
  if (s_.req.Is8Bit) {
    Doe8Bit();
  } else {
    Doe16Bit();
  }
}

void TfBNF::Exit1Click() {
  svc_.view.Close();
}

void TfBNF::PrivateSFRs1Click() {
  OpenPrivateFile(kPrivateSfrFile);
}

void TfBNF::PrivateBitNames1Click() {
  OpenPrivateFile(kPrivateBitFile);
}

// The editor runs on its own; the user reloads the names when done with it.
void TfBNF::OpenPrivateFile(std::u16string_view name) {
  ShellOpenFile(svc_.shell, s_.dirs.ProfileDir + u"\\" + std::u16string(name), u"", 1);
  svc_.view.SetEnabled(Ctl::ReloadPrivate, true);
}

void TfBNF::About1Click() {
  MainView& view = svc_.view;
  const WindowBounds main = view.Bounds(Win::Main);
  const WindowBounds about = view.Bounds(Win::About);
  view.SetPosition(Win::About, main.left + main.width / 2 - about.width / 2,
                   main.top + main.height / 2 - about.height / 2);
  view.ShowModal(Win::About);
}

void TfBNF::Help2Click() {
  MainView& view = svc_.view;
  const WindowBounds main = view.Bounds(Win::Main);
  const WindowBounds help = view.Bounds(Win::Help);
  view.SetPosition(Win::Help, main.left, main.top + main.height / 2 - help.height / 2);
  view.ShowModal(Win::Help);
}

}  // namespace bnf
