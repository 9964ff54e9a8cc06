#include "gui/linux/x11_desktop_scale.h"

#include "gui/desktop_scale.h"

#include <cstdlib>
#include <cstring>

namespace pengui {

namespace {
constexpr double kDoubleScaleDpi = 144.0;
constexpr const char* kDpiKey = "Xft.dpi:";
}  // namespace

int scale_from_x_resources(const char* resources) {
  if (!resources) return 1;
  // Lines of "name:\tvalue"; the key must start a line.
  for (const char* line = resources; *line;) {
    if (std::strncmp(line, kDpiKey, std::strlen(kDpiKey)) == 0) {
      char* end = nullptr;
      const double dpi = std::strtod(line + std::strlen(kDpiKey), &end);
      if (end == line + std::strlen(kDpiKey)) return 1;
      return dpi >= kDoubleScaleDpi ? 2 : 1;
    }
    const char* next = std::strchr(line, '\n');
    if (!next) break;
    line = next + 1;
  }
  return 1;
}

int x11_desktop_scale(Display* display) {
  if (const int forced = forced_gui_scale()) return forced;
  return display ? scale_from_x_resources(XResourceManagerString(display)) : 1;
}

}  // namespace pengui
