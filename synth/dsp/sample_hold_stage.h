#pragma once
// Sample-and-hold of the voice at the doubled rate: mixes two oscillator or
// noise signals into an audio-rate mixer signal, samples it on a trigger and
// lets the output glide towards the held value (lag), once per slice.

#include <cstdint>

#include "framework/params/normalized_param_interface.h"
#include "synth/params/param_classes.h"

namespace mppi { class PluginInternal; }

namespace synth {

class SampleHoldStage {
public:
  static constexpr int kMaxSamples = 512;  // doubled-rate samples per slice

  SampleHoldStage();
  virtual ~SampleHoldStage() = default;
  SampleHoldStage(const SampleHoldStage&) = delete;
  SampleHoldStage& operator=(const SampleHoldStage&) = delete;

  // --- Set-up ----------------------------------------------------------------
  // Creates "S/H Lag" .. "S/H Mix2 Lvl".
  void create_params(mppi::PluginInternal& registry);
  // The doubled rate.
  void set_sample_rate(double sample_rate);
  void reset();
  // The generator's buffers (kMaxSamples each); they must outlive the stage.
  void set_sources(const float* noise, const int16_t* vco1_saw, const int16_t* vco1_square,
                   const int16_t* vco2_square);

  // --- Audio thread ----------------------------------------------------------
  // Once per run: applies changed parameters.
  void update();
  // Block form: mixes count samples, then holds and lags.
  void process_block(int count, bool trigger);
  // Stepped form: restart(), one step() per sample (returns the mixer
  // sample), then hold_and_lag() over the same count.
  void restart() { index_ = 0; }
  float step();
  void hold_and_lag(int count, bool trigger);

  // The generator buffers the mixing reads (generator_output bits).
  unsigned generator_outputs_read() const { return outputs_read_; }

  float get_output() const { return output_; }
  float get_held_value() const { return held_; }
  float get_lag_factor() const { return lag_factor_; }
  const float* get_mixer_buffer() const { return mix_; }

private:
  const int16_t* source1() const { return src1_is_saw_ ? vco1_saw_ : vco1_square_; }
  float mix_sample(int i) const;
  void update_terms_read();
  template <bool kFirst, bool kSecond>
  void mix_block(int count);
  void update_lag();

  ParamShLag* param_lag_ = nullptr;
  ParamShMixerSrc1* param_src1_ = nullptr;
  ParamShMixerSrc1Level* param_src1_level_ = nullptr;
  ParamShMixerSrc2* param_src2_ = nullptr;
  ParamShMixerSrc2Level* param_src2_level_ = nullptr;
  mppi::NotificationFlag flag_lag_{true};
  mppi::NotificationFlag flag_src1_{true};
  mppi::NotificationFlag flag_src2_{true};

  float sample_rate_ = 88200.0f;
  int index_ = 0;
  bool src1_is_saw_ = false;
  bool src2_is_float_ = false;
  float level1_ = 0.0f;
  float scale1_ = 0.0f;
  float offset_share2_ = 0.0f;
  float scale2_ = 0.0f;
  float offset_ = 0.0f;
  bool first_term_read_ = false;  // what the block form reads
  bool second_term_read_ = false;
  unsigned outputs_read_ = 0;
  float held_ = 0.0f;
  float output_ = 0.0f;
  float lag_factor_ = -100.0f;

  const float* noise_;
  const int16_t* vco1_saw_;
  const int16_t* vco1_square_;
  const int16_t* vco2_square_;
  float mix_[kMaxSamples] = {};
};

}  // namespace synth
