#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/fake_dsp.h"
#include "synth/dsp/control_stage.h"

namespace {

constexpr double kFs = 44100.0;

// Registry positions of the control stage's parameters.
enum {
  kAdsrAttack, kAdsrDecay, kAdsrSustain, kAdsrRelease,
  kArAttack = 6, kArRelease, kArRepeat, kLfoRate, kLfoTempoSync
};

struct Slice {
  long start;
  float square;  // LFO square at the tick
};

// Drives the stage the way the synth core does: runs of at most 256 samples,
// cut again at the stage's ticks.
class ControlRig {
public:
  ControlRig() {
    stage.create_params(registry);
    stage.set_sample_rate(kFs);
  }

  void run(long nbr_samples) {
    constexpr int run_length = 256;
    for (long done = 0; done < nbr_samples;) {
      int left = static_cast<int>(std::min<long>(run_length, nbr_samples - done));
      while (left > 0) {
        stage.tick(key_held);
        const int m = std::min(left, stage.get_slice_length());
        slices.push_back({pos, stage.get_lfo_square()});
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
  EXPECT_NEAR(rig.adsr.back(), 0.4951, 1e-6);  // held where the decay towards 0.49 ended
  EXPECT_TRUE(rig.stage.is_adsr_active());
  rig.key_up();
  rig.run(2000);  // release of 0.005 s
  EXPECT_EQ(rig.adsr.back(), 0.0f);
  EXPECT_FALSE(rig.stage.is_adsr_active());
  EXPECT_FALSE(rig.stage.is_ar_active());
}

TEST(ControlStage, ArRepeatTriggersTheArEveryCycle) {
  ControlRig rig;
  rig.registry.change(kLfoRate, 10.0);  // period 4410 samples
  rig.registry.change(kArRepeat, 1.0);
  rig.registry.change(kArAttack, 0.005);
  rig.registry.change(kArRelease, 0.005);
  rig.key_down();
  rig.run(4410 * 3);
  // The AR peaks once per cycle and is silent in the second half of each.
  for (long start = 0; start < 4410 * 3; start += 4410) {
    EXPECT_EQ(rig.ar[static_cast<size_t>(start + 221)], 1.0f) << start;
    EXPECT_EQ(rig.ar[static_cast<size_t>(start + 4000)], 0.0f) << start;
  }
}

TEST(ControlStage, LfoFrequencyMeasuredFromTheSquare) {
  struct Case { double rate; bool sync; float tempo; double hz; };
  const Case cases[] = {
      {7.3, false, 120.0f, 7.3}, {0.2, false, 120.0f, 0.2}, {1.0, true, 90.0f, 0.75},
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

}  // namespace
