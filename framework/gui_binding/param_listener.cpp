#include "framework/gui_binding/param_listener.h"

#include "framework/core/host_gui_interface.h"
#include "framework/params/normalized_param_interface.h"

namespace mppi {

bool ListenerBase::can_take_control(int prio) {
  return host_gui_ == nullptr || host_gui_->can_take_control(index_, prio);
}

bool ListenerBase::take_control(int prio) { return host_gui_ == nullptr || host_gui_->take_control(index_, prio); }

void ListenerBase::release_control(int prio) {
  if (host_gui_) host_gui_->release_control(index_, prio);
}

double ListenerBase::set_value(double nrm, int prio) {
  if (host_gui_) host_gui_->set_param_and_notify(index_, static_cast<float>(nrm), prio);
  return nrm;
}

void ListenerBase::attach_param(int index, NormalizedParamInterface* param) {
  index_ = index;
  param_ = param;
}

void ListenerBase::refresh() {
  if (control_ && param_) control_->set_no_send(param_->nrm(), kRefreshPrio);
}

void MetaControl::bind(pengui::ControlInterface* control, ListenerBase* listener) {
  control_ = control;
  listener_ = listener;
  if (control && listener) {
    listener->set_control(control);
    control->attach(listener);  // no-op when already attached
  }
}

}  // namespace mppi
