#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/fake_dsp.h"
#include "support/signal_measure.h"
#include "synth/dsp/control_stage.h"

namespace {

constexpr double kFs = 44100.0;
using zindle_test::kPi;

// Registry positions of the control stage's parameters.
enum {
  kAdsrAttack, kAdsrDecay, kAdsrSustain, kAdsrRelease, kAdsrRepeat, kAdsrAutoRepeat,
  kArAttack, kArRelease, kArRepeat, kLfoRate, kLfoTempoSync, kLfoKeyRetrig
};

struct Slice {
  long start;
  int length;
  double phase;  // LFO phase at the tick
  float square;
  bool cycle_start;
  int adsr_state;  // after the tick
};

// Drives the stage the way the synth core does: runs of at most 256 samples,
// cut again at the stage's ticks.
class ControlRig {
public:
  ControlRig() {
    stage.create_params(registry);
    stage.set_sample_rate(kFs);
  }

  void run(long nbr_samples, int run_length = 256) {
    for (long done = 0; done < nbr_samples;) {
      int left = static_cast<int>(std::min<long>(run_length, nbr_samples - done));
      while (left > 0) {
        stage.tick(key_held);
        const int m = std::min(left, stage.get_slice_length());
        slices.push_back({pos, m, stage.get_lfo().get_phase(), stage.get_lfo_square(),
                          stage.is_lfo_cycle_start(), stage.get_adsr().get_state()});
        stage.advance(m);
        adsr.insert(adsr.end(), stage.get_adsr_buffer(), stage.get_adsr_buffer() + m);
        ar.insert(ar.end(), stage.get_ar_buffer(), stage.get_ar_buffer() + m);
        pos += m;
        left -= m;
        done += m;
      }
    }
  }

  void key_down() { key_held = true; stage.gate_on(); }
  void key_up() { key_held = false; stage.gate_off(); }

  // Sample positions where the envelope starts an attack or a release.
  std::vector<long> starts_of(int state) const {
    std::vector<long> found;
    int previous = synth::EnvelopeGenerator::kOff;
    for (const Slice& s : slices) {
      if (s.adsr_state == state && (previous != state || (state == synth::EnvelopeGenerator::kAttack && s.cycle_start))) {
        found.push_back(s.start);
      }
      previous = s.adsr_state;
    }
    return found;
  }

  zindle_test::FakeDsp registry;
  synth::ControlStage stage;
  bool key_held = false;
  long pos = 0;
  std::vector<Slice> slices;
  std::vector<float> adsr;
  std::vector<float> ar;
};

// Rising edges of the LFO square, in samples.
std::vector<long> rising_edges(const std::vector<Slice>& slices) {
  std::vector<long> edges;
  for (size_t i = 1; i < slices.size(); ++i) {
    if (slices[i].square > 0.5f && slices[i - 1].square < 0.5f) edges.push_back(slices[i].start);
  }
  return edges;
}

TEST(ControlStage, AdsrFollowsTheKeyboardGate) {
  ControlRig rig;
  rig.registry.change(kAdsrAttack, 0.01);
  rig.registry.change(kAdsrSustain, 0.5);
  rig.registry.change(kAdsrDecay, 0.05);
  rig.run(100);
  EXPECT_EQ(rig.adsr[50], 0.0f);
  rig.key_down();
  rig.run(5000);
  EXPECT_EQ(rig.adsr[100 + 441], 1.0f);  // attack of 0.01 s
  EXPECT_NEAR(rig.adsr.back(), 0.49 + 0.51 * 0.01, 1e-6);
  EXPECT_TRUE(rig.stage.is_adsr_active());
  rig.key_up();
  rig.run(2000);  // release of 0.005 s
  EXPECT_EQ(rig.adsr.back(), 0.0f);
  EXPECT_FALSE(rig.stage.is_adsr_active());
  EXPECT_FALSE(rig.stage.is_ar_active());
}

TEST(ControlStage, LfoFrequencyMeasuredFromTheSquare) {
  struct Case { double rate; bool sync; float tempo; double hz; };
  const Case cases[] = {
      {2.0, false, 90.0f, 2.0},  {7.3, false, 120.0f, 7.3}, {0.2, false, 120.0f, 0.2},
      {1.0, true, 120.0f, 1.0},  {1.0, true, 90.0f, 0.75},  {2.0, true, 90.0f, 1.5},
      {4.0, true, 120.0f, 4.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rate << " Hz, sync " << c.sync << ", " << c.tempo);
    ControlRig rig;
    rig.stage.set_tempo(c.tempo);
    rig.registry.change(kLfoRate, c.rate);
    rig.registry.change(kLfoTempoSync, c.sync ? 1.0 : 0.0);
    rig.run(static_cast<long>(kFs * 12));
    const std::vector<long> edges = rising_edges(rig.slices);
    ASSERT_GE(edges.size(), 2u);
    const double period = double(edges.back() - edges.front()) / double(edges.size() - 1);
    EXPECT_NEAR(kFs / period, c.hz, c.hz * 1e-3);
  }
}

TEST(ControlStage, LfoPeriodIsRoundedToWholeSamples) {
  struct Case { double rate; int samples; };
  for (const Case c : {Case{17.7, 2492}, Case{7.3, 6041}, Case{20.0, 2205}}) {
    ControlRig rig;
    rig.registry.change(kLfoRate, c.rate);
    rig.run(256);
    EXPECT_EQ(rig.stage.get_lfo().period_samples(), c.samples) << c.rate;
  }
}

TEST(ControlStage, SlicesNeverCrossAnLfoHalfCycle) {
  for (const double rate : {0.2, 3.0, 17.7, 20.0}) {
    for (const int run_length : {256, 100, 7}) {
      SCOPED_TRACE(testing::Message() << rate << " Hz, runs of " << run_length);
      ControlRig rig;
      rig.registry.change(kLfoRate, rate);
      rig.key_down();
      rig.run(static_cast<long>(kFs * 1.5), run_length);
      const double inc = rig.stage.get_lfo().get_increment();
      int boundaries = 0;
      for (const Slice& s : rig.slices) {
        // Samples 1 .. length-1 of a slice lie in one half-cycle; sample 0 may
        // be the last one before the boundary.
        const double second = std::fmod(s.phase + inc, 2 * kPi);
        const double last = second + inc * (s.length - 2);
        if (s.length < 2) continue;
        const double half_end = second < kPi ? kPi : 2 * kPi;
        ASSERT_LT(last, half_end + 1e-9) << "slice at " << s.start;
        ASSERT_EQ(s.square, second < kPi ? 1.0f : 0.0f) << "slice at " << s.start;
      }
      for (size_t i = 1; i < rig.slices.size(); ++i) {
        if (rig.slices[i].square != rig.slices[i - 1].square) ++boundaries;
      }
      EXPECT_NEAR(boundaries, 2 * 1.5 * rate, 1.0);
    }
  }
}

// The ADSR restarts with every LFO cycle while a key is held; with
// auto-repeat it keeps doing so after the key is released.
TEST(ControlStage, AdsrRepeatFollowsTheLfo) {
  for (const bool auto_repeat : {false, true}) {
    SCOPED_TRACE(auto_repeat);
    ControlRig rig;
    rig.registry.change(kLfoRate, 10.0);  // period 4410 samples
    rig.registry.change(kAdsrRepeat, 1.0);
    rig.registry.change(kAdsrAutoRepeat, auto_repeat ? 1.0 : 0.0);
    rig.key_down();
    rig.run(4410 * 3 + 100);
    const std::vector<long> releases = rig.starts_of(synth::EnvelopeGenerator::kRelease);
    ASSERT_EQ(releases.size(), 3u);
    for (size_t i = 0; i < releases.size(); ++i) EXPECT_NEAR(releases[i], 2205 + 4410.0 * i, 1.0);
    rig.key_up();
    rig.run(4410 * 3);
    const std::vector<long> attacks = rig.starts_of(synth::EnvelopeGenerator::kAttack);
    ASSERT_EQ(attacks.size(), auto_repeat ? 7u : 4u);
    for (size_t i = 0; i < attacks.size(); ++i) EXPECT_NEAR(attacks[i], 4410.0 * i, 1.0);
    EXPECT_EQ(rig.stage.get_adsr().is_active(), auto_repeat);
  }
}

TEST(ControlStage, ArRepeatTriggersTheArEveryCycle) {
  ControlRig rig;
  rig.registry.change(kLfoRate, 10.0);
  rig.registry.change(kArRepeat, 1.0);
  rig.registry.change(kArAttack, 0.005);
  rig.registry.change(kArRelease, 0.005);
  rig.key_down();
  rig.run(4410 * 3);
  // The AR peaks once per cycle and is silent in the second half of each.
  for (int cycle = 0; cycle < 3; ++cycle) {
    const long start = 4410L * cycle;
    EXPECT_EQ(rig.ar[static_cast<size_t>(start + 221)], 1.0f) << cycle;
    EXPECT_EQ(rig.ar[static_cast<size_t>(start + 4000)], 0.0f) << cycle;
  }
}

TEST(ControlStage, KeyRetriggerRestartsTheLfoPhase) {
  for (const bool retrig : {true, false}) {
    SCOPED_TRACE(retrig);
    ControlRig rig;
    rig.registry.change(kLfoRate, 5.0);
    rig.registry.change(kLfoKeyRetrig, retrig ? 0.0 : 1.0);
    rig.run(3000);
    rig.key_down();
    rig.stage.tick(true);
    EXPECT_EQ(rig.stage.is_lfo_cycle_start(), retrig);
    EXPECT_EQ(rig.stage.get_lfo().get_phase() == 0.0, retrig);
    if (retrig) {
      EXPECT_EQ(rig.stage.get_lfo_sine(), 0.0f);
    }
  }
}

}  // namespace
