#include "synth/dsp/synth_core.h"

#include <algorithm>

#include "framework/core/plugin_internal.h"
#include "synth/dsp/generator_outputs.h"
#include "synth/dsp/pitch_units.h"
#include "synth/dsp/synth_core_observer.h"

namespace synth {

namespace {
// Keys start here, so the pitch before the first note is that of key 57.
constexpr int kStartKey = 57;
}  // namespace

SynthCore::SynthCore(mppi::PluginInternal* core) : core_(core) {
  glide_.set_time(0.1);
  glide_.jump_to(key_to_pitch(kStartKey));
  generator_.get_buffers(noise_buffer_, vco1_saw_buffer_, vco1_square_buffer_, vco2_saw_buffer_,
                         vco2_square_buffer_);
  sh_mixer_buffer_ = sample_hold_.get_mixer_buffer();
  adsr_buffer_ = control_.get_adsr_buffer();
  ar_buffer_ = control_.get_ar_buffer();
  sample_hold_.set_sources(noise_buffer_, vco1_saw_buffer_, vco1_square_buffer_,
                           vco2_square_buffer_);
  mixer_.set_buffers(noise_buffer_, vco1_saw_buffer_, vco1_square_buffer_, vco2_saw_buffer_,
                     vco2_square_buffer_, sh_mixer_buffer_, ar_buffer_, adsr_buffer_);
  mixer_.set_oversampled(true);
}

SynthCore::~SynthCore() = default;

// --- Set-up -------------------------------------------------------------------

void SynthCore::create_params() {
  params_.create(*core_, flags_);
  control_.create_params(*core_);
  generator_.create_params(*core_);
  sample_hold_.create_params(*core_);
  mixer_.create_params(*core_);
}

void SynthCore::release_stage_params() { generator_.release_noise_params(); }

void SynthCore::set_start_values() { params_.set_start_values(); }

void SynthCore::set_sample_rate(float rate) {
  sample_rate_ = rate;
  doubled_rate_ = 2.0f * rate;
  control_.set_sample_rate(sample_rate_);
  generator_.set_sample_rate(doubled_rate_);
  sample_hold_.set_sample_rate(doubled_rate_);
  mixer_.set_sample_rate(sample_rate_);
  glide_.set_sample_rate(sample_rate_);
  program_fade_.set_sample_rate(sample_rate_);
}

void SynthCore::set_tempo(float bpm) { control_.set_tempo(bpm); }

// --- Events ---------------------------------------------------------------------

void SynthCore::reset() {
  apply_all_events();
  queue_.recycle_pool();
  position_ = 0;
  control_.reset();
  generator_.reset();
  sample_hold_.reset();
  mixer_.reset();
  // A program chosen before the reset has nothing to fade.
  program_fade_.clear();
  apply_held_back_velocity();
}

SynthEvent& SynthCore::queue_event() {
  if (queue_.pool_full()) {
    apply_all_events();
    queue_.recycle_pool();
  }
  SynthEvent& event = queue_.push(time_stamp_);
  event.time_stamp = static_cast<int32_t>(time_stamp_);
  return event;
}

void SynthCore::apply_all_events() { queue_.apply_all(*this); }

void SynthCore::apply_event(SynthEvent& event) {
  if (observer_ != nullptr) observer_->on_event_applied(event, position_);
  switch (event.kind) {
    case SynthEvent::kNoteOn:
      if (keyboard_.key_down(event.note)) handle_key_change();
      // The mixer reads the velocity settings at once; while the old
      // program fades out they may already be the new program's.
      if (program_fade_.is_fading_out()) {
        velocity_after_fade_ = event.velocity;
      } else {
        mixer_.set_velocity(event.velocity);
      }
      break;
    case SynthEvent::kNoteOff:
      if (keyboard_.key_up(event.note)) handle_key_change();
      break;
    case SynthEvent::kPitchBend:
      groups_[kBendGroup].set_value(event.value_a);
      update_bend_offset();
      break;
    case SynthEvent::kBendRange:
      groups_[kBendGroup].set_scale(event.value_a);
      update_bend_offset();
      break;
    case SynthEvent::kAllNotesOff:
      if (keyboard_.all_keys_up()) handle_key_change();
      break;
    default:  // key pressure is not used
      break;
  }
}

void SynthCore::end_block() {
  apply_all_events();
  queue_.recycle_pool();
  position_ = 0;
}

// --- Keys and pitch ----------------------------------------------------------------

void SynthCore::handle_key_change() {
  if (keyboard_.get_trigger() == Keyboard::kGateOn) {
    control_.gate_on();
    if (sh_trigger_mode_ == 0) sh_trigger_pending_ = true;
  } else if (keyboard_.get_trigger() == Keyboard::kGateOff) {
    control_.gate_off();
  }
  update_pitch_targets();
}

void SynthCore::update_pitch_targets() {
  key_interval_ = (keyboard_.get_high_key() - keyboard_.get_low_key()) * kSemitonePitchUnits;
  pitch_changed_.raise();
  glide_.set_target(key_to_pitch(keyboard_.get_low_key()));
}

void SynthCore::update_bend_offset() {
  bend_offset_ = round_half_up(static_cast<double>(groups_[kBendGroup].get_product()) *
                               static_cast<double>(kKeyPitchUnits));
  pitch_changed_.raise();
}

// --- Control update ----------------------------------------------------------------

void SynthCore::update_keyboard_group() {
  glide_.set_time(params_.portamento->get_val());
  sh_trigger_mode_ = round_half_up(params_.sh_trig->get_val());
  const bool mono = params_.osc_mode->get_val() != 0.0;
  if (mono != mono_) {
    mono_ = mono;
    keyboard_.set_mono(mono_);
    update_pitch_targets();
  }
}

void SynthCore::update_controls(int count) {
  // The old program's settings stay until its sound has faded out.
  if (!program_fade_.is_fading_out()) take_parameter_changes();
  advance_pitch(count);
}

void SynthCore::take_parameter_changes() {
  if (flags_.vco1_pwm.test_and_clear()) {
    router_.update_pwm(0, params_.vco1_pwm_src->get_val(), params_.vco1_pwm_lvl->get_val(),
                       generator_);
  }
  if (flags_.vco2_pwm.test_and_clear()) {
    router_.update_pwm(1, params_.vco2_pwm_src->get_val(), params_.vco2_pwm_lvl->get_val(),
                       generator_);
  }
  if (flags_.vco1_mod.test_and_clear()) {
    router_.update_vco1_mod(params_.vco1_fm1_src->get_val(), params_.vco1_fm1_lvl->get_val(),
                            params_.vco1_fm2_src->get_val(), params_.vco1_fm2_lvl->get_val());
  }
  if (flags_.vco2_mod.test_and_clear()) {
    router_.update_vco2_mod(params_.vco2_fm1_src->get_val(), params_.vco2_fm1_lvl->get_val(),
                            params_.vco2_fm2_src->get_val(), params_.vco2_fm2_lvl->get_val());
  }
  if (flags_.filter_mod.test_and_clear()) {
    router_.update_filter_mod(params_.vcf_mod1_src->get_val(), params_.vcf_mod1_lvl->get_val(),
                              params_.vcf_mod2_src->get_val(), params_.vcf_mod2_lvl->get_val(),
                              params_.vcf_mod3_src->get_val(), params_.vcf_mod3_lvl->get_val());
  }
  if (flags_.keyboard.test_and_clear()) update_keyboard_group();

  generator_.update_params();
  sample_hold_.update();
  mixer_.update_params();
}

void SynthCore::advance_pitch(int count) {
  if (glide_.is_moving() || pitch_changed_.is_raised()) {
    pitch_changed_.raise();
    glide_.advance(count);
    vco1_pitch_ = bend_offset_ + round_half_up(glide_.get_value());
  }
  if (pitch_changed_.test_and_clear()) {
    vco2_pitch_ = key_interval_ + vco1_pitch_;
    generator_.set_vco1_pitch(vco1_pitch_);
    generator_.set_vco2_pitch(vco2_pitch_);
  }
}

// --- Program changes ----------------------------------------------------------------

void SynthCore::start_program_change() {
  // A silent voice has nothing to fade: it is cleared at once.
  if (is_silent() || program_fade_.is_muted()) {
    clear_voice();
    return;
  }
  program_fade_.fade_out();
}

// Silence everywhere but the keys: held keys start again on the new settings.
void SynthCore::clear_voice() {
  control_.reset();
  generator_.reset();
  sample_hold_.reset();
  mixer_.reset();
  glide_.jump_to(glide_.get_target());
  pitch_changed_.raise();
  last_sh_output_ = 0.0f;
  last_sh_mixer_sample_ = 0.0f;
  apply_held_back_velocity();
  if (keyboard_.is_any_key_held()) {
    control_.gate_on();
    if (sh_trigger_mode_ == 0) sh_trigger_pending_ = true;
  }
}

void SynthCore::apply_held_back_velocity() {
  if (velocity_after_fade_ >= 0.0f) mixer_.set_velocity(velocity_after_fade_);
  velocity_after_fade_ = -1.0f;
}

// --- Rendering ------------------------------------------------------------------------

void SynthCore::render_block(float* out_l, float* out_r, int count, bool accumulate,
                             bool second_connected) {
  int done = 0;
  while (done < count) {
    queue_.apply_until(position_, *this);
    if (program_fade_.take_request()) start_program_change();
    int run = count - done;
    if (!queue_.empty()) run = static_cast<int>(std::min<long>(run, queue_.front_stamp() - position_));
    if (program_fade_.is_fading_out()) run = std::min(run, program_fade_.samples_to_silence());
    if (observer_ != nullptr) observer_->on_run(position_, run);
    update_controls(run);
    render_run(mono_buffer_, run);
    program_fade_.apply(mono_buffer_, run);
    if (program_fade_.is_fading_out() && program_fade_.is_muted()) {
      clear_voice();
      program_fade_.fade_in();
    }

    float* const l = out_l + done;
    float* const r = out_r + done;
    if (accumulate) {
      for (int i = 0; i < run; ++i) l[i] += mono_buffer_[i];
      if (second_connected) {
        for (int i = 0; i < run; ++i) r[i] += mono_buffer_[i];
      }
    } else {
      std::copy(mono_buffer_, mono_buffer_ + run, l);
      if (second_connected) std::copy(mono_buffer_, mono_buffer_ + run, r);
    }
    position_ += run;
    done += run;
  }
}

void SynthCore::render_run(float* out, int count) {
  int done = 0;
  while (done < count) {
    control_.tick(keyboard_.is_any_key_held(), !program_fade_.is_fading_out());
    const int slice = std::max(1, std::min(count - done, control_.get_slice_length()));
    render_slice(out + done, slice);
    done += slice;
  }
}

bool SynthCore::is_silent() const {
  return !mixer_.gain_audible() &&
         (!mixer_.env_gain_audible() || !(control_.is_adsr_active() || control_.is_ar_active()));
}

void SynthCore::render_slice(float* out, int count) {
  if (control_.is_lfo_cycle_start() && sh_trigger_mode_ == 1) sh_trigger_pending_ = true;
  control_.advance(count);

  ModulationSources sources;
  sources.adsr_now = adsr_buffer_[count - 1];
  sources.ar_now = ar_buffer_[count - 1];
  sources.lfo_sine = control_.get_lfo_sine();
  sources.lfo_square = control_.get_lfo_square();
  sources.sh_output = last_sh_output_;
  sources.sh_mixer_last = last_sh_mixer_sample_;
  sources.vco1_pitch = vco1_pitch_;
  router_.apply_slice(sources, generator_, mixer_);

  if (is_silent()) {
    std::fill(out, out + count, 0.0f);
    mixer_.add_a440(out, count);
    sh_trigger_pending_ = false;
    return;
  }

  const int doubled = 2 * count;
  generator_.set_outputs_read(mixer_.generator_outputs_read() |
                              sample_hold_.generator_outputs_read());
  if (!router_.is_vco2_audio_rate()) {
    generator_.render_block(doubled);
    sample_hold_.process_block(doubled, sh_trigger_pending_);
  } else if ((sample_hold_.generator_outputs_read() & generator_output::kVco2Square) == 0) {
    // VCO 2 follows a signal it does not feed: that signal can be formed for
    // the whole slice before VCO 2 plays.
    generator_.render_block_except_vco2(doubled);
    sample_hold_.process_block(doubled, sh_trigger_pending_);
    generator_.render_vco2_modulated(sh_mixer_buffer_, router_.get_vco2_audio_amount(), doubled);
  } else {
    const float amount = router_.get_vco2_audio_amount();
    generator_.set_render_position(0);
    sample_hold_.restart();
    for (int i = 0; i < doubled; ++i) {
      generator_.render_sample();
      generator_.set_vco2_audio_mod(round_half_up(sample_hold_.step() * amount));
    }
    sample_hold_.hold_and_lag(doubled, sh_trigger_pending_);
  }

  mixer_.process(out, count, generator_.deferred_noise());
  generator_.finish_noise();

  last_sh_output_ = sample_hold_.get_output();
  last_sh_mixer_sample_ = sh_mixer_buffer_[doubled - 1];
  mixer_.add_a440(out, count);
  sh_trigger_pending_ = false;
}

}  // namespace synth
