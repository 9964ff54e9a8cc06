#pragma once
// A plug-in registry with plain parameters and no sound engine, for testing
// the framework without the synth: every DSP operation that a test does not
// look at does nothing. Also the registry for testing one synth stage alone.

#include <cstring>
#include <memory>
#include <string>

#include "framework/core/pin_set.h"
#include "framework/core/plugin_internal.h"
#include "framework/params/normalized_param_interface.h"
#include "support/fake_param_access.h"

namespace zindle_test {

class FakeDsp : public mppi::PluginInternal {
public:
  // nbr_params plain parameters (natural value = normalized value) are
  // registered by init(), as a synth registers its own.
  explicit FakeDsp(int nbr_params = 0) : nbr_params_(nbr_params) {}
  ~FakeDsp() override { release_params(); }

  // Sets a natural value and notifies its group, like a change from the host.
  void change(int index, double value) {
    mppi::NormalizedParamInterface* param = get_registered_param(index);
    param->set_val(value, 100);
    if (param->notified) param->notified->notify(param);
  }

  bool hide_parameters = false;

  void init() override {
    for (int i = 0; i < nbr_params_; ++i) register_and_add(std::make_shared<NamedParam>(i));
  }
  void start() override {}
  void stop() override { release_params(); }
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
  mppi::NormalizedParamInterface* get_param(int index) override { return get_registered_param(index); }
  void set_display_name(const std::string& name) override { display_name_ = name; }
  std::string get_display_name() const override { return display_name_; }
  void set_extra_param(int, float) override {}
  void offer_bank_snapshot(const mppi::BankManager*) override {}
  double get_num_property(const char* key) const override {
    return hide_parameters && std::strcmp(key, "hide_parameters") == 0 ? 1.0 : 0.0;
  }
  std::string get_string_property(const char*) const override { return {}; }
  void request_reset() override {}
  void set_tempo(float) override {}
  mppi::BkgInterface* get_bkg_task() override { return nullptr; }
  mppi::StateSerializerInterface* get_state_serializer() override { return nullptr; }
  void set_all_param_values(const float* values) override {
    for (int i = 0; i < get_nbr_registered_params(); ++i) get_registered_param(i)->set_nrm_and_notify(values[i]);
  }
  void get_all_param_values(double* values) const override {
    for (int i = 0; i < get_nbr_registered_params(); ++i) values[i] = get_registered_param(i)->nrm();
  }
  bool process_replacing(float**, void*, int, void*) override { return false; }
  bool process_accumulating(float**, void*, int, void*) override { return false; }

private:
  int nbr_params_;
  std::string display_name_;
  mppi::PinSet pins_;
};

}  // namespace zindle_test
