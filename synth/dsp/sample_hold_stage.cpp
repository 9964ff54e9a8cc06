#include "synth/dsp/sample_hold_stage.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/core/plugin_internal.h"
#include "synth/dsp/generator_outputs.h"
#include "synth/params/param_creator.h"

namespace synth {

namespace {

constexpr float kInvFullScale = 0.00006103515625f;  // 1 / 16384
constexpr float kMinLagSamples = 0.01f;

// Inputs until the generator's buffers are wired.
const float kSilentFloat[SampleHoldStage::kMaxSamples] = {};
const int16_t kSilentInt[SampleHoldStage::kMaxSamples] = {};

}  // namespace

SampleHoldStage::SampleHoldStage()
    : noise_(kSilentFloat), vco1_saw_(kSilentInt), vco1_square_(kSilentInt),
      vco2_square_(kSilentInt) {}

void SampleHoldStage::create_params(mppi::PluginInternal& registry) {
  ParamCreator params(registry, {{ParamGroup::kShLag, &flag_lag_},
                                 {ParamGroup::kShMix1, &flag_src1_},
                                 {ParamGroup::kShMix2, &flag_src2_}});
  param_lag_ = params.add<ParamId::kShLag>();
  param_src1_ = params.add<ParamId::kShMix1Src>();
  param_src1_level_ = params.add<ParamId::kShMix1Lvl>();
  param_src2_ = params.add<ParamId::kShMix2Src>();
  param_src2_level_ = params.add<ParamId::kShMix2Lvl>();
}

void SampleHoldStage::set_sample_rate(double sample_rate) {
  sample_rate_ = static_cast<float>(sample_rate);
  if (param_lag_ != nullptr) update_lag();
}

void SampleHoldStage::update_lag() {
  const float t = static_cast<float>(param_lag_->get_val()) * sample_rate_;
  lag_factor_ = t < kMinLagSamples ? -1.0f / kMinLagSamples : -1.0f / t;
}

void SampleHoldStage::reset() {
  std::fill(std::begin(mix_), std::end(mix_), 0.0f);
  held_ = 0.0f;
  output_ = 0.0f;
}

void SampleHoldStage::set_sources(const float* noise, const int16_t* vco1_saw,
                                  const int16_t* vco1_square, const int16_t* vco2_square) {
  noise_ = noise;
  vco1_saw_ = vco1_saw;
  vco1_square_ = vco1_square;
  vco2_square_ = vco2_square;
}

void SampleHoldStage::update() {
  if (param_lag_ == nullptr) return;  // parameters not created

  if (flag_lag_.test_and_clear()) update_lag();
  const bool src1_changed = flag_src1_.test_and_clear();
  if (src1_changed) {
    level1_ = static_cast<float>(param_src1_level_->get_val());
    scale1_ = level1_ * kInvFullScale;
    src1_is_saw_ = param_src1_->get_val() != 0.0;
    offset_ = (level1_ + offset_share2_) * 0.5f;
  }
  const bool src2_changed = flag_src2_.test_and_clear();
  if (src2_changed) {
    const float level2 = static_cast<float>(param_src2_level_->get_val());
    scale2_ = level2;
    src2_is_float_ = param_src2_->get_val() != 0.0;
    if (src2_is_float_) {
      offset_share2_ = 0.0f;
    } else {
      offset_share2_ = level2;
      scale2_ = level2 * kInvFullScale;
    }
    offset_ = (level1_ + offset_share2_) * 0.5f;
  }
  if (src1_changed || src2_changed) update_terms_read();
}

float SampleHoldStage::mix_sample(int i) const {
  const float s2 = src2_is_float_ ? noise_[i] : static_cast<float>(vco2_square_[i]);
  return static_cast<float>(source1()[i]) * scale1_ + s2 * scale2_ + offset_;
}

// A term scaled by exactly 0 is +0 or -0. Leaving it out of the sum changes
// nothing once the offset is added: a non-zero sum stays, a zero one becomes
// the offset (+0 + +0 and -0 + +0 are both +0). Only an offset of -0 would
// keep the sign of the zero, so then every term is read.
void SampleHoldStage::update_terms_read() {
  first_term_read_ = scale1_ != 0.0f || std::signbit(offset_);
  second_term_read_ = scale2_ != 0.0f || std::signbit(offset_);
  outputs_read_ = 0;
  if (first_term_read_) outputs_read_ |= src1_is_saw_ ? generator_output::kVco1Saw : generator_output::kVco1Square;
  if (second_term_read_) outputs_read_ |= src2_is_float_ ? generator_output::kNoise : generator_output::kVco2Square;
}

template <bool kFirst, bool kSecond>
void SampleHoldStage::mix_block(int count) {
  const int16_t* s1 = source1();
  for (int i = 0; i < count; ++i) {
    float sum = 0.0f;
    if constexpr (kFirst) sum = static_cast<float>(s1[i]) * scale1_;
    if constexpr (kSecond) {
      const float s2 = src2_is_float_ ? noise_[i] : static_cast<float>(vco2_square_[i]);
      sum = kFirst ? sum + s2 * scale2_ : s2 * scale2_;
    }
    mix_[i] = kFirst || kSecond ? sum + offset_ : offset_;
  }
}

void SampleHoldStage::process_block(int count, bool trigger) {
  count = std::min(count, kMaxSamples);
  if (first_term_read_) {
    if (second_term_read_) mix_block<true, true>(count); else mix_block<true, false>(count);
  } else {
    if (second_term_read_) mix_block<false, true>(count); else mix_block<false, false>(count);
  }
  hold_and_lag(count, trigger);
}

float SampleHoldStage::step() {
  if (index_ >= kMaxSamples) return mix_[kMaxSamples - 1];
  const float sample = mix_sample(index_);
  mix_[index_] = sample;
  ++index_;
  return sample;
}

void SampleHoldStage::hold_and_lag(int count, bool trigger) {
  if (trigger) held_ = mix_[0];
  const float n = static_cast<float>(count);
  output_ += (1.0f - std::exp(lag_factor_ * n)) * (held_ - output_);
}

}  // namespace synth
