#include "framework/vst2/host_dsp_vst2_win.h"

#include <cstring>

#include "framework/vst2/vst2_plugin.h"

namespace mppi {

double HostDspVst2Win::get_host_num_property(const char* key) {
  if (adapter_ == nullptr || key == nullptr) return 0.0;
  if (std::strcmp(key, "can_tempo") == 0) {
    if (!host_has_tempo_) {
      TimeInfoRequest request;
      request.want_tempo = true;
      adapter_->get_time_info(request);
      host_has_tempo_ = !request.no_information && request.want_tempo;
    }
    return host_has_tempo_ ? 1.0 : 0.0;
  }
  if (std::strcmp(key, "param_quantization") == 0) {
    const VstInt32 q = adapter_->getParameterQuantization();
    return q < 2 ? 0.0 : 1.0 / q;
  }
  return 0.0;
}

void HostDspVst2Win::get_time_info(TimeInfoRequest& request) {
  if (adapter_ != nullptr) {
    adapter_->get_time_info(request);
  } else {
    request.no_information = true;
  }
}

bool HostDspVst2Win::is_input_pin_connected(int bus, int channel) {
  return adapter_ != nullptr && adapter_->is_input_pin_connected(bus, channel);
}

bool HostDspVst2Win::is_pin_connected(int bus, int channel) {
  return adapter_ != nullptr && adapter_->is_output_pin_connected(bus, channel);
}

MidiMgr* HostDspVst2Win::get_midi_mgr() { return adapter_ != nullptr ? adapter_->get_midi_mgr() : nullptr; }

bool HostDspVst2Win::can_take_control(int param, int source) {
  return adapter_ != nullptr && adapter_->can_take_control(param, source);
}

bool HostDspVst2Win::take_control(int param, int source) {
  return adapter_ != nullptr && adapter_->take_control(param, source);
}

void HostDspVst2Win::release_control(int param, int source) {
  if (adapter_ != nullptr) adapter_->release_control(param, source);
}

bool HostDspVst2Win::set_param_and_notify(int param, float value, int source) {
  return adapter_ != nullptr && adapter_->set_param_and_notify(param, value, source);
}

bool HostDspVst2Win::notify_host(int param, float value, int source) {
  return adapter_ != nullptr && adapter_->notify_host(param, value, source);
}

bool HostDspVst2Win::set_param(int param, float value, int source) {
  return adapter_ != nullptr && adapter_->set_param(param, value, source);
}

void HostDspVst2Win::apply_program(const ProgramSlot& program, int source) {
  if (adapter_ != nullptr) adapter_->apply_program(program, source, false, true);
}

ParamReorder* HostDspVst2Win::get_param_reorder() {
  return adapter_ != nullptr ? &adapter_->use_core().get_param_reorder() : nullptr;
}

void HostDspVst2Win::publish_bank(const BankManager& bank) {
  if (adapter_ != nullptr) adapter_->publish_bank(bank, true);
}

int HostDspVst2Win::start_dsp_task() { return adapter_ != nullptr ? adapter_->start_dsp_task() : -1; }

void HostDspVst2Win::stop_dsp_task() {
  if (adapter_ != nullptr) adapter_->stop_dsp_task();
}

void HostDspVst2Win::get_settings_path(std::string& out) {
  out = adapter_ != nullptr ? adapter_->get_settings_path() : std::string();
}

}  // namespace mppi
