#pragma once
// Mouse and keys for an editor window without a display, given as the
// native layer would give them.

#include <cstdint>
#include <string>

#include "gui/events.h"
#include "gui/widget.h"
#include "gui/window.h"

namespace zindle_test {

// Where a test points to hit a rectangle.
inline pengui::Point centre_of(const pengui::Rect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

class EditorInput {
public:
  explicit EditorInput(pengui::Window& window) : window_(window) {}

  // The window counts clicks itself: a double-click is two presses in a row.
  void press(pengui::Point p, unsigned modifiers = 0, int clicks = 1) {
    if (clicks == 2) click(p, modifiers);
    window_.native_mouse_down(mouse(p, modifiers));
  }
  void release(pengui::Point p) { window_.native_mouse_up(mouse(p, 0)); }
  void click(pengui::Point p, unsigned modifiers = 0) {
    press(p, modifiers);
    release(p);
  }
  void click(const pengui::Widget& w) { click({w.bounds().x + 2, w.bounds().y + 2}); }
  void move(pengui::Point p, int dx = 0, int dy = 0) {
    pengui::MouseEvent e;
    e.pos = p;
    e.dx = dx;
    e.dy = dy;
    window_.native_mouse_move(e);
  }
  void key(pengui::Key k, uint32_t character = 0) {
    pengui::KeyEvent e;
    e.key = k;
    e.character = character;
    window_.native_key(e, true);
  }
  void type(const std::string& text) {
    for (unsigned char c : text) key(pengui::Key::character, c);
  }

private:
  static pengui::MouseEvent mouse(pengui::Point p, unsigned modifiers) {
    pengui::MouseEvent e;
    e.pos = p;
    e.button = pengui::MouseButton::left;
    e.modifiers = modifiers;
    return e;
  }
  pengui::Window& window_;
};

}  // namespace zindle_test
