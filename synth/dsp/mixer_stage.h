#pragma once
// Mixes the three sources at the doubled rate, brings the mix down to the
// host rate and runs it through the VCF, the HPF and the VCA.

#include <cstdint>

#include "dsp/biquad_designer.h"
#include "dsp/downsampler2x.h"
#include "dsp/ladder_vcf.h"
#include "dsp/linear_ramp.h"
#include "dsp/osc_sin_cos_euler.h"
#include "framework/params/normalized_param_interface.h"
#include "synth/dsp/deferred_recursion.h"
#include "synth/params/param_classes.h"

namespace mppi { class PluginInternal; }

namespace synth {

class MixerStage {
public:
  static constexpr int kMaxSamples = 256;  // host-rate samples per call

  MixerStage();
  virtual ~MixerStage();
  MixerStage(const MixerStage&) = delete;
  MixerStage& operator=(const MixerStage&) = delete;

  // Set-up: creates "Mix Src1" .. "A440 Tone".
  void create_params(mppi::PluginInternal& registry);
  void set_sample_rate(double rate);
  void set_oversampled(bool oversampled);
  // Doubled-rate inputs, then the host-rate envelope signals.
  void set_buffers(const float* noise, const int16_t* vco1_saw, const int16_t* vco1_square,
                   const int16_t* vco2_saw, const int16_t* vco2_square,
                   const float* filter_audio_mod, const float* ar, const float* adsr);
  // Clears all signal state; a pending cutoff setting is taken at once.
  void reset();

  // Audio thread.
  void update_params();
  // At note-on, v in 0..1.
  void set_velocity(float velocity);
  void set_filter_mod_offset(float octaves);
  // Per-sample cutoff modulation by the doubled-rate signal; 0 turns it off.
  void set_filter_audio_mod(float level);
  // The generator buffers process reads (generator_output bits).
  unsigned generator_outputs_read() const { return outputs_read_; }
  bool gain_audible() const;
  bool env_gain_audible() const;
  // count <= kMaxSamples host-rate samples. `beside`, when given with two
  // samples per output sample still to run, is run within the chain's loop.
  void process(float* out, int count, DeferredRecursion* beside = nullptr);
  void add_a440(float* out, int count);

private:
  void update_sources_read();
  void mix(float* dst, int count);
  float advance_cutoff(int count);
  void compute_vca_gains(int count);
  template <bool kOversampled, bool kAudioMod, bool kBeside>
  void run_chain(float* out, int count, float fc_unmodulated, DeferredRecursion* beside);
  float envelope_level() const;

  float sample_rate_ = 44100.0f;
  ParamMixerSrc1* param_mix_src1_ = nullptr;
  ParamMixerSrc2* param_mix_src2_ = nullptr;
  ParamMixerSrc3* param_mix_src3_ = nullptr;
  ParamMixerSrcLevel* param_mix1_lvl_ = nullptr;
  ParamMixerSrcLevel* param_mix2_lvl_ = nullptr;
  ParamMixerSrcLevel* param_mix3_lvl_ = nullptr;
  ParamMixerVcfCutoff* param_vcf_cutoff_ = nullptr;
  ParamMixerVcfReso* param_vcf_reso_ = nullptr;
  ParamMixerHpfCutoff* param_hpf_cutoff_ = nullptr;
  ParamMixerVcaGain* param_vca_gain_ = nullptr;
  ParamMixerVcaModSrc* param_vca_env_ = nullptr;
  ParamMixerVcaModGain* param_vca_env_lvl_ = nullptr;
  ParamVeloVcaSens* param_velo_vca_sens_ = nullptr;
  ParamVeloVcfCutoffSens* param_velo_vcf_sens_ = nullptr;
  ParamMixerA440* param_a440_tone_ = nullptr;
  // Raised so that the first update reads every group.
  mppi::NotificationFlag flag_mixer_{true};
  mppi::NotificationFlag flag_vcf_{true};
  mppi::NotificationFlag flag_hpf_{true};
  mppi::NotificationFlag flag_vca_{true};

  bool oversampled_ = true;
  const float* noise_ = nullptr;
  const int16_t* vco1_saw_ = nullptr;
  const int16_t* vco1_square_ = nullptr;
  const int16_t* vco2_saw_ = nullptr;
  const int16_t* vco2_square_ = nullptr;
  const float* filter_audio_mod_ = nullptr;  // doubled rate
  const float* ar_ = nullptr;
  const float* adsr_ = nullptr;

  float mix_[2 * kMaxSamples] = {};
  float vca_gains_[kMaxSamples] = {};
  dsp::Downsampler2x<8> downsampler_;
  dsp::LadderVcf vcf_;
  dsp::BiquadDesigner hpf_;
  dsp::LinearRamp cutoff_ramp_;

  bool src1_is_noise_ = false;
  bool src2_is_saw_ = true;
  bool src3_is_saw_ = true;
  bool src1_on_ = false;  // level above 0 and buffers present
  bool src2_on_ = false;
  bool src3_on_ = false;
  unsigned outputs_read_ = 0;  // generator_output bits of the sources on
  const int16_t* src2_buffer_ = nullptr;
  const int16_t* src3_buffer_ = nullptr;
  float level1_ = 0.0f;
  float level2_ = 0.0f;
  float level3_ = 0.0f;

  float mod_offset_ = 0.0f;       // octaves
  float velocity_offset_ = 0.0f;  // octaves
  float audio_mod_level_ = 0.0f;  // octaves per unit of the modulation signal
  float max_cutoff_ = 0.42f * 44100.0f;
  bool cutoff_changed_ = true;
  bool audio_mod_on_ = false;

  float vca_gain_ = 0.0f;
  float env_level_ = 0.0f;
  float prev_env_level_ = 0.0f;
  const float* env_buffer_ = nullptr;
  float velocity_ = 1.0f;

  bool a440_on_ = false;
  dsp::OscSinCosEuler tone_;
};

}  // namespace synth
