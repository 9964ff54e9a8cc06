#pragma once
// A minimal self-checking report: one line per check, a closing count, an
// exit code that says whether all held.

#include <string>

namespace wincheck {

// Prints "ok: what" or "FAILED: what"; returns ok.
bool check(bool ok, const std::string& what);
// Prints "N passed, M failed"; 0 when nothing failed.
int finish();

}  // namespace wincheck
