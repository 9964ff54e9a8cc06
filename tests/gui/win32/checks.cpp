#include "tests/gui/win32/checks.h"

#include <cstdio>

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

int finish() {
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace wincheck
