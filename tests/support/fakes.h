// Test doubles for the main window's view and the modal dialogs: the view records
// control state, the dialogs answer from a script and record every text shown.
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
  struct State {
    std::u16string caption;
    bool enabled = true;
    bool visible = true;
  };

  void SetCaption(Ctl c, std::u16string_view caption) override {
    controls[c].caption = std::u16string(caption);
  }
  std::u16string Caption(Ctl c) const override { return Get(c).caption; }
  void SetEnabled(Ctl c, bool enabled) override {
    controls[c].enabled = enabled;
    enabledHistory.push_back({c, enabled});
  }
  bool Enabled(Ctl c) const override { return Get(c).enabled; }
  void SetVisible(Ctl c, bool visible) override { controls[c].visible = visible; }
  bool Visible(Ctl c) const override { return Get(c).visible; }
  void AddLogLine(std::u16string_view line) override { log.emplace_back(line); }

  std::map<Ctl, State> controls;
  std::vector<std::pair<Ctl, bool>> enabledHistory;
  std::vector<std::u16string> log;

 private:
  State Get(Ctl c) const {
    auto it = controls.find(c);
    return it == controls.end() ? State{} : it->second;
  }
};

// Every box shown, in order, with its kind.
struct ShownBox {
  enum Kind { Message, YesNo, Error, OpenFile } kind;
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

  std::vector<std::u16string> Texts(ShownBox::Kind kind) const {
    std::vector<std::u16string> out;
    for (const ShownBox& b : shown) {
      if (b.kind == kind) out.push_back(b.text);
    }
    return out;
  }

  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<std::u16string>> openFileAnswers;
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

}  // namespace bnf::test
