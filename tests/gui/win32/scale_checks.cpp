// The desktop scale and DPI awareness: the editor takes its host window's
// awareness, leaves the thread's and the process's as they were, and
// ZINDLE_GUI_SCALE forces the scale.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "gui/win32/win32_dpi.h"
#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/editor_fixture.h"
#include "tests/gui/win32/suites.h"

namespace wincheck {

namespace {

using Context = void*;
using GetThreadContextFn = Context(WINAPI*)();
using SetThreadContextFn = Context(WINAPI*)(Context);
using GetWindowContextFn = Context(WINAPI*)(HWND);
using ContextsEqualFn = BOOL(WINAPI*)(Context, Context);
using AwarenessFn = int(WINAPI*)(Context);

template <typename Fn>
Fn user32_call(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

const Context kUnaware = reinterpret_cast<Context>(-1);
const Context kPerMonitorAware = reinterpret_cast<Context>(-3);

void dpi_table_checks() {
  struct Case {
    int dpi;
    int scale;
  };
  bool all = true;
  for (const Case c : {Case{96, 1}, Case{120, 1}, Case{143, 1}, Case{144, 2}, Case{192, 2}, Case{288, 2}})
    all = all && pengui::scale_for_dpi(c.dpi) == c.scale;
  check(all, "scale 1 below 144 dpi, 2 from 144 dpi (96, 120, 143, 144, 192, 288)");
}

void forced_scale_checks() {
  TestHostWindow host(1000, 500);
  Editor editor;
  editor.window.open(host.parent());
  const int from_desktop = editor.window.desktop_scale();
  _putenv("ZINDLE_GUI_SCALE=2");
  const int forced_two = editor.window.desktop_scale();
  _putenv("ZINDLE_GUI_SCALE=1");
  const int forced_one = editor.window.desktop_scale();
  _putenv("ZINDLE_GUI_SCALE=3");
  const int ignored = editor.window.desktop_scale();
  _putenv("ZINDLE_GUI_SCALE=");
  check(forced_two == 2 && forced_one == 1 && ignored == from_desktop,
        "ZINDLE_GUI_SCALE=2 and =1 force the scale, other values leave the desktop's (" + std::to_string(from_desktop) +
            ")");
}

void awareness_checks() {
  const auto get_thread = user32_call<GetThreadContextFn>("GetThreadDpiAwarenessContext");
  const auto set_thread = user32_call<SetThreadContextFn>("SetThreadDpiAwarenessContext");
  const auto get_window = user32_call<GetWindowContextFn>("GetWindowDpiAwarenessContext");
  const auto equal = user32_call<ContextsEqualFn>("AreDpiAwarenessContextsEqual");
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
    check(editor.hwnd() && equal(get_window(editor.hwnd()), get_window(host.hwnd())),
          "the editor takes the awareness of " + which);
    check(equal(get_thread(), thread_before), "the thread's awareness is unchanged after opening in " + which);
    editor.window.close();
    set_thread(before);
  }
  check(IsProcessDPIAware() == process_aware, "the process's DPI awareness is never changed");
}

// What the editor should take from a desktop at `dpi`: a DPI-aware host
// gets pixels at that density, an unaware one is scaled by the system.
struct DesktopCase {
  int dpi;
  int aware_scale;
  int unaware_scale;
};
constexpr DesktopCase kDesktops[] = {{96, 1, 1}, {120, 1, 1}, {144, 2, 1}, {192, 2, 1}};

}  // namespace

void scale_checks() {
  dpi_table_checks();
  forced_scale_checks();
  awareness_checks();
  desktop_scale_checks(96);
}

void desktop_scale_checks(int dpi) {
  const auto set_thread = user32_call<SetThreadContextFn>("SetThreadDpiAwarenessContext");
  const DesktopCase* expected = nullptr;
  for (const DesktopCase& c : kDesktops)
    if (c.dpi == dpi) expected = &c;
  if (!set_thread || !expected) {
    check(expected != nullptr, "a desktop of " + std::to_string(dpi) + " dpi is among the known cases");
    return;
  }
  const std::string at = " on a " + std::to_string(dpi) + " dpi desktop";
  for (const bool aware : {true, false}) {
    const Context before = set_thread(aware ? kPerMonitorAware : kUnaware);
    const int wanted = aware ? expected->aware_scale : expected->unaware_scale;
    const std::string host = aware ? "a DPI-aware host" : "a DPI-unaware host";
    TestHostWindow window(1000, 500);
    if (aware)
      check(pengui::window_dpi(window.hwnd()) == dpi, "an aware host window sees " + std::to_string(dpi) + " dpi" + at);
    Editor editor;
    std::unique_ptr<pengui::NativeWindow> unopened = pengui::make_native_window(editor.window);
    const int before_open = unopened->desktop_scale();
    editor.window.open(window.parent());
    const int open_scale = editor.window.desktop_scale();
    check(before_open == wanted && open_scale == wanted,
          "scale " + std::to_string(wanted) + " for " + host + at + ", asked before and after opening (" +
              std::to_string(before_open) + ", " + std::to_string(open_scale) + ")");
    editor.window.close();
    set_thread(before);
  }
}

}  // namespace wincheck
