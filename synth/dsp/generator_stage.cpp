#include "synth/dsp/generator_stage.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>

#include "dsp/pitch_exp.h"
#include "framework/core/plugin_internal.h"
#include "synth/dsp/generator_outputs.h"
#include "synth/dsp/pitch_units.h"
#include "synth/params/param_creator.h"

namespace synth {

namespace {

// A choice counts as set when its natural value is 1 within rounding.
bool is_one(double v) { return std::fabs(v - 1.0) <= std::fabs(v) * 1e-9; }

}  // namespace

GeneratorStage::GeneratorStage() {
  set_sample_rate(sample_rate_d_);
}

GeneratorStage::~GeneratorStage() = default;

void GeneratorStage::create_params(mppi::PluginInternal& registry) {
  ParamCreator params(registry, {{ParamGroup::kGeneratorVco1, &flag_vco1_},
                                 {ParamGroup::kGeneratorVco2, &flag_vco2_},
                                 {ParamGroup::kGeneratorSync, &flag_sync_}});
  param_vco1_coarse_tune_ = params.add<ParamId::kVco1TuneC>();
  param_vco2_coarse_tune_ = params.add<ParamId::kVco2TuneC>();
  param_vco1_fine_tune_ = params.add<ParamId::kVco1TuneF>();
  param_vco2_fine_tune_ = params.add<ParamId::kVco2TuneF>();
  param_vco1_pw_ = params.add<ParamId::kVco1Pw>();
  param_vco2_pw_ = params.add<ParamId::kVco2Pw>();
  param_vco1_src_ = params.add<ParamId::kVco1Src>();
  param_vco2_sync_ = params.add<ParamId::kVco2Sync>();

  noise_gen_.create_params(registry);
}

void GeneratorStage::set_sample_rate(double doubled_rate) {
  sample_rate_ = static_cast<float>(doubled_rate);
  sample_rate_d_ = doubled_rate;
  const int max_pitch = dsp::nyquist_pitch(sample_rate_);
  vco1_.set_max_pitch(max_pitch);
  vco2_.set_max_pitch(max_pitch);
  noise_gen_.set_sample_rate(doubled_rate);
  // Keep the sounding frequencies: increments depend on the maximum pitch.
  update_vco1();
  update_vco2();
}

void GeneratorStage::reset() {
  std::fill(std::begin(noise_buffer_), std::end(noise_buffer_), 0.0f);
  std::fill(std::begin(vco1_saw_buffer_), std::end(vco1_saw_buffer_), int16_t{0});
  std::fill(std::begin(vco1_square_buffer_), std::end(vco1_square_buffer_), int16_t{0});
  std::fill(std::begin(vco2_saw_buffer_), std::end(vco2_saw_buffer_), int16_t{0});
  std::fill(std::begin(vco2_square_buffer_), std::end(vco2_square_buffer_), int16_t{0});
  noise_gen_.reset();
  noise_tail_ = DeferredRecursion();
}

void GeneratorStage::update_params() {
  finish_noise();  // before the noise type may change
  if (flag_vco1_.test_and_clear()) {
    const float semitones = static_cast<float>(param_vco1_coarse_tune_->get_val()) +
                            static_cast<float>(param_vco1_fine_tune_->get_val());
    vco1_tuning_ = round_half_up(semitones * static_cast<double>(kSemitonePitchUnits));
    vco1_keyboard_off_ = is_one(param_vco1_src_->get_val());
    update_vco1();
    pw_[0].value = static_cast<float>(param_vco1_pw_->get_val());
    compute_pending(pw_[0]);
  }
  if (flag_vco2_.test_and_clear()) {
    const float semitones = static_cast<float>(param_vco2_coarse_tune_->get_val()) +
                            static_cast<float>(param_vco2_fine_tune_->get_val());
    vco2_tuning_ = round_half_up(semitones * static_cast<double>(kSemitonePitchUnits));
    vco2_sum_ = vco2_pitch_ + vco2_tuning_ + vco2_mod_;
    update_vco2();
    pw_[1].value = static_cast<float>(param_vco2_pw_->get_val());
    compute_pending(pw_[1]);
  }
  if (flag_sync_.test_and_clear()) sync_on_ = is_one(param_vco2_sync_->get_val());
  noise_gen_.update();

  apply_pending(pw_[0], vco1_);
  apply_pending(pw_[1], vco2_.use_slave());
}

void GeneratorStage::set_vco1_pitch(int pitch) {
  vco1_pitch_ = pitch;
  update_vco1();
}

void GeneratorStage::set_vco1_mod(int mod) {
  vco1_mod_ = mod;
  update_vco1();
}

void GeneratorStage::set_vco2_pitch(int pitch) {
  vco2_pitch_ = pitch;
  vco2_sum_ = vco2_pitch_ + vco2_tuning_ + vco2_mod_;
  update_vco2();
}

void GeneratorStage::set_vco2_mod(int mod) {
  vco2_mod_ = mod;
  vco2_sum_ = vco2_pitch_ + vco2_tuning_ + vco2_mod_;
  update_vco2();
}

void GeneratorStage::set_vco2_audio_mod(int mod) {
  vco2_audio_mod_ = mod;
  update_vco2();
}

void GeneratorStage::set_pwm(int vco, float amount) {
  PulseWidth& pw = pw_[vco == 0 ? 0 : 1];
  pw.modulation = amount;
  compute_pending(pw);
}

void GeneratorStage::update_vco1() {
  const int keyboard = vco1_keyboard_off_ ? 0 : vco1_pitch_;
  vco1_final_pitch_ = std::min(keyboard + vco1_tuning_ + vco1_mod_, vco1_.get_max_pitch() - 1);
  vco1_.set_pitch(vco1_final_pitch_);
  vco2_.set_master_pitch(vco1_final_pitch_);
}

void GeneratorStage::update_vco2() {
  vco2_final_pitch_ = std::min(vco2_sum_ + vco2_audio_mod_, vco2_.use_slave().get_max_pitch() - 1);
  vco2_.set_pitch(vco2_final_pitch_);
}

void GeneratorStage::compute_pending(PulseWidth& pw) {
  float w = pw.value + pw.modulation;
  w = w > 0.499f ? 0.499f : (w < 0.01f ? 0.01f : w);
  pw.pending = static_cast<uint32_t>(std::llround(static_cast<double>(w) * 4294967296.0));
  pw.pending_dc_offset = static_cast<int16_t>(16384 - static_cast<int>(pw.pending >> 17));
  pw.is_pending = true;
}

void GeneratorStage::apply_pending(PulseWidth& pw, Vco& osc) {
  if (!pw.is_pending) return;
  // Position in the cycle relative to the saw's reset, 1/64 cycle in.
  const auto q = static_cast<uint32_t>((osc.get_phase() >> osc.get_length_exponent()) + 0x4000000u);
  if (q <= osc.get_pulse_width() || pw.pending <= q) {
    osc.set_pulse_width(pw.pending, pw.pending_dc_offset);
    pw.is_pending = false;
  }
}

void GeneratorStage::get_buffers(float*& noise, int16_t*& vco1_saw, int16_t*& vco1_square,
                                 int16_t*& vco2_saw, int16_t*& vco2_square) {
  noise = noise_buffer_;
  vco1_saw = vco1_saw_buffer_;
  vco1_square = vco1_square_buffer_;
  vco2_saw = vco2_saw_buffer_;
  vco2_square = vco2_square_buffer_;
}

void GeneratorStage::render_outputs(Vco& osc, int16_t* saw, int16_t* square, int count,
                                    bool saw_read, bool square_read) {
  if (square_read) {
    osc.render(saw, square, count);  // the pulse needs the saw reading anyway
  } else if (saw_read) {
    osc.render_saw(saw, count);
  } else {
    osc.skip(count);
  }
}

void GeneratorStage::render_block(int count) {
  count = std::clamp(count, 0, kMaxSamples);
  render_block_except_vco2(count);
  namespace out = generator_output;
  if (sync_on_) {
    // The correction rings carry each restart into later samples; they must
    // be kept up even while nobody listens.
    vco2_.render(vco2_saw_buffer_, vco2_square_buffer_, count);
  } else {
    render_outputs(vco2_.use_slave(), vco2_saw_buffer_, vco2_square_buffer_, count,
                   (outputs_read_ & out::kVco2Saw) != 0, (outputs_read_ & out::kVco2Square) != 0);
  }
}

void GeneratorStage::render_block_except_vco2(int count) {
  namespace out = generator_output;
  count = std::clamp(count, 0, kMaxSamples);
  render_outputs(vco1_, vco1_saw_buffer_, vco1_square_buffer_, count,
                 (outputs_read_ & out::kVco1Saw) != 0, (outputs_read_ & out::kVco1Square) != 0);
  render_noise(count);
}

void GeneratorStage::render_noise(int count) {
  finish_noise();
  if ((outputs_read_ & generator_output::kNoise) != 0) {
    noise_gen_.generate(noise_buffer_, count);
  } else {
    noise_gen_.generate_deferred(noise_buffer_, count, noise_tail_);
  }
}

void GeneratorStage::render_vco2_modulated(const float* signal, float amount, int count) {
  count = std::clamp(count, 0, kMaxSamples);
  if (count == 0) return;
  // Every pitch of the run first: the pitch exponentials are independent of
  // each other, and the loop below then carries only the phase. tuning_for
  // keeps each below the maximum.
  int offset = vco2_audio_mod_;
  for (int i = 0; i < count; ++i) {
    vco2_tunings_[i] = vco2_.tuning_for(vco2_sum_ + offset);
    offset = round_half_up(signal[i] * amount);
  }
  if (sync_on_) {
    for (int i = 0; i < count; ++i) {
      vco2_.set_tuning(vco2_tunings_[i]);
      vco2_.render_one(&vco2_saw_buffer_[i], &vco2_square_buffer_[i]);
    }
  } else {
    SyncVco::Slave& slave = vco2_.use_slave();
    for (int i = 0; i < count; ++i) {
      vco2_.set_tuning(vco2_tunings_[i]);
      slave.render_one(&vco2_saw_buffer_[i], &vco2_square_buffer_[i]);
    }
  }
  vco2_audio_mod_ = offset;
  update_vco2();
}

void GeneratorStage::set_render_position(int position) {
  finish_noise();  // once before the stepped samples, not at each
  render_position_ = position;
}

void GeneratorStage::render_sample() {
  const int pos = render_position_;
  if (pos < 0 || pos >= kMaxSamples) return;
  vco1_.render_one(&vco1_saw_buffer_[pos], &vco1_square_buffer_[pos]);
  if (sync_on_) {
    vco2_.render_one(&vco2_saw_buffer_[pos], &vco2_square_buffer_[pos]);
  } else {
    vco2_.use_slave().render_one(&vco2_saw_buffer_[pos], &vco2_square_buffer_[pos]);
  }
  noise_buffer_[pos] = noise_gen_.generate_sample();
  ++render_position_;
}

}  // namespace synth
