// Runs the Win32 window layer's checks (under wine in scripts/windows-checks.sh).

#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/suites.h"

int main() {
  wincheck::window_checks();
  wincheck::lifecycle_checks();
  wincheck::scale_checks();
  wincheck::file_dialog_checks();
  return wincheck::finish();
}
