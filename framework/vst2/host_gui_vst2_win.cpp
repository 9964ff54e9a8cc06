#include "framework/vst2/host_gui_vst2_win.h"

#include <cmath>
#include <cstring>

#include "framework/vst2/vst2_plugin.h"

namespace mppi {

// The editor window is never offered to the host for resizing.
double HostGuiVst2Win::get_host_num_property(const char* /*key*/) { return 0.0; }

std::string HostGuiVst2Win::get_host_string_property(const char* key) {
  if (key == nullptr) return std::string();
  if (std::strcmp(key, "interface_standard") == 0) return "VST 2.0";
  if (std::strcmp(key, "interface_info") == 0)
    return "VST is a trademark of Steinberg Media Technologies GmbH.\nwww.steinberg.net";
  return std::string();
}

bool HostGuiVst2Win::can_take_control(int param, int source) {
  return adapter_ != nullptr && adapter_->can_take_control(param, source);
}

bool HostGuiVst2Win::take_control(int param, int source) {
  return adapter_ != nullptr && adapter_->take_control(param, source);
}

void HostGuiVst2Win::release_control(int param, int source) {
  if (adapter_ != nullptr) adapter_->release_control(param, source);
}

bool HostGuiVst2Win::set_param_and_notify(int param, float value, int source) {
  return adapter_ != nullptr && adapter_->set_param_and_notify(param, value, source);
}

void HostGuiVst2Win::apply_program(const ProgramSlot& program, int source) {
  if (adapter_ != nullptr) adapter_->apply_program(program, source, false, true);
}

void HostGuiVst2Win::publish_bank(const BankManager& bank) {
  if (adapter_ != nullptr) adapter_->publish_bank(bank, false);
}

int HostGuiVst2Win::resize_window(int width, int height) {
  if (adapter_ == nullptr) return -1;
  if (std::fabs(get_host_num_property("can_resize_window")) >= 1e-9 && !adapter_->sizeWindow(width, height))
    return -1;
  return adapter_->resize_window(width, height);
}

void HostGuiVst2Win::get_settings_path(std::string& out) {
  out = adapter_ != nullptr ? adapter_->get_settings_path() : std::string();
}

MidiMgr* HostGuiVst2Win::get_midi_mgr() { return adapter_ != nullptr ? adapter_->get_midi_mgr() : nullptr; }

}  // namespace mppi
