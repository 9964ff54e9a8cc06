#pragma once
// What knobs and faders share: a control whose value follows the mouse
// through a PotBehaviour, a wheel that steps it, a reset to the default
// on double-click or Ctrl-click, and a hook that tells the editor when to
// show the value text (while hovered or dragged).

#include <functional>

#include "gui/listened_control.h"
#include "gui/pot_behaviour.h"
#include "gui/timer_listener.h"
#include "gui/widget.h"

namespace pengui {

class PotInterface : public Widget, public ControlInterface, public TimerListener, private PotHost {
public:
  // One wheel notch; with Shift a sixteenth of it.
  static constexpr double kWheelStep = 1.0 / 64;
  static constexpr double kFineWheelStep = kWheelStep / 16;

  PotInterface();
  ~PotInterface() override;

  // Drag length, fine factor, steps, speed factor, limits.
  PotBehaviour& behaviour() { return behaviour_; }
  const PotBehaviour& behaviour() const { return behaviour_; }

  // Called on double-click or Ctrl-click; the editor sets the default.
  void set_reset_hook(std::function<void()> hook) { reset_hook_ = std::move(hook); }
  // Told true when the value text should show (hover or drag), false when not.
  void set_hover_listener(std::function<void(bool show)> listener) { hover_listener_ = std::move(listener); }

  // The pot's tick; other ids are ignored.
  void timer_fired(int timer_id) override;

  bool mouse_down(const MouseEvent& e) override;
  void mouse_up(const MouseEvent& e) override;
  void mouse_move(const MouseEvent& e) override;
  void mouse_enter() override;
  void mouse_leave() override;
  bool mouse_wheel(const MouseEvent& e, int steps) override;
  void capture_lost() override;

protected:
  void store_value(double nrm) override;
  // Run direction for a press at `pos` (window coordinates); 0 drags.
  virtual int run_step_at(Point /*pos*/) const { return 0; }
  // Where the cursor goes back to after a hidden-cursor drag, relative to
  // where it was pressed.
  virtual Point release_cursor_offset() const { return {}; }
  double value_at_press() const { return value_at_press_; }

private:
  // PotHost
  void pot_capture(bool relative) override;
  void pot_release_capture() override;
  int pot_start_timer(double period_seconds) override;
  void pot_stop_timer(int id) override;
  double pot_now() const override;
  double pot_value() const override { return get_value(); }
  bool pot_send(double value, int prio) override { return set_and_send(value, prio); }
  bool pot_take_control(int prio) override { return take_control(prio); }
  void pot_release_control(int prio) override { release_control(prio); }
  bool pot_get_cursor(Point& p) const override;
  void pot_set_cursor(Point p) override;

  void update_value_display();

  PotBehaviour behaviour_;
  std::function<void()> reset_hook_;
  std::function<void(bool)> hover_listener_;
  bool hovering_ = false;
  bool showing_value_ = false;
  double value_at_press_ = 0.0;
};

}  // namespace pengui
