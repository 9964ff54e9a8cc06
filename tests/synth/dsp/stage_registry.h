#pragma once
// A parameter registry for testing one stage on its own: the plug-in
// operations that a stage never calls do nothing.

#include "framework/core/plugin_internal.h"
#include "framework/core/pin_set.h"
#include "framework/params/normalized_param_interface.h"

namespace zindle_test {

class StageRegistry : public mppi::PluginInternal {
public:
  ~StageRegistry() override { release_params(); }

  // Sets a natural value and notifies its group, like a change from the host.
  void change(int index, double value) {
    mppi::NormalizedParamInterface* param = get_registered_param(index);
    param->set_val(value, 100);
    if (param->notified) param->notified->notify(param);
  }

  void init() override {}
  void start() override {}
  void stop() override {}
  mppi::HostDspInterface* get_host() override { return nullptr; }
  mppi::HostDspInterface* set_host(mppi::HostDspInterface*) override { return nullptr; }
  void* get_host_companion() override { return nullptr; }
  void* set_host_companion(void*) override { return nullptr; }
  basic::SettingMgrInterface* get_setting_mgr() override { return nullptr; }
  mppi::SettingAutoload* get_setting_autoload() override { return nullptr; }
  int get_nbr_input_pin_sets() const override { return 0; }
  const mppi::PinSet& get_input_pins(int) const override { return pins_; }
  int get_nbr_output_pin_sets() const override { return 0; }
  const mppi::PinSet& get_output_pins(int) const override { return pins_; }
  double get_min_sample_rate() const override { return 0.0; }
  double get_max_sample_rate() const override { return 0.0; }
  void set_sample_rate(float) override {}
  int get_nbr_param() const override { return get_nbr_registered_params(); }
  mppi::NormalizedParamInterface* get_param(int index) override {
    return get_registered_param(index);
  }
  void set_display_name(const std::string&) override {}
  std::string get_display_name() const override { return {}; }
  void set_extra_param(int, float) override {}
  void offer_bank_snapshot(const mppi::BankManager*) override {}
  double get_num_property(const char*) const override { return 0.0; }
  std::string get_string_property(const char*) const override { return {}; }
  void request_reset() override {}
  void set_tempo(float) override {}
  mppi::BkgInterface* get_bkg_task() override { return nullptr; }
  mppi::StateSerializerInterface* get_state_serializer() override { return nullptr; }
  void set_all_param_values(const float*) override {}
  void get_all_param_values(double*) const override {}
  bool process_replacing(float**, void*, int, void*) override { return false; }
  bool process_accumulating(float**, void*, int, void*) override { return false; }

private:
  mppi::PinSet pins_;
};

}  // namespace zindle_test
