#pragma once
// Routes the control signals to the oscillators' pulse width and pitch and to
// the filter cutoff. Amounts are recomputed when a group's parameters change;
// the targets are fed once per slice. A target whose amount is 0 gets one
// last update with the zero and then is left alone.

namespace synth {

class GeneratorStage;
class MixerStage;

// The control signal values of one slice.
struct ModulationSources {
  float adsr_now = 0.0f;
  float ar_now = 0.0f;
  float lfo_sine = 0.0f;
  float lfo_square = 0.0f;
  float sh_output = 0.0f;
  float sh_mixer_last = 0.0f;
  int vco1_pitch = 0;
};

class ModulationRouter {
public:
  // Group updates from parameter values (selectors are rounded here).
  void update_pwm(int vco, double source, double level, GeneratorStage& generator);
  void update_vco1_mod(double source1, double level1, double source2, double level2);
  void update_vco2_mod(double source3, double level3, double source4, double level4);
  void update_filter_mod(double source_a, double level_a, double source_b, double level_b,
                         double source_c, double level_c);

  // Feeds the targets for one slice.
  void apply_slice(const ModulationSources& sources, GeneratorStage& generator, MixerStage& mixer);

  // VCO 2 follows the sample-and-hold mixer signal sample by sample.
  bool is_vco2_audio_rate() const { return vco2_audio_counter_ != 0 && vco2_audio_source_ != 1; }
  float get_vco2_audio_amount() const { return vco2_audio_amount_; }

  float get_pwm_amount(int vco) const { return pwm_amount_[vco]; }
  float get_filter_amount_a() const { return filter_amount_a_; }

private:
  // Key 59 in pitch units: keyboard tracking of the filter is centred there.
  static constexpr float kFilterTrackingCentre = 322218.65625f;

  static int counter_for(bool is_zero) { return is_zero ? 1 : -1; }
  static void count_down(int& counter) {
    if (counter > 0) --counter;
  }

  int pwm_source_[2] = {0, 0};
  float pwm_amount_[2] = {0.0f, 0.0f};

  int vco1_source1_ = 0;
  int vco1_source2_ = 0;
  float vco1_amount1_ = 0.0f;
  float vco1_amount2_ = 0.0f;
  int vco1_counter_ = 1;

  int vco2_audio_source_ = 0;  // "S/H Mixer" / "LFO Sine"
  int vco2_source4_ = 0;
  float vco2_audio_amount_ = 0.0f;
  float vco2_amount4_ = 0.0f;
  int vco2_audio_counter_ = 1;
  int vco2_counter4_ = 1;

  int filter_source_a_ = 0;
  int filter_source_b_ = 0;
  int filter_source_c_ = 0;
  float filter_amount_a_ = 0.0f;
  float filter_amount_b_ = 0.0f;
  float filter_amount_c_ = 0.0f;
  int filter_counter_ = 1;
};

}  // namespace synth
