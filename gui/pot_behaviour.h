#pragma once
// How a knob or fader turns mouse movement into its value: a drag with
// direction detection (vertical, or horizontal for fine adjustment),
// optional magnetic steps, smoothing towards the target every 0.03 s, and
// a "run" mode in which the value keeps moving at a ramping speed. It knows
// nothing of drawing or windows; everything goes through a PotHost.

#include <vector>

#include "gui/geometry.h"
#include "gui/pot_host.h"

namespace pengui {

class PotBehaviour {
public:
  enum State { kIdle = 0, kDrag = 1, kRun = 2 };
  enum Axis { kVertical = 0, kHorizontal = 1 };

  static constexpr double kTickSeconds = 0.03;
  static constexpr int kDragPrio = 50;
  static constexpr int kFirmPrio = 200;  // run mode, pending release, clicks

  explicit PotBehaviour(PotHost& host) : host_(host) {}
  PotBehaviour(const PotBehaviour&) = delete;
  PotBehaviour& operator=(const PotBehaviour&) = delete;

  // ---- configuration; values that make no sense are ignored
  void set_drag_length(double pixels);  // mouse travel for the full range
  double drag_length() const { return drag_length_; }
  void set_fine_factor(double factor);  // horizontal drags move this much slower
  double fine_factor() const { return fine_factor_; }
  void set_speed_factor(double factor);  // run mode
  double speed_factor() const { return speed_factor_; }
  void set_smoothing_rate(double hertz);
  // Magnetic values in 0..1; an empty list turns the steps off.
  void set_steps(std::vector<double> steps);
  const std::vector<double>& steps() const { return steps_; }
  void set_limits(bool active, double min, double max);

  // Which run direction a press at `rel` (relative to the top-left of a
  // w x h box) asks for: the sign of the pointer sweep in the lower-left
  // corner, its negation in the lower-right one, 0 elsewhere.
  static int corner_step(Point rel, int w, int h, double sweep);

  // ---- mouse, from the control
  // A press at `pos` (window coordinates): run mode when run_step is not 0,
  // else a drag. `relative` selects relative capture (enhanced mouse mode).
  void press(Point pos, int run_step, bool relative);
  // A movement: absolute `pos` in plain capture, dx/dy in relative capture
  // (screen directions: dy > 0 is downwards).
  void move(Point pos, int dx, int dy);
  // The button went up. The cursor returns to where the drag began, moved
  // by `cursor_offset` (a fader's cap travel).
  void release(Point cursor_offset = {});
  // The window took the capture away: stop without touching it.
  void capture_lost();
  // The tick timer fired.
  void tick();
  // The control is going away: stop the timer, call nothing else.
  void abandon();

  // ---- state, for the control and for tests
  int state() const { return state_; }
  bool is_active() const { return state_ != kIdle; }
  bool is_captured() const { return captured_; }
  double raw_target() const { return raw_target_; }
  double step_target() const { return step_target_; }
  double speed() const { return speed_; }
  double goal_speed() const { return goal_speed_; }
  bool is_speed_locked() const { return speed_locked_; }
  int timer() const { return timer_; }
  bool changed() const { return changed_; }

private:
  void start_drag(Point pos, bool relative);
  void start_run(Point pos, int run_step, bool relative);
  void begin_capture(Point pos, bool relative);
  void drag_move(int dx, int up);
  void run_move(int x);
  void apply_magnet(double previous_step);
  void drag_tick(double dt);
  void run_tick(double dt);
  void start_tick();
  void stop_tick();
  void end_capture(Point cursor_offset);
  void finish();

  PotHost& host_;

  // Configuration.
  double drag_length_ = 256.0;
  double fine_factor_ = 1.0 / 32.0;
  double speed_factor_ = 1.0;
  double smoothing_rate_ = 3.0;  // hertz
  std::vector<double> steps_;
  bool limits_active_ = false;
  double limit_min_ = 0.0;
  double limit_max_ = 1.0;

  // Drag.
  double raw_target_ = 0.0;
  double step_target_ = 0.0;
  double previous_distance_ = 0.0;
  int axis_ = kVertical;
  float speed_h_ = 0.0f;
  float speed_v_ = 0.0f;
  int horizontal_pixels_ = 0;
  bool first_movement_ = false;
  Point last_pos_;
  bool relative_ = false;

  // Run mode.
  double speed_ = 0.0;
  double goal_speed_ = 0.0;
  bool speed_locked_ = false;
  int click_x_ = 0;
  int run_x_ = 0;  // the mouse's x, summed up from relative movements

  double last_time_ = 0.0;
  bool restore_cursor_ = false;
  Point restore_pos_;
  int timer_ = -1;
  int state_ = kIdle;
  bool captured_ = false;
  bool changed_ = false;
  bool release_pending_ = false;
};

}  // namespace pengui
