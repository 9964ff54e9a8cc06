// Host automation of every parameter, with program changes among it, from
// another thread while notes play: the output stays finite and below what
// the signal path can reach at all. Run under ThreadSanitizer it also shows
// the hand-over from the automation thread to the audio thread race-free.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "tests/synth/plugin/program_rig.h"

namespace {

// The ladder filter holds its output at 256; the high-pass (Q 0.707), also
// when its cutoff jumps, stays within 4 times its input; the amplifier gives
// at most gain 1 plus envelope level 1 times velocity² (127/64 squared); the
// A440 tone adds 0.5.
constexpr double kMaxVelocity = 127.0 / 64.0;
constexpr double kCeiling = 256.0 * 4.0 * (1.0 + kMaxVelocity * kMaxVelocity) + 0.5;
constexpr int kBlocks = 1500;  // about 4.4 s

TEST(ProgramChangeThread, RandomAutomationOfEveryParameterWhileNotesPlay) {
  zindle_test::ProgramRig rig;
  // Every change is a new moment, so that no source is refused by the
  // priority hold of an earlier one.
  std::atomic<long> ticks{0};
  rig.core.set_clock([&ticks] { return static_cast<double>(ticks.fetch_add(1)); });
  rig.select(0);

  std::atomic<bool> done{false};
  std::atomic<int> changes{0};
  std::thread automation([&] {
    std::mt19937 rng(14);
    std::uniform_int_distribution<int> param(0, synth::kNbrParams - 1);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    for (int n = 1; !done.load(); ++n) {
      rig.core.set_param(param(rng), value(rng), mppi::PluginCore::kSourceHostAutomation);
      if (n % 400 == 0) rig.select((n / 400) % rig.nbr_programs());
      changes.store(n);
    }
  });

  std::vector<float> left(zindle_test::ProgramRig::kBlock), right(left.size());
  float* outputs[2] = {left.data(), right.data()};
  int not_finite = 0;
  double peak = 0.0;
  for (int b = 0; b < kBlocks; ++b) {
    // Two keys over each other, each held a while, at full velocity.
    const int note = 36 + (b / 8) % 48;
    rig.dsp.set_time_stamp(b % 97);
    if (b % 8 == 0) rig.dsp.note_on(0, note, float(note), 0.0f, float(kMaxVelocity), 1);
    if (b % 8 == 5) rig.dsp.note_on(0, note + 7, float(note + 7), 0.0f, float(kMaxVelocity), 1);
    if (b % 8 == 7) {
      rig.dsp.note_off(0, note, 0.5f);
      rig.dsp.note_off(0, note + 7, 0.5f);
    }
    rig.dsp.process_replacing(outputs, nullptr, static_cast<int>(left.size()), nullptr);
    for (float s : left) {
      if (!std::isfinite(s)) ++not_finite;
      else peak = std::max(peak, double(std::fabs(s)));
    }
  }
  done.store(true);
  automation.join();

  EXPECT_GT(changes.load(), 100) << "the automation ran alongside";
  EXPECT_EQ(not_finite, 0);
  EXPECT_LE(peak, kCeiling);
  EXPECT_GT(peak, 0.01) << "notes sounded";
}

}  // namespace
