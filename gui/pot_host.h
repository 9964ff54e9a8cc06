#pragma once
// What a PotBehaviour needs from the control around it: the mouse, a tick
// timer, the clock, the control's value and its listeners. Keeping these
// behind one small interface lets the pot maths run without a window.

#include "gui/geometry.h"

namespace pengui {

class PotHost {
public:
  virtual ~PotHost() = default;

  // relative: hidden cursor, movements as dx/dy; else absolute positions.
  virtual void pot_capture(bool relative) = 0;
  virtual void pot_release_capture() = 0;
  // Returns the timer's id, or -1 when none could be started.
  virtual int pot_start_timer(double period_seconds) = 0;
  virtual void pot_stop_timer(int id) = 0;
  virtual double pot_now() const = 0;  // seconds

  // The value the control shows, 0..1.
  virtual double pot_value() const = 0;
  // A user's edit at a change priority; false when a listener refused it.
  virtual bool pot_send(double value, int prio) = 0;
  virtual bool pot_take_control(int prio) = 0;
  virtual void pot_release_control(int prio) = 0;

  // Cursor in the window's logical pixels.
  virtual bool pot_get_cursor(Point& p) const = 0;
  virtual void pot_set_cursor(Point p) = 0;
};

}  // namespace pengui
