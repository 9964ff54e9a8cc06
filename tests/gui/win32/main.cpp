// Runs the Win32 window layer's checks (under wine in scripts/windows-checks.sh).

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/gui/win32/checks.h"

namespace wincheck {

namespace {
int passed = 0;
int failed = 0;
}  // namespace

bool check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  std::fflush(stdout);
  ++(ok ? passed : failed);
  return ok;
}

}  // namespace wincheck

// With "--desktop-dpi N" only the desktop scale is checked, for a desktop
// the caller set to N dpi.
int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--desktop-dpi") == 0) {
    wincheck::desktop_scale_checks(std::atoi(argv[2]));
  } else {
    wincheck::window_checks();
    wincheck::lifecycle_checks();
    wincheck::desktop_scale_checks(96);
  }
  std::printf("%d passed, %d failed\n", wincheck::passed, wincheck::failed);
  return wincheck::failed == 0 ? 0 : 1;
}
