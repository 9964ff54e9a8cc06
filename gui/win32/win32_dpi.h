#pragma once
// DPI on Windows. The editor follows its host: a window inherits the DPI
// awareness of the thread that creates it, so the thread takes the host
// window's awareness for that moment and gets its own back afterwards; the
// process's setting is never touched. The newer calls are looked up at run
// time, so the DLL still loads on systems without them.

#include "gui/win32/win32_api.h"

namespace pengui {

// Gives the calling thread the DPI awareness of `window` until the scope
// ends; does nothing where the system has no per-thread awareness.
class DpiAwarenessScope {
public:
  explicit DpiAwarenessScope(HWND window);
  ~DpiAwarenessScope();
  DpiAwarenessScope(const DpiAwarenessScope&) = delete;
  DpiAwarenessScope& operator=(const DpiAwarenessScope&) = delete;

private:
  void* previous_ = nullptr;
};

// Dots per inch the system uses for `window`: the window's own DPI where
// known, else its monitor's, else the screen's (also without a window).
int window_dpi(HWND window);
// 2 from 144 dpi (150 %) up, else 1.
int scale_for_dpi(int dpi);
// The forced scale, else the scale for the window's DPI.
int win32_desktop_scale(HWND window);

}  // namespace pengui
