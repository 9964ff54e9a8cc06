#pragma once
// A minimal self-checking report (one line per check, a closing count, an
// exit code that says whether all held) and the groups of checks main() runs.

#include <string>

namespace wincheck {

// Prints "ok: what" or "FAILED: what"; returns ok.
bool check(bool ok, const std::string& what);

void window_checks();
void lifecycle_checks();
// The scale taken from a desktop set to `dpi` (wine's LogPixels).
void desktop_scale_checks(int dpi);

}  // namespace wincheck
