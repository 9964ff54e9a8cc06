#pragma once
// What the widget tests share: a window on a fake native window with a
// clock the test moves, mouse and key helpers, and a font of fixed-width
// solid glyphs so that text positions are easy to compute.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/default_event_listener.h"
#include "gui/font.h"
#include "gui/image.h"
#include "gui/window.h"
#include "gui/support/fake_native_window.h"
#include "support/editor_input.h"

namespace pengui::testing {

// Every code is `width` pixels wide; the space draws nothing, others a box.
class BoxFont : public FontInterface {
public:
  BoxFont(int width, int height) {
    for (int i = 0; i < 256; ++i) glyphs_.push_back({i * width, width});
    glyph_height_ = height;
  }
  void draw_glyph(RenderBuffer& dst, int x, int y, unsigned char code, uint32_t rgb, const Rect& clip) const override {
    if (code == ' ') return;
    dst.fill(Rect{x, y, glyphs_[code].width, glyph_height_}.intersect(clip), rgb);
  }
};

inline FontSet make_box_font(int width = 6, int height = 8) {
  FontSet f;
  f.x1 = std::make_unique<BoxFont>(width, height);
  return f;
}

using zindle_test::centre_of;

struct TestWindow {
  Window window{900, 446};
  std::shared_ptr<FakeNativeRecord> native = install_fake_native(window);
  double time = 100.0;

  TestWindow() {
    window.set_clock([this] { return time; });
    window.open(nullptr);
    settle();
  }
  void settle() { window.render_dirty(); }
  static MouseEvent at(Point p, unsigned modifiers = 0) {
    MouseEvent e;
    e.pos = p, e.button = MouseButton::left, e.modifiers = modifiers;
    return e;
  }
  void press(Point p, unsigned modifiers = 0) { window.native_mouse_down(at(p, modifiers)); }
  void release(Point p) { window.native_mouse_up(at(p)); }
  void move(Point p) { window.native_mouse_move(at(p)); }
  // A single click: time moves on so that two clicks never make a double-click.
  void click(Point p, unsigned modifiers = 0) {
    press(p, modifiers);
    release(p);
    time += 1.0;
  }
  bool key(Key k, unsigned modifiers = 0, uint32_t character = 0) {
    KeyEvent e;
    e.key = k, e.character = character, e.modifiers = modifiers;
    return window.native_key(e, true);
  }
  void type(std::string_view text) {
    for (unsigned char c : text) key(Key::character, 0, c);
  }
};

// Records what a control sends to its listeners.
class RecordingListener : public DefaultEventListener {
public:
  bool refuse = false;
  std::vector<std::pair<double, int>> sent;  // set_value: value and priority
  std::vector<std::string> texts;

  bool can_take_control(int /*prio*/) override { return !refuse; }
  double set_value(double nrm, int prio) override { return sent.emplace_back(nrm, prio), nrm; }
  void text_entered(const char* text) override { texts.emplace_back(text); }
};

}  // namespace pengui::testing
