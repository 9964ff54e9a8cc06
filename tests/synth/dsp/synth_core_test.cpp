#include "support/synth_params.h"
#include "synth/dsp/synth_core.h"

#include <gtest/gtest.h>


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
  h.change(kPortamento, 0.1);  // 4410 samples
  h.render(64);

  // Equal times take the same share of the way left: a third of the glide
  // time leaves 0.01^(1/3) of the way from key 48 to key 60, half of it
  // 0.1, the whole of it 0.01, where the glide ends with the next sample.
  // Blocks of 49 land on these times.
  struct Point {
    int rendered;
    double left;
  };
  const Point points[] = {{1470, 0.215443}, {2205, 0.1}, {4410, 0.01}};
  h.note_on(0, 60);
  double last_left = 1.0;
  int arrived_at = 0;
  for (int rendered = 49; rendered <= 49 * 100; rendered += 49) {
    h.render(49);
    const double left = double(kKey60 - h.dsp.get_synth_core().get_vco1_pitch()) / (kKey60 - kKey48);
    EXPECT_LE(left, last_left) << rendered;
    last_left = left;
    for (const Point& p : points) {
      if (p.rendered == rendered) {
        EXPECT_NEAR(left, p.left, 2e-5) << rendered;
      }
    }
    if (arrived_at == 0 && left == 0.0) arrived_at = rendered;
  }
  EXPECT_EQ(arrived_at, 4410 + 49);
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
