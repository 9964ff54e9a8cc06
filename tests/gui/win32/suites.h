#pragma once
// The groups of checks that main() runs in turn.

namespace wincheck {

void window_checks();
void lifecycle_checks();
void scale_checks();
void file_dialog_checks();

}  // namespace wincheck
