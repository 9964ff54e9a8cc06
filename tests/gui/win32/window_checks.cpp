// The editor in a host window: what it shows, and mouse, wheel and key
// messages reaching its widgets.

#include <cstdlib>
#include <string>

#include "gui/win32/win32_window_class.h"
#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/editor_fixture.h"
#include "tests/gui/win32/suites.h"

namespace wincheck {

namespace {

void open_and_draw_checks() {
  for (const int scale : {1, 2}) {
    const std::string at = " at scale " + std::to_string(scale);
    TestHostWindow host(1900, 1000);
    Editor editor;
    editor.window.set_scale(scale);
    check(editor.window.open(host.parent()), "the editor opens in a host window" + at);
    const HWND child = editor.hwnd();
    RECT client{};
    GetClientRect(child, &client);
    check(child && GetParent(child) == host.hwnd() && (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD),
          "the editor is a child window of the host's" + at);
    check(client.right == 900 * scale && client.bottom == 446 * scale,
          "the child's client area is " + std::to_string(900 * scale) + " x " + std::to_string(446 * scale) + at);
    wchar_t name[128] = {};
    GetClassNameW(child, name, 128);
    check(std::wstring(name) == pengui::editor_class_name(), "the child has the module's own window class" + at);
    editor.window.idle();
    check(editor.window.buffer().pixel(110 * scale, 110 * scale) == 0xFF8000u && editor.shows_buffer_soon(),
          "the window shows the rendering buffer pixel for pixel" + at);
  }
}

void tick_checks() {
  TestHostWindow host(1000, 500);
  Editor editor;
  editor.window.open(host.parent());
  editor.window.idle();
  editor.shows_buffer_soon();
  // No idle calls from here on: only the window's own timer drives things.
  editor.probe.colour = 0x11EE22;
  editor.probe.invalidate();
  const int id = editor.window.start_timer(0.02, &editor.probe);
  const bool repainted = pump_until([&] {
    return read_back(editor.hwnd(), 900, 446)[static_cast<std::size_t>(230) * 900 + 450] == 0x11EE22u;
  });
  check(repainted, "a changed widget shows through the window's timer, without idle calls");
  pump_messages(300);
  check(editor.probe.ticks >= 5, "toolkit timers fire from the window's timer (" + std::to_string(editor.probe.ticks) +
                                     " ticks of 20 ms in 300 ms)");
  editor.window.stop_timer(id);
}

void mouse_checks() {
  TestHostWindow host(1000, 500);
  Editor editor;
  editor.window.open(host.parent());
  editor.window.idle();
  const HWND child = editor.hwnd();

  editor.post_click(240, 315);
  check(pump_until([&] { return editor.button_listener.values.size() == 2; }) &&
            editor.button_listener.values[0] == pengui::PushButton::kPressValue &&
            editor.button_listener.values[1] == pengui::PushButton::kClickValue,
        "a posted click presses and clicks a push button");
  check(GetCapture() == nullptr, "the system capture ends with the release");

  // A plain press holds the mouse: moves outside the window still arrive.
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, editor.client_lparam(410, 210));
  pump_messages(50);
  check(GetCapture() == child, "a press captures the mouse for the editor");
  PostMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-30), static_cast<WORD>(-20)));
  PostMessageW(child, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-30), static_cast<WORD>(-20)));
  check(pump_until([&] { return editor.probe.saw("up -30,-20"); }) && editor.probe.saw("at -30,-20"),
        "moves and the release outside the window reach the pressed widget");
  check(GetCapture() == nullptr, "the capture ends at the release");

  // Relative capture: the cursor hides, movement arrives as steps and the
  // cursor goes back to where the press was.
  editor.probe.log.clear();
  editor.probe.capture_relative = true;
  const int shown = cursor_display_count();
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, editor.client_lparam(450, 230));
  pump_until([&] { return editor.probe.saw("down 450,230"); });
  check(cursor_display_count() == shown - 1 && GetCapture() == child,
        "relative capture hides the cursor once and holds the mouse");
  PostMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, editor.client_lparam(462, 223));
  check(pump_until([&] { return editor.probe.saw("move 12,-7"); }), "relative capture reports the movement (+12, -7)");
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(child, &cursor);
  check(cursor.x == 450 && cursor.y == 230, "the cursor is held at the press position (" + std::to_string(cursor.x) +
                                               ", " + std::to_string(cursor.y) + ")");
  PostMessageW(child, WM_LBUTTONUP, 0, editor.client_lparam(450, 230));
  pump_until([&] { return editor.probe.saw("up 450,230"); });
  check(cursor_display_count() == shown && GetCapture() == nullptr,
        "the release shows the cursor again and frees the mouse");
  editor.probe.capture_relative = false;

  // Another window taking the mouse ends a drag as a release would.
  editor.probe.log.clear();
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, editor.client_lparam(420, 220));
  pump_until([&] { return GetCapture() == child; });
  SetCapture(host.hwnd());
  pump_messages(30);
  check(editor.probe.saw("up 420,220"), "a capture taken by the host ends the drag with a release");
  ReleaseCapture();

  editor.probe.log.clear();
  const LPARAM at = screen_lparam(child, 450, 230);
  PostMessageW(child, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), at);
  PostMessageW(child, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), at);
  PostMessageW(child, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), at);
  PostMessageW(child, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), at);
  pump_until([&] { return editor.probe.log.size() >= 3; }, 500);
  const std::vector<std::string> wheel{"wheel 2", "wheel 1", "wheel -1"};
  check(editor.probe.log == wheel, "the wheel gives whole steps, halves added up, downward negative");
}

void key_checks() {
  TestHostWindow host(1000, 500);
  Editor editor;
  editor.window.open(host.parent());
  editor.window.idle();
  const HWND child = editor.hwnd();
  editor.post_click(450, 230);
  pump_until([&] { return editor.window.focus() == &editor.probe; });
  check(GetFocus() == child && editor.window.focus() == &editor.probe, "a click gives the editor the keyboard");
  editor.probe.log.clear();
  auto post_key = [&](WPARAM vk) {
    const LPARAM lparam = 1 | (static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC)) << 16);
    PostMessageW(child, WM_KEYDOWN, vk, lparam);
    PostMessageW(child, WM_KEYUP, vk, lparam | (static_cast<LPARAM>(3) << 30));
  };
  // One key at a time, as typing comes: the host's TranslateMessage queues
  // a key's characters behind whatever is already waiting.
  post_key(VK_LEFT);
  post_key('A');
  pump_messages(30);
  PostMessageW(child, WM_CHAR, 0x20AC, 1);
  PostMessageW(child, WM_CHAR, 0xD83D, 1);
  PostMessageW(child, WM_CHAR, 0xDE00, 1);
  pump_messages(30);
  post_key(VK_RETURN);
  pump_until([&] { return editor.probe.saw("key enter"); });
  const std::vector<std::string> keys{"key left", "char 97", "char 8364", "char 128512", "key enter"};
  std::string seen;
  for (const std::string& k : editor.probe.log) seen += k + "; ";
  check(editor.probe.log == keys, "keys and text reach the focused widget (arrow, typed a, euro, a surrogate pair, enter): " + seen);
  post_key(VK_ESCAPE);
  check(pump_until([&] {
          for (WPARAM k : host.keys_down())
            if (k == VK_ESCAPE) return true;
          return false;
        }),
        "a key the editor does not use goes on to the host's window");
}

}  // namespace

void window_checks() {
  open_and_draw_checks();
  tick_checks();
  mouse_checks();
  key_checks();
}

}  // namespace wincheck
