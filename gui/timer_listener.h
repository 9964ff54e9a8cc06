#pragma once

namespace pengui {

// Told on the editor thread when one of its timers is due.
class TimerListener {
public:
  virtual ~TimerListener() = default;
  virtual void timer_fired(int timer_id) = 0;
};

}  // namespace pengui
