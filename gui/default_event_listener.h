#pragma once
// What a control tells the objects listening to it. The event slots keep
// their order; a control calls them on the editor thread.

namespace pengui {

class ControlInterface;

class DefaultEventListener {
public:
  virtual ~DefaultEventListener() = default;
  virtual void attached(ControlInterface* /*control*/) {}
  virtual void detached(ControlInterface* /*control*/) {}
  // Arbitration at the start of a user's change; one refusal ends it.
  virtual bool can_take_control(int /*prio*/) { return true; }
  virtual bool take_control(int /*prio*/) { return true; }
  virtual void release_control(int /*prio*/) {}
  // The control's value changed; forwarded to a chained listener.
  virtual void value_changed(double nrm, int prio) {
    if (next_) next_->value_changed(nrm, prio);
  }
  // A user's edit: send it on, return the value to show.
  virtual double set_value(double nrm, int /*prio*/) { return nrm; }
  // A value that came from elsewhere: nothing is sent.
  virtual double set_value_no_send(double nrm, int /*prio*/) { return nrm; }
  virtual void text_entered(const char* /*text*/) {}

  void chain(DefaultEventListener* next) { next_ = next; }

private:
  DefaultEventListener* next_ = nullptr;
};

}  // namespace pengui
