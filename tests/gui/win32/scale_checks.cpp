// The desktop scale: a DPI-aware host gets pixels at the desktop's density,
// an unaware one is scaled by the system. The forced scale is shared with
// the other window layers and checked there.

#include <memory>
#include <string>

#include "gui/win32/win32_dpi.h"
#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/editor_fixture.h"

namespace wincheck {

void desktop_scale_checks(int dpi) {
  using Context = void*;
  const auto set_thread = reinterpret_cast<Context(WINAPI*)(Context)>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
  if (!set_thread) return;
  const Context kUnaware = reinterpret_cast<Context>(-1);
  const Context kPerMonitorAware = reinterpret_cast<Context>(-3);
  const std::string at = " on a " + std::to_string(dpi) + " dpi desktop";
  for (const bool aware : {true, false}) {
    const Context before = set_thread(aware ? kPerMonitorAware : kUnaware);
    const int wanted = aware ? pengui::scale_for_dpi(dpi) : 1;
    TestHostWindow window(1000, 500);
    if (aware)
      check(pengui::window_dpi(window.hwnd()) == dpi, "a DPI-aware host window reports the desktop's density" + at);
    Editor editor;
    const int before_open = pengui::make_native_window(editor.window)->desktop_scale();
    editor.window.open(window.parent());
    const int open_scale = editor.window.desktop_scale();
    check(before_open == wanted && open_scale == wanted,
          "scale " + std::to_string(wanted) + " for a DPI-" + (aware ? "aware" : "unaware") + " host" + at +
              ", asked before and after opening (" + std::to_string(before_open) + ", " + std::to_string(open_scale) +
              ")");
    editor.window.close();
    set_thread(before);
  }
}

}  // namespace wincheck
