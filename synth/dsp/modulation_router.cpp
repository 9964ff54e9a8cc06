#include "synth/dsp/modulation_router.h"

#include "synth/dsp/generator_stage.h"
#include "synth/dsp/mixer_stage.h"
#include "synth/dsp/pitch_units.h"

namespace synth {

void ModulationRouter::update_pwm(int vco, double source, double level, GeneratorStage& generator) {
  pwm_source_[vco] = round_half_up(source);
  pwm_amount_[vco] = static_cast<float>(pwm_source_[vco] == 1 ? level * 0.3 : level * -0.8);
  if (pwm_amount_[vco] == 0.0f) generator.set_pwm(vco, 0.0f);
}

void ModulationRouter::update_vco1_mod(double source1, double level1, double source2,
                                       double level2) {
  vco1_source1_ = round_half_up(source1);
  vco1_source2_ = round_half_up(source2);
  vco1_amount1_ = static_cast<float>(vco1_source1_ == 1 ? level1 * 32768.0 : level1 * 65536.0);
  vco1_amount2_ =
      static_cast<float>(vco1_source2_ == 1 ? level2 * 103765.3359375 : level2 * 491520.0);
  vco1_counter_ = counter_for(vco1_amount1_ == 0.0f && vco1_amount2_ == 0.0f);
}

void ModulationRouter::update_vco2_mod(double source3, double level3, double source4,
                                       double level4) {
  vco2_audio_source_ = round_half_up(source3);
  vco2_source4_ = round_half_up(source4);
  vco2_audio_amount_ =
      static_cast<float>(vco2_audio_source_ == 1 ? level3 * 32768.0 : level3 * 103765.3359375);
  vco2_amount4_ =
      static_cast<float>(vco2_source4_ == 1 ? level4 * 103765.3359375 : level4 * 491520.0);
  vco2_audio_counter_ = counter_for(vco2_audio_amount_ == 0.0f);
  vco2_counter4_ = counter_for(vco2_amount4_ == 0.0f);
}

void ModulationRouter::update_filter_mod(double source_a, double level_a, double source_b,
                                         double level_b, double source_c, double level_c) {
  filter_source_a_ = round_half_up(source_a);
  filter_source_b_ = round_half_up(source_b);
  filter_source_c_ = round_half_up(source_c);
  filter_amount_a_ = static_cast<float>(filter_source_a_ == 1 ? level_a * 0.0000152587890625
                                                              : level_a * 1.5833333730697632);
  filter_amount_b_ =
      static_cast<float>(filter_source_b_ == 1 ? level_b * 4.0 : level_b * 1.5833333730697632);
  filter_amount_c_ = static_cast<float>(level_c * 7.5);
  filter_counter_ = counter_for(filter_amount_a_ == 0.0f && filter_amount_b_ == 0.0f &&
                                filter_amount_c_ == 0.0f);
}

void ModulationRouter::apply_slice(const ModulationSources& src, GeneratorStage& generator,
                                   MixerStage& mixer) {
  for (int vco = 0; vco < 2; ++vco) {
    if (pwm_amount_[vco] == 0.0f) continue;
    generator.set_pwm(vco, pwm_amount_[vco] * (pwm_source_[vco] == 1 ? src.lfo_sine : src.adsr_now));
  }
  if (vco1_counter_ != 0) {
    const float value = vco1_amount2_ * (vco1_source2_ == 1 ? src.sh_output : src.adsr_now) +
                        vco1_amount1_ * (vco1_source1_ == 1 ? src.lfo_sine : src.lfo_square);
    generator.set_vco1_mod(round_half_up(value));
    count_down(vco1_counter_);
  }
  if (vco2_counter4_ != 0) {
    generator.set_vco2_mod(
        round_half_up(vco2_amount4_ * (vco2_source4_ == 1 ? src.sh_output : src.adsr_now)));
    count_down(vco2_counter4_);
  }
  if (vco2_audio_counter_ != 0) {
    generator.set_vco2_audio_mod(round_half_up(
        vco2_audio_amount_ * (vco2_audio_source_ == 1 ? src.lfo_sine : src.sh_mixer_last)));
    count_down(vco2_audio_counter_);
  }
  if (filter_counter_ != 0) {
    const float y = filter_source_a_ == 1
                        ? static_cast<float>(src.vco1_pitch) - kFilterTrackingCentre
                        : src.sh_mixer_last;
    const bool per_sample = filter_source_a_ == 0 && filter_amount_a_ != 0.0f;
    float x = filter_amount_c_ * (filter_source_c_ == 1 ? src.adsr_now : src.ar_now) +
              filter_amount_b_ * (filter_source_b_ == 1 ? src.sh_output : src.lfo_sine);
    if (!per_sample) x += filter_amount_a_ * y;
    mixer.set_filter_audio_mod(per_sample ? filter_amount_a_ : 0.0f);
    mixer.set_filter_mod_offset(x);
    count_down(filter_counter_);
  }
}

}  // namespace synth
