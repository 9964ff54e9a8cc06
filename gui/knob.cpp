#include "gui/knob.h"

#include <algorithm>
#include <cmath>

namespace pengui {

namespace {
constexpr double kTwoPi = 6.28318530717958647692;
constexpr uint32_t kPlainCapRgb = 0x383838u;
}  // namespace

Knob::Knob(const Rect& bounds) { set_bounds(bounds); }

void Knob::set_cap(const Image* cap, const Image* pressed) {
  cap_ = cap;
  pressed_cap_ = pressed;
  invalidate();
}

void Knob::set_pointer_strip(const Image* strip, int frames, const Image* pressed) {
  const bool usable = strip && strip->x1 && frames > 0 && strip->height() >= frames;
  strip_ = usable ? strip : nullptr;
  pressed_strip_ = usable ? pressed : nullptr;
  strip_frames_ = usable ? frames : 0;
  invalidate();
}

int Knob::pointer_frame() const {
  if (strip_frames_ <= 1) return 0;
  return static_cast<int>(std::lround(get_value() * (strip_frames_ - 1)));
}

void Knob::set_pointer(uint32_t rgb, float width, float inner, float outer) {
  if (!(width > 0.0f) || !(inner >= 0.0f) || !(outer > inner)) return;
  pointer_rgb_ = rgb;
  pointer_width_ = width;
  pointer_inner_ = inner;
  pointer_outer_ = outer;
  invalidate();
}

void Knob::set_angles(double start_turns, double sweep_turns) {
  if (!std::isfinite(start_turns) || !std::isfinite(sweep_turns)) return;
  start_turns_ = start_turns;
  sweep_turns_ = sweep_turns;
  invalidate();
}

double Knob::pointer_angle() const { return (get_value() * sweep_turns_ + start_turns_) * kTwoPi; }

int Knob::run_step_at(Point pos) const {
  const Rect& b = bounds();
  return PotBehaviour::corner_step({pos.x - b.x, pos.y - b.y}, b.w, b.h, sweep_turns_);
}

void Knob::draw(Canvas& canvas) {
  const Rect& b = bounds();
  const float cx = b.x + b.w * 0.5f;
  const float cy = b.y + b.h * 0.5f;
  const float radius = std::min(b.w, b.h) * 0.5f;
  const bool held = behaviour().is_captured();
  const Image* cap = held && pressed_cap_ && pressed_cap_->x1 ? pressed_cap_ : cap_;
  if (cap && cap->x1) {
    canvas.draw_image(*cap, b.x + (b.w - cap->width()) / 2, b.y + (b.h - cap->height()) / 2);
  } else {
    canvas.fill_circle(cx, cy, radius - 1.0f, kPlainCapRgb);
  }
  if (strip_) {
    const Image& strip = held && pressed_strip_ && pressed_strip_->x1 ? *pressed_strip_ : *strip_;
    const int fh = strip.height() / strip_frames_;
    canvas.draw_image_part(strip, {0, pointer_frame() * fh, strip.width(), fh}, b.x + (b.w - strip.width()) / 2,
                           b.y + (b.h - fh) / 2);
    return;
  }
  const double a = pointer_angle();
  // Screen y grows downwards; the angle counts upwards.
  const float ux = static_cast<float>(std::cos(a));
  const float uy = static_cast<float>(-std::sin(a));
  canvas.draw_line(cx + ux * radius * pointer_inner_, cy + uy * radius * pointer_inner_,
                   cx + ux * radius * pointer_outer_, cy + uy * radius * pointer_outer_, pointer_width_,
                   pointer_rgb_);
}

}  // namespace pengui
