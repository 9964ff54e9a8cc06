#include "gui/win32/win32_dpi.h"

#include "gui/desktop_scale.h"

namespace pengui {

namespace {

constexpr int kStandardDpi = 96;
constexpr int kDoubleScaleDpi = 144;
constexpr int kMonitorDpiEffective = 0;  // MDT_EFFECTIVE_DPI

// DPI_AWARENESS_CONTEXT is a handle; older headers do not know the type.
using AwarenessContext = void*;
using GetWindowDpiAwarenessContextFn = AwarenessContext(WINAPI*)(HWND);
using SetThreadDpiAwarenessContextFn = AwarenessContext(WINAPI*)(AwarenessContext);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <typename Fn>
Fn look_up(HMODULE module, const char* name) {
  if (!module) return nullptr;
  // Through the generic function type, which converts to any other.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct DpiCalls {
  GetWindowDpiAwarenessContextFn get_window_context = nullptr;
  SetThreadDpiAwarenessContextFn set_thread_context = nullptr;
  GetDpiForWindowFn dpi_for_window = nullptr;
  GetDpiForMonitorFn dpi_for_monitor = nullptr;
};

const DpiCalls& dpi_calls() {
  static const DpiCalls calls = [] {
    DpiCalls c;
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    c.get_window_context = look_up<GetWindowDpiAwarenessContextFn>(user32, "GetWindowDpiAwarenessContext");
    c.set_thread_context = look_up<SetThreadDpiAwarenessContextFn>(user32, "SetThreadDpiAwarenessContext");
    c.dpi_for_window = look_up<GetDpiForWindowFn>(user32, "GetDpiForWindow");
    if (!c.dpi_for_window) {
      // Windows 8.1 has monitor DPI only; the library stays loaded with the process.
      c.dpi_for_monitor = look_up<GetDpiForMonitorFn>(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor");
    }
    return c;
  }();
  return calls;
}

}  // namespace

DpiAwarenessScope::DpiAwarenessScope(HWND window) {
  const DpiCalls& calls = dpi_calls();
  if (!window || !calls.get_window_context || !calls.set_thread_context) return;
  if (AwarenessContext wanted = calls.get_window_context(window)) previous_ = calls.set_thread_context(wanted);
}

DpiAwarenessScope::~DpiAwarenessScope() {
  if (previous_) dpi_calls().set_thread_context(previous_);
}

int window_dpi(HWND window) {
  const DpiCalls& calls = dpi_calls();
  if (window && calls.dpi_for_window) {
    const UINT dpi = calls.dpi_for_window(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  if (window && calls.dpi_for_monitor) {
    UINT x = 0, y = 0;
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    if (SUCCEEDED(calls.dpi_for_monitor(monitor, kMonitorDpiEffective, &x, &y)) && y > 0) return static_cast<int>(y);
  }
  // Without a window (the host asks before opening): the screen as this
  // thread's awareness sees it, which is the host's.
  int dpi = 0;
  if (HDC dc = GetDC(window)) {
    dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
  }
  return dpi > 0 ? dpi : kStandardDpi;
}

int scale_for_dpi(int dpi) { return dpi >= kDoubleScaleDpi ? 2 : 1; }

int win32_desktop_scale(HWND window) {
  if (const int forced = forced_gui_scale()) return forced;
  return scale_for_dpi(window_dpi(window));
}

}  // namespace pengui
