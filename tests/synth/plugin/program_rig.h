#pragma once
// The synth behind a plug-in core that holds the factory bank, wired as the
// adapter wires it, for tests that change programs while notes sound.

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/core/bank_manager.h"
#include "framework/core/bank_resource.h"
#include "framework/core/plugin_core.h"
#include "synth/plugin/builtin_banks.h"
#include "synth/plugin/zindle_dsp.h"

namespace zindle_test {

constexpr int kRate = 44100;

// Programs are selected the way a host selects them.
class ProgramRig {
public:
  static constexpr int kBlock = 128;
  static constexpr int kNote = 60;

  ProgramRig() {
    synth::register_builtin_banks();
    mppi::load_bank_resource("static_presets", bank);
    dsp.init();
    dsp.start();
    dsp.set_sample_rate(static_cast<float>(kRate));
    core.init_params();
  }
  ~ProgramRig() { dsp.stop(); }

  int nbr_programs() const { return bank.get_nbr_programs(); }
  void select(int program) { core.select_program(program); }
  const mppi::ProgramSlot& program(int index) { return bank.use_program(index); }

  std::vector<float> render(int n) {
    std::vector<float> out(static_cast<size_t>(n)), right(static_cast<size_t>(n));
    float* outputs[2] = {out.data(), right.data()};
    dsp.process_replacing(outputs, nullptr, n, nullptr);
    return out;
  }
  // One block; returns its peak (huge when a sample is not finite).
  double render_block() {
    double peak = 0.0;
    for (float s : render(kBlock)) peak = std::isfinite(s) ? std::max(peak, double(std::fabs(s))) : 1e9;
    return peak;
  }

  void note_on() {
    dsp.set_time_stamp(0);
    dsp.note_on(0, kNote, float(kNote), 0.0f, 100.0f / 64.0f, 1);
  }
  void note_off() {
    dsp.set_time_stamp(0);
    dsp.note_off(0, kNote, 0.5f);
  }

  synth::ZindleDsp dsp;
  mppi::BankManager bank;
  mppi::PluginCore core{dsp, bank};
};

}  // namespace zindle_test
