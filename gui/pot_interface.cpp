#include "gui/pot_interface.h"

#include <algorithm>

#include "gui/window.h"

namespace pengui {

PotInterface::PotInterface() : behaviour_(*this) {}

PotInterface::~PotInterface() {
  // The window must not keep calling a timer of a control that is gone;
  // the listeners may already be gone too, so nothing is sent.
  behaviour_.abandon();
}

bool PotInterface::mouse_down(const MouseEvent& e) {
  if (e.button != MouseButton::left) return false;
  if (e.clicks >= 2 || (e.modifiers & kModControl)) {
    if (reset_hook_) {
      behaviour_.capture_lost();
      reset_hook_();
      return false;
    }
  }
  value_at_press_ = get_value();
  behaviour_.press(e.pos, run_step_at(e.pos), is_enhanced_mouse_mode());
  update_value_display();
  invalidate();  // a held pot may look different
  return true;
}

void PotInterface::mouse_move(const MouseEvent& e) {
  if (behaviour_.is_captured()) behaviour_.move(e.pos, e.dx, e.dy);
}

void PotInterface::mouse_up(const MouseEvent& /*e*/) {
  if (behaviour_.is_captured()) {
    behaviour_.release(release_cursor_offset());
    invalidate();
  }
  update_value_display();
}

void PotInterface::mouse_enter() {
  hovering_ = true;
  update_value_display();
}

void PotInterface::mouse_leave() {
  hovering_ = false;
  update_value_display();
}

bool PotInterface::mouse_wheel(const MouseEvent& e, int steps) {
  if (steps == 0 || behaviour_.is_captured()) return false;
  const double value = get_value();
  const std::vector<double>& marks = behaviour_.steps();
  double next;
  if (!marks.empty()) {
    // Each notch goes to the next magnetic value in its direction.
    auto it = std::upper_bound(marks.begin(), marks.end(), value);
    if (steps > 0) {
      next = it == marks.end() ? marks.back() : *it;
    } else {
      auto below = std::lower_bound(marks.begin(), marks.end(), value);
      next = below == marks.begin() ? marks.front() : *(below - 1);
    }
  } else {
    next = value + steps * ((e.modifiers & kModShift) ? kFineWheelStep : kWheelStep);
  }
  set_and_send(std::min(1.0, std::max(0.0, next)), PotBehaviour::kFirmPrio);
  return true;
}

void PotInterface::capture_lost() {
  behaviour_.capture_lost();
  update_value_display();
  invalidate();
}

void PotInterface::store_value(double nrm) {
  if (nrm == get_value()) return;
  ControlInterface::store_value(nrm);
  invalidate();
}

void PotInterface::update_value_display() {
  const bool show = hovering_ || behaviour_.is_captured();
  if (show == showing_value_) return;
  showing_value_ = show;
  if (hover_listener_) hover_listener_(show);
}

// ---- PotHost

void PotInterface::pot_capture(bool relative) {
  if (window()) window()->capture_mouse(this, relative ? CaptureMode::relative : CaptureMode::plain);
}

void PotInterface::pot_release_capture() {
  if (window() && window()->captured() == this) window()->release_mouse();
}

int PotInterface::pot_start_timer(double period_seconds) {
  return window() ? window()->start_timer(period_seconds, this) : -1;
}

void PotInterface::pot_stop_timer(int id) {
  if (window()) window()->stop_timer(id);
}

double PotInterface::pot_now() const { return window() ? window()->now() : 0.0; }

bool PotInterface::pot_get_cursor(Point& p) const { return window() && window()->get_cursor_pos(p); }

void PotInterface::pot_set_cursor(Point p) {
  if (window()) window()->set_cursor_pos(p);
}

void PotInterface::timer_fired(int timer_id) {
  if (timer_id == behaviour_.timer()) behaviour_.tick();
}

}  // namespace pengui
