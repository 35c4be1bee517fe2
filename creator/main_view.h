// What the main window's logic needs of its window: the controls' captions, enabled
// and visible states, the two lists and the log pane. The Win32 view wraps the real
// controls; the test view records the state so every handler runs without a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bnf {

// The controls and menu items whose state the logic sets. Form is the window itself
// (its caption is the window title).
enum class Ctl {
  Form,
  lbFam,
  lbType,
  Button1,
  Panel1,
  OpenconvertedPDF1,
  DirectoryforBitNamefiles1,
  ReloadPrivate,
};

class MainView {
 public:
  virtual ~MainView() = default;

  virtual void SetCaption(Ctl control, std::u16string_view caption) = 0;
  virtual std::u16string Caption(Ctl control) const = 0;
  virtual void SetEnabled(Ctl control, bool enabled) = 0;
  virtual bool Enabled(Ctl control) const = 0;
  virtual void SetVisible(Ctl control, bool visible) = 0;
  virtual bool Visible(Ctl control) const = 0;

  // Appends one line to the log pane (Memo3).
  virtual void AddLogLine(std::u16string_view line) = 0;
};

}  // namespace bnf
