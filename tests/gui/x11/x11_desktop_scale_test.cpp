#include <gtest/gtest.h>

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
      {"Xft.dpi:\t143.9\n", 1},
      {"Xft.dpi:\t144\n", 2},
      {"Xcursor.size:\t24\nXft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n", 2},
      {"Xft.dpi:\tlarge\n", 1},
      {"MyXft.dpi:\t192\n", 1},  // the key must start a line
  };
  for (const auto& c : cases)
    EXPECT_EQ(scale_from_x_resources(c.resources), c.scale) << (c.resources ? c.resources : "(null)");
}

}  // namespace
}  // namespace pengui
