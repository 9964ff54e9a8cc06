#pragma once
// What a window shows, read back from the screen as a host's capture sees
// it: the check that an editor really drew into its window.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace selfcheck {

// The top-left `width` x `height` pixels of `window` as 0x00RRGGBB, rows
// from the top; empty when the system gives no bitmap.
std::vector<uint32_t> read_window_pixels(HWND window, int width, int height);

}  // namespace selfcheck
