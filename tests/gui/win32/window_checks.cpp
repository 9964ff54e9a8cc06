// The editor in a host window: what it shows, a click, and a relative drag.

#include <string>

#include "gui/win32/win32_window_class.h"
#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/editor_fixture.h"

namespace wincheck {

// The 1x picture is compared through the plug-in by zindle-editorcheck.
void window_checks() {
  TestHostWindow host(1900, 1000);
  Editor editor;
  editor.window.set_scale(2);
  check(editor.window.open(host.parent()), "the editor opens in a host window at scale 2");
  const HWND scaled = editor.hwnd();
  RECT client{};
  GetClientRect(scaled, &client);
  wchar_t name[128] = {};
  GetClassNameW(scaled, name, 128);
  check(GetParent(scaled) == host.hwnd() && (GetWindowLongPtrW(scaled, GWL_STYLE) & WS_CHILD) &&
            std::wstring(name) == pengui::editor_class_name() && client.right == 1800 && client.bottom == 892,
        "the editor is an 1800 x 892 child window of the host's, of the module's own class");
  editor.window.idle();
  check(editor.window.buffer().pixel(220, 220) == 0xFF8000u && editor.shows_buffer_soon(),
        "the window shows the rendering buffer pixel for pixel");

  // Input at scale 1, where client pixels are the widgets' own.
  editor.window.close();
  editor.window.set_scale(1);
  editor.window.open(host.parent());
  editor.window.idle();
  const HWND child = editor.hwnd();
  editor.post_click(240, 315);
  check(pump_until([&] { return editor.button_listener.values.size() == 2; }) &&
            editor.button_listener.values[1] == pengui::PushButton::kClickValue && GetCapture() == nullptr,
        "a posted click clicks a push button and the capture ends with the release");

  // Relative capture: the cursor hides, movement arrives as steps and the
  // cursor goes back to where the press was.
  Probe& probe = editor.probe;
  probe.capture_relative = true;
  const int shown = cursor_display_count();
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, editor.client_lparam(450, 230));
  pump_until([&] { return probe.saw("down 450,230"); });
  check(cursor_display_count() == shown - 1 && GetCapture() == child,
        "relative capture hides the cursor once and holds the mouse");
  PostMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, editor.client_lparam(462, 223));
  POINT cursor{};
  check(pump_until([&] {
          GetCursorPos(&cursor);
          ScreenToClient(child, &cursor);
          return probe.saw("move 12,-7") && cursor.x == 450 && cursor.y == 230;
        }),
        "relative capture reports the movement (+12, -7) and holds the cursor at the press (" +
            std::to_string(cursor.x) + ", " + std::to_string(cursor.y) + ")");
  PostMessageW(child, WM_LBUTTONUP, 0, editor.client_lparam(450, 230));
  pump_until([&] { return probe.saw("up 450,230"); });
  check(cursor_display_count() == shown && GetCapture() == nullptr,
        "the release shows the cursor again and frees the mouse");
}

}  // namespace wincheck
