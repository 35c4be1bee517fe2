// The view records control state; the dialogs answer from a script and record every box.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "creator/main_view.h"
#include "platform/platform.h"

namespace bnf::test {

class TestView : public MainView {
 public:
  void SetCaption(Ctl c, std::u16string_view caption) override { captions[c] = caption; }
  std::u16string Caption(Ctl c) const override { return captions[c]; }
  void SetEnabled(Ctl c, bool enabled) override {
    disabled[c] = !enabled;
    enabledHistory.push_back({c, enabled});
  }
  bool Enabled(Ctl c) const override { return !disabled[c]; }
  void SetVisible(Ctl c, bool visible) override { hidden[c] = !visible; }
  bool Visible(Ctl c) const override { return !hidden[c]; }
  void AddLogLine(std::u16string_view line) override { log.emplace_back(line); }

  std::u16string SelectedFamily() const override { return family; }
  void ClearTypes() override { types.clear(); }
  void AddType(std::u16string_view type) override { types.emplace_back(type); }
  int32_t TypeCount() const override { return static_cast<int32_t>(types.size()); }
  std::optional<std::u16string> SelectedType() const override {
    if (selectedType < 0 || selectedType >= TypeCount()) return std::nullopt;
    return types[static_cast<std::size_t>(selectedType)];
  }

  WindowBounds Bounds(Win w) const override {
    return bounds.contains(w) ? bounds.at(w) : WindowBounds{};
  }
  void SetPosition(Win w, int32_t left, int32_t top) override {
    bounds[w].left = left;
    bounds[w].top = top;
  }
  void ShowModal(Win w) override { modalShown.push_back(w); }
  void Close() override { ++closeRequests; }
  void Quit() override { ++quitRequests; }

  mutable std::map<Ctl, std::u16string> captions;
  mutable std::map<Ctl, bool> disabled, hidden;
  std::u16string family;
  std::vector<std::u16string> types;
  int32_t selectedType = -1;
  std::map<Win, WindowBounds> bounds;
  std::vector<Win> modalShown;
  int closeRequests = 0;
  int quitRequests = 0;
  std::vector<std::pair<Ctl, bool>> enabledHistory;
  std::vector<std::u16string> log;
};

// Every box shown, in order, with its kind: the open-file dialog by its filter, the folder
// chooser by its instruction, " [files]" if it shows files and " at " its start folder.
struct ShownBox {
  enum Kind { Message, YesNo, Error, OpenFile, ErrorOkCancel, OkCancel, Folder } kind;
  std::u16string text;
};

class ScriptedDialogs : public Dialogs {
 public:
  void ShowMessage(std::u16string_view text) override {
    shown.push_back({ShownBox::Message, std::u16string(text)});
  }
  bool AskYesNo(std::u16string_view text) override {
    shown.push_back({ShownBox::YesNo, std::u16string(text)});
    return Next(yesNoAnswers, false);
  }
  void ShowError(std::u16string_view text) override {
    shown.push_back({ShownBox::Error, std::u16string(text)});
  }
  std::optional<std::u16string> OpenFile(const OpenFileOptions& options) override {
    lastOpenFile = options;
    shown.push_back({ShownBox::OpenFile, options.filter});
    return Next(openFileAnswers, std::optional<std::u16string>{});
  }

  int32_t ErrorOkCancel(std::u16string_view text) override {
    shown.push_back({ShownBox::ErrorOkCancel, std::u16string(text)});
    return Next(okCancelAnswers, 2);
  }
  int32_t AskOkCancel(std::u16string_view text, int32_t kind) override {
    shown.push_back({ShownBox::OkCancel, std::u16string(text)});
    okCancelKinds.push_back(kind);
    return Next(okCancelAnswers, 2);
  }
  std::optional<std::u16string> ChooseFolder(const FolderOptions& options) override {
    shown.push_back({ShownBox::Folder,
                     options.instruction + (options.showFiles ? u" [files]" : u"") +
                         (options.preselected.empty() ? u"" : u" at ") + options.preselected});
    return Next(folderAnswers, std::optional<std::u16string>{});
  }

  // The texts of the boxes of `kind` (of all without one), in order.
  std::vector<std::u16string> Texts(std::optional<ShownBox::Kind> kind = std::nullopt) const {
    std::vector<std::u16string> out;
    for (const ShownBox& b : shown) {
      if (!kind || b.kind == *kind) out.push_back(b.text);
    }
    return out;
  }

  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<std::u16string>> openFileAnswers;
  std::deque<int32_t> okCancelAnswers;  // 1 OK, 2 Cancel; shared by both OK/Cancel boxes
  std::deque<std::optional<std::u16string>> folderAnswers;
  std::vector<int32_t> okCancelKinds;
  std::vector<ShownBox> shown;
  std::optional<OpenFileOptions> lastOpenFile;

 private:
  template <typename T>
  static T Next(std::deque<T>& answers, T fallback) {
    if (answers.empty()) return fallback;
    T answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Records every file the logic asked the shell to open.
class FakeShell : public Shell {
 public:
  struct Call {
    std::u16string file, parameters, folder;
    int32_t show;
  };
  int32_t OpenFile(std::u16string_view file, std::u16string_view parameters,
                   std::u16string_view folder, int32_t show) override {
    calls.push_back(
        {std::u16string(file), std::u16string(parameters), std::u16string(folder), show});
    return result;
  }
  std::vector<Call> calls;
  int32_t result = 42;
};

}  // namespace bnf::test
