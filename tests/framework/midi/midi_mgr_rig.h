#pragma once
// The MIDI manager wired as the host adapter wires it: offered to a real
// ZindleDsp through its host interface (so init binds the defaults), values
// routed through a real PluginCore, controllers coming in as MIDI bytes.

#include <string>

#include "framework/core/host_dsp_interface.h"
#include "framework/midi/midi_mgr.h"
#include "framework/midi/midi_receiver_interface.h"
#include "framework/midi_devices/midi_in_cc_mixin.h"
#include "support/temp_folder.h"
#include "tests/framework/core/plugin_core_fixture.h"
#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace midi_test {

using TempUserStore = zindle_test::TempConfigHome;

// Host side that offers the manager and forwards parameter changes to the core.
class MidiHost : public zindle_test::FakeHost {
public:
  MidiHost(mppi::MidiMgr& midi, mppi::PluginCore& core) : midi_(midi), core_(core) {}
  mppi::MidiMgr* get_midi_mgr() override { return &midi_; }
  bool set_param(int p, float v, int s) override { return core_.set_param(p, v, s); }

private:
  mppi::MidiMgr& midi_;
  mppi::PluginCore& core_;
};

// An input device whose controller notifications go to the manager.
class MgrMidiIn : public mppi::MidiInCcMixin {
public:
  explicit MgrMidiIn(mppi::MidiMgr& midi, mppi::MidiReceiverInterface& receiver) : midi_(midi) {
    attach(&receiver);
  }
  int open() override { return 0; }
  int close() override { return 0; }
  int poll() override { return 0; }
  int notify_controller(int id, int value) override { return midi_.notify_controller(id, value); }
  void cc(int controller, int value, int ch = 0) { receive_message(0, 0xB0 | ch, controller, value); }

private:
  mppi::MidiMgr& midi_;
};

// A task reached through set_extra_param.
class RecordingTask : public mppi::PluginTaskInterface {
public:
  void set_value(float v) override {
    value = v;
    ++calls;
  }
  void update() override {}
  float value = -1.0f;
  int calls = 0;
};

struct MidiRig {
  MidiRig() : core(dsp, bank) {
    dsp.set_host(new MidiHost(midi, core));  // the DSP object deletes it
    dsp.init();
    dsp.start();
    dsp.set_sample_rate(44100.0f);
    core.set_host(&host);
    core.set_clock([this] { return clock; });
    core.init_params();
    mppi::ProgramSlot init;
    init.set_name("Init");
    init.values.assign(62, 0.5f);
    bank.resize(1, init);
    midi.set_targets(&core, &dsp);
    dsp.add_task(&task);
  }

  TempUserStore store;  // init reads the per-user switches
  mppi::MidiMgr midi;
  RecordingTask task;
  synth::ZindleDsp dsp;
  mppi::BankManager bank;
  zindle_test::RecordingHost host;
  double clock = 100.0;
  mppi::PluginCore core;
  MgrMidiIn input{midi, dsp};
};

}  // namespace midi_test
