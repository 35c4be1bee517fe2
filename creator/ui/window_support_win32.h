// Building blocks of the tool's three windows: a window class whose procedure reaches
// its C++ object, DPI scaling of a layout drawn at 96 DPI, fonts, the panel control, the
// keyboard focus kept across activations, and the modal loop of the about and help
// windows. No exception may leave a window procedure; the one here stops them all.
#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "creator/main_view.h"
#include "platform/win32/unique_resource.h"

namespace bnf::win32 {

// A control's place in its parent's client area, in pixels at 96 DPI.
struct DesignRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

int ScaleToDpi(int value, UINT dpi);
// The DPI the window is drawn at: its monitor's where the system scales per monitor,
// else the screen's.
UINT DpiOfWindow(HWND window);

struct FontTraits {
  using Type = HFONT;
  static Type Invalid() noexcept { return nullptr; }
  static void Release(Type font) noexcept { ::DeleteObject(font); }
};
using UniqueFont = UniqueResource<FontTraits>;

// A font whose characters are `pixelHeight` pixels high at 96 DPI (the em height, not
// the cell), scaled to `dpi`, in the ANSI character set.
UniqueFont MakeFont(const wchar_t* face, int pixelHeight, bool italic, UINT dpi);

void PlaceControl(HWND control, const DesignRect& rect, UINT dpi);
void SetControlFont(HWND control, HFONT font);

// Sizes `window` so that its client area is `width` x `height` pixels, keeping its
// place. Measured after a first try, since a menu bar may take more than one row.
void SetClientSize(HWND window, int width, int height);

std::u16string TextOf(HWND window);
void SetTextOf(HWND window, std::u16string_view text);

// A window's outer rectangle in screen pixels, and moving it without resizing.
WindowBounds OuterBounds(HWND window);
void MoveOuter(HWND window, int32_t left, int32_t top);
// The place of `window` moved the least so that it lies inside `area`: unchanged when
// it already does; an edge that cannot fit keeps the area's left or top edge.
WindowBounds FitInto(const WindowBounds& window, const WindowBounds& area);
// MoveOuter, but a place not wholly inside a monitor's work area goes into the work
// area of the monitor nearest to it.
void MoveOuterIntoWorkArea(HWND window, int32_t left, int32_t top);

// A C++ object behind a window of a class registered through RegisterWindowClass: the
// object is linked to its window at WM_NCCREATE and gets every later message. The
// window is destroyed with the object at the latest.
class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  // Null before creation and after destruction.
  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers the class once per process; false when the system refuses it.
  static bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, int background);
  // Makes the window at (left, top) without a size (its WM_CREATE lays it out); false
  // when it could not be made (GetLastError tells why).
  bool CreateFor(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                 int left, int top, HWND owner, HMENU menu, HINSTANCE instance);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

// Lets Tab and Shift+Tab move the focus out of a multi-line edit control, as in the rest
// of the window; the control would otherwise take every key, Tab included.
void LetTabLeave(HWND edit);

// Gives the keyboard focus back to the control that had it when the window was last
// deactivated, or to the first control in tab order.
class FocusKeeper {
 public:
  // For WM_ACTIVATE; true when it placed the focus (the message is then handled).
  bool OnActivate(HWND window, WPARAM wParam);

 private:
  HWND last_ = nullptr;
};

// The panel: a flat child window with its text drawn centred, which passes its
// children's notifications to its own parent. Registered once per process.
bool RegisterPanelClass(HINSTANCE instance);
HWND CreatePanel(HWND parent, int id, HINSTANCE instance);

// A window shown modally to its owner: the owner is disabled, a message loop runs until
// EndModal, then the owner is enabled again and the window hidden. It keeps its state
// between showings.
class ModalWindow : public Window {
 public:
  void ShowModal();

 protected:
  void EndModal() { done_ = true; }

 private:
  bool done_ = false;
  bool running_ = false;
};

}  // namespace bnf::win32
