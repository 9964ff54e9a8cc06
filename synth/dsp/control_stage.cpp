#include "synth/dsp/control_stage.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/core/plugin_internal.h"
#include "synth/params/param_creator.h"

namespace synth {

namespace {

int rounded(double v) {
  return static_cast<int>(std::floor(v + 0.5));
}

}  // namespace

ControlStage::ControlStage() {
  adsr_.set_attack_time(10.0);
  adsr_.set_decay_time(10.0);
  adsr_.set_sustain_level(0.5);
  adsr_.set_release_time(10.0);
  ar_.set_attack_time(10.0);
  ar_.set_decay_time(0.001);
  ar_.set_sustain_level(1.0);
  ar_.set_release_time(10.0);
  lfo_.set_sample_rate(sample_rate_);
}

void ControlStage::create_params(mppi::PluginInternal& registry) {
  ParamCreator params(registry, {{ParamGroup::kControlAdsrTimes, &flags_[kAdsrTimes]},
                                 {ParamGroup::kControlAdsrRepeat, &flags_[kAdsrRepeat]},
                                 {ParamGroup::kControlArTimes, &flags_[kArTimes]},
                                 {ParamGroup::kControlArRepeat, &flags_[kArRepeat]},
                                 {ParamGroup::kControlLfo, &flags_[kLfoSettings]}});
  param_adsr_attack_time_ = params.add<ParamId::kAdsrAtkTime>();
  param_adsr_decay_time_ = params.add<ParamId::kAdsrDcyTime>();
  param_adsr_sustain_level_ = params.add<ParamId::kAdsrSusLvl>();
  param_adsr_release_time_ = params.add<ParamId::kAdsrRelTime>();
  param_adsr_repeat_ = params.add<ParamId::kAdsrLfoRep>();
  param_adsr_auto_repeat_ = params.add<ParamId::kAdsrAutoRep>();
  param_ar_attack_time_ = params.add<ParamId::kArAtkTime>();
  param_ar_release_time_ = params.add<ParamId::kArRelTime>();
  param_ar_repeat_ = params.add<ParamId::kArLfoRep>();
  param_lfo_per_ = params.add<ParamId::kLfoFreq>();
  param_lfo_tempo_sync_ = params.add<ParamId::kLfoTempoSync>();
  param_lfo_key_retrig_ = params.add<ParamId::kLfoKeyTrig>();

  // The first tick takes the initial values.
  for (auto& flag : flags_) flag.raise();
}

void ControlStage::set_sample_rate(double sample_rate) {
  sample_rate_ = static_cast<float>(sample_rate);
  adsr_.set_sample_rate(sample_rate_);
  ar_.set_sample_rate(sample_rate_);
  lfo_.set_sample_rate(sample_rate_);
}

void ControlStage::reset() {
  adsr_.reset();
  ar_.reset();
  lfo_.restart();
  std::fill(std::begin(adsr_buffer_), std::end(adsr_buffer_), 0.0f);
  std::fill(std::begin(ar_buffer_), std::end(ar_buffer_), 0.0f);
}

void ControlStage::set_tempo(float bpm) {
  lfo_.set_tempo(bpm);
}

void ControlStage::gate_on() {
  trigger_pending_ = true;
  gate_ = true;
}

void ControlStage::gate_off() {
  release_pending_ = true;
  gate_ = false;
}

void ControlStage::apply_changed_params(bool any_key_held) {
  if (param_adsr_attack_time_ == nullptr) return;  // parameters not created

  if (flags_[kAdsrTimes].test_and_clear()) {
    adsr_.set_attack_time(param_adsr_attack_time_->get_val());
    adsr_.set_decay_time(param_adsr_decay_time_->get_val());
    adsr_.set_sustain_level(param_adsr_sustain_level_->get_val());
    adsr_.set_release_time(param_adsr_release_time_->get_val());
  }
  if (flags_[kAdsrRepeat].test_and_clear()) {
    adsr_repeat_ = rounded(param_adsr_repeat_->get_val()) == 1;
    adsr_auto_repeat_ = rounded(param_adsr_auto_repeat_->get_val()) == 1;
    const bool hold = adsr_auto_repeat_ || any_key_held;
    adsr_repeating_ = adsr_repeat_ && hold;
    if (!hold) adsr_.release();
  }
  if (flags_[kArTimes].test_and_clear()) {
    ar_.set_attack_time(param_ar_attack_time_->get_val());
    ar_.set_release_time(param_ar_release_time_->get_val());
  }
  if (flags_[kArRepeat].test_and_clear()) {
    ar_repeat_ = rounded(param_ar_repeat_->get_val()) == 1;
    ar_repeating_ = ar_repeat_;
    if (!ar_repeat_ && !any_key_held) ar_.release();
  }
  if (flags_[kLfoSettings].test_and_clear()) {
    const bool tempo_sync = param_lfo_tempo_sync_->get_val() != 0.0;
    lfo_key_retrig_ = param_lfo_key_retrig_->get_val() == 0.0;
    param_lfo_per_->set_tempo_mode(tempo_sync);
    lfo_.set_rate(static_cast<float>(param_lfo_per_->get_val()));
    lfo_.set_tempo_sync(tempo_sync);
  }
}

void ControlStage::apply_trigger() {
  trigger_pending_ = false;
  if (lfo_key_retrig_) {
    lfo_cycle_start_ = true;
    lfo_.restart();
  }
  if (adsr_repeat_) {
    // With auto-repeat the ADSR keeps following the LFO.
    if (!adsr_auto_repeat_) adsr_.trigger();
    adsr_repeating_ = true;
  } else {
    adsr_.trigger();
    adsr_repeating_ = false;
  }
  ar_.trigger();
  ar_repeating_ = ar_repeat_;
}

void ControlStage::apply_release() {
  release_pending_ = false;
  if (!adsr_auto_repeat_) {
    adsr_.release();
    adsr_repeating_ = false;
  }
  if (!ar_repeat_) {
    ar_repeating_ = false;
    ar_.release();
  }
}

void ControlStage::apply_lfo_repeat() {
  const bool at_boundary = samples_to_boundary_ == 0;
  if (!lfo_cycle_start_ && !at_boundary) return;
  const double phase = lfo_.get_phase();
  lfo_cycle_start_ |= phase < Lfo::kPi * 0.5 || phase > Lfo::kPi * 1.5;
  if (lfo_cycle_start_) {
    if (adsr_repeating_) adsr_.trigger();
    if (ar_repeating_) ar_.trigger();
  } else {
    if (adsr_repeating_) adsr_.release();
    if (ar_repeating_) ar_.release();
  }
}

void ControlStage::tick(bool any_key_held, bool take_params) {
  lfo_cycle_start_ = false;
  if (take_params) apply_changed_params(any_key_held);

  if (gate_) {
    if (release_pending_) apply_release();
    if (trigger_pending_) apply_trigger();
  } else {
    if (trigger_pending_) apply_trigger();
    if (release_pending_) apply_release();
  }

  samples_to_boundary_ = lfo_.samples_to_boundary();
  apply_lfo_repeat();

  const double phase = lfo_.get_phase();
  lfo_sine_ = static_cast<float>(std::sin(phase));
  if (samples_to_boundary_ == 0 && !lfo_cycle_start_) {
    // Within a sample of the half-cycle: the slice belongs to the low half.
    lfo_square_ = 0.0f;
  } else {
    lfo_square_ = lfo_cycle_start_ || phase < Lfo::kPi ? 1.0f : 0.0f;
  }
}

int ControlStage::get_slice_length() const {
  return samples_to_boundary_ != 0 ? samples_to_boundary_ : lfo_.period_samples();
}

void ControlStage::advance(int count) {
  count = std::min(count, kMaxSamples);
  adsr_active_ = adsr_.is_active();
  ar_active_ = ar_.is_active();
  EnvelopeGenerator::render_pair(adsr_, adsr_buffer_, ar_, ar_buffer_, count);
  adsr_active_ |= adsr_.is_active();
  ar_active_ |= ar_.is_active();
  lfo_.advance(count);
}

}  // namespace synth
