#include "support/synth_params.h"
#include "synth/dsp/synth_core.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using namespace zindle_test::synth_param;

using zindle_test::DspHarness;

constexpr int kKey48 = 262144, kKey60 = 327680, kKey69 = 376832;  // pitch units

TEST(SynthCorePitch, BendRangeTwelveBendsByAnOctave) {
  struct Case {
    int data1, data2;
    int offset;
  };
  // Range 12: full down is exactly one octave (65536 units); full up is
  // 8191/8192 of it.
  const Case cases[] = {{0, 0, -65536}, {0, 64, 0}, {127, 127, 65528}, {0, 96, 32768}};
  DspHarness h;
  h.dsp.rpn(0, 0, 12 * 128);
  h.note_on(0, 69);
  h.render(32);
  for (const Case& c : cases) {
    h.dsp.set_time_stamp(0);
    h.dsp.channel_message(0, 14, c.data1, c.data2);
    h.render(32);
    EXPECT_EQ(h.dsp.get_synth_core().get_bend_offset(), c.offset) << c.data2;
    EXPECT_EQ(h.dsp.get_synth_core().get_vco1_pitch(), kKey69 + c.offset) << c.data2;
  }
  // A new range applies to the bend already held.
  h.dsp.set_time_stamp(0);
  h.dsp.channel_message(0, 14, 0, 0);
  h.dsp.rpn(0, 0, 2 * 128);
  h.render(32);
  EXPECT_EQ(h.dsp.get_synth_core().get_bend_offset(), -10923);  // round(-2 * 5461.3335)
}

TEST(SynthCorePortamento, GlidesExponentiallyAndArrivesInTheGlideTime) {
  DspHarness h;
  h.note_on(0, 48);
  h.note_off(10, 48);
  h.render(64);
  h.change(kPortamento, 0.1);
  h.render(64);
  const double time = h.dsp.get_synth_core().get_glide().get_time();
  ASSERT_NEAR(time, 0.1, 1e-6);
  const double glide_samples = time * 44100.0;

  const double start = kKey48;
  const double target = kKey60;
  h.note_on(0, 60);
  int rendered = 0;
  bool arrived = false;
  while (rendered < 6000) {
    h.render(64);
    rendered += 64;
    const double fraction_left =
        (target - h.dsp.get_synth_core().get_vco1_pitch()) / (target - start);
    if (rendered < glide_samples - 64) {
      // Exponential approach: what is left after t samples is 0.01^(t / T).
      const double expected = std::pow(0.01, rendered / glide_samples);
      EXPECT_NEAR(fraction_left, expected, 2e-5 + expected * 1e-4) << rendered;
      EXPECT_GT(fraction_left, 0.01) << rendered;
    }
    if (!arrived && fraction_left <= 0.01) {
      arrived = true;
      EXPECT_GE(rendered, glide_samples - 64);
      EXPECT_LE(rendered, glide_samples + 64);
    }
  }
  EXPECT_TRUE(arrived);
  EXPECT_EQ(h.dsp.get_synth_core().get_vco1_pitch(), kKey60);
  EXPECT_FALSE(h.dsp.get_synth_core().get_glide().is_moving());
}

TEST(SynthCorePortamento, VcoTwoKeepsItsIntervalWhileVcoOneGlides) {
  DspHarness h;
  h.change(kPortamento, 0.05);
  h.render(16);
  h.note_on(0, 60);
  h.note_on(0, 67);
  for (int i = 0; i < 20; ++i) {
    h.render(100);
    const synth::SynthCore& core = h.dsp.get_synth_core();
    EXPECT_EQ(core.get_vco2_pitch() - core.get_vco1_pitch(), 7 * 5461) << i;
  }
}

}  // namespace
