#include <gtest/gtest.h>

#include <cstdlib>

#include "gui/desktop_scale.h"
#include "gui/linux/x11_desktop_scale.h"

namespace pengui {
namespace {

TEST(X11DesktopScale, XftDpiFromTheResourceString) {
  struct {
    const char* resources;
    int scale;
  } const cases[] = {
      {nullptr, 1},
      {"", 1},
      {"Xft.dpi:\t96\n", 1},
      {"Xft.dpi:\t143.9\n", 1},
      {"Xft.dpi:\t144\n", 2},
      {"Xcursor.size:\t24\nXft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 2},
      {"Xft.dpi:192", 2},
      {"Xft.dpi:\tlarge\n", 1},
      {"MyXft.dpi:\t192\n", 1},  // the key must start a line
  };
  for (const auto& c : cases)
    EXPECT_EQ(scale_from_x_resources(c.resources), c.scale) << (c.resources ? c.resources : "(null)");
}

TEST(X11DesktopScale, EnvironmentForcesTheScale) {
  struct {
    const char* value;
    int forced;
  } const cases[] = {{"1", 1}, {"2", 2}, {"3", 0}, {"", 0}, {"2x", 0}};
  for (const auto& c : cases) {
    setenv("ZINDLE_GUI_SCALE", c.value, 1);
    EXPECT_EQ(forced_gui_scale(), c.forced) << c.value;
    // Without a display the forced scale, else 1.
    EXPECT_EQ(x11_desktop_scale(nullptr), c.forced ? c.forced : 1) << c.value;
  }
  unsetenv("ZINDLE_GUI_SCALE");
  EXPECT_EQ(forced_gui_scale(), 0);
}

}  // namespace
}  // namespace pengui
