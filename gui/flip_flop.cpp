#include "gui/flip_flop.h"

namespace pengui {

namespace {
constexpr uint32_t kRim = 0x202020;
}

void FlipFlop::set_images(const Image* off, const Image* on) {
  off_ = off;
  on_ = on;
  invalidate();
}

void FlipFlop::set_lamp_colours(uint32_t off_rgb, uint32_t on_rgb) {
  off_colour_ = off_rgb;
  on_colour_ = on_rgb;
  invalidate();
}

void FlipFlop::store_value(double nrm) {
  const bool was_on = is_on();
  ControlInterface::store_value(nrm);
  if (is_on() != was_on) invalidate();
}

bool FlipFlop::mouse_down(const MouseEvent& e) {
  if (!is_enabled() || e.button != MouseButton::left) return false;
  set_and_send(is_on() ? 0.0 : 1.0, kPrio);
  return true;
}

void FlipFlop::draw(Canvas& canvas) {
  const Rect& b = bounds();
  const Image* picture = is_on() ? on_ : off_;
  if (picture && picture->x1) {
    canvas.draw_image(*picture, b.x, b.y);
    return;
  }
  canvas.fill_rect(b, kRim);
  canvas.fill_rect({b.x + 1, b.y + 1, b.w - 2, b.h - 2}, is_on() ? on_colour_ : off_colour_);
}

}  // namespace pengui
