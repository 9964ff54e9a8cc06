#pragma once
// Binds one editor control to one parameter: a user's edit goes to the
// plug-in core through the editor's host interface, with the change
// priority the control passes (50 drag, 200 click/typed/run mode), and a
// change from elsewhere is written back into the control without being
// sent again.

#include "gui/default_event_listener.h"
#include "gui/listened_control.h"

namespace mppi {

class HostGuiInterface;
class NormalizedParamInterface;

class ListenerBase : public pengui::DefaultEventListener {
public:
  static constexpr int kRefreshPrio = 1;

  bool can_take_control(int prio) override;
  bool take_control(int prio) override;
  void release_control(int prio) override;
  double set_value(double nrm, int prio) override;

  HostGuiInterface* get_host_gui() const { return host_gui_; }
  void set_host_gui(HostGuiInterface* host_gui) { host_gui_ = host_gui; }
  void attach_param(int index, NormalizedParamInterface* param);
  NormalizedParamInterface* get_attached_param() const { return param_; }
  int get_index() const { return index_; }
  void set_owner(void* owner) { owner_ = owner; }
  void set_control(pengui::ControlInterface* control) { control_ = control; }
  // Writes the parameter's value into the control, priority 1, no send.
  void refresh();

private:
  void* owner_ = nullptr;
  HostGuiInterface* host_gui_ = nullptr;
  int index_ = -1;
  NormalizedParamInterface* param_ = nullptr;
  pengui::ControlInterface* control_ = nullptr;
};

// For knobs, faders and switches.
class NumParamListener : public ListenerBase {};

// A control paired with the listener that links it to its parameter.
class MetaControl {
public:
  void bind(pengui::ControlInterface* control, ListenerBase* listener);
  bool is_bound() const { return control_ != nullptr && listener_ != nullptr; }
  pengui::ControlInterface* control() const { return control_; }
  ListenerBase* listener() const { return listener_; }

private:
  pengui::ControlInterface* control_ = nullptr;
  ListenerBase* listener_ = nullptr;
};

}  // namespace mppi
