#pragma once
// The report of a self-checking program (the host and editor checks, the
// window layer's checks under wine): a line for every check that fails, a
// closing count, and an exit code that says whether all held.

#include <cstdio>
#include <string>

namespace selfcheck {

struct Tally {
  int passed = 0;
  int failed = 0;
  bool show_passed = false;  // "ok: what" lines as well, to see how far a crashed run got
};

inline Tally& tally() {
  static Tally counts;
  return counts;
}

// Prints "FAILED: what" (or "ok: what" when passes are shown); returns ok.
inline bool check(bool ok, const std::string& what) {
  Tally& t = tally();
  ++(ok ? t.passed : t.failed);
  if (!ok || t.show_passed) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
  }
  return ok;
}

// Prints "N passed, M failed"; the program's exit code.
inline int finish() {
  const Tally& t = tally();
  std::printf("%d passed, %d failed\n", t.passed, t.failed);
  return t.failed == 0 ? 0 : 1;
}

}  // namespace selfcheck
