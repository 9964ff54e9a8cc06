#include "gui/pot_behaviour.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace pengui {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kSpeedSmoothing = 0.9f;
constexpr double kToHorizontal = kPi / 8;       // 22.5 degrees from horizontal
constexpr double kToVertical = 3 * kPi / 8;     // 67.5 degrees
constexpr int kFinePixelsBeforeFree = 16;       // then magnetic steps stop applying
constexpr double kOutsideSteps = 999999.0;
constexpr double kLandDistance = 1e-6;
constexpr double kTiny = 1e-9;
constexpr int kRunDeadZone = 4;                 // pixels around the click point
constexpr double kRunLockScale = 65536.0;

double clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

}  // namespace

// ---- configuration

void PotBehaviour::set_drag_length(double pixels) {
  if (std::isfinite(pixels) && pixels >= 1.0) drag_length_ = pixels;
}

void PotBehaviour::set_fine_factor(double factor) {
  if (std::isfinite(factor) && factor > 0.0) fine_factor_ = factor;
}

void PotBehaviour::set_speed_factor(double factor) {
  if (std::isfinite(factor)) speed_factor_ = factor;
}

void PotBehaviour::set_smoothing_rate(double hertz) {
  if (std::isfinite(hertz) && hertz > 0.0) smoothing_rate_ = hertz;
}

void PotBehaviour::set_steps(std::vector<double> steps) {
  steps.erase(std::remove_if(steps.begin(), steps.end(), [](double s) { return !(s >= 0.0 && s <= 1.0); }),
              steps.end());
  std::sort(steps.begin(), steps.end());
  steps_ = std::move(steps);
}

void PotBehaviour::set_limits(bool active, double min, double max) {
  if (!active) {
    limits_active_ = false;
    return;
  }
  if (!(min >= 0.0 && max <= 1.0 && min <= max)) return;
  limits_active_ = true;
  limit_min_ = min;
  limit_max_ = max;
}

int PotBehaviour::corner_step(Point rel, int w, int h, double sweep) {
  const long long x = rel.x, y = rel.y, W = w, H = h;
  if (w <= 0 || h <= 0 || x < 0 || y < 0 || x >= W || y >= H) return 0;
  const int sweep_sign = sweep > 0.0 ? 1 : (sweep < 0.0 ? -1 : 0);
  if (3 * y * W > (3 * x + 2 * W) * H) return sweep_sign;
  if (3 * y * W > (5 * W - 3 * x) * H) return -sweep_sign;
  return 0;
}

// ---- mouse

void PotBehaviour::press(Point pos, int run_step, bool relative) {
  if (release_pending_) finish();
  if (captured_) end_capture({});
  stop_tick();
  if (run_step != 0) {
    start_run(pos, run_step, relative);
  } else {
    start_drag(pos, relative);
  }
}

void PotBehaviour::begin_capture(Point pos, bool relative) {
  relative_ = relative;
  // The cursor is hidden during a relative drag and comes back where it was.
  restore_cursor_ = relative && host_.pot_get_cursor(restore_pos_);
  if (relative && !restore_cursor_) restore_pos_ = pos;
  host_.pot_capture(relative);
  captured_ = true;
}

void PotBehaviour::start_drag(Point pos, bool relative) {
  state_ = kDrag;
  begin_capture(pos, relative);
  last_time_ = host_.pot_now();
  start_tick();
  raw_target_ = step_target_ = host_.pot_value();
  previous_distance_ = 0.0;
  speed_v_ = 1.0f;
  speed_h_ = 0.0f;
  axis_ = kVertical;
  horizontal_pixels_ = 0;
  speed_ = 0.0;
  first_movement_ = true;
  last_pos_ = pos;
}

void PotBehaviour::start_run(Point pos, int run_step, bool relative) {
  state_ = kRun;
  begin_capture(pos, relative);
  click_x_ = run_x_ = pos.x;
  goal_speed_ = run_step * speed_factor_;
  speed_ = 0.0;
  speed_locked_ = false;
  host_.pot_take_control(kFirmPrio);
  last_time_ = host_.pot_now();
  start_tick();
}

void PotBehaviour::move(Point pos, int dx, int dy) {
  if (state_ == kIdle || !captured_) return;
  if (state_ == kRun) {
    run_x_ = relative_ ? run_x_ + dx : pos.x;
    run_move(run_x_);
    return;
  }
  if (relative_) {
    first_movement_ = false;
    drag_move(dx, -dy);
    return;
  }
  if (first_movement_) {
    first_movement_ = false;
    last_pos_ = pos;
    return;
  }
  const int adx = pos.x - last_pos_.x;
  const int up = last_pos_.y - pos.y;
  last_pos_ = pos;
  drag_move(adx, up);
}

void PotBehaviour::drag_move(int dx, int up) {
  if (dx == 0 && up == 0) return;
  speed_h_ += (static_cast<float>(std::abs(dx)) - speed_h_) * kSpeedSmoothing;
  speed_v_ += (static_cast<float>(std::abs(up)) - speed_v_) * kSpeedSmoothing;
  const double angle = speed_h_ < kTiny ? kPi : std::atan(speed_v_ / speed_h_);
  if (axis_ == kHorizontal && angle >= kToVertical) {
    axis_ = kVertical;
    horizontal_pixels_ = 0;
  } else if (axis_ == kVertical && angle <= kToHorizontal) {
    axis_ = kHorizontal;
  }

  double delta = up;
  if (axis_ == kHorizontal) {
    delta = dx * fine_factor_;
    const int before = horizontal_pixels_;
    horizontal_pixels_ += std::abs(dx);
    // A long fine drag leaves the magnetic steps: continue from the step.
    if (before <= kFinePixelsBeforeFree && horizontal_pixels_ > kFinePixelsBeforeFree) raw_target_ = step_target_;
  }

  const double d = delta / drag_length_;
  if (raw_target_ > 1.0 && d < 0.0) {
    raw_target_ = 1.0 + d;  // reversing at an overshoot starts from the edge
  } else if (raw_target_ < 0.0 && d > 0.0) {
    raw_target_ = 0.0 + d;
  } else {
    raw_target_ += d;
  }

  if (axis_ == kVertical || horizontal_pixels_ <= kFinePixelsBeforeFree) {
    apply_magnet(step_target_);
  } else {
    step_target_ = raw_target_;
  }
}

void PotBehaviour::apply_magnet(double previous_step) {
  if (steps_.empty()) {
    step_target_ = raw_target_;
    return;
  }
  const double v = clamp01(raw_target_);
  const double d0 = (previous_step < 0.0 || previous_step > 1.0) ? kOutsideSteps : std::abs(v - previous_step);
  const double* best = nullptr;
  for (const double& s : steps_) {
    const double d = std::abs(v - s);
    if (3.0 * d < d0 && (!best || d < std::abs(v - *best))) best = &s;
  }
  if (best) step_target_ = *best;
}

void PotBehaviour::run_move(int x) {
  const int d = x - click_x_;
  if (std::abs(d) <= kRunDeadZone) return;
  // The distance from the click point sets the speed directly.
  goal_speed_ = speed_ = std::abs(d) * speed_factor_ * d / kRunLockScale;
  speed_locked_ = true;
}

void PotBehaviour::release(Point cursor_offset) {
  if (state_ == kIdle || release_pending_) return;
  end_capture(cursor_offset);
  if (state_ == kDrag && timer_ >= 0 && std::abs(clamp01(step_target_) - host_.pot_value()) > kLandDistance) {
    // The value glides on to where the mouse left it, then lets go.
    release_pending_ = true;
    return;
  }
  finish();
}

void PotBehaviour::capture_lost() {
  captured_ = false;
  restore_cursor_ = false;
  if (state_ != kIdle) finish();
}

void PotBehaviour::end_capture(Point cursor_offset) {
  if (!captured_) return;
  captured_ = false;
  host_.pot_release_capture();
  if (restore_cursor_) {
    restore_cursor_ = false;
    host_.pot_set_cursor({restore_pos_.x + cursor_offset.x, restore_pos_.y + cursor_offset.y});
  }
}

void PotBehaviour::abandon() {
  stop_tick();
  state_ = kIdle;
  captured_ = false;
  restore_cursor_ = false;
  release_pending_ = false;
}

void PotBehaviour::finish() {
  stop_tick();
  state_ = kIdle;
  release_pending_ = false;
  host_.pot_release_control(kFirmPrio);
}

// ---- time

void PotBehaviour::start_tick() {
  stop_tick();
  timer_ = host_.pot_start_timer(kTickSeconds);
}

void PotBehaviour::stop_tick() {
  if (timer_ >= 0) host_.pot_stop_timer(timer_);
  timer_ = -1;
}

void PotBehaviour::tick() {
  if (state_ == kIdle) {
    stop_tick();
    return;
  }
  const double now = host_.pot_now();
  const double dt = std::max(0.0, now - last_time_);
  last_time_ = now;
  if (state_ == kRun) {
    run_tick(dt);
  } else {
    drag_tick(dt);
  }
}

void PotBehaviour::drag_tick(double dt) {
  const double value = host_.pot_value();
  const double diff = step_target_ - value;
  const double dist = std::abs(diff);
  double next = step_target_;
  if (dist > kLandDistance) {
    double rate = smoothing_rate_;
    // Closing in on the target quickly: let the value keep up.
    if (dist >= kTiny && dist * 1.5 < previous_distance_) rate = rate * previous_distance_ / dist;
    next = value + (1.0 - std::exp(-2.0 * kPi * rate * dt)) * diff;
  }
  next = clamp01(next);
  previous_distance_ = dist;
  changed_ = next != value;
  const bool accepted = !changed_ || host_.pot_send(next, release_pending_ ? kFirmPrio : kDragPrio);
  if (release_pending_ && (!changed_ || !accepted || next == clamp01(step_target_))) finish();
}

void PotBehaviour::run_tick(double dt) {
  if (std::abs(speed_) < 1e-6 && std::abs(goal_speed_) < kTiny) speed_ = 0.0;
  if (!speed_locked_) {
    const double k = std::abs(goal_speed_) >= kTiny ? 64.0 : 1.0;
    const double step = (8.0 * goal_speed_ - 8.0 * speed_) * dt / k;
    double next = speed_ + step;
    if ((step > 0.0 && next > goal_speed_) || (step < 0.0 && next < goal_speed_)) next = goal_speed_;
    speed_ = next;
  } else if (std::abs(goal_speed_) >= kTiny) {
    speed_ = goal_speed_;
  }

  const double value = host_.pot_value();
  const double lo = limits_active_ ? limit_min_ : 0.0;
  const double hi = limits_active_ ? limit_max_ : 1.0;
  double next = value + speed_ * dt;
  if (next < lo || next > hi) {
    next = std::min(hi, std::max(lo, next));
    speed_ = 0.0;
  }
  changed_ = next != value;
  if (changed_) host_.pot_send(next, kFirmPrio);
}

}  // namespace pengui
