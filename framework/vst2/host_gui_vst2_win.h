#pragma once
// The host as the GUI object sees it: every call goes to the adapter.
// (Despite "Win" in the name, this runs on every platform we build for.)

#include "framework/core/host_gui_interface.h"

namespace mppi {

class Vst2Plugin;

class HostGuiVst2Win : public HostGuiInterface {
public:
  explicit HostGuiVst2Win(Vst2Plugin* adapter = nullptr) : adapter_(adapter) {}
  void set_adapter(Vst2Plugin* adapter) { adapter_ = adapter; }

  double get_host_num_property(const char* key) override;
  std::string get_host_string_property(const char* key) override;
  bool can_take_control(int param, int source) override;
  bool take_control(int param, int source) override;
  void release_control(int param, int source) override;
  bool set_param_and_notify(int param, float value, int source) override;
  void apply_program(const ProgramSlot& program, int source) override;
  void publish_bank(const BankManager& bank) override;
  int resize_window(int width, int height) override;
  void get_settings_path(std::string& out) override;
  MidiMgr* get_midi_mgr() override;
  int get_current_program() override;
  bool get_bank(BankManager& out) override;
  bool set_current_program(int index) override;
  bool store_program(int index) override;
  bool set_program_name(int index, const std::string& name) override;
  bool replace_bank(const BankManager& bank) override;
  MidiDevSelectorInterface* get_midi_dev_selector() override;
  int update_midi_dev_lists() override;

private:
  Vst2Plugin* adapter_;
};

}  // namespace mppi
