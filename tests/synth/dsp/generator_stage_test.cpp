#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "support/fake_dsp.h"
#include "synth/dsp/generator_stage.h"

namespace {

// Indices in the stage's own registry, in creation order.
enum Param { kVco1Coarse, kVco2Coarse, kVco1Fine, kVco2Fine, kVco1Pw, kVco2Pw };

constexpr int kNote69 = 69 * 65536 / 12;  // 440 Hz
constexpr int kOctave = 65536;

struct Stage {
  zindle_test::FakeDsp registry;
  synth::GeneratorStage gen;

  explicit Stage(double host_rate = 44100.0) {
    gen.create_params(registry);
    gen.set_sample_rate(2.0 * host_rate);
  }
  void change(Param p, double value) { registry.change(p, value); }
};

// A width as the stage forms it: a float fraction of 2^32, rounded.
uint32_t width_of(double w) { return static_cast<uint32_t>(std::llround(static_cast<double>(static_cast<float>(w)) * 4294967296.0)); }

TEST(GeneratorStage, MaximumPitchFollowsTheHostRate) {
  struct Case { double host_rate; int max_pitch; };
  for (const Case c : {Case{44100.0, 812458}, Case{48000.0, 820471}, Case{96000.0, 820471 + kOctave}}) {
    Stage s(c.host_rate);
    EXPECT_EQ(s.gen.get_max_pitch(), c.max_pitch) << c.host_rate;
    // A pitch at the maximum is held one unit below it: the pure-sine level.
    s.gen.set_vco1_pitch(c.max_pitch);
    s.gen.set_vco2_pitch(c.max_pitch + 5000);
    EXPECT_EQ(s.gen.get_vco1_pitch(), c.max_pitch - 1);
    EXPECT_EQ(s.gen.get_vco2_pitch(), c.max_pitch - 1);
    EXPECT_EQ(s.gen.use_vco1().get_level(), 1);
  }
}

TEST(GeneratorStage, TuningAddsIntegerSemitones) {
  struct Case { double coarse; double fine; int offset; };
  const Case cases[] = {
      {12.0, 0.0, 65532},      // 4 units short of an octave
      {0.0, 1.0, 5461},
      {-36.0, 0.0, -196596},
      {7.0, 0.5, 40958},       // 40957.5 rounds up
      {-7.0, -0.5, -40957},    // -40957.5 rounds up too
      {0.5, -0.25, 1365},
  };
  for (const auto& c : cases) {
    Stage s;
    s.gen.set_vco1_pitch(kNote69);
    s.gen.set_vco2_pitch(kNote69 - kOctave);
    s.gen.set_vco2_mod(300);
    s.change(kVco1Coarse, c.coarse);
    s.change(kVco1Fine, c.fine);
    s.change(kVco2Coarse, c.coarse);
    s.change(kVco2Fine, c.fine);
    s.gen.update_params();
    EXPECT_EQ(s.gen.get_vco1_tuning(), c.offset) << c.coarse << " " << c.fine;
    EXPECT_EQ(s.gen.get_vco1_pitch(), kNote69 + c.offset);
    EXPECT_EQ(s.gen.get_vco2_pitch(), kNote69 - kOctave + 300 + c.offset);
  }
}

TEST(GeneratorStage, PulseWidthIsClampedAndRecentred) {
  struct Case { double value; float modulation; double width; };
  // 0.5 itself lies above the 0.499 limit.
  const Case cases[] = {{0.5, 0.0f, 0.499}, {0.05, 0.0f, 0.05}, {0.05, -0.2f, 0.01}, {0.3, 0.4f, 0.499}, {0.25, 0.05f, 0.3}};
  for (const auto& c : cases) {
    Stage s;
    s.change(kVco2Pw, c.value);
    s.gen.set_pwm(1, c.modulation);
    s.gen.update_params();  // at phase 0 any width applies at once
    const auto& osc = s.gen.use_vco2().use_slave();
    const uint32_t expected = width_of(c.width);
    EXPECT_EQ(osc.get_pulse_width(), expected) << c.value << " " << c.modulation;
    EXPECT_EQ(osc.get_dc_offset(), 16384 - static_cast<int>(expected >> 17));
  }
}

}  // namespace
