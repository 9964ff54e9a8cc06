#pragma once
// A plug-in core wired to a DSP object (by default a fake one with 62 plain
// parameters), a recording host and a clock the test moves by hand.

#include <mutex>
#include <utility>
#include <string>
#include <vector>

#include "framework/core/bank_manager.h"
#include "framework/core/bkg_interface.h"
#include "framework/core/host_callback_interface.h"
#include "framework/core/plugin_core.h"
#include "framework/params/normalized_param_interface.h"
#include "support/fake_dsp.h"
#include "synth/plugin/zindle_dsp.h"

namespace zindle_test {

struct HostEvent {
  enum Kind { Automate, Begin, End, Update } kind;
  int index;
  float value;
};

class RecordingHost : public mppi::HostCallbackInterface {
public:
  void automate(int i, float v) override { add({HostEvent::Automate, i, v}); }
  void begin_edit(int i) override { add({HostEvent::Begin, i, 0.0f}); }
  void end_edit(int i) override { add({HostEvent::End, i, 0.0f}); }
  void update_display() override { add({HostEvent::Update, -1, 0.0f}); }

  std::vector<HostEvent> take() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::exchange(events_, {});
  }
  int count(HostEvent::Kind kind, int index = -2) {
    std::lock_guard<std::mutex> lock(mutex_);
    int n = 0;
    for (const auto& e : events_) n += e.kind == kind && (index == -2 || e.index == index);
    return n;
  }

private:
  void add(const HostEvent& e) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(e);
  }
  std::mutex mutex_;
  std::vector<HostEvent> events_;
};

// Closes the core's edit gestures from the background thread.
class GestureTask : public mppi::BkgInterface {
public:
  explicit GestureTask(mppi::PluginCore& core) : core_(core) {}
  void process() override { core_.close_gestures(); }
  void* get_context() override { return nullptr; }
  void set_context(void*) override {}

private:
  mppi::PluginCore& core_;
};

// The fake DSP object with the synth's parameter count.
struct FakeSynthDsp : FakeDsp {
  FakeSynthDsp() : FakeDsp(62) {}
};

template <typename Dsp = FakeSynthDsp>
struct CoreRig {
  // Like the adapter, selects program 0 before the host sees the plug-in,
  // unless told not to.
  explicit CoreRig(bool select_first_program = true) : core(dsp, bank) {
    dsp.init();
    dsp.start();
    dsp.set_sample_rate(44100.0f);
    core.set_host(&host);
    core.set_clock([this] { return clock; });
    core.init_params();
    mppi::ProgramSlot init;
    init.set_name("Init");
    init.values.resize(62);
    for (int i = 0; i < 62; ++i) init.values[static_cast<size_t>(i)] = dsp.get_param(i)->nrm();
    bank.resize(4, init);
    for (int i = 0; i < 4; ++i) {
      bank.use_program(i) = init;
      bank.use_program(i).set_name("Prog " + std::to_string(i));
    }
    if (select_first_program) {
      core.select_program(0);
      clock += 1.0;  // the selection's hold has passed
      host.take();
    }
  }
  Dsp dsp;
  mppi::BankManager bank;
  RecordingHost host;
  double clock = 100.0;
  mppi::PluginCore core;
};

}  // namespace zindle_test
