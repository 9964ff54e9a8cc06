// Opening and closing as hosts do it: many cycles, two editors at once,
// and the host destroying its window before closing the editor.

#include <memory>
#include <string>

#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/editor_fixture.h"
#include "tests/gui/win32/suites.h"

namespace wincheck {

namespace {

void reopen_checks() {
  TestHostWindow host(1000, 500);
  Editor editor;
  check(!editor_class_registered(), "no window class is registered before the first editor opens");
  int registered_while_open = 0, gone_after_close = 0, destroyed = 0, shown = 0;
  for (int cycle = 0; cycle < 20; ++cycle) {
    editor.window.idle();  // hosts call idle before open and after close
    editor.window.open(host.parent());
    editor.window.open(host.parent());  // and open twice
    const HWND child = editor.hwnd();
    if (editor_class_registered() && child) ++registered_while_open;
    editor.window.idle();
    if (cycle % 5 == 0 && editor.shows_buffer_soon()) ++shown;
    editor.window.close();
    editor.window.close();
    pump_messages(5);
    if (!editor_class_registered()) ++gone_after_close;
    if (!IsWindow(child)) ++destroyed;
  }
  check(registered_while_open == 20 && gone_after_close == 20,
        "over 20 open/close cycles the class exists exactly while a window does (" +
            std::to_string(registered_while_open) + " open, " + std::to_string(gone_after_close) + " closed)");
  check(destroyed == 20, "each close destroys the child window");
  check(shown == 4, "each reopened window shows the buffer");
}

void two_editor_checks() {
  TestHostWindow host_a(1000, 500, 0, 0);
  TestHostWindow host_b(1000, 500, 0, 560);
  Editor a;
  Editor b(0x00FFFFu);
  check(a.window.open(host_a.parent()) && b.window.open(host_b.parent()) && a.hwnd() != b.hwnd(),
        "two editors open at once, each in its own window");
  a.window.idle();
  b.window.idle();
  check(a.shows_buffer_soon() && b.shows_buffer_soon() && a.window.buffer().pixel(110, 110) != b.window.buffer().pixel(110, 110),
        "each of two editors shows its own buffer");
  a.window.close();
  check(editor_class_registered(), "closing one of two editors keeps the class for the other");
  b.post_click(240, 315);
  check(pump_until([&] { return b.button_listener.values.size() == 2; }) && a.button_listener.values.empty(),
        "the remaining editor still takes clicks");
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
  check(!IsWindow(child) && !editor.window.is_open(), "destroying the parent first leaves the editor closed");
  check(cursor_display_count() == shown && editor.window.captured() == nullptr,
        "the cursor is shown again and the drag ends when the parent goes");
  editor.window.idle();
  editor.window.close();
  check(!editor_class_registered(), "close after the parent died releases the class");
  editor.probe.capture_relative = false;
  check(editor.window.open(host.parent()), "the editor opens again in another host window");
  editor.window.idle();
  check(editor.shows_buffer_soon(), "the reopened editor shows its buffer");
  editor.window.close();
}

}  // namespace

void lifecycle_checks() {
  reopen_checks();
  two_editor_checks();
  parent_destroyed_checks();
}

}  // namespace wincheck
