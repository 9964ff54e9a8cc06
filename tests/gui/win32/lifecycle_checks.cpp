// Opening and closing as hosts do it: repeated cycles, two editors at once,
// and the host destroying its window before closing the editor.

#include <memory>
#include <string>

#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/editor_fixture.h"

namespace wincheck {

namespace {

void reopen_checks() {
  TestHostWindow host(1000, 500);
  Editor editor;
  check(!editor_class_registered(), "no window class is registered before the first editor opens");
  int right = 0;
  for (int cycle = 0; cycle < 5; ++cycle) {
    editor.window.idle();  // hosts call idle before open and after close
    editor.window.open(host.parent());
    editor.window.open(host.parent());  // and open twice
    const HWND child = editor.hwnd();
    const bool registered = editor_class_registered();
    editor.window.idle();
    const bool shown = editor.shows_buffer_soon();
    editor.window.close();
    editor.window.close();
    pump_messages(5);
    right += child && registered && shown && !editor_class_registered() && !IsWindow(child);
  }
  check(right == 5, "over 5 open/close cycles the window shows the buffer, is destroyed by close, and the class "
                    "exists exactly while it does (" + std::to_string(right) + " cycles right)");
}

void two_editor_checks() {
  TestHostWindow host_a(1000, 500, 0, 0);
  TestHostWindow host_b(1000, 500, 0, 560);
  Editor a;
  Editor b;
  b.probe.colour = 0x00FFFF;
  check(a.window.open(host_a.parent()) && b.window.open(host_b.parent()) && a.hwnd() != b.hwnd(),
        "two editors open at once, each in its own window");
  a.window.idle();
  b.window.idle();
  check(a.shows_buffer_soon() && b.shows_buffer_soon(), "each of two editors shows its own buffer");
  a.window.close();
  b.post_click(240, 315);
  check(editor_class_registered() && pump_until([&] { return b.button_listener.values.size() == 2; }),
        "closing one of two editors keeps the class, and the other still takes clicks");
  b.window.close();
  check(!editor_class_registered(), "closing the last editor unregisters the class");
}

void parent_destroyed_checks() {
  TestHostWindow host(1000, 500);
  Editor editor;
  auto doomed = std::make_unique<TestHostWindow>(1000, 500, 0, 560);
  editor.window.open(doomed->parent());
  editor.window.idle();
  const HWND child = editor.hwnd();
  // The host goes away in the middle of a relative drag.
  editor.probe.capture_relative = true;
  const int shown = cursor_display_count();
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, editor.client_lparam(450, 230));
  pump_until([&] { return editor.window.captured() == &editor.probe; });
  doomed->destroy();
  check(!IsWindow(child) && !editor.window.is_open() && cursor_display_count() == shown &&
            editor.window.captured() == nullptr,
        "destroying the parent mid-drag leaves the editor closed, the drag ended and the cursor shown");
  editor.window.idle();
  editor.window.close();
  check(!editor_class_registered(), "close after the parent died releases the class");
  editor.probe.capture_relative = false;
  editor.window.open(host.parent());
  editor.window.idle();
  check(editor.shows_buffer_soon(), "the editor opens again in another host window and shows its buffer");
}

}  // namespace

void lifecycle_checks() {
  reopen_checks();
  two_editor_checks();
  parent_destroyed_checks();
}

}  // namespace wincheck
