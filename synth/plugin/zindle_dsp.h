#pragma once
// The synth's audio-side object: answers the framework's DSP interface,
// turns MIDI messages into time-stamped synth events and renders blocks
// through the synth core.

#include <atomic>
#include <string>

#include "framework/core/pin_set.h"
#include "framework/core/plugin_internal.h"
#include "framework/midi/midi_receiver_interface.h"
#include "framework/params/normalized_param_interface.h"
#include "framework/settings/setting_dsp_mixin.h"
#include "synth/dsp/synth_core.h"
#include "synth/plugin/midi_gui_keyboard_manager.h"

namespace synth {


class ZindleDsp : public mppi::MidiReceiverInterface,
                  public mppi::NotifierInterface,
                  public mppi::PluginInternal,
                  public mppi::SettingDspMixin {
public:
  static constexpr int kMaxPieceSize = 256;

  ZindleDsp();
  ~ZindleDsp() override;
  ZindleDsp(const ZindleDsp&) = delete;
  ZindleDsp& operator=(const ZindleDsp&) = delete;

  // --- mppi::DspInterface ---------------------------------------------------
  void init() override;
  void start() override;
  void stop() override;
  mppi::HostDspInterface* get_host() override { return host_; }
  mppi::HostDspInterface* set_host(mppi::HostDspInterface* host) override;
  void* get_host_companion() override { return host_companion_; }
  void* set_host_companion(void* companion) override;
  int get_nbr_input_pin_sets() const override { return 0; }
  const mppi::PinSet& get_input_pins(int set) const override;
  int get_nbr_output_pin_sets() const override { return 1; }
  const mppi::PinSet& get_output_pins(int set) const override;
  double get_min_sample_rate() const override { return 11025.0; }
  double get_max_sample_rate() const override { return 384000.0; }
  void set_sample_rate(float rate) override;
  int get_nbr_param() const override { return kNbrParams; }
  mppi::NormalizedParamInterface* get_param(int index) override;
  void set_display_name(const std::string& name) override;
  std::string get_display_name() const override;
  void set_extra_param(int index, float value) override;
  void offer_bank_snapshot(const mppi::BankManager* bank) override;
  double get_num_property(const char* key) const override;
  std::string get_string_property(const char* key) const override;
  void request_reset() override;
  void set_tempo(float bpm) override;
  mppi::BkgInterface* get_bkg_task() override { return nullptr; }
  mppi::StateSerializerInterface* get_state_serializer() override { return nullptr; }
  void set_all_param_values(const float* values) override;
  void get_all_param_values(double* values) const override;
  bool process_replacing(float** outputs, void* unused1, int nbr_samples, void* unused2) override;
  bool process_accumulating(float** outputs, void* unused1, int nbr_samples, void* unused2) override;
  void announce_program_change() override { synth_core_.request_program_change(); }

  // --- mppi::MidiReceiverInterface (audio thread) -----------------------------
  int32_t set_time_stamp(long offset) override;
  int32_t note_on(int ch, int note, float pitch, float value, float velocity, int flag) override;
  int32_t note_off(int ch, int note, float velocity) override;
  int32_t key_pressure(int ch, int note, float pressure) override;
  int32_t rpn(int ch, int number, int value) override;
  int32_t channel_message(int ch, int status, int data1, int data2) override;

  // --- Editor hooks --------------------------------------------------------
  // The on-screen keyboard's link to the audio thread. It lives as long as
  // this object, so an editor closing while the audio thread plays cannot
  // pull it away under a block.
  MidiGuiKeyboardManager& screen_keyboard() { return screen_keyboard_; }

  float get_sample_rate() const { return sample_rate_; }
  SynthCore& get_synth_core() { return synth_core_; }

private:
  void render(float** outputs, int nbr_samples, bool accumulate);
  void play_screen_keys(MidiGuiKeyboardManager& keys);

  mppi::HostDspInterface* host_ = nullptr;
  void* host_companion_ = nullptr;
  float sample_rate_ = 0.0f;
  std::atomic<bool> reset_requested_{false};
  bool accumulate_ = false;
  std::string display_name_;
  mppi::PinSet input_pins_;
  mppi::PinSet output_pins_;
  SynthCore synth_core_;
  MidiGuiKeyboardManager screen_keyboard_;
};

}  // namespace synth
