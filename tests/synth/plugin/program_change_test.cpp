// A program change while a note sounds or rings out: the old program's voice
// state must not reach the new program's settings, and the switch must not
// cut the sound with a click.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "framework/core/bank_manager.h"
#include "framework/core/bank_resource.h"
#include "framework/core/plugin_core.h"
#include "synth/plugin/builtin_banks.h"
#include "synth/plugin/zindle_dsp.h"

namespace {

constexpr int kRate = 44100;
constexpr int kBlock = 128;
constexpr int kNote = 60;
constexpr int kNbrPrograms = 64;
constexpr int kOwnPlays = 8;
constexpr double kAllowance = 1.1220184543;  // +1 dB

double db(double x) { return 20.0 * std::log10(std::max(x, 1e-9)); }

// The synth behind a plug-in core holding the factory bank, as the adapter
// wires it; programs are selected the way a host selects them.
class ProgramRig {
public:
  ProgramRig() : core_(dsp, bank_) {
    synth::register_builtin_banks();
    mppi::load_bank_resource("static_presets", bank_);
    dsp.init();
    dsp.start();
    dsp.set_sample_rate(static_cast<float>(kRate));
    core_.init_params();
    left_.resize(kBlock);
    right_.resize(kBlock);
  }
  ~ProgramRig() { dsp.stop(); }

  int nbr_programs() const { return bank_.get_nbr_programs(); }
  void select(int program) { core_.select_program(program); }

  // One block; returns its peak and appends it to `out` when given.
  double render_block(std::vector<float>* out = nullptr) {
    float* outputs[2] = {left_.data(), right_.data()};
    dsp.process_replacing(outputs, nullptr, kBlock, nullptr);
    double peak = 0.0;
    for (float s : left_) peak = std::isfinite(s) ? std::max(peak, double(std::fabs(s))) : 1e9;
    if (out != nullptr) out->insert(out->end(), left_.begin(), left_.end());
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

private:
  mppi::BankManager bank_;
  mppi::PluginCore core_;
  std::vector<float> left_;
  std::vector<float> right_;
};

struct SwitchCase {
  const char* name;
  int switch_at;  // blocks
  int note_off;
  int length;
};

// About 3 ms per block: a 70 ms note, switched while held or while ringing out.
const SwitchCase kSwitchCases[] = {
    {"while the key is held", 12, 24, 48},
    {"while the note rings out", 30, 24, 48},
};

enum class Switch {
  kNone,
  kProgramChange,
  // The reference: a cleared voice (host reset) that takes the program and
  // the held key afresh, its oscillators running on where they were.
  kResetVoice,
};

// Plays `from` from a cleared voice and switches to `to` at the case's
// block; returns the peak from the switch on.
double play(ProgramRig& rig, int from, int to, const SwitchCase& c, Switch how) {
  rig.dsp.request_reset();
  rig.select(from);
  double peak = 0.0;
  for (int b = 0; b < c.length; ++b) {
    if (b == 0) rig.note_on();
    if (b == c.note_off) rig.note_off();
    if (b == c.switch_at && how == Switch::kProgramChange) rig.select(to);
    if (b == c.switch_at && how == Switch::kResetVoice) {
      rig.dsp.request_reset();
      rig.select(to);
      if (b < c.note_off) {
        rig.note_off();
        rig.note_on();
      }
    }
    const double block_peak = rig.render_block();
    if (b >= c.switch_at || how == Switch::kNone) peak = std::max(peak, block_peak);
  }
  return peak;
}

TEST(ProgramChange, NoPairOfFactoryProgramsPeaksAboveEitherPlayedFresh) {
  ASSERT_EQ(ProgramRig().nbr_programs(), kNbrPrograms);
  for (const SwitchCase& c : kSwitchCases) {
    SCOPED_TRACE(c.name);
    // A program's own peak: the loudest of several plays on a new instance
    // (noise and unrelated oscillators give each play a different peak).
    std::vector<double> fresh(kNbrPrograms);
    for (int p = 0; p < kNbrPrograms; ++p) {
      ProgramRig rig;
      for (int i = 0; i < kOwnPlays; ++i) fresh[p] = std::max(fresh[p], play(rig, p, p, c, Switch::kNone));
    }

    int exceeding = 0;
    double worst = -1e9;
    int worst_from = 0, worst_to = 0;
    for (int from = 0; from < kNbrPrograms; ++from) {
      for (int to = 0; to < kNbrPrograms; ++to) {
        if (from == to) continue;
        ProgramRig rig;
        const double peak = play(rig, from, to, c, Switch::kProgramChange);
        double allowed = std::max(fresh[from], fresh[to]);
        // Oscillators that keep running change the waveform of a program
        // whose oscillators stand in a fixed ratio (octaves, noise); its
        // own peak then is the one it reaches from a cleared voice.
        if (peak > allowed * kAllowance) {
          ProgramRig same_start;
          allowed = std::max(allowed, play(same_start, from, to, c, Switch::kResetVoice));
        }
        const double excess = db(peak) - db(allowed);
        if (peak > allowed * kAllowance) ++exceeding;
        if (excess > worst) {
          worst = excess;
          worst_from = from;
          worst_to = to;
        }
      }
    }
    std::printf("%s: %d of %d pairs above +1 dB, worst %+.1f dB (%d then %d)\n", c.name, exceeding,
                kNbrPrograms * (kNbrPrograms - 1), worst, worst_from, worst_to);
    EXPECT_EQ(exceeding, 0) << "worst " << worst << " dB, program " << worst_from << " then " << worst_to;
  }
}

}  // namespace
