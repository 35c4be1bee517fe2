// Services that do nothing: a view without controls and dialogs that answer at once
// (Yes to questions, Cancel otherwise). For running a generation where nobody watches:
// the benchmark and the fuzz targets.
#pragma once

#include <optional>
#include <string>

#include "creator/main_view.h"
#include "platform/platform.h"

namespace bnf::test {

class SilentView : public MainView {
 public:
  void SetCaption(Ctl, std::u16string_view) override {}
  std::u16string Caption(Ctl) const override { return {}; }
  void SetEnabled(Ctl, bool) override {}
  bool Enabled(Ctl) const override { return true; }
  void SetVisible(Ctl, bool) override {}
  bool Visible(Ctl) const override { return true; }
  void AddLogLine(std::u16string_view) override {}
  std::u16string SelectedFamily() const override { return {}; }
  void ClearTypes() override {}
  void AddType(std::u16string_view) override {}
  int32_t TypeCount() const override { return 0; }
  std::optional<std::u16string> SelectedType() const override { return std::nullopt; }
  WindowBounds Bounds(Win) const override { return {}; }
  void SetPosition(Win, int32_t, int32_t) override {}
  void ShowModal(Win) override {}
  void Close() override {}
  void Quit() override {}
};

class SilentDialogs : public Dialogs {
 public:
  void ShowMessage(std::u16string_view) override {}
  bool AskYesNo(std::u16string_view) override { return true; }
  void ShowError(std::u16string_view) override {}
  std::optional<std::u16string> OpenFile(const OpenFileOptions&) override { return std::nullopt; }
  int32_t ErrorOkCancel(std::u16string_view) override { return 2; }
  int32_t AskOkCancel(std::u16string_view, int32_t) override { return 2; }
  std::optional<std::u16string> ChooseFolder(const FolderOptions&) override { return std::nullopt; }
};

}  // namespace bnf::test
