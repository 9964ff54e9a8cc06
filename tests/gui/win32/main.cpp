// Runs the Win32 window layer's checks (under wine in scripts/windows-checks.sh).

#include <cstdlib>
#include <cstring>

#include "tests/gui/win32/checks.h"

// With "--desktop-dpi N" only the desktop scale is checked, for a desktop
// the caller set to N dpi.
int main(int argc, char** argv) {
  selfcheck::tally().show_passed = true;
  if (argc == 3 && std::strcmp(argv[1], "--desktop-dpi") == 0) {
    wincheck::desktop_scale_checks(std::atoi(argv[2]));
  } else {
    wincheck::window_checks();
    wincheck::lifecycle_checks();
    wincheck::desktop_scale_checks(96);
  }
  return selfcheck::finish();
}
