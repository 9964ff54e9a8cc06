#pragma once
// The part of every control that drives its listeners: the set-and-send
// path of a user's edit and the no-send path of a value from elsewhere.
// Drawing and mouse handling live in the concrete controls.

#include <vector>

#include "gui/default_event_listener.h"

namespace pengui {

class ControlInterface {
public:
  virtual ~ControlInterface() = default;

  // Attaches once; false when already attached.
  bool attach(DefaultEventListener* listener);
  bool is_attached(const DefaultEventListener* listener) const;
  // False when it was not attached.
  bool detach(DefaultEventListener* listener);

  // A user's edit at `prio`: false (and nothing changes) when a listener
  // refuses control or the value is not a number. Values are kept in 0..1.
  bool set_and_send(double nrm, int prio);
  // A value from elsewhere; false when a listener refuses.
  bool set_no_send(double nrm, int prio);

  // Claims the listeners at the start of a firm edit (a run-mode drag);
  // false when one refuses.
  bool take_control(int prio);
  // Ends the claim when the mouse button is let go.
  void release_control(int prio);

  double get_value() const { return value_; }

  // Text typed into the control and confirmed: every listener's text_entered.
  void send_text(const char* text);

protected:
  // Stores and redraws; the concrete control decides how it looks.
  virtual void store_value(double nrm) { value_ = nrm; }

private:
  bool all_can_take(int prio);

  std::vector<DefaultEventListener*> listeners_;
  double value_ = 0.0;
};

}  // namespace pengui
