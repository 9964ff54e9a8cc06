// Runs the Win32 window layer's checks (under wine in scripts/windows-checks.sh).

#include <cstdlib>
#include <cstring>

#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/suites.h"

// With "--desktop-dpi N" only the desktop scale is checked, for a desktop
// the caller set to N dpi.
int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--desktop-dpi") == 0) {
    wincheck::desktop_scale_checks(std::atoi(argv[2]));
    return wincheck::finish();
  }
  wincheck::window_checks();
  wincheck::lifecycle_checks();
  wincheck::scale_checks();
  wincheck::file_dialog_checks();
  return wincheck::finish();
}
