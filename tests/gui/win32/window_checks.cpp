// The editor in a host window: what it shows, and mouse, wheel and key
// messages reaching its widgets.

#include <string>

#include "gui/win32/win32_window_class.h"
#include "tests/gui/win32/checks.h"
#include "tests/gui/win32/editor_fixture.h"

namespace wincheck {

namespace {

// The 1x picture is compared through the plug-in by zindle-editorcheck.
void open_at_double_scale_checks() {
  TestHostWindow host(1900, 1000);
  Editor editor;
  editor.window.set_scale(2);
  check(editor.window.open(host.parent()), "the editor opens in a host window at scale 2");
  const HWND child = editor.hwnd();
  RECT client{};
  GetClientRect(child, &client);
  wchar_t name[128] = {};
  GetClassNameW(child, name, 128);
  check(GetParent(child) == host.hwnd() && (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) &&
            std::wstring(name) == pengui::editor_class_name(),
        "the editor is a child window of the host's, of the module's own class");
  check(client.right == 1800 && client.bottom == 892, "the child's client area is 1800 x 892");
  editor.window.idle();
  check(editor.window.buffer().pixel(220, 220) == 0xFF8000u && editor.shows_buffer_soon(),
        "the window shows the rendering buffer pixel for pixel");
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
  check(pump_until([&] { return read_back(editor.hwnd(), 900, 446)[230 * 900 + 450] == 0x11EE22u; }),
        "a changed widget shows through the window's timer, without idle calls");
  pump_messages(300);
  check(editor.probe.ticks >= 5, "toolkit timers fire from the window's timer (" + std::to_string(editor.probe.ticks) +
                                     " ticks of 20 ms in 300 ms)");
  editor.window.stop_timer(id);
}

void input_checks() {
  TestHostWindow host(1000, 500);
  Editor editor;
  editor.window.open(host.parent());
  editor.window.idle();
  const HWND child = editor.hwnd();
  Probe& probe = editor.probe;

  editor.post_click(240, 315);
  check(pump_until([&] { return editor.button_listener.values.size() == 2; }) &&
            editor.button_listener.values[1] == pengui::PushButton::kClickValue && GetCapture() == nullptr,
        "a posted click clicks a push button and the capture ends with the release");

  // A plain press holds the mouse: moves outside the window still arrive.
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, editor.client_lparam(410, 210));
  pump_messages(50);
  check(GetCapture() == child, "a press captures the mouse for the editor");
  const LPARAM outside = editor.client_lparam(-30, -20);
  PostMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, outside);
  PostMessageW(child, WM_LBUTTONUP, 0, outside);
  check(pump_until([&] { return probe.saw("up -30,-20"); }) && probe.saw("at -30,-20") && GetCapture() == nullptr,
        "moves and the release outside the window reach the pressed widget; the capture ends");

  // Relative capture: the cursor hides, movement arrives as steps and the
  // cursor goes back to where the press was.
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
  probe.capture_relative = false;

  // Another window taking the mouse ends a drag as a release would.
  probe.log.clear();
  PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, editor.client_lparam(420, 220));
  pump_until([&] { return GetCapture() == child; });
  SetCapture(host.hwnd());
  pump_messages(30);
  check(probe.saw("up 420,220"), "a capture taken by the host ends the drag with a release");
  ReleaseCapture();

  probe.log.clear();
  const LPARAM at = screen_lparam(child, 450, 230);
  for (const int delta : {240, 60, 60, -120}) PostMessageW(child, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), at);
  pump_until([&] { return probe.log.size() >= 3; }, 500);
  check(probe.log == std::vector<std::string>{"wheel 2", "wheel 1", "wheel -1"},
        "the wheel gives whole steps, halves added up, downward negative");

  // Keys, with the keyboard taken by a click.
  SetFocus(host.hwnd());
  editor.post_click(450, 230);
  pump_until([&] { return probe.saw("up 450,230") && GetFocus() == child; });
  check(GetFocus() == child && editor.window.focus() == &editor.probe, "a click gives the editor the keyboard");
  probe.log.clear();
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
  for (const WPARAM unit : {0x20AC, 0xD83D, 0xDE00}) PostMessageW(child, WM_CHAR, unit, 1);
  pump_messages(30);
  post_key(VK_RETURN);
  pump_until([&] { return editor.probe.saw("key enter"); });
  std::string seen;
  for (const std::string& k : editor.probe.log) seen += k + "; ";
  check(seen == "key left; char 97; char 8364; char 128512; key enter; ",
        "keys and text reach the focused widget (arrow, typed a, euro, a surrogate pair, enter): " + seen);
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
  open_at_double_scale_checks();
  tick_checks();
  input_checks();
}

}  // namespace wincheck
