#pragma once
// Control signals of the voice at the host rate: the ADSR and AR envelopes
// (rendered per sample) and the LFO (sine and square per control tick), with
// the keyboard gate, the LFO repeat modes, key retrigger and tempo sync.

#include "framework/params/normalized_param_interface.h"
#include "synth/dsp/envelope_generator.h"
#include "synth/dsp/lfo.h"
#include "synth/params/param_classes.h"

namespace mppi { class PluginInternal; }

namespace synth {

class ControlStage {
public:
  static constexpr int kMaxSamples = 256;  // host-rate samples per slice

  ControlStage();
  virtual ~ControlStage() = default;
  ControlStage(const ControlStage&) = delete;
  ControlStage& operator=(const ControlStage&) = delete;

  // --- Set-up ----------------------------------------------------------------
  // Creates "ADSR Atk Time" .. "LFO Key Trig".
  void create_params(mppi::PluginInternal& registry);
  void set_sample_rate(double sample_rate);
  void reset();
  void set_tempo(float bpm);

  // --- Audio thread ----------------------------------------------------------
  void gate_on();
  void gate_off();
  // Before each slice: applies changed parameters (unless told to keep the
  // current ones), the gate and the LFO repeats, and computes the LFO values
  // for the slice.
  void tick(bool any_key_held, bool take_params = true);
  // Samples until the next tick is due; the caller may cut a slice shorter.
  int get_slice_length() const;
  // Renders count (at most kMaxSamples) envelope samples and moves the LFO.
  void advance(int count);

  float get_lfo_sine() const { return lfo_sine_; }
  float get_lfo_square() const { return lfo_square_; }
  bool is_lfo_cycle_start() const { return lfo_cycle_start_; }
  bool is_adsr_active() const { return adsr_active_; }
  bool is_ar_active() const { return ar_active_; }
  const float* get_adsr_buffer() const { return adsr_buffer_; }
  const float* get_ar_buffer() const { return ar_buffer_; }
  float* use_adsr_buffer() { return adsr_buffer_; }
  float* use_ar_buffer() { return ar_buffer_; }

  const EnvelopeGenerator& get_adsr() const { return adsr_; }
  const EnvelopeGenerator& get_ar() const { return ar_; }
  const Lfo& get_lfo() const { return lfo_; }

private:
  enum Group { kAdsrTimes = 0, kAdsrRepeat, kArTimes, kArRepeat, kLfoSettings, kNbrGroups };

  void apply_changed_params(bool any_key_held);
  void apply_trigger();
  void apply_release();
  void apply_lfo_repeat();

  ParamCtrlAdsrAttackTime* param_adsr_attack_time_ = nullptr;
  ParamCtrlAdsrDecayTime* param_adsr_decay_time_ = nullptr;
  ParamCtrlAdsrSustainLevel* param_adsr_sustain_level_ = nullptr;
  ParamCtrlAdsrReleaseTime* param_adsr_release_time_ = nullptr;
  ParamCtrlAdsrRepeat* param_adsr_repeat_ = nullptr;
  ParamCtrlAdsrAutoRepeat* param_adsr_auto_repeat_ = nullptr;
  ParamCtrlArAttackTime* param_ar_attack_time_ = nullptr;
  ParamCtrlArReleaseTime* param_ar_release_time_ = nullptr;
  ParamCtrlArRepeat* param_ar_repeat_ = nullptr;
  ParamCtrlLfoPer* param_lfo_per_ = nullptr;
  ParamCtrlLfoTempoSync* param_lfo_tempo_sync_ = nullptr;
  ParamCtrlLfoKeyRetrig* param_lfo_key_retrig_ = nullptr;
  mppi::NotificationFlag flags_[kNbrGroups];

  float sample_rate_ = 44100.0f;
  EnvelopeGenerator adsr_;
  EnvelopeGenerator ar_;
  float adsr_buffer_[kMaxSamples] = {};
  float ar_buffer_[kMaxSamples] = {};
  Lfo lfo_;

  bool lfo_key_retrig_ = true;
  bool adsr_repeat_ = false;
  bool adsr_auto_repeat_ = false;
  bool ar_repeat_ = false;
  float lfo_sine_ = 0.0f;
  float lfo_square_ = 1.0f;
  int samples_to_boundary_ = 0;

  bool lfo_cycle_start_ = false;
  bool adsr_repeating_ = false;
  bool ar_repeating_ = false;
  bool trigger_pending_ = false;
  bool release_pending_ = false;
  bool gate_ = false;
  bool ar_active_ = false;
  bool adsr_active_ = false;
};

}  // namespace synth
