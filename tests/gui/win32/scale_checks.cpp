// The desktop scale and DPI awareness: the editor takes its host window's
// awareness and leaves the thread's and the process's as they were. The
// forced scale is shared with the other window layers and checked there.

#include <cstdio>
#include <memory>
#include <string>

#include "gui/win32/win32_dpi.h"
#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/editor_fixture.h"

namespace wincheck {

namespace {

using Context = void*;
using SetThreadContextFn = Context(WINAPI*)(Context);

template <typename Fn>
Fn user32_call(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

const Context kUnaware = reinterpret_cast<Context>(-1);
const Context kPerMonitorAware = reinterpret_cast<Context>(-3);

void awareness_checks() {
  const auto get_thread = user32_call<Context(WINAPI*)()>("GetThreadDpiAwarenessContext");
  const auto set_thread = user32_call<SetThreadContextFn>("SetThreadDpiAwarenessContext");
  const auto get_window = user32_call<Context(WINAPI*)(HWND)>("GetWindowDpiAwarenessContext");
  const auto equal = user32_call<BOOL(WINAPI*)(Context, Context)>("AreDpiAwarenessContextsEqual");
  if (!get_thread || !set_thread || !get_window || !equal) {
    std::printf("note: per-thread DPI awareness is not offered here; nothing to match\n");
    return;
  }
  const BOOL process_aware = IsProcessDPIAware();
  for (const bool host_aware : {true, false}) {
    const std::string which = host_aware ? "a DPI-aware host" : "a DPI-unaware host";
    const Context before = set_thread(host_aware ? kPerMonitorAware : kUnaware);
    TestHostWindow host(1000, 500);
    // The editor is opened from a thread set the other way.
    set_thread(host_aware ? kUnaware : kPerMonitorAware);
    const Context thread_before = get_thread();
    Editor editor;
    editor.window.open(host.parent());
    check(editor.hwnd() && equal(get_window(editor.hwnd()), get_window(host.hwnd())) &&
              equal(get_thread(), thread_before),
          "the editor takes the awareness of " + which + " and leaves the thread's as it was");
    editor.window.close();
    set_thread(before);
  }
  check(IsProcessDPIAware() == process_aware, "the process's DPI awareness is never changed");
}

}  // namespace

void scale_checks() {
  bool all = true;
  const int cases[][2] = {{96, 1}, {143, 1}, {144, 2}, {288, 2}};
  for (const auto& c : cases) all = all && pengui::scale_for_dpi(c[0]) == c[1];
  check(all, "scale 1 below 144 dpi, 2 from 144 dpi (96, 143, 144, 288)");
  awareness_checks();
  desktop_scale_checks(96);
}

// A DPI-aware host gets pixels at the desktop's density, an unaware one is
// scaled by the system.
void desktop_scale_checks(int dpi) {
  const auto set_thread = user32_call<SetThreadContextFn>("SetThreadDpiAwarenessContext");
  if (!set_thread) return;
  const std::string at = " on a " + std::to_string(dpi) + " dpi desktop";
  for (const bool aware : {true, false}) {
    const Context before = set_thread(aware ? kPerMonitorAware : kUnaware);
    const int wanted = aware ? pengui::scale_for_dpi(dpi) : 1;
    TestHostWindow window(1000, 500);
    if (aware) check(pengui::window_dpi(window.hwnd()) == dpi, "an aware host window sees" + at);
    Editor editor;
    const int before_open = pengui::make_native_window(editor.window)->desktop_scale();
    editor.window.open(window.parent());
    const int open_scale = editor.window.desktop_scale();
    check(before_open == wanted && open_scale == wanted,
          "scale " + std::to_string(wanted) + " for a DPI-" + (aware ? "aware" : "unaware") + " host" + at +
              ", asked before and after opening (" + std::to_string(before_open) + ", " +
              std::to_string(open_scale) + ")");
    editor.window.close();
    set_thread(before);
  }
}

}  // namespace wincheck
