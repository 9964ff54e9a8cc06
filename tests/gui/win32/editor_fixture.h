#pragma once
// An editor as the plug-in builds one: a 900 x 446 toolkit window with a
// patterned backdrop, a push button and a probe widget that records what
// reaches it.

#include <algorithm>
#include <string>
#include <vector>

#include "gui/push_button.h"
#include "gui/win32/win32_window_class.h"
#include "gui/window.h"
#include "tests/gui/win32/win32_test_host.h"
#include "tools/selfcheck/window_pixels.h"

namespace wincheck {

// Stripes and a gradient, so that an offset or a channel swap shows.
struct Backdrop : pengui::Widget {
  void draw(pengui::Canvas& canvas) override {
    const pengui::Rect b = bounds();
    for (int y = b.y; y < b.bottom(); y += 2)
      canvas.fill_rect({b.x, y, b.w, 1}, (static_cast<uint32_t>(y * 0x010203) ^ 0x3F7F1Fu) & 0xFFFFFFu);
    canvas.fill_rect({100, 100, 50, 20}, 0xFF8000u);
  }
};

// Logs "down 12,30", "up 12,30", "at 12,30", "move 3,-4".
struct Probe : pengui::Widget {
  bool capture_relative = false;
  uint32_t colour = 0x2040C0;
  std::vector<std::string> log;

  static std::string at(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  void draw(pengui::Canvas& canvas) override { canvas.fill_rect(bounds(), colour); }
  bool mouse_down(const pengui::MouseEvent& e) override {
    log.push_back("down " + at(e.pos.x, e.pos.y));
    window()->capture_mouse(this, capture_relative ? pengui::CaptureMode::relative : pengui::CaptureMode::plain);
    return true;
  }
  void mouse_up(const pengui::MouseEvent& e) override {
    log.push_back("up " + at(e.pos.x, e.pos.y));
    if (window()->captured() == this) window()->release_mouse();
  }
  void mouse_move(const pengui::MouseEvent& e) override {
    log.push_back(e.dx || e.dy ? "move " + at(e.dx, e.dy) : "at " + at(e.pos.x, e.pos.y));
  }
  bool saw(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }
};

struct ButtonListener : pengui::DefaultEventListener {
  std::vector<double> values;
  double set_value(double nrm, int) override {
    values.push_back(nrm);
    return nrm;
  }
};

struct Editor {
  pengui::Window window{900, 446};
  Backdrop backdrop;
  Probe probe;
  pengui::PushButton button;
  ButtonListener button_listener;

  Editor() {
    backdrop.set_bounds({0, 0, 900, 446});
    probe.set_bounds({400, 200, 100, 60});
    button.set_bounds({200, 300, 80, 30});
    button.attach(&button_listener);
    window.add(&backdrop);
    window.add(&probe);
    window.add(&button);
  }
  ~Editor() { window.close(); }
  HWND hwnd() const { return static_cast<HWND>(window.native_handle()); }
  LPARAM client_lparam(int x, int y) const {
    const int s = window.scale();
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(x * s)), static_cast<WORD>(static_cast<SHORT>(y * s)));
  }
  bool shows_buffer_soon() const {
    const pengui::RenderBuffer& b = window.buffer();
    const std::vector<uint32_t> want(b.data(), b.data() + static_cast<std::size_t>(b.width()) * b.height());
    return pump_until([&] { return hwnd() && selfcheck::read_window_pixels(hwnd(), b.width(), b.height()) == want; });
  }
  // The press and release a user's click makes, posted as the system would.
  void post_click(int x, int y) const {
    PostMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, client_lparam(x, y));
    PostMessageW(hwnd(), WM_LBUTTONUP, 0, client_lparam(x, y));
  }
};

inline bool editor_class_registered() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  return GetClassInfoExW(pengui::own_module(), pengui::editor_class_name(), &wc) != FALSE;
}

}  // namespace wincheck
