#include "synth/plugin/zindle_dsp.h"

#include <algorithm>
#include <cstring>

#include "framework/core/host_dsp_interface.h"
#include "framework/midi/midi_mgr.h"
#include "synth/params/default_controllers.h"
#include "synth/dsp/synth_event.h"
#include "synth/plugin/plugin_info.h"

namespace synth {

namespace {
constexpr const char* kVendor = "Harlin";
constexpr double kPluginVersion = 1.31;
constexpr int kStatusControlChange = 11;
constexpr int kStatusPitchBend = 14;
constexpr int kCtrlAllSoundOff = 120;
constexpr int kCtrlAllNotesOff = 123;
}  // namespace

ZindleDsp::ZindleDsp() : SettingDspMixin(plugin_info.plugin_name, kVendor), synth_core_(this) {
  output_pins_.group_name = "Output";
  output_pins_.channel_names = {"Output L", "Output R"};
}

ZindleDsp::~ZindleDsp() {
  if (host_ != nullptr) {
    delete host_;
    host_ = nullptr;
  }
}

// --- Life cycle ---------------------------------------------------------------

void ZindleDsp::init() {
  if (host_ != nullptr) host_->on_dsp_init();
  synth_core_.create_params();
  if (mppi::MidiMgr* midi = host_ != nullptr ? host_->get_midi_mgr() : nullptr) {
    midi->load_switches(get_string_property("plugin_name"));
    midi->bind_defaults(kDefaultControllers.data(), kNbrParams);
  }
  autoload_settings();
}

void ZindleDsp::start() {
  synth_core_.set_start_values();
  request_reset();
}

void ZindleDsp::stop() {
  synth_core_.release_stage_params();
  release_params();
}

mppi::HostDspInterface* ZindleDsp::set_host(mppi::HostDspInterface* host) {
  host_ = host;
  return host_;
}

void* ZindleDsp::set_host_companion(void* companion) {
  host_companion_ = companion;
  return host_companion_;
}

// --- Audio set-up -------------------------------------------------------------

const mppi::PinSet& ZindleDsp::get_input_pins(int /*set*/) const { return input_pins_; }

const mppi::PinSet& ZindleDsp::get_output_pins(int /*set*/) const { return output_pins_; }

void ZindleDsp::set_sample_rate(float rate) {
  sample_rate_ = rate;
  synth_core_.set_sample_rate(rate);
}

// --- Parameters -----------------------------------------------------------------

mppi::NormalizedParamInterface* ZindleDsp::get_param(int index) {
  return get_registered_param(index);
}

void ZindleDsp::set_display_name(const std::string& name) { display_name_ = name; }

std::string ZindleDsp::get_display_name() const { return display_name_; }

void ZindleDsp::set_extra_param(int index, float value) {
  const int task = index - kNbrParams;
  if (index < kNbrParams || task >= get_nbr_tasks()) return;
  get_task(task)->set_value(value == 1.0f ? 0.0f : value);
}

void ZindleDsp::offer_bank_snapshot(const mppi::BankManager* /*bank*/) {}

void ZindleDsp::set_all_param_values(const float* values) {
  const int count = std::min(kNbrParams, get_nbr_registered_params());
  for (int i = 0; i < count; ++i) {
    mppi::NormalizedParamInterface* param = get_registered_param(i);
    if (param->nrm() != values[i]) param->set_nrm_and_notify(values[i]);
  }
}

void ZindleDsp::get_all_param_values(double* values) const {
  const int count = std::min(kNbrParams, get_nbr_registered_params());
  for (int i = 0; i < count; ++i) values[i] = get_registered_param(i)->nrm();
}

// --- Properties -------------------------------------------------------------------

double ZindleDsp::get_num_property(const char* key) const {
  if (std::strcmp(key, "can_mono") == 0) return 1.0;
  if (std::strcmp(key, "plugin_version") == 0) return kPluginVersion;
  return 0.0;  // "can_scaled_val" and anything unknown
}

std::string ZindleDsp::get_string_property(const char* key) const {
  if (std::strcmp(key, "plugin_name") == 0) return plugin_info.plugin_name;
  if (std::strcmp(key, "manufacturer") == 0) return kManufacturer;
  if (std::strcmp(key, "plugin_category") == 0) return "instrument";
  return std::string();
}

// --- Audio thread -------------------------------------------------------------------

void ZindleDsp::request_reset() { reset_requested_.store(true, std::memory_order_release); }

void ZindleDsp::set_tempo(float bpm) { synth_core_.set_tempo(bpm); }

bool ZindleDsp::process_replacing(float** outputs, void* /*unused1*/, int nbr_samples,
                                  void* /*unused2*/) {
  render(outputs, nbr_samples, false);
  return false;
}

bool ZindleDsp::process_accumulating(float** outputs, void* /*unused1*/, int nbr_samples,
                                     void* /*unused2*/) {
  render(outputs, nbr_samples, true);
  return false;
}

void ZindleDsp::render(float** outputs, int nbr_samples, bool accumulate) {
  accumulate_ = accumulate;
  if (reset_requested_.exchange(false, std::memory_order_acquire)) synth_core_.reset();
  play_screen_keys(screen_keyboard_);
  const bool second_connected = host_ == nullptr || host_->is_pin_connected(0, 1);
  float* const out_l = outputs[0];
  float* const out_r = outputs[1];
  for (int pos = 0; pos < nbr_samples; pos += kMaxPieceSize) {
    const int piece = std::min(kMaxPieceSize, nbr_samples - pos);
    synth_core_.render_block(out_l + pos, out_r + pos, piece, accumulate_, second_connected);
  }
  synth_core_.end_block();
}

// Keys played on the editor's keyboard sound from the start of the block.
void ZindleDsp::play_screen_keys(MidiGuiKeyboardManager& keys) {
  MidiGuiKeyboardManager::ScreenKey key;
  bool first = true;
  while (keys.pop_screen_key(key)) {
    if (first) synth_core_.set_time_stamp(0);
    first = false;
    if (key.down) {
      note_on(key.channel, key.note, key.pitch, key.value, key.velocity, key.flag);
    } else {
      note_off(key.channel, key.note, key.velocity);
    }
  }
}

// --- MIDI receiver ----------------------------------------------------------------------

int32_t ZindleDsp::set_time_stamp(long offset) {
  synth_core_.set_time_stamp(std::max(0L, offset));
  return 1;
}

int32_t ZindleDsp::note_on(int ch, int note, float pitch, float value, float velocity, int flag) {
  SynthEvent& event = synth_core_.queue_event();
  event.kind = SynthEvent::kNoteOn;
  event.channel = ch;
  event.note = note;
  event.value_a = pitch;
  event.value_b = value;
  event.velocity = velocity;
  event.flag = static_cast<uint8_t>(flag);
  screen_keyboard_.note_down(note);
  return 1;
}

int32_t ZindleDsp::note_off(int ch, int note, float velocity) {
  SynthEvent& event = synth_core_.queue_event();
  event.kind = SynthEvent::kNoteOff;
  event.channel = ch;
  event.note = note;
  event.value_a = velocity;
  screen_keyboard_.note_up(note);
  return 1;
}

int32_t ZindleDsp::key_pressure(int ch, int note, float pressure) {
  SynthEvent& event = synth_core_.queue_event();
  event.kind = SynthEvent::kKeyPressure;
  event.channel = ch;
  event.note = note;
  event.value_a = pressure;
  return 1;
}

int32_t ZindleDsp::rpn(int ch, int number, int value) {
  if (number != 0) return 1;  // only the bend sensitivity is used
  SynthEvent& event = synth_core_.queue_event();
  event.kind = SynthEvent::kBendRange;
  event.channel = ch;
  event.value_a = static_cast<float>((value >> 7) + (value & 127) * 0.01);
  return 1;
}

int32_t ZindleDsp::channel_message(int ch, int status, int data1, int data2) {
  if (status == kStatusPitchBend) {
    const float bend = static_cast<float>(((data2 - 64) * 128 + data1) * 0.0001220703125);
    SynthEvent& event = synth_core_.queue_event();
    event.kind = SynthEvent::kPitchBend;
    event.channel = ch;
    event.value_a = bend;
  } else if (status == kStatusControlChange &&
             (data1 == kCtrlAllSoundOff || data1 == kCtrlAllNotesOff)) {
    SynthEvent& event = synth_core_.queue_event();
    event.kind = SynthEvent::kAllNotesOff;
    event.channel = ch;
    screen_keyboard_.release_all();
  }
  return 1;
}

}  // namespace synth
