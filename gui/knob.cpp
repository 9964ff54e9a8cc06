#include "gui/knob.h"

#include <algorithm>
#include <cmath>

namespace pengui {

namespace {
constexpr double kTwoPi = 6.28318530717958647692;
constexpr uint32_t kPlainCapRgb = 0x383838u;
}  // namespace

Knob::Knob(const Rect& bounds) { set_bounds(bounds); }

void Knob::set_cap(const Image* cap) {
  cap_ = cap;
  invalidate();
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
  if (cap_ && cap_->x1) {
    canvas.draw_image(*cap_, b.x + (b.w - cap_->width()) / 2, b.y + (b.h - cap_->height()) / 2);
  } else {
    canvas.fill_circle(cx, cy, radius - 1.0f, kPlainCapRgb);
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
