#pragma once
// The groups of checks that main() runs in turn.

namespace wincheck {

void window_checks();
void lifecycle_checks();
void scale_checks();
// The scale taken from a desktop set to `dpi` (wine's LogPixels).
void desktop_scale_checks(int dpi);
void file_dialog_checks();

}  // namespace wincheck
