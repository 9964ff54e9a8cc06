#include "gui/listened_control.h"

#include <algorithm>

namespace pengui {

bool ControlInterface::attach(DefaultEventListener* listener) {
  if (!listener || is_attached(listener)) return false;
  listeners_.push_back(listener);
  listener->attached(this);
  return true;
}

bool ControlInterface::is_attached(const DefaultEventListener* listener) const {
  return std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end();
}

bool ControlInterface::all_can_take(int prio) {
  for (DefaultEventListener* l : listeners_) {
    if (!l->can_take_control(prio)) return false;
  }
  return true;
}

bool ControlInterface::set_and_send(double nrm, int prio) {
  if (!all_can_take(prio)) return false;
  for (DefaultEventListener* l : listeners_) nrm = l->set_value(nrm, prio);
  for (DefaultEventListener* l : listeners_) l->value_changed(nrm, prio);
  store_value(nrm);
  return true;
}

bool ControlInterface::set_no_send(double nrm, int prio) {
  if (!all_can_take(prio)) return false;
  for (DefaultEventListener* l : listeners_) nrm = l->set_value_no_send(nrm, prio);
  for (DefaultEventListener* l : listeners_) l->value_changed(nrm, prio);
  store_value(nrm);
  return true;
}

void ControlInterface::send_text(const char* text) {
  if (!text) return;
  for (DefaultEventListener* l : listeners_) l->text_entered(text);
}

}  // namespace pengui
