// What the main window's logic needs of its window: the controls' captions, enabled
// and visible states, the two lists and the log pane. The Win32 view wraps the real
// controls; the test view records the state so every handler runs without a window.
#pragma once

#include <cstdint>
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
  AboutLabel1,  // the about window's first label, which carries the version
};

// The three windows.
enum class Win { Main, About, Help };

// A window's outer rectangle in screen pixels.
struct WindowBounds {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
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

  // The text of the selected family (lbFam); empty when none is selected.
  virtual std::u16string SelectedFamily() const = 0;
  // The type list (lbType): emptied, filled in order, its selected item.
  virtual void ClearTypes() = 0;
  virtual void AddType(std::u16string_view type) = 0;
  virtual int32_t TypeCount() const = 0;
  virtual std::optional<std::u16string> SelectedType() const = 0;

  virtual WindowBounds Bounds(Win window) const = 0;
  virtual void SetPosition(Win window, int32_t left, int32_t top) = 0;
  // Shows the about or help window modally; returns when it is closed.
  virtual void ShowModal(Win window) = 0;

  // Closes the main window the normal way (its closing handler runs, then the
  // application ends).
  virtual void Close() = 0;
  // Ends the application without the closing handler (the message loop stops).
  virtual void Quit() = 0;
};

}  // namespace bnf
