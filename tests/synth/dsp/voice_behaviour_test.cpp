// Voice behaviour heard at the outputs of the DSP object: pitch, the
// reference tone and the silent path.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "support/pitch_measure.h"
#include "support/signal_measure.h"
#include "support/synth_params.h"
#include "tests/synth/dsp/zindle_dsp_harness.h"

namespace {

using namespace zindle_test::synth_param;

using zindle_test::DspHarness;

TEST(VoiceBehaviour, Key69PlaysA440OnBothOutputs) {
  for (float rate : {44100.0f, 48000.0f, 96000.0f}) {
    DspHarness h(rate);
    h.open_vco1();
    h.change(kVcfFreq, 500.0);  // near-sine: one rising crossing per period
    h.note_on(0, 69);
    h.render(static_cast<int>(rate * 1.5f));
    const std::vector<float> settled(h.left.begin() + static_cast<long>(rate * 0.3f), h.left.end());
    EXPECT_NEAR(zindle_test::zero_crossing_frequency(settled, rate), 440.0, 440.0 * 1e-4) << rate;
    EXPECT_EQ(h.left, h.right) << rate;
    EXPECT_GT(zindle_test::rms(h.left.data() + h.left.size() / 2, h.left.size() / 2), 0.05) << rate;
  }
}

TEST(VoiceBehaviour, ReferenceToneSoundsWhileTheVcaIsClosed) {
  for (float rate : {44100.0f, 96000.0f}) {
    DspHarness h(rate);
    h.change(kVcaGain, 0.0);
    h.change(kA440, 1.0);
    const int n = static_cast<int>(rate);
    h.render(n);
    const std::vector<float> ideal = zindle_test::sine(2000, 440.0 / rate, 0.5);
    double early_error = 0.0;
    for (int i = 0; i < 2000; ++i) early_error = std::max(early_error, double(std::fabs(h.left[size_t(i)] - ideal[size_t(i)])));
    EXPECT_LT(early_error, 1e-4) << rate;
    EXPECT_NEAR(zindle_test::peak(h.left.data(), n), 0.5, 1e-4) << rate;
    EXPECT_NEAR(zindle_test::zero_crossing_frequency(h.left, rate), 440.0, 440.0 * 1e-5) << rate;
    EXPECT_TRUE(std::equal(h.left.begin(), h.left.end(), h.right.begin())) << rate;

    h.change(kA440, 0.0);
    h.render(512);
    EXPECT_TRUE(std::all_of(h.left.begin(), h.left.end(), [](float v) { return v == 0.0f; }))
        << rate;
  }
}

TEST(VoiceBehaviour, OpenVcaWithoutSourcesGivesTheGuardPatternOnly) {
  struct Case {
    double cutoff;
    double resonance;
  };
  const Case cases[] = {{16000.0, 0.0}, {16000.0, 0.9}, {100.0, 0.9}, {16.0, 0.9}};
  for (const Case& c : cases) {
    DspHarness h;
    h.change(kMix1Lvl, 0.0);
    h.change(kMix2Lvl, 0.0);
    h.change(kMix3Lvl, 0.0);
    h.change(kVcfFreq, c.cutoff);
    h.change(kVcfReso, c.resonance);
    h.change(kVcaGain, 1.0);
    int nonzero = 0;
    double peak = 0.0;
    for (int b = 0; b < 20; ++b) {
      h.render(4410);
      for (float x : h.left) {
        ASSERT_TRUE(std::isfinite(x)) << c.cutoff << " " << c.resonance;
        ASSERT_NE(std::fpclassify(x), FP_SUBNORMAL) << c.cutoff << " " << c.resonance;
        peak = std::max(peak, std::fabs(static_cast<double>(x)));
        if (x != 0.0f) ++nonzero;
      }
    }
    EXPECT_LT(peak, 1e-7) << c.cutoff << " " << c.resonance;
    // The pattern keeps flowing through the filters: the voice is not skipped.
    EXPECT_GT(nonzero, 20 * 4410 / 2) << c.cutoff << " " << c.resonance;
  }
}

}  // namespace
