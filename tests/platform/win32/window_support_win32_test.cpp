// The place a stored window position is moved to so that the window lies in a work area.
#include <gtest/gtest.h>

#include "creator/ui/window_support_win32.h"

namespace bnf::win32 {
namespace {

TEST(FitInto, KeepsAFittingPlaceAndMovesTheRestTheLeast) {
  const WindowBounds area{-1280, 0, 1280, 994};  // a second monitor, left of the first
  struct Case {
    WindowBounds window;
    int32_t left;
    int32_t top;
  };
  const Case cases[] = {
      {{-1280, 0, 570, 360}, -1280, 0},     // at the top left corner: stays
      {{-570, 634, 570, 360}, -570, 634},   // at the bottom right corner: stays
      {{-1281, -1, 570, 360}, -1280, 0},    // one pixel out to the left and top
      {{-569, 635, 570, 360}, -570, 634},   // one pixel out to the right and bottom
      {{100, 5000, 570, 360}, -570, 634},   // far off below and to the right
      {{-900, 100, 1400, 1200}, -1280, 0},  // larger than the area: its left top corner
  };
  for (const Case& c : cases) {
    const WindowBounds got = FitInto(c.window, area);
    EXPECT_EQ(c.left, got.left) << c.window.left << "," << c.window.top;
    EXPECT_EQ(c.top, got.top) << c.window.left << "," << c.window.top;
    EXPECT_EQ(c.window.width, got.width);
    EXPECT_EQ(c.window.height, got.height);
  }
}

}  // namespace
}  // namespace bnf::win32
