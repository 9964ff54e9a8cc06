#pragma once
// The voice's sound source: two oscillators and the noise generator. Runs at
// the doubled rate and fills five buffers per run for the mixer.

#include <cstdint>

#include "dsp/interpolator.h"
#include "dsp/osc_sync_wavetable_sub.h"
#include "dsp/osc_wavetable_sub.h"
#include "framework/params/normalized_param_interface.h"
#include "synth/dsp/noise_gen.h"
#include "synth/params/param_classes.h"

namespace mppi { class PluginInternal; }

namespace synth {

class GeneratorStage {
public:
  using Vco = dsp::OscWavetableSub<dsp::Interpolator::CubicHermite, 12, 12, short, 1, 2>;
  using SyncVco = dsp::OscSyncWavetableSub<dsp::Interpolator::CubicHermite, 12, 12, 16, 8, short, 1, 2>;

  static constexpr int kMaxSamples = 512;  // doubled-rate samples per call

  GeneratorStage();
  virtual ~GeneratorStage();
  GeneratorStage(const GeneratorStage&) = delete;
  GeneratorStage& operator=(const GeneratorStage&) = delete;

  // Set-up: creates "VCO1 TuneC" .. "VCO2 Sync", then the noise type.
  void create_params(mppi::PluginInternal& registry);
  // The noise generator lets go of its parameter (the DSP object stops).
  void release_noise_params() { noise_gen_.release_params(); }
  void set_sample_rate(double doubled_rate);
  void reset();

  // Audio thread, once per run before rendering.
  void update_params();

  // Pitch inputs in pitch units (65536 per octave).
  void set_vco1_pitch(int pitch);
  void set_vco1_mod(int mod);
  void set_vco2_pitch(int pitch);
  void set_vco2_mod(int mod);
  void set_vco2_audio_mod(int mod);
  void set_pwm(int vco, float amount);

  // Which buffers render_block must write (generator_output bits).
  void set_outputs_read(unsigned outputs) { outputs_read_ = outputs; }
  // When the noise is not read, the block paths leave the recursion of its
  // filter pending here: whoever runs it advances `done`; finish_noise runs
  // the rest and must come before the next render.
  DeferredRecursion* deferred_noise() { return noise_tail_.is_pending() ? &noise_tail_ : nullptr; }
  void finish_noise() { noise_gen_.finish_deferred(noise_tail_); }

  void get_buffers(float*& noise, int16_t*& vco1_saw, int16_t*& vco1_square,
                   int16_t*& vco2_saw, int16_t*& vco2_square);
  void render_block(int count);
  // Audio-rate modulation of VCO 2 by a signal that VCO 2 does not feed:
  // everything but VCO 2 as a block, then VCO 2 following round(signal *
  // amount), where sample i plays with the offset formed from sample i - 1
  // (the first with the offset in force), as the stepped form does.
  void render_block_except_vco2(int count);
  void render_vco2_modulated(const float* signal, float amount, int count);
  // Stepped form, for a modulation signal that VCO 2 feeds:
  // set_render_position, then render_sample once per sample.
  void set_render_position(int position);
  void render_sample();

  // Read-only views for tests and diagnostics.
  int get_max_pitch() const { return vco1_.get_max_pitch(); }
  int get_vco1_pitch() const { return vco1_final_pitch_; }
  int get_vco2_pitch() const { return vco2_final_pitch_; }
  int get_vco1_tuning() const { return vco1_tuning_; }
  int get_vco2_tuning() const { return vco2_tuning_; }
  bool is_sync_on() const { return sync_on_; }
  const Vco& use_vco1() const { return vco1_; }
  const SyncVco& use_vco2() const { return vco2_; }
  const NoiseGen& use_noise_gen() const { return noise_gen_; }

private:
  // Pulse width of one VCO; a new width waits until it cannot skip or double
  // the falling edge of the pulse.
  struct PulseWidth {
    float value = 0.5f;
    float modulation = 0.0f;
    uint32_t pending = 0x80000000u;
    int16_t pending_dc_offset = 0;
    bool is_pending = false;
  };

  void update_vco1();
  void update_vco2();
  void render_noise(int count);
  static void render_outputs(Vco& osc, int16_t* saw, int16_t* square, int count, bool saw_read,
                             bool square_read);
  static void compute_pending(PulseWidth& pw);
  static void apply_pending(PulseWidth& pw, Vco& osc);

  float sample_rate_ = 88200.0f;
  ParamGenCoarseTune* param_vco1_coarse_tune_ = nullptr;
  ParamGenCoarseTune* param_vco2_coarse_tune_ = nullptr;
  ParamGenFineTune* param_vco1_fine_tune_ = nullptr;
  ParamGenFineTune* param_vco2_fine_tune_ = nullptr;
  ParamGenPulseWidth* param_vco1_pw_ = nullptr;
  ParamGenPulseWidth* param_vco2_pw_ = nullptr;
  ParamGenVco1Src* param_vco1_src_ = nullptr;
  ParamGenVcoSync* param_vco2_sync_ = nullptr;
  mppi::NotificationFlag flag_vco1_;
  mppi::NotificationFlag flag_vco2_;
  mppi::NotificationFlag flag_sync_;
  double sample_rate_d_ = 88200.0;

  int vco1_pitch_ = 0;
  int vco1_tuning_ = 0;
  int vco1_mod_ = 0;
  int vco1_final_pitch_ = 0;
  int vco2_pitch_ = 0;
  int vco2_tuning_ = 0;
  int vco2_mod_ = 0;
  int vco2_sum_ = 0;
  int vco2_audio_mod_ = 0;
  int vco2_final_pitch_ = 0;
  PulseWidth pw_[2];
  SyncVco::Tuning vco2_tunings_[kMaxSamples] = {};
  bool sync_on_ = false;
  bool vco1_keyboard_off_ = false;

  unsigned outputs_read_ = ~0u;
  int render_position_ = 0;
  float noise_buffer_[kMaxSamples] = {};
  DeferredRecursion noise_tail_;
  int16_t vco1_saw_buffer_[kMaxSamples] = {};
  int16_t vco1_square_buffer_[kMaxSamples] = {};
  int16_t vco2_saw_buffer_[kMaxSamples] = {};
  int16_t vco2_square_buffer_[kMaxSamples] = {};

  Vco vco1_;
  SyncVco vco2_;
  NoiseGen noise_gen_;
};

}  // namespace synth
