#pragma once
// The groups of checks main() runs, each reporting through the tools'
// self-check report (every check shown, one line each).

#include "tools/selfcheck/check_report.h"

namespace wincheck {

using selfcheck::check;

void window_checks();
void lifecycle_checks();
// The scale taken from a desktop set to `dpi` (wine's LogPixels).
void desktop_scale_checks(int dpi);

}  // namespace wincheck
