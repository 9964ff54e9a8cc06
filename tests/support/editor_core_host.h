#pragma once
// The editor's host interface over a plug-in core, forwarding as the
// adapter does; tests override what they record or answer differently.

#include <string>

#include "framework/core/host_gui_interface.h"
#include "framework/core/plugin_core.h"

namespace zindle_test {

class EditorCoreHost : public mppi::HostGuiInterface {
public:
  explicit EditorCoreHost(mppi::PluginCore& core) : core_(core) {}
  double get_host_num_property(const char*) override { return 0.0; }
  std::string get_host_string_property(const char*) override { return {}; }
  bool can_take_control(int p, int s) override { return core_.can_take_control(p, s); }
  bool take_control(int p, int s) override { return core_.take_control(p, s); }
  void release_control(int p, int s) override { core_.release_control(p, s); }
  bool set_param_and_notify(int p, float v, int s) override { return core_.set_param_and_notify(p, v, s); }
  void apply_program(const mppi::ProgramSlot& program, int s) override { core_.apply_program(program, s, false, true); }
  void publish_bank(const mppi::BankManager& bank) override { core_.publish_bank(bank); }
  int resize_window(int, int) override { return 0; }
  void get_settings_path(std::string&) override {}
  mppi::MidiMgr* get_midi_mgr() override { return nullptr; }

protected:
  mppi::PluginCore& core_;
};

}  // namespace zindle_test
