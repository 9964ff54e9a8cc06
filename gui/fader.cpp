#include "gui/fader.h"

#include <algorithm>
#include <cmath>

namespace pengui {

namespace {
constexpr uint32_t kPlainCapRgb = 0xC8C8C8u;
constexpr uint32_t kPlainCapLineRgb = 0x202020u;
}  // namespace

Fader::Fader(const Rect& track) { set_bounds(track); }

void Fader::set_cap(const Image* cap, const Image* pressed) {
  cap_ = cap;
  pressed_cap_ = pressed;
  invalidate();
}

int Fader::cap_width() const { return cap_ && cap_->x1 ? cap_->width() : bounds().w; }

int Fader::cap_height() const { return cap_ && cap_->x1 ? cap_->height() : kPlainCapHeight; }

int Fader::travel() const { return std::max(1, bounds().h - cap_height()); }

Rect Fader::cap_rect(double value) const {
  const Rect& b = bounds();
  const int y = b.y + static_cast<int>(std::lround((1.0 - value) * travel()));
  return {b.x + (b.w - cap_width()) / 2, y, cap_width(), cap_height()};
}

bool Fader::mouse_down(const MouseEvent& e) {
  // The travel follows the bounds and the cap, which may have changed.
  behaviour().set_drag_length(travel());
  return PotInterface::mouse_down(e);
}

Point Fader::release_cursor_offset() const {
  // The hidden cursor comes back on the cap, wherever it went.
  return {0, cap_rect(get_value()).y - cap_rect(value_at_press()).y};
}

void Fader::draw(Canvas& canvas) {
  const Rect cap = cap_rect(get_value());
  const bool held = behaviour().is_captured() && pressed_cap_ && pressed_cap_->x1;
  if (cap_ && cap_->x1) {
    canvas.draw_image(held ? *pressed_cap_ : *cap_, cap.x, cap.y);
  } else {
    canvas.fill_rect(cap, kPlainCapRgb);
    canvas.fill_rect({cap.x, cap.y + cap.h / 2, cap.w, 1}, kPlainCapLineRgb);
  }
}

}  // namespace pengui
