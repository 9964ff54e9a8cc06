#include "gui/listened_control.h"

#include <algorithm>
#include <cmath>

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

bool ControlInterface::detach(DefaultEventListener* listener) {
  auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it == listeners_.end()) return false;
  listeners_.erase(it);
  listener->detached(this);
  return true;
}

bool ControlInterface::take_control(int prio) {
  for (DefaultEventListener* l : listeners_) {
    if (!l->take_control(prio)) return false;
  }
  return true;
}

void ControlInterface::release_control(int prio) {
  for (DefaultEventListener* l : listeners_) l->release_control(prio);
}

bool ControlInterface::all_can_take(int prio) {
  for (DefaultEventListener* l : listeners_) {
    if (!l->can_take_control(prio)) return false;
  }
  return true;
}

bool ControlInterface::set_and_send(double nrm, int prio) {
  if (!std::isfinite(nrm) || !all_can_take(prio)) return false;
  nrm = std::min(1.0, std::max(0.0, nrm));
  for (DefaultEventListener* l : listeners_) nrm = l->set_value(nrm, prio);
  for (DefaultEventListener* l : listeners_) l->value_changed(nrm, prio);
  store_value(nrm);
  return true;
}

bool ControlInterface::set_no_send(double nrm, int prio) {
  if (!std::isfinite(nrm) || !all_can_take(prio)) return false;
  nrm = std::min(1.0, std::max(0.0, nrm));
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
