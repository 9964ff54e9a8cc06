#include "framework/vst2/host_gui_vst2_win.h"

#include <cmath>
#include <cstring>

#include "framework/midi_devices/midi_dev_sel_dispatcher.h"
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

int HostGuiVst2Win::get_current_program() { return adapter_ != nullptr ? adapter_->getProgram() : -1; }

bool HostGuiVst2Win::get_bank(BankManager& out) {
  if (adapter_ == nullptr) return false;
  adapter_->use_core().with_bank([&](BankManager& bank) { out = bank; });
  return true;
}

bool HostGuiVst2Win::set_current_program(int index) {
  return adapter_ != nullptr && adapter_->use_core().set_current_program(index);
}

bool HostGuiVst2Win::store_program(int index) {
  return adapter_ != nullptr && adapter_->use_core().store_program(index);
}

bool HostGuiVst2Win::set_program_name(int index, const std::string& name) {
  return adapter_ != nullptr && adapter_->use_core().set_program_name(index, name);
}

bool HostGuiVst2Win::replace_bank(const BankManager& bank) {
  if (adapter_ == nullptr || !adapter_->use_core().replace_bank(bank)) return false;
  adapter_->publish_bank(bank, false);
  return true;
}

MidiDevSelectorInterface* HostGuiVst2Win::get_midi_dev_selector() {
  return adapter_ != nullptr ? adapter_->get_midi_dev_dispatcher() : nullptr;
}

int HostGuiVst2Win::update_midi_dev_lists() {
  MidiDevSelDispatcher* dispatcher = adapter_ != nullptr ? adapter_->get_midi_dev_dispatcher() : nullptr;
  return dispatcher != nullptr ? dispatcher->update_lists() : -1;
}

}  // namespace mppi
