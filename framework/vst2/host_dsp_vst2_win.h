#pragma once
// The host as the DSP object sees it: every call goes to the adapter.
// The DSP object owns this object once it is handed over with set_host.
// (Despite "Win" in the name, this runs on every platform we build for.)

#include "framework/core/host_dsp_interface.h"

namespace mppi {

class Vst2Plugin;

class HostDspVst2Win : public HostDspInterface {
public:
  explicit HostDspVst2Win(Vst2Plugin* adapter = nullptr) : adapter_(adapter) {}
  void set_adapter(Vst2Plugin* adapter) { adapter_ = adapter; }

  double get_host_num_property(const char* key) override;
  void get_time_info(TimeInfoRequest& request) override;
  bool is_input_pin_connected(int bus, int channel) override;
  bool is_pin_connected(int bus, int channel) override;
  MidiMgr* get_midi_mgr() override;
  bool can_take_control(int param, int source) override;
  bool take_control(int param, int source) override;
  void release_control(int param, int source) override;
  bool set_param_and_notify(int param, float value, int source) override;
  bool notify_host(int param, float value, int source) override;
  bool set_param(int param, float value, int source) override;
  void apply_program(const ProgramSlot& program, int source) override;
  ParamReorder* get_param_reorder() override;
  void publish_bank(const BankManager& bank) override;
  int start_dsp_task() override;
  void stop_dsp_task() override;
  void get_settings_path(std::string& out) override;

private:
  Vst2Plugin* adapter_;
  bool host_has_tempo_ = false;  // a positive answer is kept
};

}  // namespace mppi
