#pragma once
// The duophonic voice: key assignment, portamento and pitch bend, control
// update of the modulation routing, and the render loop over the stages.
// Audio thread only, except for the set-up operations.

#include "framework/core/queue_time_stamped.h"
#include "framework/params/normalized_param_interface.h"
#include "synth/dsp/control_stage.h"
#include "synth/dsp/generator_stage.h"
#include "synth/dsp/keyboard.h"
#include "synth/dsp/mixer_stage.h"
#include "synth/dsp/modulation_router.h"
#include "synth/dsp/portamento_glide.h"
#include "synth/dsp/program_change_fade.h"
#include "synth/dsp/sample_hold_stage.h"
#include "synth/dsp/synth_event.h"
#include "synth/dsp/synth_group.h"
#include "synth/params/synth_core_params.h"

namespace mppi { class PluginInternal; }

namespace synth {

class SynthCoreObserver;

class SynthCore : public mppi::QueueTSClientInterface<SynthEvent> {
public:
  static constexpr int kMaxRun = 256;
  static constexpr int kNbrGroups = 16;
  static constexpr int kBendGroup = 0;

  explicit SynthCore(mppi::PluginInternal* core);
  ~SynthCore() override;
  SynthCore(const SynthCore&) = delete;
  SynthCore& operator=(const SynthCore&) = delete;

  // --- Set-up --------------------------------------------------------------
  // Creates the 62 synth parameters in index order.
  void create_params();
  // Undoes what create_params gave to the stages themselves (stop).
  void release_stage_params();
  // Core parameters back to their start values, telling their groups.
  void set_start_values();
  void set_sample_rate(float rate);
  void set_tempo(float bpm);
  void set_observer(SynthCoreObserver* observer) { observer_ = observer; }

  // Any thread, before a new program's values are written: the voice fades
  // out on the old settings, is cleared and fades in on the new ones.
  void request_program_change() { program_fade_.request(); }

  // --- Audio thread --------------------------------------------------------
  void reset();
  void set_time_stamp(long stamp) { time_stamp_ = stamp; }
  // Files a new event at the current time stamp; the caller fills it in.
  SynthEvent& queue_event();
  void apply_event(SynthEvent& event) override;
  void apply_all_events();
  // Renders one piece of at most kMaxRun samples at the current position.
  void render_block(float* out_l, float* out_r, int count, bool accumulate, bool second_connected);
  // Applies what is still queued and rewinds to the block start.
  void end_block();

  // --- State, for the editor and diagnostics -------------------------------
  const Keyboard& get_keyboard() const { return keyboard_; }
  const SynthGroup& get_group(int index) const { return groups_[index]; }
  const PortamentoGlide& get_glide() const { return glide_; }
  int get_vco1_pitch() const { return vco1_pitch_; }
  int get_vco2_pitch() const { return vco2_pitch_; }
  int get_key_interval() const { return key_interval_; }
  int get_bend_offset() const { return bend_offset_; }
  bool is_mono() const { return mono_; }
  long get_position() const { return position_; }
  int get_nbr_queued() const { return queue_.size(); }
  int get_pool_count() const { return queue_.pool_count(); }
  const ControlStage& get_control_stage() const { return control_; }
  const SampleHoldStage& get_sample_hold_stage() const { return sample_hold_; }
  const GeneratorStage& get_generator_stage() const { return generator_; }

private:
  void update_controls(int count);
  void take_parameter_changes();
  void advance_pitch(int count);
  void start_program_change();
  void clear_voice();
  void apply_held_back_velocity();
  void update_keyboard_group();
  void handle_key_change();
  void update_pitch_targets();
  void update_bend_offset();
  void render_run(float* out, int count);
  void render_slice(float* out, int count);
  bool is_silent() const;

  mppi::PluginInternal* core_;
  SynthCoreParams params_;
  SynthCoreFlags flags_;
  float sample_rate_ = 44100.0f;
  float doubled_rate_ = 88200.0f;
  SynthGroup groups_[kNbrGroups];
  mppi::QueueTimeStamped<SynthEvent, long, kMaxRun> queue_;
  long time_stamp_ = 0;
  long position_ = 0;
  PortamentoGlide glide_;
  int key_interval_ = 0;
  int bend_offset_ = 0;
  int vco1_pitch_ = 0x40000;
  int vco2_pitch_ = 0x40000;
  mppi::NotificationFlag pitch_changed_{true};
  int sh_trigger_mode_ = 0;  // 0 keyboard, 1 LFO
  bool sh_trigger_pending_ = true;
  float last_sh_output_ = 0.0f;
  float last_sh_mixer_sample_ = 0.0f;
  ModulationRouter router_;
  bool mono_ = false;
  ProgramChangeFade program_fade_;
  float velocity_after_fade_ = -1.0f;  // a note's velocity held back by a fade; -1 none

  ControlStage control_;
  GeneratorStage generator_;
  SampleHoldStage sample_hold_;
  MixerStage mixer_;
  Keyboard keyboard_;

  float* noise_buffer_ = nullptr;
  int16_t* vco1_saw_buffer_ = nullptr;
  int16_t* vco1_square_buffer_ = nullptr;
  int16_t* vco2_saw_buffer_ = nullptr;
  int16_t* vco2_square_buffer_ = nullptr;
  const float* sh_mixer_buffer_ = nullptr;
  const float* adsr_buffer_ = nullptr;
  const float* ar_buffer_ = nullptr;
  float mono_buffer_[kMaxRun] = {};

  SynthCoreObserver* observer_ = nullptr;
};

}  // namespace synth
