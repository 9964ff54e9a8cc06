#pragma once
// A ZindleDsp set up the way the host adapter does it (no host), with
// helpers to render blocks and to watch the synth core's block walk.

#include <memory>
#include <utility>
#include <vector>

#include "framework/core/host_dsp_interface.h"
#include "support/synth_params.h"
#include "synth/dsp/synth_core_observer.h"
#include "synth/dsp/synth_event.h"
#include "synth/plugin/zindle_dsp.h"

namespace zindle_test {

struct AppliedEvent {
  int kind;
  float value;
  long position;
};

struct RunSpan {
  long position;
  int length;
  bool operator==(const RunSpan& other) const {
    return position == other.position && length == other.length;
  }
};

// Records runs and applied events; reserved up front so that recording
// does not allocate while rendering.
class RecordingObserver : public synth::SynthCoreObserver {
public:
  RecordingObserver() {
    runs.reserve(4096);
    events.reserve(4096);
  }
  void on_event_applied(const synth::SynthEvent& event, long position) override {
    events.push_back({event.kind, event.value_a, position});
  }
  void on_run(long position, int length) override { runs.push_back({position, length}); }

  std::vector<RunSpan> runs;
  std::vector<AppliedEvent> events;
};

class FakeHost : public mppi::HostDspInterface {
public:
  double get_host_num_property(const char*) override { return 0.0; }
  void get_time_info(mppi::TimeInfoRequest&) override {}
  bool is_input_pin_connected(int, int) override { return false; }
  bool is_pin_connected(int, int) override { return true; }
  mppi::MidiMgr* get_midi_mgr() override { return nullptr; }
  bool can_take_control(int, int) override { return true; }
  bool take_control(int, int) override { return true; }
  void release_control(int, int) override {}
  bool set_param_and_notify(int, float, int) override { return true; }
  bool notify_host(int, float, int) override { return true; }
  bool set_param(int, float, int) override { return true; }
  void apply_program(const mppi::ProgramSlot&, int) override {}
  mppi::ParamReorder* get_param_reorder() override { return nullptr; }
  void publish_bank(const mppi::BankManager&) override {}
  int start_dsp_task() override { return 0; }
  void stop_dsp_task() override {}
  void get_settings_path(std::string&) override {}
};

class DspHarness {
public:
  explicit DspHarness(float sample_rate = 44100.0f) {
    dsp.init();
    dsp.start();
    dsp.set_sample_rate(sample_rate);
    render(64);  // takes the reset that start() requested
  }

  // Renders n samples into left/right (replacing).
  void render(int n) {
    left.assign(static_cast<size_t>(n), 0.0f);
    right.assign(static_cast<size_t>(n), 0.0f);
    float* outs[2] = {left.data(), right.data()};
    dsp.process_replacing(outs, nullptr, n, nullptr);
  }

  // Sets a natural value and tells its group, as a host change would.
  void change(int index, double value) {
    mppi::NormalizedParamInterface* param = dsp.get_param(index);
    param->set_nrm_and_notify(param->conv_val_to_nrm(value));
  }

  // VCO 1 saw alone, the VCA fully open without the envelope.
  void open_vco1() {
    change(synth_param::kMix1Lvl, 0.0);
    change(synth_param::kMix2Lvl, 1.0);
    change(synth_param::kMix3Lvl, 0.0);
    change(synth_param::kVcaGain, 1.0);
    change(synth_param::kVcaEnvLvl, 0.0);
  }

  void note_on(long stamp, int note, float velocity = 1.0f) {
    dsp.set_time_stamp(stamp);
    dsp.note_on(0, note, static_cast<float>(note), 0.0f, velocity, 1);
  }
  void note_off(long stamp, int note) {
    dsp.set_time_stamp(stamp);
    dsp.note_off(0, note, 1.0f);
  }

  synth::ZindleDsp dsp;
  std::vector<float> left;
  std::vector<float> right;
};

}  // namespace zindle_test
